#include "toolbox_window/ward_overview_window.h"

#include <commdlg.h>

#include <cstring>

#include "core/text.h"
#include "core/text_sink.h"
#include "core/utf8.h"
#include "records/record_lines.h"
#include "records_win32/file_replace_win32.h"
#include "screen/record_texts.h"
#include "screen/scale.h"
#include "screen/toolbox_layout.h"
#include "toolbox/ward_overview.h"
#include "toolbox_window/ward_read.h"
#include "window_kit/colours.h"
#include "window_kit/drawing.h"
#include "window_kit/list_window.h"
#include "window_kit/system_text.h"

const wchar_t* const OVERVIEW_CAPTION = L"病区一览";

namespace {

namespace ol = overview_layout;

const wchar_t* const OVERVIEW_CLASS_NAME = L"HalviMedWardOverview";
constexpr int LAST_LINE_CAPACITY = WARD_READ_LINE_CAPACITY;
constexpr COLORREF colour_selected_row = RGB(232, 243, 250);
constexpr COLORREF colour_selected_cell = RGB(214, 236, 246);
constexpr int EXPORT_CAPACITY = 1 << 18;

struct OverviewView {
    const WindowFonts* fonts;
    double scale;
    HBRUSH white_brush;
    const ToolDef* tools[OVERVIEW_TOOL_COUNT];
    WardOverview overview;
    wchar_t last_line[LAST_LINE_CAPACITY];
    OverviewActions actions;
    int column; // the selected cell's tool
};

OverviewView view;

void draw_headings(HDC dc) {
    const LayoutRect list = scaled_rect(ol::LIST, view.scale);
    const RECT area = at_scale(ol::HEADINGS, view.scale);
    fill_rect_color(dc, area, colour_panel);
    const int left = list.x + at_scale(ol::BED_X, view.scale);
    const int row_bottom = area.bottom;
    draw_text_rect(dc, {left, area.top, list.x + at_scale(ol::NAME_X, view.scale), row_bottom},
                   L"床号", colour_header, (*view.fonts)[FONT_SMALL], DT_LEFT);
    draw_text_rect(dc,
                   {list.x + at_scale(ol::NAME_X, view.scale), area.top,
                    list.x + at_scale(ol::TOOLS_X, view.scale), row_bottom},
                   L"姓名", colour_header, (*view.fonts)[FONT_SMALL], DT_LEFT);
    for (int t = 0; t < OVERVIEW_TOOL_COUNT; ++t) {
        if (view.tools[t] == nullptr) continue;
        const int x = list.x + at_scale(ol::TOOLS_X + t * ol::TOOL_WIDTH, view.scale);
        RECT cell = {x, area.top, x + at_scale(ol::TOOL_WIDTH - ol::CELL_INSET, view.scale),
                     row_bottom};
        draw_wrapped_text(dc, cell, view.tools[t]->title, colour_header, (*view.fonts)[FONT_SMALL],
                          DT_LEFT);
    }
}

// A row: the bed in the colour of the row's highest level, the name, then for each tool its
// latest first output and level in the level's colour, and its date below.
void draw_row(const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1) ||
        static_cast<int>(item.itemID) >= view.overview.count)
        return;
    const OverviewPatient& row = view.overview.patients[item.itemID];
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    fill_rect_color(item.hDC, item.rcItem, selected ? colour_selected_row : colour_panel);
    const RECT& r = item.rcItem;
    if (selected) {
        // The cell that 评估… opens.
        const int x = r.left + at_scale(ol::TOOLS_X + view.column * ol::TOOL_WIDTH, view.scale);
        const RECT cell = {x, r.top, x + at_scale(ol::TOOL_WIDTH, view.scale), r.bottom};
        fill_rect_color(item.hDC, cell, colour_selected_cell);
        frame_rect_color(item.hDC, cell, colour_header);
    }
    const int middle = (r.top + r.bottom) / 2;
    const HFONT label = (*view.fonts)[FONT_LABEL];
    const HFONT small = (*view.fonts)[FONT_SMALL];
    draw_text_rect(item.hDC,
                   {r.left + at_scale(ol::BED_X, view.scale), r.top,
                    r.left + at_scale(ol::NAME_X, view.scale), r.bottom},
                   row.bed, level_colour(row.highest_level), (*view.fonts)[FONT_VERDICT],
                   DT_LEFT | DT_NOPREFIX);
    draw_text_rect(item.hDC,
                   {r.left + at_scale(ol::NAME_X, view.scale), r.top,
                    r.left + at_scale(ol::TOOLS_X, view.scale), middle},
                   row.name, colour_body_text, label, DT_LEFT | DT_NOPREFIX);
    draw_text_rect(item.hDC,
                   {r.left + at_scale(ol::NAME_X, view.scale), middle,
                    r.left + at_scale(ol::TOOLS_X, view.scale), r.bottom},
                   row.number, colour_muted_text, small, DT_LEFT | DT_NOPREFIX);
    for (int t = 0; t < OVERVIEW_TOOL_COUNT; ++t) {
        const OverviewEntry& entry = row.entries[t];
        if (!entry.present) continue;
        const int x = r.left + at_scale(ol::TOOLS_X + t * ol::TOOL_WIDTH, view.scale);
        const int right = x + at_scale(ol::TOOL_WIDTH - ol::CELL_INSET, view.scale);
        wchar_t value[OVERVIEW_VALUE_CAPACITY + 16];
        text_format(value, OVERVIEW_VALUE_CAPACITY + 16, L"%ls 等级 %d", entry.value, entry.level);
        draw_text_rect(item.hDC, {x, r.top, right, middle}, value, level_colour(entry.level), label,
                       DT_LEFT | DT_NOPREFIX);
        wchar_t date[OVERVIEW_DATE_CAPACITY + 8];
        text_copy(date, OVERVIEW_DATE_CAPACITY, entry.time);
        if (entry.time_anomalous)
            text_append(date, OVERVIEW_DATE_CAPACITY + 8, TEXT_TIME_ANOMALOUS);
        draw_text_rect(item.hDC, {x, middle, right, r.bottom}, date, colour_muted_text, small,
                       DT_LEFT);
    }
    fill_rect_color(item.hDC, {r.left, r.bottom - 1, r.right, r.bottom}, colour_caption_rule);
}

