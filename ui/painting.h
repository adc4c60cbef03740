// Painting of the main window, its owner-drawn buttons and the colours of its controls.
#pragma once

#include <windows.h>

void paint_main(HWND window);

void draw_button(const DRAWITEMSTRUCT& item);

// Answers WM_CTLCOLOREDIT and WM_CTLCOLORSTATIC: sets the text colour and returns the brush.
HBRUSH control_colour_edit(HDC dc);
HBRUSH control_colour_static(HDC dc, HWND control);
