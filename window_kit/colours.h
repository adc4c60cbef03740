// The window's colours, shared by the painting of the window and of the input guide.
#pragma once

#include <windows.h>

constexpr COLORREF colour_background = RGB(244, 247, 249);
constexpr COLORREF colour_header = RGB(0, 108, 150);
constexpr COLORREF colour_accent = RGB(0, 132, 176);
constexpr COLORREF colour_title = RGB(255, 255, 255);
constexpr COLORREF colour_header_line = RGB(214, 236, 246);
constexpr COLORREF colour_web_address = RGB(190, 220, 235);
constexpr COLORREF colour_panel = RGB(255, 255, 255);
constexpr COLORREF colour_panel_outline = RGB(218, 226, 232);
constexpr COLORREF colour_caption_rule = RGB(228, 234, 238);
constexpr COLORREF colour_footer = RGB(236, 241, 244);
constexpr COLORREF colour_muted_text = RGB(120, 132, 142);
constexpr COLORREF colour_body_text = RGB(44, 56, 66);

// A level's colour, 0 to 3 (green, amber, orange, red); any other level shows in level 0's.
constexpr COLORREF LEVEL_COLOURS[4] = {RGB(0, 128, 96), RGB(176, 132, 0), RGB(214, 108, 0),
                                       RGB(190, 30, 45)};
constexpr COLORREF level_colour(int level) {
    return level >= 1 && level <= 3 ? LEVEL_COLOURS[level] : LEVEL_COLOURS[0];
}

// The owner-drawn buttons: Calculate (and the toolbox's Open) is primary, the others secondary.
struct ButtonColours {
    COLORREF face;
    COLORREF pressed;
    COLORREF outline;
    COLORREF text;
};
constexpr ButtonColours primary_button = {RGB(0, 122, 168), RGB(0, 100, 138), RGB(0, 106, 148),
                                          RGB(255, 255, 255)};
constexpr ButtonColours secondary_button = {RGB(255, 255, 255), RGB(226, 234, 240),
                                            RGB(206, 216, 224), colour_body_text};
