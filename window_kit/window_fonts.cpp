#include "window_kit/window_fonts.h"

#include "screen/scale.h"
#include "window_kit/app_window.h"

void window_fonts_create(WindowFonts* fonts, double scale) {
    for (int role = 0; role < FONT_ROLE_COUNT; ++role) {
        const FontSpec& spec = FONT_SPECS[role];
        fonts->font[role] = make_ui_font(spec.face, scaled_length(spec.height, scale),
                                         spec.bold ? FW_BOLD : FW_NORMAL);
    }
}

void window_fonts_free(WindowFonts* fonts) {
    for (HFONT& font : fonts->font) {
        if (font != nullptr) DeleteObject(font);
        font = nullptr;
    }
}
