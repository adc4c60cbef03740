#include "ui/history_dialog.h"

#include <windows.h>

#include "core/text.h"
#include "engine/band_edges.h"
#include "records/record_history.h"
#include "records/record_lines.h"
#include "records/record_scan.h"
#include "records_win32/record_folder.h"
#include "records_win32/record_tail.h"
#include "records_win32/records_policy_read.h"
#include "screen/history_chart.h"
#include "screen/record_texts.h"
#include "screen/scale.h"
#include "ui/commands.h"
#include "ui/painting.h"
#include "ui/patient_history.h"
#include "ui/window_state.h"
#include "window_kit/colours.h"
#include "window_kit/drawing.h"
#include "window_kit/gdi_scope.h"
#include "window_kit/list_window.h"

namespace hl = history_layout;

namespace {

const wchar_t* const HISTORY_CLASS_NAME = L"HalviMedHistory";
constexpr int ID_HISTORY_LIST = 1;
constexpr int ID_HISTORY_LAST_LINE = 2;
constexpr COLORREF colour_chart_line = RGB(40, 90, 160);
constexpr COLORREF colour_band_edge = RGB(220, 220, 220);
constexpr COLORREF colour_chart_frame = RGB(200, 200, 200);

struct HistoryView {
    History history;
    wchar_t last_line[HISTORY_LAST_LINE_CAPACITY];
    double edges[BAND_EDGES_MAX];
    int edge_count;
    bool chart; // a tool of formulas
};

HistoryView view;

void fill_history(const PatientFields& patient) {
    const ToolDef& tool = *window_state.session.tool;
    wchar_t reason[HISTORY_REASON_CAPACITY];
    const wchar_t* why =
        read_patient_history(patient, &view.history, reason, HISTORY_REASON_CAPACITY);
    build_history_last_line(view.history, why, view.last_line, HISTORY_LAST_LINE_CAPACITY);
    view.chart = tool_headline_index(tool) >= 0;
    view.edge_count = rule_band_edges(tool, view.edges, BAND_EDGES_MAX);
}

void draw_row(const DRAWITEMSTRUCT& item) {
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (item.itemID >= static_cast<UINT>(view.history.count)) return;
    const HistoryRecord& record = view.history.records[item.itemID];
    wchar_t level[16];
    text_format(level, 16, L"等级 %d", record.level);
    const wchar_t* cells[5] = {record.time, level, record.verdict, record.first_line,
                               record.assessor};
    const COLORREF plain = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    for (int c = 0; c < 5; ++c) {
        RECT cell = item.rcItem;
        cell.left = item.rcItem.left + at_scale(hl::LIST_COLUMNS[c], window_state.scale);
        cell.right =
            c < 4 ? item.rcItem.left + at_scale(hl::LIST_COLUMNS[c + 1] - 8, window_state.scale)
                  : item.rcItem.right;
        const bool graded = c == 1 || c == 2;
        draw_text_rect(item.hDC, cell, cells[c],
                       graded && !selected ? level_colour(record.level) : plain,
                       window_state.fonts[FONT_SMALL], DT_LEFT | DT_NOPREFIX);
    }
}

// The headline's values, oldest left, with the rules' band edges as faint lines; the value axis
// labelled at each edge and at the bottom and top, each point with its value, the first and last
// dates under the axis.
void paint_chart(HDC dc) {
    const double scale = window_state.scale;
    const RECT frame = at_scale(hl::CHART, scale);
    frame_rect_color(dc, frame, colour_chart_frame);
    const ToolDef& tool = *window_state.session.tool;
    if (!view.chart) return;
    const OutputDef& headline = tool.outputs[tool_headline_index(tool)];
    const HFONT small = window_state.fonts[FONT_SMALL];
    wchar_t caption[128];
    text_format(caption, 128, L"趋势：%ls", headline.label);
    draw_text_rect(dc,
                   {frame.left + at_scale(8, scale), frame.top + at_scale(2, scale),
                    frame.right - at_scale(8, scale), frame.top + at_scale(20, scale)},
                   caption, colour_muted_text, small, DT_LEFT);
    const int left = frame.left + at_scale(hl::CHART_AXIS_WIDTH, scale);
    const int right = frame.right - at_scale(hl::CHART_RIGHT_MARGIN, scale);
    const int top = frame.top + at_scale(hl::CHART_TOP_MARGIN, scale);
    const int bottom = frame.bottom - at_scale(hl::CHART_DATE_HEIGHT, scale);
    static ChartPlan plan;
    plan_history_chart(view.history, headline, view.edges, view.edge_count, left, top, right,
                       bottom, &plan);
    const int label = at_scale(hl::CHART_LABEL_HEIGHT, scale);
    const int half = at_scale(hl::CHART_LABEL_HALF_WIDTH, scale);
    const int gap = at_scale(6, scale);
    for (int e = 0; e < plan.edge_count; ++e)
        fill_rect_color(dc, {left, plan.edge_y[e], right, plan.edge_y[e] + 1}, colour_band_edge);
    for (int a = 0; a < plan.axis_count; ++a) {
        const ChartMark& mark = plan.axis[a];
        draw_text_rect(dc, {frame.left + gap, mark.y - label / 2, mark.x - gap, mark.y + label / 2},
                       mark.text, colour_muted_text, small, DT_RIGHT);
    }
    if (plan.point_count == 0) return;
    // The first date starts at its point and the last ends at its own, clear of the value labels.
    const bool one = plan.point_count == 1;
    draw_text_rect(dc,
                   {one ? plan.first_date.x - half : plan.first_date.x, bottom + gap / 2,
                    plan.first_date.x + half * 2, bottom + gap / 2 + label},
                   plan.first_date.text, colour_muted_text, small, one ? DT_CENTER : DT_LEFT);
    if (!one)
        draw_text_rect(dc,
                       {plan.last_date.x - half * 2, bottom + gap / 2, plan.last_date.x,
                        bottom + gap / 2 + label},
                       plan.last_date.text, colour_muted_text, small, DT_RIGHT);
    // Owned before it is selected, so that it is selected out before it is deleted.
    const GdiObject<HPEN> pen(CreatePen(PS_SOLID, at_scale(2, scale), colour_chart_line));
    const SelectedObject selected(dc, pen);
    POINT points[HISTORY_MAX_RECORDS];
    const int dot = at_scale(3, scale);
    for (int i = 0; i < plan.point_count; ++i) {
        const ChartMark& point = plan.points[i];
        points[i] = {point.x, point.y};
        Ellipse(dc, point.x - dot, point.y - dot, point.x + dot + 1, point.y + dot + 1);
        draw_text_rect(dc, {point.x - half, point.y - dot - label, point.x + half, point.y - dot},
                       point.text, colour_chart_line, small, DT_CENTER);
    }
    if (plan.point_count > 1) Polyline(dc, points, plan.point_count);
}

void history_row_text(int row, wchar_t* dest, int capacity) {
    build_history_row(view.history.records[row], dest, capacity);
}

} // namespace

