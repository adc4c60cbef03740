#include "ui/history_dialog.h"

#include <windows.h>

#include <algorithm>

#include "core/text.h"
#include "engine/band_edges.h"
#include "records/record_history.h"
#include "records/record_lines.h"
#include "records/record_scan.h"
#include "records_win32/record_folder.h"
#include "records_win32/record_tail.h"
#include "records_win32/records_policy_read.h"
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

// The headline's values, oldest left, with the rules' band edges as faint lines.
void paint_chart(HDC dc) {
    const RECT frame = at_scale(hl::CHART, window_state.scale);
    frame_rect_color(dc, frame, colour_chart_frame);
    const ToolDef& tool = *window_state.session.tool;
    if (!view.chart) return;
    wchar_t caption[128];
    text_format(caption, 128, L"趋势：%ls", tool.outputs[tool_headline_index(tool)].label);
    draw_text_rect(dc,
                   {frame.left + at_scale(8, window_state.scale),
                    frame.top + at_scale(2, window_state.scale),
                    frame.right - at_scale(8, window_state.scale),
                    frame.top + at_scale(20, window_state.scale)},
                   caption, colour_muted_text, window_state.fonts[FONT_SMALL], DT_LEFT);
    double values[HISTORY_MAX_RECORDS];
    int count = 0;
    for (int i = view.history.count - 1; i >= 0; --i)
        if (view.history.records[i].has_value) values[count++] = view.history.records[i].value;
    if (count == 0) return;
    double low = *std::min_element(values, values + count);
    double high = *std::max_element(values, values + count);
    for (int e = 0; e < view.edge_count; ++e) {
        low = std::min(low, view.edges[e]);
        high = std::max(high, view.edges[e]);
    }
    if (high - low < 1e-9) {
        low -= 1;
        high += 1;
    }
    const int margin = at_scale(hl::CHART_MARGIN, window_state.scale);
    const int left = frame.left + margin;
    const int right = frame.right - margin;
    const int top = frame.top + margin;
    const int bottom = frame.bottom - margin / 2;
    const auto y_of = [&](double v) {
        return bottom - static_cast<int>((v - low) / (high - low) * (bottom - top) + 0.5);
    };
    for (int e = 0; e < view.edge_count; ++e)
        fill_rect_color(dc, {left, y_of(view.edges[e]), right, y_of(view.edges[e]) + 1},
                        colour_band_edge);
    // Owned before it is selected, so that it is selected out before it is deleted.
    const GdiObject<HPEN> pen(
        CreatePen(PS_SOLID, at_scale(2, window_state.scale), colour_chart_line));
    const SelectedObject selected(dc, pen);
    POINT points[HISTORY_MAX_RECORDS];
    for (int i = 0; i < count; ++i) {
        const int x = count == 1 ? (left + right) / 2 : left + (right - left) * i / (count - 1);
        points[i] = {x, y_of(values[i])};
        const int dot = at_scale(3, window_state.scale);
        Ellipse(dc, x - dot, points[i].y - dot, x + dot + 1, points[i].y + dot + 1);
    }
    if (count > 1) Polyline(dc, points, count);
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
    // At the main window's scale, centred on it.
    static ListWindow window;
    window = {HISTORY_CLASS_NAME,
              CAPTION_HISTORY,
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
              nullptr};
    run_list_window(window, view.history.count, view.last_line);
}
