#include "window_kit/drawing.h"

#include "screen/scale.h"
#include "window_kit/colours.h"
#include "window_kit/gdi_scope.h"

void fill_rect_color(HDC dc, const RECT& rect, COLORREF colour) {
    const GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
    FillRect(dc, &rect, brush);
}

void frame_rect_color(HDC dc, const RECT& rect, COLORREF colour) {
    const GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, colour));
    const SelectedObject selected_pen(dc, pen);
    const SelectedObject selected_brush(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
}

namespace {

// Text in the font and colour, transparent, laid out by DrawText's flags.
void draw_text_flags(HDC dc, RECT rect, const wchar_t* text, COLORREF colour, HFONT font,
                     UINT flags) {
    const SelectedObject selected(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    DrawTextW(dc, text, -1, &rect, flags);
}

} // namespace

void draw_text_rect(HDC dc, RECT rect, const wchar_t* text, COLORREF colour, HFONT font,
                    UINT flags) {
    draw_text_flags(dc, rect, text, colour, font,
                    flags | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

void draw_wrapped_text(HDC dc, RECT rect, const wchar_t* text, COLORREF colour, HFONT font,
                       UINT align) {
    draw_text_flags(dc, rect, text, colour, font,
                    align | DT_WORDBREAK | DT_EDITCONTROL | DT_END_ELLIPSIS);
}

RECT at_scale(const LayoutRect& rect, double scale) { return rect_of(scaled_rect(rect, scale)); }

int at_scale(int length, double scale) { return scaled_length(length, scale); }

void draw_app_header(HDC dc, const AppHeader& header) {
    fill_rect_color(dc, RECT{0, 0, header.width, header.height}, colour_header);
    fill_rect_color(dc, RECT{0, 0, header.accent_width, header.height}, colour_accent);
    draw_text_rect(dc, header.title, header.title_text, colour_title, header.title_font, DT_LEFT);
    draw_text_rect(dc, header.line, header.line_text, colour_header_line, header.line_font,
                   DT_LEFT);
}
