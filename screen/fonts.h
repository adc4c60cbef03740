// The fonts of every window of the suite, by role: face, em height in pixels and weight. The one
// place a font height is written, so that one factor can scale them all.
#pragma once

enum FontRole {
    FONT_TITLE,
    FONT_CAPTION,
    FONT_LABEL,
    FONT_INPUT,
    FONT_VERDICT,
    FONT_RESULT,
    FONT_BUTTON,
    FONT_SMALL,
    FONT_ROLE_COUNT
};

struct FontSpec {
    const wchar_t* face;
    int height; // em height in client pixels
    bool bold;
};

constexpr const wchar_t* UI_FONT_FACE = L"Microsoft YaHei UI";
constexpr const wchar_t* FIXED_FONT_FACE = L"Consolas";

// Indexed by FontRole.
constexpr FontSpec FONT_SPECS[FONT_ROLE_COUNT] = {
    {UI_FONT_FACE, 27, true},     // title
    {UI_FONT_FACE, 14, false},    // panel captions, list headings
    {UI_FONT_FACE, 14, false},    // row labels
    {UI_FONT_FACE, 15, false},    // edits
    {UI_FONT_FACE, 21, true},     // verdict
    {FIXED_FONT_FACE, 15, false}, // result box
    {UI_FONT_FACE, 15, false},    // buttons
    {UI_FONT_FACE, 12, false},    // guide, note, status line, subtitles
};
