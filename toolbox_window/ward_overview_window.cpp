#include "toolbox_window/ward_overview_window.h"

#include <commdlg.h>

#include <cstring>

#include "core/civil_date.h"
#include "core/text.h"
#include "core/text_sink.h"
#include "core/utf8.h"
#include "records/record_lines.h"
#include "records_win32/record_folder.h"
#include "records_win32/record_tail.h"
#include "records_win32/records_policy_read.h"
#include "screen/scale.h"
#include "screen/toolbox_layout.h"
#include "toolbox/toolbox_list.h"
#include "toolbox/ward_overview.h"
#include "window_kit/app_window.h"
#include "window_kit/colours.h"
#include "window_kit/controls.h"
#include "window_kit/drawing.h"
#include "window_kit/modal_window.h"
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

int at_scale(int length) { return scaled_length(length, view.scale); }
LayoutRect scaled(const LayoutRect& rect) { return scaled_rect(rect, view.scale); }

// Every assessment tool's file of the records folder, read from its end as far back as the last
// days reach; a file that is missing has no records, one that cannot be read is counted.
void read_overview() {
    overview_clear(&view.overview);
    SYSTEMTIME today;
    GetLocalTime(&today);
    wchar_t since[DATE_TEXT_CAPACITY];
    overview_since(today.wYear, today.wMonth, today.wDay, since, DATE_TEXT_CAPACITY);
    wchar_t folder[RECORD_FOLDER_CAPACITY];
    RecordsPolicy policy;
    records_policy_read(&policy);
    if (!records_folder(policy, folder, RECORD_FOLDER_CAPACITY)) {
        text_format(view.last_line, LAST_LINE_CAPACITY, L"找不到记录文件夹，无法读取记录：%ls",
                    folder);
        return;
    }
    int unreadable = 0;
    for (int t = 0; t < OVERVIEW_TOOL_COUNT; ++t) {
        const ToolDef* tool = view.tools[t];
        wchar_t path[RECORD_PATH_CAPACITY];
        if (tool == nullptr || !build_record_path(folder, tool->id, path, RECORD_PATH_CAPACITY))
            continue;
        RecordTail tail;
        const RecordTailRead read = record_tail_read_since(path, since, &tail);
        if (read == RecordTailRead::unreadable) ++unreadable;
        if (read != RecordTailRead::read) continue;
        overview_add(&view.overview, t, *tool, tail.bytes, tail.length, tail.whole, since);
    }
    overview_sort(&view.overview);
    TextSink sink = {view.last_line, LAST_LINE_CAPACITY, 0};
    view.last_line[0] = L'\0';
    text_sink_format(sink, L"共 %d 位患者（%ls 起），记录文件夹：%ls", view.overview.count, since,
                     folder);
    if (view.overview.not_shown > 0)
        text_sink_format(sink, L"；另有 %d 条记录超出 %d 位患者未显示", view.overview.not_shown,
                         OVERVIEW_MAX_PATIENTS);
    if (unreadable > 0) text_sink_format(sink, L"；%d 个记录文件无法读取", unreadable);
}

