// The child controls every window of the suite makes and draws alike: a control at a layout
// rectangle, and an owner-drawn button.
#pragma once

#include <windows.h>

#include "screen/layout.h"
#include "window_kit/colours.h"

// A visible child of parent of the class at rect, with the identifier, font (none when null) and
// text; null when it cannot be made.
HWND create_child_control(HWND parent, HINSTANCE instance, const wchar_t* control_class,
                          DWORD ex_style, DWORD style, const LayoutRect& rect, int id, HFONT font,
                          const wchar_t* text);

// Moves a child control to rect and, unless font is null, gives it the font; for a change of
// display scale.
void move_child_control(HWND control, const LayoutRect& rect, HFONT font);

// An owner-drawn button: its face (pressed or not), outline and caption in the colours; with
// focus_mark, a dotted mark inset by focus_inset while it has the focus.
void draw_owner_button(const DRAWITEMSTRUCT& item, const ButtonColours& colours, HFONT font,
                       const wchar_t* caption, bool focus_mark, int focus_inset);
