#include "ui/input_guide.h"

#include "core/text.h"
#include "screen/guide_wrap.h"
#include "ui/window_state.h"
#include "window_kit/colours.h"
#include "window_kit/gdi_scope.h"

const wchar_t* const GUIDE_CLASS_NAME = L"HalviMedInputGuide";

namespace {

// How many characters of text go on one row of the width, by the guide's wrapping rule.
int row_length(HDC dc, const wchar_t* text, int length, int width) {
    int fit = 0;
    SIZE size;
    GetTextExtentExPointW(dc, text, length, width, &fit, nullptr, &size);
    return guide_row_length(text, length, fit);
}

// Draws one line of the guide, wrapped into rows from y on; returns the y below it. Rows that
// would cross the bottom are not drawn.
int draw_wrapped(HDC dc, const wchar_t* line, int length, int width, int y, int bottom) {
    while (length > 0 && y + layout::GUIDE_LINE_HEIGHT <= bottom) {
        const int row = row_length(dc, line, length, width);
        TextOutW(dc, 0, y, line, row);
        line += row;
        length -= row;
        y += layout::GUIDE_LINE_HEIGHT;
    }
    return length > 0 ? bottom : y;
}

// The heading in the caption font, then the guide's lines in the small font, wrapped.
void draw_guide_text(HDC dc, const wchar_t* text, const RECT& client) {
    SetBkMode(dc, TRANSPARENT);
    const SelectedObject selected(dc, window_state.fonts[FONT_CAPTION]);
    SetTextColor(dc, colour_header);
    const wchar_t* line = text;
    int y = 0;
    bool heading = true;
    while (*line != L'\0' && y < client.bottom) {
        int length = 0;
        while (line[length] != L'\0' && line[length] != L'\r' && line[length] != L'\n') ++length;
        if (heading) {
            RECT rect = {0, 0, client.right, layout::GUIDE_HEADING_HEIGHT};
            DrawTextW(dc, line, length, &rect,
                      DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
            y = layout::GUIDE_HEADING_HEIGHT;
            SelectObject(dc,
                         window_state.fonts[FONT_SMALL]); // the scope restores the original font
            SetTextColor(dc, colour_body_text);
            heading = false;
        } else {
            y = draw_wrapped(dc, line, length, client.right, y, client.bottom);
        }
        line += length;
        if (*line == L'\r') ++line;
        if (*line == L'\n') ++line;
    }
}

void paint_guide(HWND guide) {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(guide, &paint);
    RECT client;
    GetClientRect(guide, &client);
    {
        const GdiObject<HBRUSH> background(CreateSolidBrush(colour_panel));
        FillRect(dc, &client, background);
    }
    wchar_t text[GUIDE_TEXT_CAPACITY];
    text[0] = L'\0';
    GetWindowTextW(guide, text, GUIDE_TEXT_CAPACITY);
    draw_guide_text(dc, text, client);
    EndPaint(guide, &paint);
}

LRESULT CALLBACK guide_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_PAINT: paint_guide(window); return 0;
    case WM_ERASEBKGND: return 1; // the paint fills the whole area
    default: return DefWindowProcW(window, message, wparam, lparam);
    }
}

} // namespace

void register_input_guide_class(HINSTANCE instance) {
    WNDCLASSEXW guide_class = {};
    guide_class.cbSize = sizeof guide_class;
    guide_class.lpfnWndProc = guide_proc;
    guide_class.hInstance = instance;
    guide_class.lpszClassName = GUIDE_CLASS_NAME;
    RegisterClassExW(&guide_class);
}

HWND create_input_guide(HWND parent, HINSTANCE instance, int rows) {
    if (!layout::has_guide_area(rows)) return nullptr;
    const LayoutRect area = layout::guide_area(rows);
    return CreateWindowExW(0, GUIDE_CLASS_NAME, L"", WS_CHILD | WS_VISIBLE, area.x, area.y,
                           area.width, area.height, parent, nullptr, instance, nullptr);
}

void show_input_guide(HWND guide, int index) {
    if (guide == nullptr) return;
    wchar_t text[GUIDE_TEXT_CAPACITY];
    build_guide_text(*window_state.session.tool, index, text, GUIDE_TEXT_CAPACITY);
    SetWindowTextW(guide, text);
    InvalidateRect(guide, nullptr, FALSE);
}
