// Every text of the tool window measured in its scaled font against its scaled rectangle, at
// every scale from 0.75 to 2: no label, unit, button caption, title or guide line is cut. Under
// Wine the fonts are the prefix's replacements for the suite's faces, as on a ward PC without
// them.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "records/patient_fields.h"
#include "screen/control_plan.h"
#include "screen/scale.h"
#include "screen/window_texts.h"
#include "tests/tool_programs.h"
#include "ui/input_guide.h"
#include "ui/window_state.h"
#include "window_kit/window_fonts.h"

namespace {

const double SCALES[] = {0.75, 0.9569, 1.0, 1.25, 1.3694, 1.5, 1.75, 2.0};

// The size of a single line of text in the font.
SIZE extent(HDC dc, HFONT font, const wchar_t* text) {
    const HGDIOBJ old = SelectObject(dc, font);
    SIZE size = {0, 0};
    GetTextExtentPoint32W(dc, text, static_cast<int>(std::wstring(text).size()), &size);
    SelectObject(dc, old);
    return size;
}

// The height that wrapped text takes at the width, as a static label wraps it.
int wrapped_height(HDC dc, HFONT font, const wchar_t* text, int width) {
    const HGDIOBJ old = SelectObject(dc, font);
    RECT rect = {0, 0, width, 0};
    DrawTextW(dc, text, -1, &rect, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
    return rect.bottom;
}

// The single-line text a planned control shows, or null when it shows none or wraps.
const wchar_t* single_line_text(const ToolDef& tool, const PlannedControl& c) {
    switch (c.kind) {
    case PLAN_PATIENT_LABEL: return PATIENT_FIELDS[c.index].label;
    case PLAN_ROW_LABEL: return tool.inputs[c.index].label;
    case PLAN_ROW_UNIT: return tool.inputs[c.index].unit;
    case PLAN_BUTTON: return MAIN_BUTTONS[c.index].caption;
    default: return nullptr;
    }
}

class TextFit : public ::testing::Test {
  protected:
    void SetUp() override { dc = CreateCompatibleDC(nullptr); }
    void TearDown() override {
        window_fonts_free(&window_state.fonts);
        DeleteDC(dc);
    }
    HDC dc = nullptr;
};

TEST_F(TextFit, EveryTextOfEveryProgramFitsAtEveryScale) {
    ASSERT_NE(dc, nullptr);
    for (const double scale : SCALES) {
        window_state.scale = scale;
        window_fonts_create(&window_state.fonts, scale);
        const WindowFonts& fonts = window_state.fonts;
        for (int p = 0; p < TOOL_PROGRAM_COUNT; ++p) {
            const ToolDef& tool = *TOOL_PROGRAMS[p].tool;
            const char* name = TOOL_PROGRAMS[p].name;
            // The title, up to where the patient strip begins.
            const int title_width = scaled_length(layout::TITLE_CLIP_RIGHT, scale) -
                                    scaled_length(layout::TITLE.x, scale);
            EXPECT_LE(extent(dc, fonts[FONT_TITLE], tool.title).cx, title_width)
                << name << " title at " << scale;
            const int count_rows = tool_input_count(tool);
            PlannedControl plan[MAIN_PLAN_CAPACITY];
            const int count = plan_main_window(tool, scale, plan, MAIN_PLAN_CAPACITY);
            for (int i = 0; i < count; ++i) {
                const PlannedControl& c = plan[i];
                const HFONT font = fonts[c.font];
                if (const wchar_t* text = single_line_text(tool, c)) {
                    const SIZE size = extent(dc, font, text);
                    EXPECT_LE(size.cx, c.rect.width) << name << " control " << i << " at " << scale;
                    EXPECT_LE(size.cy, c.rect.height)
                        << name << " control " << i << " at " << scale;
                } else if (c.kind == PLAN_NOTE && tool.note != nullptr) {
                    EXPECT_LE(wrapped_height(dc, font, tool.note, c.rect.width), c.rect.height)
                        << name << " note at " << scale;
                } else if (c.kind == PLAN_REFERENCE) {
                    wchar_t reference[REFERENCE_TEXT_CAPACITY];
                    build_reference_text(tool, reference, REFERENCE_TEXT_CAPACITY);
                    EXPECT_LE(wrapped_height(dc, font, reference, c.rect.width), c.rect.height)
                        << name << " reference at " << scale;
                } else if (c.kind == PLAN_GUIDE) {
                    for (int j = 0; j < count_rows; ++j) {
                        wchar_t guide[GUIDE_TEXT_CAPACITY];
                        build_guide_text(tool, j, guide, GUIDE_TEXT_CAPACITY);
                        EXPECT_TRUE(guide_text_fits(dc, guide, layout::guide_area(count_rows)))
                            << name << " guide of input " << j << " at " << scale;
                    }
                }
            }
        }
        window_fonts_free(&window_state.fonts);
    }
}

// The check itself: a text wider than its rectangle is found.
TEST_F(TextFit, ATextTooWideIsFound) {
    window_state.scale = 1.0;
    window_fonts_create(&window_state.fonts, 1.0);
    const std::wstring long_line(60, L'压');
    EXPECT_GT(extent(dc, window_state.fonts[FONT_LABEL], long_line.c_str()).cx,
              layout::ROW_LABEL.width);
    const std::wstring guide = L"感觉\r\n" + long_line + L"\r\n" + long_line + L"\r\n" + long_line;
    EXPECT_TRUE(guide_text_fits(dc, guide.c_str(), {36, 100, layout::GUIDE_WIDTH, 400}));
    EXPECT_FALSE(guide_text_fits(dc, guide.c_str(), {36, 100, layout::GUIDE_WIDTH, 80}));
}

} // namespace
