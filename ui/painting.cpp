// The window draws its own background, header, panels, footer and status line, and its five
// buttons; the verdict's colour shows the level of the last calculation.
#include "ui/painting.h"

#include "ui/window_state.h"

namespace {

const COLORREF colour_background = RGB(244, 247, 249);
const COLORREF colour_header = RGB(0, 108, 150);
const COLORREF colour_accent = RGB(0, 132, 176);
const COLORREF colour_title = RGB(255, 255, 255);
const COLORREF colour_header_line = RGB(214, 236, 246);
const COLORREF colour_web_address = RGB(190, 220, 235);
const COLORREF colour_panel = RGB(255, 255, 255);
const COLORREF colour_panel_outline = RGB(218, 226, 232);
const COLORREF colour_caption_rule = RGB(228, 234, 238);
const COLORREF colour_footer = RGB(236, 241, 244);
const COLORREF colour_muted_text = RGB(120, 132, 142);
const COLORREF colour_body_text = RGB(44, 56, 66);

// Index by level 0 to 3; any other level shows in the level 0 colour.
const COLORREF colour_levels[] = {RGB(0, 128, 96), RGB(176, 132, 0), RGB(214, 108, 0),
                                  RGB(190, 30, 45)};

struct ButtonColours {
    COLORREF face;
    COLORREF pressed;
    COLORREF outline;
    COLORREF text;
};
const ButtonColours primary_button = {RGB(0, 122, 168), RGB(0, 100, 138), RGB(0, 106, 148),
                                      RGB(255, 255, 255)};
const ButtonColours secondary_button = {RGB(255, 255, 255), RGB(226, 234, 240), RGB(206, 216, 224),
                                        colour_body_text};

constexpr UINT TEXT_FLAGS = DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
constexpr int BUTTON_CAPTION_CAPACITY = 64;

COLORREF level_colour(int level) {
    return level >= 1 && level <= 3 ? colour_levels[level] : colour_levels[0];
}

void paint_header(HDC dc, int width) {
    const ToolDef& tool = *window_state.tool;
    fill_rect_color(dc, 0, 0, width, 88, colour_header);
    fill_rect_color(dc, 0, 0, 8, 88, colour_accent);
    draw_text_rect(dc, 26, 12, 700, 38, tool.title, colour_title, window_state.font_title, DT_LEFT);
    wchar_t line[HEADER_LINE_CAPACITY];
    build_header_line(tool, line, HEADER_LINE_CAPACITY);
    draw_text_rect(dc, 28, 48, 720, 28, line, colour_header_line, window_state.font_caption,
                   DT_LEFT);
    draw_text_rect(dc, width - 240, 8, 214, 26, MAKER_WEB_ADDRESS, colour_web_address,
                   window_state.font_small, DT_RIGHT);
}

void paint_panel(HDC dc, int left, int top, int right, int bottom, const wchar_t* caption,
                 int caption_x) {
    fill_rect_color(dc, left, top, right - left, bottom - top, colour_panel);
    frame_rect_color(dc, left, top, right - left, bottom - top, colour_panel_outline);
    draw_text_rect(dc, caption_x, 104, 300, 30, caption, colour_header, window_state.font_caption,
                   DT_LEFT);
}

} // namespace

void draw_text_rect(HDC dc, int x, int y, int width, int height, const wchar_t* text,
                    COLORREF colour, HFONT font, UINT flags) {
    const HGDIOBJ previous = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    RECT rect = {x, y, x + width, y + height};
    DrawTextW(dc, text, -1, &rect, flags | TEXT_FLAGS);
    SelectObject(dc, previous);
}

void fill_rect_color(HDC dc, int x, int y, int width, int height, COLORREF colour) {
    const HBRUSH brush = CreateSolidBrush(colour);
    RECT rect = {x, y, x + width, y + height};
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

void frame_rect_color(HDC dc, int x, int y, int width, int height, COLORREF colour) {
    const HPEN pen = CreatePen(PS_SOLID, 1, colour);
    const HGDIOBJ previous_pen = SelectObject(dc, pen);
    const HGDIOBJ previous_brush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, x, y, x + width, y + height);
    SelectObject(dc, previous_pen);
    SelectObject(dc, previous_brush);
    DeleteObject(pen);
}

void paint_main(HWND window) {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    const int width = client.right;
    const int height = client.bottom;

    fill_rect_color(dc, 0, 0, width, height, colour_background);
    paint_header(dc, width);
    paint_panel(dc, 20, 96, 460, 648, CAPTION_INPUT_PANEL, 36);
    paint_panel(dc, 476, 96, 1000, 648, CAPTION_RESULT_PANEL, 492);
    fill_rect_color(dc, 36, 133, 408, 1, colour_caption_rule);
    fill_rect_color(dc, 492, 133, 492, 1, colour_caption_rule);
    fill_rect_color(dc, 0, 660, width, 60, colour_footer);
    draw_text_rect(dc, 740, 704, 264, 16, window_state.status_text, colour_muted_text,
                   window_state.font_small, DT_RIGHT);
    EndPaint(window, &paint);
}

void draw_button(const DRAWITEMSTRUCT& item) {
    const ButtonColours& colours = item.CtlID == ID_CALC ? primary_button : secondary_button;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const RECT& rect = item.rcItem;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    fill_rect_color(item.hDC, rect.left, rect.top, width, height,
                    pressed ? colours.pressed : colours.face);
    frame_rect_color(item.hDC, rect.left, rect.top, width, height, colours.outline);
    wchar_t caption[BUTTON_CAPTION_CAPACITY];
    caption[0] = L'\0';
    GetWindowTextW(item.hwndItem, caption, BUTTON_CAPTION_CAPACITY);
    draw_text_rect(item.hDC, rect.left, rect.top, width, height, caption, colours.text,
                   window_state.font_button, DT_CENTER);
}

HBRUSH control_colour_edit(HDC dc) {
    SetTextColor(dc, colour_body_text);
    SetBkColor(dc, colour_panel);
    return window_state.white_brush;
}

HBRUSH control_colour_static(HDC dc, HWND control) {
    SetBkMode(dc, TRANSPARENT);
    COLORREF colour = colour_muted_text;
    if (control == window_state.verdict_label)
        colour = level_colour(window_state.level);
    else if (control == window_state.result_box || control == window_state.note_label)
        colour = colour_body_text;
    SetTextColor(dc, colour);
    return window_state.white_brush;
}
