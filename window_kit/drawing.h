// The drawing routines every window of the suite paints with: a filled rectangle, a 1-pixel
// outline and a single line of text, each with its GDI objects made and undone within the call.
#pragma once

#include <windows.h>

#include "screen/layout.h"

// Fills the rectangle with a solid colour.
void fill_rect_color(HDC dc, const RECT& rect, COLORREF colour);

// Draws a 1-pixel outline of the rectangle in the colour.
void frame_rect_color(HDC dc, const RECT& rect, COLORREF colour);

// One line of text in the font and colour, transparent, vertically centred and cut with an
// ellipsis, aligned by flags (DT_LEFT, DT_CENTER or DT_RIGHT).
void draw_text_rect(HDC dc, RECT rect, const wchar_t* text, COLORREF colour, HFONT font,
                    UINT flags);

// Text wrapped at word breaks over as many lines as the rectangle holds, aligned by align
// (DT_LEFT or DT_RIGHT), with an ellipsis where it is cut.
void draw_wrapped_text(HDC dc, RECT rect, const wchar_t* text, COLORREF colour, HFONT font,
                       UINT align);

// A window's header: the band of its height across the width in the header colour, the accent
// bar at its left, the title and the line under it in the header's text colours.
struct AppHeader {
    int width;
    int height;
    int accent_width;
    RECT title;
    const wchar_t* title_text;
    HFONT title_font;
    RECT line;
    const wchar_t* line_text;
    HFONT line_font;
};
void draw_app_header(HDC dc, const AppHeader& header);

inline RECT rect_of(const LayoutRect& box) { return {box.x, box.y, box.right(), box.bottom()}; }

// A layout rectangle or length (96-DPI pixels) at a window's scale (screen/scale.h).
RECT at_scale(const LayoutRect& rect, double scale);
int at_scale(int length, double scale);
