// The window draws its own background, header, panels, footer and status line, and its seven
// buttons, at the window's scale; the verdict's colour shows the level of the last calculation.
#include "ui/painting.h"

#include "ui/window_state.h"
#include "window_kit/colours.h"
#include "window_kit/controls.h"
#include "window_kit/drawing.h"

namespace {

constexpr int BUTTON_CAPTION_CAPACITY = 64;
constexpr int BUTTON_FOCUS_INSET = 4; // at 96 DPI

// A header text's rectangle, ending left of the patient strip.
RECT clipped(const LayoutRect& rect) {
    RECT r = at_scale(rect, window_state.scale);
    const int clip = at_scale(layout::TITLE_CLIP_RIGHT, window_state.scale);
    if (r.right > clip) r.right = clip;
    return r;
}

void paint_header(HDC dc, int width) {
    const ToolDef& tool = *window_state.session.tool;
    wchar_t line[HEADER_LINE_CAPACITY];
    build_header_line(tool, line, HEADER_LINE_CAPACITY);
    draw_app_header(dc, {width, at_scale(layout::HEADER_HEIGHT, window_state.scale),
                         at_scale(layout::ACCENT_WIDTH, window_state.scale), clipped(layout::TITLE),
                         tool.title, window_state.fonts[FONT_TITLE], clipped(layout::HEADER_LINE),
                         line, window_state.fonts[FONT_CAPTION]});
    const RECT web_address = {
        width - at_scale(layout::WEB_ADDRESS_FROM_RIGHT, window_state.scale),
        at_scale(layout::WEB_ADDRESS_Y, window_state.scale),
        width - at_scale(layout::WEB_ADDRESS_RIGHT_MARGIN, window_state.scale),
        at_scale(layout::WEB_ADDRESS_Y + layout::WEB_ADDRESS_HEIGHT, window_state.scale)};
    draw_text_rect(dc, web_address, MAKER_WEB_ADDRESS, colour_web_address,
                   window_state.fonts[FONT_SMALL], DT_RIGHT);
}

void paint_panel(HDC dc, const LayoutRect& panel, const LayoutRect& caption_rect,
                 const LayoutRect& rule, const wchar_t* caption) {
    fill_rect_color(dc, at_scale(panel, window_state.scale), colour_panel);
    frame_rect_color(dc, at_scale(panel, window_state.scale), colour_panel_outline);
    draw_text_rect(dc, at_scale(caption_rect, window_state.scale), caption, colour_header,
                   window_state.fonts[FONT_CAPTION], DT_LEFT);
    fill_rect_color(dc, at_scale(rule, window_state.scale), colour_caption_rule);
}

} // namespace

void paint_main(HWND window) {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    const int width = client.right;
    const int height = client.bottom;

    fill_rect_color(dc, RECT{0, 0, width, height}, colour_background);
    paint_header(dc, width);
    paint_panel(dc, layout::INPUT_PANEL, layout::INPUT_CAPTION, layout::INPUT_CAPTION_RULE,
                CAPTION_INPUT_PANEL);
    paint_panel(dc, layout::RESULT_PANEL, layout::RESULT_CAPTION, layout::RESULT_CAPTION_RULE,
                CAPTION_RESULT_PANEL);
    fill_rect_color(dc, RECT{0, at_scale(layout::FOOTER_TOP, window_state.scale), width, height},
                    colour_footer);
    draw_wrapped_text(dc, at_scale(layout::STATUS_LINE, window_state.scale),
                      window_state.status_text, colour_muted_text, window_state.fonts[FONT_SMALL],
                      DT_RIGHT);
    EndPaint(window, &paint);
}

void draw_button(const DRAWITEMSTRUCT& item) {
    const ButtonColours& colours = item.CtlID == ID_CALC ? primary_button : secondary_button;
    wchar_t caption[BUTTON_CAPTION_CAPACITY];
    caption[0] = L'\0';
    GetWindowTextW(item.hwndItem, caption, BUTTON_CAPTION_CAPACITY);
    // The focus mark is a dotted frame: it reads without colour.
    draw_owner_button(item, colours, window_state.fonts[FONT_BUTTON], caption, true,
                      at_scale(BUTTON_FOCUS_INSET, window_state.scale));
}

HBRUSH control_colour_edit(HDC dc) {
    SetTextColor(dc, colour_body_text);
    SetBkColor(dc, colour_panel);
    return window_state.white_brush;
}

HBRUSH control_colour_static(HDC dc, HWND control) {
    SetBkMode(dc, TRANSPARENT);
    for (const HWND label : window_state.patient_labels) {
        if (control != label) continue;
        SetTextColor(dc, colour_header_line);
        return window_state.header_brush;
    }
    COLORREF colour = colour_muted_text;
    if (control == window_state.verdict_label)
        colour = level_colour(session_level(window_state.session));
    else if (control == window_state.result_box || control == window_state.note_label)
        colour = colour_body_text;
    SetTextColor(dc, colour);
    return window_state.white_brush;
}
