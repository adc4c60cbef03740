#include "screen/control_plan.h"

#include "core/text.h"
#include "screen/control_ids.h"
#include "screen/record_texts.h"
#include "screen/scale.h"

const MainButton MAIN_BUTTONS[layout::BUTTON_COUNT] = {
    {ID_CALC, L"计算 (F5)"},
    {ID_SAVE, L"保存记录"},
    {ID_COPY, L"复制结果"},
    {ID_PRINT, L"打印"},
    {ID_RESET, L"清空重填"},
    {ID_ABOUT, L"关于"},
    {ID_HISTORY, TEXT_HISTORY_BUTTON},
};

namespace {

struct PlanSink {
    PlannedControl* plan;
    int capacity;
    int count;
    double scale;
};

void add(PlanSink* sink, PlannedKind kind, int index, const LayoutRect& base, FontRole font) {
    if (sink->count >= sink->capacity) return;
    sink->plan[sink->count++] = {kind, index, scaled_rect(base, sink->scale), font};
}

// A row control's rectangle, placed relative to the row's base line.
LayoutRect in_row(const LayoutRect& rect, int row) {
    return {rect.x, layout::row_base(row) + rect.y, rect.width, rect.height};
}

} // namespace

int plan_main_window(const ToolDef& tool, double scale, PlannedControl* plan, int capacity) {
    PlanSink sink = {plan, capacity, 0, scale};
    for (int f = 0; f < PATIENT_FIELD_COUNT; ++f) {
        add(&sink, PLAN_PATIENT_LABEL, f, layout::PATIENT_LABELS[f], FONT_LABEL);
        add(&sink, PLAN_PATIENT_EDIT, f, layout::PATIENT_EDITS[f], FONT_INPUT);
    }
    const int rows = tool_input_count(tool);
    for (int j = 0; j < rows; ++j) {
        add(&sink, PLAN_ROW_LABEL, j, in_row(layout::ROW_LABEL, j), FONT_LABEL);
        add(&sink, PLAN_ROW_EDIT, j, in_row(layout::ROW_EDIT, j), FONT_INPUT);
        if (!text_is_empty(tool.inputs[j].unit))
            add(&sink, PLAN_ROW_UNIT, j, in_row(layout::ROW_UNIT, j), FONT_SMALL);
    }
    if (layout::has_guide_area(rows))
        add(&sink, PLAN_GUIDE, 0, layout::guide_area(rows), FONT_SMALL);
    add(&sink, PLAN_VERDICT, 0, layout::VERDICT_LABEL, FONT_VERDICT);
    add(&sink, PLAN_RESULT_BOX, 0, layout::RESULT_BOX, FONT_RESULT);
    add(&sink, PLAN_NOTE, 0, layout::NOTE_LABEL, FONT_SMALL);
    add(&sink, PLAN_REFERENCE, 0, layout::REFERENCE_LABEL, FONT_SMALL);
    for (int b = 0; b < layout::BUTTON_COUNT; ++b)
        add(&sink, PLAN_BUTTON, b, layout::BUTTONS[b], FONT_BUTTON);
    return sink.count;
}
