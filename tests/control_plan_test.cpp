// The tool window's controls at every display scale, for every program: each inside its band or
// panel, no two overlapping, the same controls in the same order at every scale (a change of DPI
// moves the controls made at the first), and at 96 DPI exactly the layout's pixels.
#include <gtest/gtest.h>

#include <vector>

#include "screen/control_plan.h"
#include "screen/scale.h"
#include "tests/tool_programs.h"

namespace {

// 0.9569 is 96 DPI on 1366 x 768 above a 40-pixel taskbar, 1.3694 is 144 DPI on a 1080p laptop.
const double SCALES[] = {0.75, 0.9569, 1.0, 1.25, 1.3694, 1.5, 1.75, 2.0};

bool inside(const LayoutRect& inner, const LayoutRect& outer) {
    return inner.x >= outer.x && inner.y >= outer.y && inner.right() <= outer.right() &&
           inner.bottom() <= outer.bottom();
}

bool overlap(const LayoutRect& a, const LayoutRect& b) {
    return a.x < b.right() && b.x < a.right() && a.y < b.bottom() && b.y < a.bottom();
}

// The band or panel a control belongs in, at 96 DPI.
LayoutRect container(PlannedKind kind) {
    switch (kind) {
    case PLAN_PATIENT_LABEL:
    case PLAN_PATIENT_EDIT:
        return {layout::PATIENT_STRIP_X, 0, layout::CLIENT_WIDTH - layout::PATIENT_STRIP_X,
                layout::HEADER_HEIGHT};
    case PLAN_ROW_LABEL:
    case PLAN_ROW_EDIT:
    case PLAN_ROW_UNIT:
    case PLAN_GUIDE: return layout::INPUT_PANEL;
    case PLAN_BUTTON:
        return {0, layout::FOOTER_TOP, layout::CLIENT_WIDTH,
                layout::CLIENT_HEIGHT - layout::FOOTER_TOP};
    default: return layout::RESULT_PANEL;
    }
}

std::vector<PlannedControl> plan_of(const ToolDef& tool, double scale) {
    std::vector<PlannedControl> plan(MAIN_PLAN_CAPACITY);
    plan.resize(
        static_cast<std::size_t>(plan_main_window(tool, scale, plan.data(), MAIN_PLAN_CAPACITY)));
    return plan;
}

TEST(ControlPlan, EveryControlInItsPanelAndNoneOverlapAtEveryScale) {
    for (int p = 0; p < TOOL_PROGRAM_COUNT; ++p) {
        const ToolDef& tool = *TOOL_PROGRAMS[p].tool;
        const std::vector<PlannedControl> base = plan_of(tool, 1.0);
        for (const double scale : SCALES) {
            const std::vector<PlannedControl> plan = plan_of(tool, scale);
            ASSERT_EQ(plan.size(), base.size()) << TOOL_PROGRAMS[p].name << " at " << scale;
            // The painted texts beside the controls: the panel captions and the status line.
            std::vector<LayoutRect> taken = {scaled_rect(layout::INPUT_CAPTION, scale),
                                             scaled_rect(layout::RESULT_CAPTION, scale),
                                             scaled_rect(layout::STATUS_LINE, scale)};
            for (std::size_t i = 0; i < plan.size(); ++i) {
                const PlannedControl& c = plan[i];
                EXPECT_EQ(c.kind, base[i].kind);
                EXPECT_EQ(c.index, base[i].index);
                EXPECT_TRUE(inside(c.rect, scaled_rect(container(c.kind), scale)))
                    << TOOL_PROGRAMS[p].name << " control " << i << " at " << scale;
                for (const LayoutRect& other : taken)
                    EXPECT_FALSE(overlap(c.rect, other))
                        << TOOL_PROGRAMS[p].name << " control " << i << " at " << scale;
                taken.push_back(c.rect);
            }
        }
    }
}

TEST(ControlPlan, AtNinetySixDpiTheLayoutsOwnPixels) {
    const ToolDef& braden = *TOOL_PROGRAMS[0].tool;
    const std::vector<PlannedControl> plan = plan_of(braden, 1.0);
    // The patient strip, six rows of label and edit (no units), the guide, four result
    // controls and seven buttons.
    ASSERT_EQ(plan.size(), 8u + 12u + 1u + 4u + 7u);
    const struct {
        std::size_t at;
        PlannedKind kind;
        LayoutRect rect;
    } cases[] = {
        {0, PLAN_PATIENT_LABEL, layout::PATIENT_LABELS[0]},
        {7, PLAN_PATIENT_EDIT, layout::PATIENT_EDITS[3]},
        {9, PLAN_ROW_EDIT, {216, 146, 152, 27}},
        {19, PLAN_ROW_EDIT, {216, 316, 152, 27}},
        {20, PLAN_GUIDE, layout::guide_area(6)},
        {25, PLAN_BUTTON, layout::BUTTONS[0]},
        {31, PLAN_BUTTON, layout::BUTTONS[6]},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(plan[c.at].kind, c.kind) << c.at;
        EXPECT_EQ(plan[c.at].rect.x, c.rect.x) << c.at;
        EXPECT_EQ(plan[c.at].rect.y, c.rect.y) << c.at;
        EXPECT_EQ(plan[c.at].rect.width, c.rect.width) << c.at;
        EXPECT_EQ(plan[c.at].rect.height, c.rect.height) << c.at;
    }
}

TEST(ControlPlan, ACapacityTooSmallKeepsToIt) {
    PlannedControl plan[5];
    EXPECT_EQ(plan_main_window(*TOOL_PROGRAMS[0].tool, 1.0, plan, 5), 5);
}

} // namespace
