#include "ui/input_guide.h"

#include "core/text.h"
#include "screen/guide_wrap.h"
#include "ui/window_state.h"
#include "window_kit/colours.h"
#include "window_kit/drawing.h"
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

// The guide's area at 96 DPI, and where in it a row lies at the window's scale.
struct GuideFrame {
    LayoutRect base;
    int width;  // at the scale
    int bottom; // at the scale, from the guide's top
};

GuideFrame guide_frame(const LayoutRect& base) {
    const RECT area = at_scale(base, window_state.scale);
    return {base, area.right - area.left, area.bottom - area.top};
}

// The top of row (counted below the heading), from the guide's top: scaled from its 96-DPI place
// in the window, as the guide's own edges are, rather than stepped by a rounded row height, so
// that what fits at 96 DPI fits at every scale.
int row_top(const GuideFrame& frame, int row) {
    const int base_y = frame.base.y;
    return at_scale(base_y + layout::GUIDE_HEADING_HEIGHT + row * layout::GUIDE_LINE_HEIGHT,
                    window_state.scale) -
           at_scale(base_y, window_state.scale);
}

// One line of the guide, wrapped into rows from *row on, drawn when draw is set; false when rows
// of it would cross the bottom (those are not drawn).
bool wrap_line(HDC dc, const wchar_t* line, int length, const GuideFrame& frame, int* row,
               bool draw) {
    while (length > 0) {
        if (row_top(frame, *row + 1) > frame.bottom) return false;
        const int fit = row_length(dc, line, length, frame.width);
        if (draw) TextOutW(dc, 0, row_top(frame, *row), line, fit);
        line += fit;
        length -= fit;
        ++*row;
    }
    return true;
}

// The heading in the caption font, then the guide's lines in the small font, wrapped, within
// the frame; drawn when draw is set. False when any of it is cut.
bool lay_out_guide(HDC dc, const wchar_t* text, const GuideFrame& frame, bool draw) {
    SetBkMode(dc, TRANSPARENT);
    const SelectedObject selected(dc, window_state.fonts[FONT_CAPTION]);
    SetTextColor(dc, colour_header);
    const wchar_t* line = text;
    int row = 0;
    bool heading = true;
    bool whole = true;
    while (*line != L'\0' && whole) {
        const int length = text_line_length(line);
        if (heading) {
            RECT rect = {0, 0, frame.width, row_top(frame, 0)};
            SIZE size = {0, 0};
            GetTextExtentPoint32W(dc, line, length, &size);
            whole = size.cx <= frame.width && rect.bottom <= frame.bottom;
            if (draw)
                DrawTextW(dc, line, length, &rect,
                          DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
            SelectObject(dc, window_state.fonts[FONT_SMALL]); // the scope restores the original
            SetTextColor(dc, colour_body_text);
            heading = false;
        } else {
            whole = wrap_line(dc, line, length, frame, &row, draw);
        }
        line = text_skip_line_break(line + length);
    }
    return whole;
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
    const int rows = tool_input_count(*window_state.session.tool);
    lay_out_guide(dc, text, guide_frame(layout::guide_area(rows)), true);
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

HWND create_input_guide(HWND parent, HINSTANCE instance, const LayoutRect& area) {
    return CreateWindowExW(0, GUIDE_CLASS_NAME, L"", WS_CHILD | WS_VISIBLE, area.x, area.y,
                           area.width, area.height, parent, nullptr, instance, nullptr);
}

bool guide_text_fits(HDC dc, const wchar_t* text, const LayoutRect& area) {
    return lay_out_guide(dc, text, guide_frame(area), false);
}

void show_input_guide(HWND guide, int index) {
    if (guide == nullptr) return;
    wchar_t text[GUIDE_TEXT_CAPACITY];
    build_guide_text(*window_state.session.tool, index, text, GUIDE_TEXT_CAPACITY);
    SetWindowTextW(guide, text);
    InvalidateRect(guide, nullptr, FALSE);
}
