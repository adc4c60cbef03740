// The input guide beside the inputs: a child window below the last input row that shows what
// the input whose edit last got the focus means. Its window text is the guide text (the input's
// label, CR LF, the guide's lines); it paints the first line as a heading and wraps the others
// at its width, cutting what does not fit at its bottom.
#pragma once

#include <windows.h>

#include "screen/layout.h"

extern const wchar_t* const GUIDE_CLASS_NAME;

void register_input_guide_class(HINSTANCE instance);

// Creates the guide at its area, in client pixels of parent.
HWND create_input_guide(HWND parent, HINSTANCE instance, const LayoutRect& area);

// Whether the guide text, laid out in the window's fonts and scale as the guide paints it, fits
// the guide's area (96-DPI pixels) whole: the heading uncut, every wrapped row above the bottom.
bool guide_text_fits(HDC dc, const wchar_t* text, const LayoutRect& area);

// Shows the guide of input index (nothing when it has none).
void show_input_guide(HWND guide, int index);