// The overview as a CSV file with a byte-order mark, at a path the nurse chooses; written beside
// it first and moved over it only whole, so that a failed export leaves an older file as it was.
void export_overview(HWND window) {
    wchar_t path[MAX_PATH] = L"病区一览.csv";
    OPENFILENAMEW choice = {};
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = window;
    choice.lpstrFilter = L"CSV (*.csv)\0*.csv\0";
    choice.lpstrFile = path;
    choice.nMaxFile = MAX_PATH;
    choice.lpstrDefExt = L"csv";
    choice.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&choice)) return; // cancelled
    static wchar_t text[EXPORT_CAPACITY];
    static char bytes[EXPORT_CAPACITY * UTF8_MAX_BYTES_PER_WIDE_UNIT + 3];
    bool done = overview_csv(view.overview, view.tools, text, EXPORT_CAPACITY);
    int length = 0;
    if (done) {
        std::memcpy(bytes, "\xEF\xBB\xBF", 3);
        length = utf8_from_wide(text, bytes + 3, static_cast<int>(sizeof bytes) - 3);
        done = length >= 0;
    }
    DWORD error = ERROR_NOT_ENOUGH_MEMORY;
    done = done && file_replace_write(path, bytes, static_cast<std::size_t>(length) + 3, &error);
    wchar_t message[MAX_PATH + 256];
    if (done) {
        text_format(message, MAX_PATH + 256, L"已导出：%ls", path);
        SetDlgItemTextW(window, ID_OVERVIEW_LAST_LINE, message);
        return;
    }
    wchar_t reason[256];
    system_error_text(error, path, reason, 256);
    text_format(message, MAX_PATH + 256, L"导出失败：%ls\r\n%ls", path, reason);
    // The line below the list no longer says an earlier export was done.
    SetDlgItemTextW(window, ID_OVERVIEW_LAST_LINE, message);
    MessageBoxW(window, message, L"导出失败", MB_OK | MB_ICONWARNING);
}