void show_history() {
    static PatientFields patient;
    if (!read_patient_fields(&patient)) return;
    if (!history_has_key(patient)) {
        show_message(TEXT_HISTORY_NEEDS_KEY, CAPTION_HINT, MB_OK | MB_ICONINFORMATION);
        return;
    }
    fill_history(patient);
    static wchar_t caption[PATIENT_CAPTION_CAPACITY];
    build_patient_caption(CAPTION_HISTORY, patient, caption, PATIENT_CAPTION_CAPACITY);
    // At the main window's scale, centred on it.
    static ListWindow window;
    window = {HISTORY_CLASS_NAME,
              caption,
              window_state.instance,
              window_state.main_window,
              &window_state.fonts,
              window_state.scale,
              window_state.white_brush,
              hl::CLIENT_WIDTH,
              hl::CLIENT_HEIGHT,
              hl::LIST,
              hl::LIST_ROW_HEIGHT,
              ID_HISTORY_LIST,
              hl::LAST_LINE,
              ID_HISTORY_LAST_LINE,
              {{hl::CLOSE_BUTTON, IDCANCEL, L"关闭", true}},
              1,
              history_row_text,
              draw_row,
              paint_chart,
              nullptr,
              nullptr};
    run_list_window(window, view.history.count, view.last_line);
}