void draw_headings(HDC dc) {
    const LayoutRect list = scaled(ol::LIST);
    const RECT area = rect_of(scaled(ol::HEADINGS));
    fill_rect_color(dc, area, colour_panel);
    const int left = list.x + at_scale(ol::BED_X);
    const int row_bottom = area.bottom;
    draw_text_rect(dc, {left, area.top, list.x + at_scale(ol::NAME_X), row_bottom}, L"床号",
                   colour_header, (*view.fonts)[FONT_SMALL], DT_LEFT);
    draw_text_rect(
        dc, {list.x + at_scale(ol::NAME_X), area.top, list.x + at_scale(ol::TOOLS_X), row_bottom},
        L"姓名", colour_header, (*view.fonts)[FONT_SMALL], DT_LEFT);
    for (int t = 0; t < OVERVIEW_TOOL_COUNT; ++t) {
        if (view.tools[t] == nullptr) continue;
        const int x = list.x + at_scale(ol::TOOLS_X + t * ol::TOOL_WIDTH);
        RECT cell = {x, area.top, x + at_scale(ol::TOOL_WIDTH - ol::CELL_INSET), row_bottom};
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
                   {r.left + at_scale(ol::BED_X), r.top, r.left + at_scale(ol::NAME_X), r.bottom},
                   row.bed, level_colour(row.highest_level), (*view.fonts)[FONT_VERDICT],
                   DT_LEFT | DT_NOPREFIX);
    draw_text_rect(item.hDC,
                   {r.left + at_scale(ol::NAME_X), r.top, r.left + at_scale(ol::TOOLS_X), middle},
                   row.name, colour_body_text, label, DT_LEFT | DT_NOPREFIX);
    draw_text_rect(
        item.hDC, {r.left + at_scale(ol::NAME_X), middle, r.left + at_scale(ol::TOOLS_X), r.bottom},
        row.number, colour_muted_text, small, DT_LEFT | DT_NOPREFIX);
    for (int t = 0; t < OVERVIEW_TOOL_COUNT; ++t) {
        const OverviewEntry& entry = row.entries[t];
        if (!entry.present) continue;
        const int x = r.left + at_scale(ol::TOOLS_X + t * ol::TOOL_WIDTH);
        const int right = x + at_scale(ol::TOOL_WIDTH - ol::CELL_INSET);
        wchar_t value[OVERVIEW_VALUE_CAPACITY + 16];
        text_format(value, OVERVIEW_VALUE_CAPACITY + 16, L"%ls 等级 %d", entry.value, entry.level);
        draw_text_rect(item.hDC, {x, r.top, right, middle}, value, level_colour(entry.level), label,
                       DT_LEFT | DT_NOPREFIX);
        wchar_t date[OVERVIEW_DATE_CAPACITY];
        text_copy(date, OVERVIEW_DATE_CAPACITY, entry.time);
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
    wchar_t partial[MAX_PATH + 8];
    done = done && text_format_whole(partial, MAX_PATH + 8, L"%ls.part", path);
    DWORD error = ERROR_NOT_ENOUGH_MEMORY;
    if (done) {
        const HANDLE file =
            CreateFileW(partial, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        done = file != INVALID_HANDLE_VALUE &&
               WriteFile(file, bytes, static_cast<DWORD>(length + 3), &written, nullptr) &&
               written == static_cast<DWORD>(length + 3) && FlushFileBuffers(file);
        error = GetLastError();
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
        done =
            done && MoveFileExW(partial, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        if (!done) {
            error = GetLastError();
            DeleteFileW(partial);
        }
    }
    wchar_t message[MAX_PATH + 256];
    if (done) {
        text_format(message, MAX_PATH + 256, L"已导出：%ls", path);
        SetDlgItemTextW(window, ID_OVERVIEW_LAST_LINE, message);
        return;
    }
    wchar_t reason[256];
    system_error_text(error, path, reason, 256);
    text_format(message, MAX_PATH + 256, L"导出失败：%ls\r\n%ls", path, reason);
    MessageBoxW(window, message, L"导出失败", MB_OK | MB_ICONWARNING);
}

LRESULT CALLBACK overview_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_MEASUREITEM:
        reinterpret_cast<MEASUREITEMSTRUCT*>(lparam)->itemHeight =
            static_cast<UINT>(at_scale(ol::ROW_HEIGHT));
        return TRUE;
    case WM_DRAWITEM:
        if (reinterpret_cast<const DRAWITEMSTRUCT*>(lparam)->CtlID == ID_OVERVIEW_LIST)
            draw_row(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
        return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(window, &paint);
        draw_headings(dc);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_COMMAND:
        if (LOWORD(wparam) == IDCANCEL) DestroyWindow(window);
        if (LOWORD(wparam) == ID_OVERVIEW_EXPORT) export_overview(window);
        return 0;
    case WM_CTLCOLORSTATIC:
        SetBkMode(reinterpret_cast<HDC>(wparam), TRANSPARENT);
        SetTextColor(reinterpret_cast<HDC>(wparam), colour_body_text);
        return reinterpret_cast<LRESULT>(view.white_brush);
    default: break;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

} // namespace

void show_ward_overview(HWND owner, HINSTANCE instance, const WindowFonts& fonts, double scale) {
    view.fonts = &fonts;
    view.scale = scale;
    for (int t = 0; t < OVERVIEW_TOOL_COUNT; ++t)
        view.tools[t] = toolbox_tool_named(OVERVIEW_PROGRAMS[t]);
    read_overview();
    static bool registered = false;
    if (view.white_brush == nullptr) view.white_brush = CreateSolidBrush(colour_panel);
    if (!registered)
        registered =
            register_app_class(instance, overview_proc, view.white_brush, OVERVIEW_CLASS_NAME);
    const HWND window = create_owned_popup(instance, OVERVIEW_CLASS_NAME, OVERVIEW_CAPTION, owner,
                                           at_scale(ol::CLIENT_WIDTH), at_scale(ol::CLIENT_HEIGHT));
    if (window == nullptr) return;
    const HWND list = create_child_control(
        window, instance, L"LISTBOX", WS_EX_CLIENTEDGE,
        WS_VSCROLL | WS_TABSTOP | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
        scaled(ol::LIST), ID_OVERVIEW_LIST, fonts[FONT_SMALL], L"");
    for (int i = 0; i < view.overview.count; ++i) {
        // The row's text, for readers of the list: bed, name and inpatient number.
        const OverviewPatient& row = view.overview.patients[i];
        wchar_t text[3 * PATIENT_FIELD_CAPACITY + 8];
        text_format(text, 3 * PATIENT_FIELD_CAPACITY + 8, L"%ls\t%ls\t%ls", row.bed, row.name,
                    row.number);
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    create_child_control(window, instance, L"STATIC", 0, 0, scaled(ol::LAST_LINE),
                         ID_OVERVIEW_LAST_LINE, fonts[FONT_SMALL], view.last_line);
    create_child_control(window, instance, L"BUTTON", 0, WS_TABSTOP, scaled(ol::EXPORT_BUTTON),
                         ID_OVERVIEW_EXPORT, fonts[FONT_BUTTON], L"导出");
    create_child_control(window, instance, L"BUTTON", 0, WS_TABSTOP | BS_DEFPUSHBUTTON,
                         scaled(ol::CLOSE_BUTTON), IDCANCEL, fonts[FONT_BUTTON], L"关闭");
    run_modal_window(owner, window, list);
}
