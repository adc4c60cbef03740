#include "toolbox_window/ward_overview_window.h"

#include <commdlg.h>

#include <cstring>

#include "core/civil_date.h"
#include "core/text.h"
#include "core/text_sink.h"
#include "core/utf8.h"
#include "records/record_lines.h"
#include "records/record_scan.h"
#include "records_win32/file_replace_win32.h"
#include "records_win32/record_folder.h"
#include "records_win32/record_tail.h"
#include "records_win32/records_policy_read.h"
#include "screen/record_texts.h"
#include "screen/scale.h"
#include "screen/toolbox_layout.h"
#include "toolbox/toolbox_list.h"
#include "toolbox/ward_overview.h"
#include "window_kit/colours.h"
#include "window_kit/drawing.h"
#include "window_kit/list_window.h"
#include "window_kit/system_text.h"

const wchar_t* const OVERVIEW_CAPTION = L"病区一览";

namespace {

namespace ol = overview_layout;

const wchar_t* const OVERVIEW_CLASS_NAME = L"HalviMedWardOverview";
constexpr int LAST_LINE_CAPACITY = RECORD_FOLDER_CAPACITY + 128;
constexpr int EXPORT_CAPACITY = 1 << 18;

struct OverviewView {
    const WindowFonts* fonts;
    double scale;
    HBRUSH white_brush;
    const ToolDef* tools[OVERVIEW_TOOL_COUNT];
    WardOverview overview;
    wchar_t last_line[LAST_LINE_CAPACITY];
};

OverviewView view;

// True when the folder's list can be read; error says why not. A folder that is not there counts
// as readable and empty unless it must be there.
bool folder_readable(const wchar_t* folder, bool must_exist, DWORD* error) {
    wchar_t pattern[RECORD_FOLDER_CAPACITY + 4];
    text_format(pattern, RECORD_FOLDER_CAPACITY + 4, L"%ls\\*", folder);
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(pattern, &found);
    if (search != INVALID_HANDLE_VALUE) {
        FindClose(search);
        return true;
    }
    *error = GetLastError();
    if (*error == ERROR_FILE_NOT_FOUND) return true; // there, and empty
    return *error == ERROR_PATH_NOT_FOUND && !must_exist;
}

// One tool's file as it is read, window by window.
struct OverviewFile {
    int column;
    const ToolDef* tool;
    const wchar_t* since;
    const wchar_t* latest_valid;
};

void add_window(void* context, const RecordTail& window) {
    const auto* file = static_cast<const OverviewFile*>(context);
    overview_add(&view.overview, file->column, *file->tool, window.bytes, window.length,
                 window.whole, file->since, window.head, window.head_length, file->latest_valid);
}

// Every assessment tool's file of the records folder, read back to the last days' edge, whatever
// its size; a file that is missing has no records, one that cannot be read is counted.
void read_overview() {
    overview_clear(&view.overview);
    SYSTEMTIME today;
    GetLocalTime(&today);
    wchar_t since[DATE_TEXT_CAPACITY];
    overview_since(today.wYear, today.wMonth, today.wDay, since, DATE_TEXT_CAPACITY);
    wchar_t folder[RECORD_FOLDER_CAPACITY];
    RecordsPolicy policy;
    records_policy_read(&policy);
    if (policy.invalid_value >= 0) {
        build_policy_invalid_text(policy, view.last_line, LAST_LINE_CAPACITY);
        return;
    }
    if (!records_folder(policy, folder, RECORD_FOLDER_CAPACITY)) {
        text_format(view.last_line, LAST_LINE_CAPACITY, L"找不到记录文件夹，无法读取记录：%ls",
                    folder);
        return;
    }
    // A folder that cannot be read is said so, never shown as an empty ward. The user's own folder
    // before the first Save is simply empty; a policy's folder must be there.
    DWORD folder_error = 0;
    if (!folder_readable(folder, policy_names_folder(policy), &folder_error)) {
        wchar_t reason[256];
        system_error_text(folder_error, folder, reason, 256);
        text_format(view.last_line, LAST_LINE_CAPACITY, L"记录文件夹无法读取：%ls（%ls）", folder,
                    reason);
        return;
    }
    wchar_t latest_valid[RECORD_TIME_CAPACITY];
    record_latest_valid_time(today.wYear, today.wMonth, today.wDay, today.wHour, today.wMinute,
                             today.wSecond, latest_valid, RECORD_TIME_CAPACITY);
    int unreadable = 0;
    for (int t = 0; t < OVERVIEW_TOOL_COUNT; ++t) {
        const ToolDef* tool = view.tools[t];
        wchar_t path[RECORD_PATH_CAPACITY];
        if (tool == nullptr || !build_record_path(folder, tool->id, path, RECORD_PATH_CAPACITY))
            continue;
        OverviewFile file = {t, tool, since, latest_valid};
        if (record_read_since(path, since, add_window, &file) == RecordTailRead::unreadable)
            ++unreadable;
    }
    overview_sort(&view.overview);
    TextSink sink = {view.last_line, LAST_LINE_CAPACITY, 0};
    view.last_line[0] = L'\0';
    text_sink_format(sink, L"共 %d 位患者（%ls 起），记录文件夹：%ls", view.overview.count, since,
                     folder);
    if (view.overview.not_shown > 0)
        text_sink_format(sink, L"；另有 %d 条记录超出 %d 位患者未显示（%d 位较早的患者）",
                         view.overview.not_shown, OVERVIEW_MAX_PATIENTS,
                         view.overview.patients_not_shown);
    if (unreadable > 0) text_sink_format(sink, L"；%d 个记录文件无法读取", unreadable);
    if (view.overview.skipped > 0)
        text_sink_format(sink, L"；%d 条记录无法读取", view.overview.skipped);
}

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
    fill_rect_color(item.hDC, item.rcItem, colour_panel);
    const RECT& r = item.rcItem;
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

void on_command(HWND window, int id) {
    if (id == ID_OVERVIEW_EXPORT) export_overview(window);
}

// The row's text, for readers of the list: bed, name and inpatient number.
void overview_row_text(int row, wchar_t* dest, int capacity) {
    const OverviewPatient& patient = view.overview.patients[row];
    text_format(dest, capacity, L"%ls\t%ls\t%ls", patient.bed, patient.name, patient.number);
}

} // namespace

void show_ward_overview(HWND owner, HINSTANCE instance, const WindowFonts& fonts, double scale) {
    view.fonts = &fonts;
    view.scale = scale;
    for (int t = 0; t < OVERVIEW_TOOL_COUNT; ++t)
        view.tools[t] = toolbox_tool_named(OVERVIEW_PROGRAMS[t]);
    read_overview();
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
              {{ol::EXPORT_BUTTON, ID_OVERVIEW_EXPORT, L"导出", false},
               {ol::CLOSE_BUTTON, IDCANCEL, L"关闭", true}},
              2,
              overview_row_text,
              draw_row,
              draw_headings,
              on_command};
    run_list_window(window, view.overview.count, view.last_line);
}
