// The fonts of a window, one per role, made from the suite's font table and owned by the window
// for its lifetime.
#pragma once

#include <windows.h>

#include "screen/fonts.h"

struct WindowFonts {
    HFONT font[FONT_ROLE_COUNT];
    HFONT operator[](FontRole role) const { return font[role]; }
};

// Makes every font of the table, its height at the display scale.
void window_fonts_create(WindowFonts* fonts, double scale);

// Deletes them; the window no longer draws with them.
void window_fonts_free(WindowFonts* fonts);