PatientFields row_patient(int row) {
    PatientFields patient;
    overview_row_patient(view.overview.patients[row], &patient);
    return patient;
}

// The tool whose cell lies at x of the list; -1 left of the cells (the bed and the name).
int column_at(int x) {
    const int first = at_scale(ol::TOOLS_X, view.scale);
    if (x < first) return -1;
    const int column = (x - first) / at_scale(ol::TOOL_WIDTH, view.scale);
    return column < OVERVIEW_TOOL_COUNT ? column : OVERVIEW_TOOL_COUNT - 1;
}

void open_cell(int row) {
    if (row < 0 || row >= view.overview.count || view.tools[view.column] == nullptr) return;
    view.actions.open(OVERVIEW_PROGRAMS[view.column], row_patient(row));
}

void on_row_event(HWND window, ListRowEvent event, int row, int x) {
    if (row < 0 || row >= view.overview.count) return;
    const int column = x < 0 ? -1 : column_at(x);
    if (event == ListRowEvent::pressed) {
        if (column >= 0) view.column = column;
        InvalidateRect(GetDlgItem(window, ID_OVERVIEW_LIST), nullptr, FALSE);
        return;
    }
    if (event == ListRowEvent::double_clicked && column >= 0) {
        open_cell(row);
        return;
    }
    view.actions.choose(row_patient(row));
    DestroyWindow(window);
}

void on_command(HWND window, int id) {
    if (id == ID_OVERVIEW_EXPORT) export_overview(window);
    if (id == ID_OVERVIEW_ASSESS)
        open_cell(
            static_cast<int>(SendDlgItemMessageW(window, ID_OVERVIEW_LIST, LB_GETCURSEL, 0, 0)));
}

// The row's text, for readers of the list: bed, name and inpatient number.
void overview_row_text(int row, wchar_t* dest, int capacity) {
    const OverviewPatient& patient = view.overview.patients[row];
    text_format(dest, capacity, L"%ls\t%ls\t%ls", patient.bed, patient.name, patient.number);
}

} // namespace

void show_ward_overview(HWND owner, HINSTANCE instance, const WindowFonts& fonts, double scale,
                        const OverviewActions& actions) {
    view.fonts = &fonts;
    view.scale = scale;
    view.actions = actions;
    view.column = 0;
    overview_tools(view.tools);
    read_ward_overview(view.tools, &view.overview, view.last_line, LAST_LINE_CAPACITY);
    if (view.white_brush == nullptr) view.white_brush = CreateSolidBrush(colour_panel);
    static ListWindow window;
    window = {OVERVIEW_CLASS_NAME,
              OVERVIEW_CAPTION,
              instance,
              owner,
              &fonts,
              scale,
              view.white_brush,
              ol::CLIENT_WIDTH,
              ol::CLIENT_HEIGHT,
              ol::LIST,
              ol::ROW_HEIGHT,
              ID_OVERVIEW_LIST,
              ol::LAST_LINE,
              ID_OVERVIEW_LAST_LINE,
              {{ol::ASSESS_BUTTON, ID_OVERVIEW_ASSESS, L"评估…", false},
               {ol::EXPORT_BUTTON, ID_OVERVIEW_EXPORT, L"导出", false},
               {ol::CLOSE_BUTTON, IDCANCEL, L"关闭", true}},
              3,
              overview_row_text,
              draw_row,
              draw_headings,
              on_command,
              on_row_event};
    run_list_window(window, view.overview.count, view.last_line);
}
