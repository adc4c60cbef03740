#include "ui/history_dialog.h"

#include <windows.h>

#include <algorithm>

#include "core/text.h"
#include "records/record_history.h"
#include "records/record_lines.h"
#include "records_win32/record_folder.h"
#include "records_win32/record_tail.h"
#include "records_win32/records_policy_read.h"
#include "screen/record_texts.h"
#include "screen/scale.h"
#include "ui/commands.h"
#include "ui/painting.h"
#include "ui/window_state.h"
#include "window_kit/app_window.h"
#include "window_kit/colours.h"
#include "window_kit/controls.h"
#include "window_kit/drawing.h"
#include "window_kit/gdi_scope.h"
#include "window_kit/modal_window.h"

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
    view.history.count = 0;
    view.history.skipped = 0;
    view.history.older_not_read = false;
    wchar_t folder[RECORD_FOLDER_CAPACITY];
    wchar_t path[RECORD_PATH_CAPACITY];
    wchar_t reason[RECORD_PATH_CAPACITY + 64];
    const wchar_t* why = nullptr;
    RecordsPolicy policy;
    records_policy_read(&policy);
    if (!record_file_of_tool(policy, tool.id, folder, path)) {
        text_copy(reason, RECORD_PATH_CAPACITY + 64, L"找不到记录文件夹，无法读取记录");
        why = reason;
    } else {
        RecordTail tail;
        const RecordTailRead read = record_tail_read(path, &tail);
        if (read == RecordTailRead::read) {
            history_read(tool, patient, tail.bytes, tail.length, tail.whole, &view.history);
        } else {
            text_format(reason, RECORD_PATH_CAPACITY + 64,
                        read == RecordTailRead::missing ? L"尚无记录文件：%ls"
                                                        : L"记录文件无法读取（可能正被占用）：%ls",
                        path);
            why = reason;
        }
    }
    build_history_last_line(view.history, why, view.last_line, HISTORY_LAST_LINE_CAPACITY);
    view.chart = tool.report_kind == 0 && tool_output_count(tool) > 0;
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
        cell.left = item.rcItem.left + at_scale(hl::LIST_COLUMNS[c]);
        cell.right =
            c < 4 ? item.rcItem.left + at_scale(hl::LIST_COLUMNS[c + 1] - 8) : item.rcItem.right;
        const bool graded = c == 1 || c == 2;
        draw_text_rect(item.hDC, cell, cells[c],
                       graded && !selected ? level_colour(record.level) : plain,
                       window_state.fonts[FONT_SMALL], DT_LEFT | DT_NOPREFIX);
    }
}

// The first output's values, oldest left, with the rules' band edges as faint lines.
void paint_chart(HDC dc) {
    const RECT frame = at_scale(hl::CHART);
    frame_rect_color(dc, frame, colour_chart_frame);
    const ToolDef& tool = *window_state.session.tool;
    if (!view.chart) return;
    wchar_t caption[128];
    text_format(caption, 128, L"趋势：%ls", tool.outputs[0].label);
    draw_text_rect(dc,
                   {frame.left + at_scale(8), frame.top + at_scale(2), frame.right - at_scale(8),
                    frame.top + at_scale(20)},
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
    const int margin = at_scale(hl::CHART_MARGIN);
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
    const HPEN pen = CreatePen(PS_SOLID, at_scale(2), colour_chart_line);
    const SelectedObject selected(dc, pen);
    POINT points[HISTORY_MAX_RECORDS];
    for (int i = 0; i < count; ++i) {
        const int x = count == 1 ? (left + right) / 2 : left + (right - left) * i / (count - 1);
        points[i] = {x, y_of(values[i])};
        const int dot = at_scale(3);
        Ellipse(dc, x - dot, points[i].y - dot, x + dot + 1, points[i].y + dot + 1);
    }
    if (count > 1) Polyline(dc, points, count);
    DeleteObject(pen);
}

LRESULT CALLBACK history_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_MEASUREITEM:
        reinterpret_cast<MEASUREITEMSTRUCT*>(lparam)->itemHeight =
            static_cast<UINT>(at_scale(hl::LIST_ROW_HEIGHT));
        return TRUE;
    case WM_DRAWITEM: draw_row(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam)); return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(window, &paint);
        paint_chart(dc);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_COMMAND:
        if (LOWORD(wparam) == IDCANCEL) DestroyWindow(window);
        return 0;
    case WM_CTLCOLORSTATIC:
        SetBkMode(reinterpret_cast<HDC>(wparam), TRANSPARENT);
        SetTextColor(reinterpret_cast<HDC>(wparam), colour_body_text);
        return reinterpret_cast<LRESULT>(window_state.white_brush);
    default: break;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

HWND create_history_window() {
    static bool registered = false;
    if (!registered)
        registered = register_app_class(window_state.instance, history_proc,
                                        window_state.white_brush, HISTORY_CLASS_NAME);
    // At the main window's scale, centred on it.
    const HWND window = create_owned_popup(window_state.instance, HISTORY_CLASS_NAME,
                                           CAPTION_HISTORY, window_state.main_window,
                                           at_scale(hl::CLIENT_WIDTH), at_scale(hl::CLIENT_HEIGHT));
    if (window == nullptr) return nullptr;
    const HWND list = create_child_control(
        window, window_state.instance, L"LISTBOX", WS_EX_CLIENTEDGE,
        WS_VSCROLL | WS_TABSTOP | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
        scaled_rect(hl::LIST, window_state.scale), ID_HISTORY_LIST, window_state.fonts[FONT_SMALL],
        L"");
    for (int i = 0; i < view.history.count; ++i) {
        wchar_t row[HISTORY_ROW_CAPACITY];
        build_history_row(view.history.records[i], row, HISTORY_ROW_CAPACITY);
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row));
    }
    create_child_control(window, window_state.instance, L"STATIC", 0, 0,
                         scaled_rect(hl::LAST_LINE, window_state.scale), ID_HISTORY_LAST_LINE,
                         window_state.fonts[FONT_SMALL], view.last_line);
    create_child_control(window, window_state.instance, L"BUTTON", 0, WS_TABSTOP | BS_DEFPUSHBUTTON,
                         scaled_rect(hl::CLOSE_BUTTON, window_state.scale), IDCANCEL,
                         window_state.fonts[FONT_BUTTON], L"关闭");
    return window;
}

} // namespace

void show_history() {
    static PatientFields patient;
    if (!read_patient_fields(&patient)) return;
    if (!history_has_key(patient)) {
        MessageBoxW(window_state.main_window, TEXT_HISTORY_NEEDS_KEY, CAPTION_HINT,
                    MB_OK | MB_ICONINFORMATION);
        return;
    }
    fill_history(patient);
    const HWND dialog = create_history_window();
    if (dialog != nullptr)
        run_modal_window(window_state.main_window, dialog, GetDlgItem(dialog, ID_HISTORY_LIST));
}
