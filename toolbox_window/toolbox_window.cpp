// The toolbox window. The list is an owner-drawn list box whose rows come from the portable
// toolbox list: category headings, and programs with their title and, in the small font, their
// subtitle. Typing into the filter narrows the rows; Up and Down move the selection from the
// filter, Enter or a double click or the button starts the program, Escape empties the filter,
// and Tab moves between the controls. The patient strip above names the patient every program
// opens for: typed in, or chosen from the ward's patients of the records (newest first) or from
// the ward overview. A program already open for that patient is brought forward instead.
#include "toolbox_window/toolbox_window.h"

#include "app/patient_argument.h"
#include "core/text.h"
#include "fhir_win32/fhir_sender.h"
#include "fhir_win32/outbox_folder.h"
#include "screen/record_texts.h"
#include "screen/scale.h"
#include "screen/toolbox_layout.h"
#include "screen/window_texts.h"
#include "toolbox/toolbox_list.h"
#include "toolbox_window/uploads_window.h"
#include "toolbox_window/ward_overview_window.h"
#include "toolbox_window/ward_read.h"
#include "window_kit/app_window.h"
#include "window_kit/colours.h"
#include "window_kit/controls.h"
#include "window_kit/drawing.h"
#include "window_kit/system_text.h"
#include "window_kit/tool_windows.h"
#include "window_kit/window_fonts.h"

const wchar_t* const TOOLBOX_TITLE = L"HalviMed 护理工具箱";
const wchar_t* const TOOLBOX_CLASS_NAME = L"HalviMedToolbox";

namespace {

namespace tl = toolbox_layout;

constexpr int STATUS_CAPACITY = 256;
constexpr int PATH_CAPACITY = 520;
constexpr int MESSAGE_CAPACITY = 1024;
constexpr int COMMAND_LINE_CAPACITY = PATH_CAPACITY + 128;
constexpr int STRIP_FIELDS = 3; // bed, inpatient number and name
constexpr COLORREF colour_selected = RGB(214, 236, 246);

struct ToolboxState {
    HINSTANCE instance;
    HWND main;
    HWND filter;
    HWND list;
    HWND open;
    HWND overview;
    HWND filter_label;
    HWND patient_labels[STRIP_FIELDS];
    HWND patient_edits[STRIP_FIELDS];
    HWND ward_patients;
    HWND ward_patients_label;
    HWND uploads;
    wchar_t uploads_text[STATUS_CAPACITY];
    int uploads_refused;
    int dpi;
    double scale; // of the layout, for the display (screen/scale.h)
    WindowFonts fonts;
    HBRUSH white_brush;
    ToolboxList rows;
    wchar_t status[STATUS_CAPACITY];
};

ToolboxState state;

// The timer of the outbox's line (the sender's runs have their own, FHIR_TIMER_ID).
constexpr UINT_PTR UPLOADS_TIMER_ID = 1;
constexpr UINT UPLOADS_REFRESH_MS = 10 * 1000;

// The ward's patients that the drop-down list offers, newest first.
struct WardPatients {
    WardOverview overview;
    int order[OVERVIEW_MAX_PATIENTS];
    int count;
    wchar_t line[WARD_READ_LINE_CAPACITY];
};

WardPatients ward;

void set_status(const wchar_t* text) {
    text_copy(state.status, STATUS_CAPACITY, text);
    const RECT line = at_scale(tl::STATUS_LINE, state.scale);
    InvalidateRect(state.main, &line, FALSE);
}

// The selected row; -1 when none is.
int current_row() { return static_cast<int>(SendMessageW(state.list, LB_GETCURSEL, 0, 0)); }

// The program of the selected row; -1 when no program row is selected.
int selected_program() {
    const int row = current_row();
    if (row < 0 || row >= state.rows.count || state.rows.rows[row].heading) return -1;
    return state.rows.rows[row].program;
}

void select_row(int row) { SendMessageW(state.list, LB_SETCURSEL, static_cast<WPARAM>(row), 0); }

// Fills the list with the rows of the filter's text and selects the first program.
void rebuild_list() {
    wchar_t filter[TOOLBOX_FILTER_CAPACITY] = L"";
    GetWindowTextW(state.filter, filter, TOOLBOX_FILTER_CAPACITY);
    toolbox_build_list(TOOL_PROGRAMS, TOOL_PROGRAM_COUNT, filter, &state.rows);
    SendMessageW(state.list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(state.list, LB_RESETCONTENT, 0, 0);
    for (int r = 0; r < state.rows.count; ++r) {
        const ToolboxRow& row = state.rows.rows[r];
        const wchar_t* text = row.heading ? row.category : TOOL_PROGRAMS[row.program].tool->title;
        SendMessageW(state.list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    SendMessageW(state.list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(state.list, nullptr, TRUE);
    select_row(toolbox_program_row(state.rows, 0, 1));
}

// Moves the selection to the next (step 1) or previous (step -1) program row.
void move_selection(int step) {
    const int current = current_row();
    const int from = current < 0 ? (step > 0 ? 0 : state.rows.count - 1) : current + step;
    const int row = toolbox_program_row(state.rows, from, step);
    if (row >= 0) select_row(row);
}

// A click on a heading selects the program below it (or above it, for a last heading).
void keep_selection_on_a_program() {
    const int current = current_row();
    if (current < 0 || current >= state.rows.count || !state.rows.rows[current].heading) return;
    int row = toolbox_program_row(state.rows, current, 1);
    if (row < 0) row = toolbox_program_row(state.rows, current, -1);
    select_row(row);
}

void warn(const wchar_t* text) {
    MessageBoxW(state.main, text, L"无法启动", MB_OK | MB_ICONWARNING);
}

// The patient the strip names; false, after the warning and with the focus on the field, when a
// field is refused as the tools refuse it.
bool read_strip(PatientFields* patient) {
    patient_fields_clear(patient);
    for (int f = 0; f < STRIP_FIELDS; ++f) {
        static wchar_t typed[PATIENT_TYPED_CAPACITY];
        GetWindowTextW(state.patient_edits[f], typed, PATIENT_TYPED_CAPACITY);
        const auto field = static_cast<PatientField>(f);
        const PatientText taken =
            patient_field_take(field, typed, patient->text[f], PATIENT_FIELD_CAPACITY);
        if (taken == PatientText::taken) continue;
        wchar_t message[MESSAGE_CAPACITY];
        build_patient_refusal(field, taken, message, MESSAGE_CAPACITY);
        MessageBoxW(state.main, message, CAPTION_INPUT_ERROR, MB_OK | MB_ICONWARNING);
        SetFocus(state.patient_edits[f]);
        return false;
    }
    return true;
}

void set_strip(const PatientFields& patient) {
    for (int f = 0; f < STRIP_FIELDS; ++f) SetWindowTextW(state.patient_edits[f], patient.text[f]);
    wchar_t called[PATIENT_CAPTION_CAPACITY];
    build_patient_called(patient, called, PATIENT_CAPTION_CAPACITY);
    wchar_t status[STATUS_CAPACITY];
    text_format(status, STATUS_CAPACITY, L"当前患者：%ls", called);
    set_status(status);
}

// Starts the program from the toolbox's folder, without a shell, for the strip's patient; a
// window of it already open for that patient is brought forward instead.
void open_program(int program) {
    if (program < 0) return;
    const ToolDef& tool = *TOOL_PROGRAMS[program].tool;
    static PatientFields patient;
    if (!read_strip(&patient)) return;
    wchar_t caption[PATIENT_CAPTION_CAPACITY];
    build_patient_caption(tool.title, patient, caption, PATIENT_CAPTION_CAPACITY);
    wchar_t status[STATUS_CAPACITY];
    const HWND open = patient_named(patient) ? find_tool_window(caption) : nullptr;
    if (open != nullptr) {
        bring_window_forward(open);
        text_format(status, STATUS_CAPACITY, L"已在前台：%ls", caption);
        set_status(status);
        return;
    }
    wchar_t path[PATH_CAPACITY];
    wchar_t folder[PATH_CAPACITY];
    wchar_t message[MESSAGE_CAPACITY];
    wchar_t command_line[COMMAND_LINE_CAPACITY];
    if (!toolbox_program_path(TOOL_PROGRAMS[program].name, path, PATH_CAPACITY) ||
        !toolbox_folder(folder, PATH_CAPACITY) ||
        !build_patient_command_line(path, patient, command_line, COMMAND_LINE_CAPACITY)) {
        text_format(message, MESSAGE_CAPACITY, L"无法启动“%ls”：程序路径过长。", tool.title);
        warn(message);
        return;
    }
    if (!file_present(path)) {
        text_format(message, MESSAGE_CAPACITY, L"无法启动“%ls”：找不到程序文件 %ls。", tool.title,
                    path);
        warn(message);
        return;
    }
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(path, command_line, nullptr, nullptr, FALSE, 0, nullptr, folder, &startup,
                        &process)) {
        // The system's words, their inserts ("%1") filled with the file name.
        wchar_t reason[MESSAGE_CAPACITY / 2];
        system_error_text(GetLastError(), path, reason, MESSAGE_CAPACITY / 2);
        text_format(message, MESSAGE_CAPACITY, L"无法启动“%ls”：%ls", tool.title, reason);
        warn(message);
        return;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    text_format(status, STATUS_CAPACITY, L"已启动：%ls", caption);
    set_status(status);
}

void open_selected() { open_program(selected_program()); }

// The outbox's line: "待上传 n 条，被拒绝 m 条", hidden when both are 0.
void refresh_uploads() {
    wchar_t folder[OUTBOX_FOLDER_CAPACITY];
    OutboxCount count = {0, 0};
    if (outbox_folder_path(folder, OUTBOX_FOLDER_CAPACITY)) count = outbox_count(folder);
    wchar_t text[STATUS_CAPACITY];
    text_format(text, STATUS_CAPACITY, L"待上传 %d 条，被拒绝 %d 条", count.waiting, count.refused);
    const bool shown = count.waiting > 0 || count.refused > 0;
    state.uploads_refused = count.refused;
    if (!text_equal(text, state.uploads_text)) {
        text_copy(state.uploads_text, STATUS_CAPACITY, text);
        SetWindowTextW(state.uploads, text);
        InvalidateRect(state.uploads, nullptr, FALSE);
    }
    ShowWindow(state.uploads, shown ? SW_SHOWNA : SW_HIDE);
}

// A run of the sender under the policy as it is now, when it names a server.
void send_now() { fhir_send_start(state.main); }

void run_ended() {
    wchar_t status[STATUS_CAPACITY];
    fhir_last_run_status(status, STATUS_CAPACITY);
    if (status[0] != L'\0') set_status(status);
    refresh_uploads();
}

// The overview's actions: its patient becomes the strip's, and a tool's cell opens that tool.
void choose_from_overview(const PatientFields& patient) { set_strip(patient); }

void open_from_overview(const char* name, const PatientFields& patient) {
    set_strip(patient);
    open_program(toolbox_program_named(name));
}

// The drop-down list, read again each time it opens: the ward's patients, newest first; when
// there are none, the status says what was read, or why nothing could be.
void fill_ward_patients() {
    const ToolDef* tools[OVERVIEW_TOOL_COUNT];
    overview_tools(tools);
    read_ward_overview(tools, &ward.overview, ward.line, WARD_READ_LINE_CAPACITY);
    ward.count = overview_newest_first(ward.overview, ward.order, OVERVIEW_MAX_PATIENTS);
    SendMessageW(state.ward_patients, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < ward.count; ++i) {
        const OverviewPatient& row = ward.overview.patients[ward.order[i]];
        PatientFields patient;
        overview_row_patient(row, &patient);
        wchar_t called[PATIENT_CAPTION_CAPACITY];
        build_patient_called(patient, called, PATIENT_CAPTION_CAPACITY);
        SendMessageW(state.ward_patients, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(called));
    }
    if (ward.count == 0) set_status(ward.line);
}

void choose_ward_patient() {
    const auto chosen = static_cast<int>(SendMessageW(state.ward_patients, CB_GETCURSEL, 0, 0));
    if (chosen < 0 || chosen >= ward.count) return;
    PatientFields patient;
    overview_row_patient(ward.overview.patients[ward.order[chosen]], &patient);
    set_strip(patient);
}

HWND create_child(const wchar_t* control_class, DWORD ex_style, DWORD style, const LayoutRect& rect,
                  int id, HFONT font, const wchar_t* text) {
    return create_child_control(state.main, state.instance, control_class, ex_style, style,
                                scaled_rect(rect, state.scale), id, font, text);
}

// Controls and rows at the window's new scale, with its new fonts.
void relayout() {
    for (int f = 0; f < STRIP_FIELDS; ++f) {
        move_child_control(state.patient_labels[f], scaled_rect(tl::PATIENT_LABELS[f], state.scale),
                           state.fonts[FONT_LABEL]);
        move_child_control(state.patient_edits[f], scaled_rect(tl::PATIENT_EDITS[f], state.scale),
                           state.fonts[FONT_INPUT]);
    }
    move_child_control(state.ward_patients_label, scaled_rect(tl::WARD_PATIENTS_LABEL, state.scale),
                       state.fonts[FONT_LABEL]);
    move_child_control(state.ward_patients, scaled_rect(tl::WARD_PATIENTS, state.scale),
                       state.fonts[FONT_INPUT]);
    move_child_control(state.uploads, scaled_rect(tl::UPLOADS_LINE, state.scale), nullptr);
    move_child_control(state.filter_label, scaled_rect(tl::FILTER_LABEL, state.scale),
                       state.fonts[FONT_LABEL]);
    move_child_control(state.filter, scaled_rect(tl::FILTER_EDIT, state.scale),
                       state.fonts[FONT_INPUT]);
    move_child_control(state.list, scaled_rect(tl::LIST, state.scale), nullptr);
    SendMessageW(state.list, LB_SETITEMHEIGHT, 0, at_scale(tl::ROW_HEIGHT, state.scale));
    move_child_control(state.open, scaled_rect(tl::OPEN_BUTTON, state.scale), nullptr);
    move_child_control(state.overview, scaled_rect(tl::OVERVIEW_BUTTON, state.scale), nullptr);
}

// The window moved to a monitor of another DPI: fonts, controls, rows and painting at the new
// scale.
void rescale(int dpi, const RECT& suggested) {
    rescale_app_window(state.main, dpi, suggested, tl::CLIENT_WIDTH, tl::CLIENT_HEIGHT,
                       {&state.dpi, &state.scale, &state.fonts}, relayout);
}

void build_controls(HWND window) {
    state.main = window;
    for (int f = 0; f < STRIP_FIELDS; ++f) {
        state.patient_labels[f] = create_child(L"STATIC", 0, SS_RIGHT, tl::PATIENT_LABELS[f], 0,
                                               state.fonts[FONT_LABEL], PATIENT_FIELDS[f].label);
        state.patient_edits[f] = create_child(
            L"EDIT", WS_EX_CLIENTEDGE, ES_AUTOHSCROLL | WS_TABSTOP, tl::PATIENT_EDITS[f],
            ID_TOOLBOX_PATIENT_BASE + f, state.fonts[FONT_INPUT], L"");
        // As the tools' strip: a pasted text is refused whole when too long, never cut.
        SendMessageW(state.patient_edits[f], EM_LIMITTEXT, PATIENT_TYPED_CAPACITY - 1, 0);
    }
    state.ward_patients_label = create_child(L"STATIC", 0, SS_RIGHT, tl::WARD_PATIENTS_LABEL, 0,
                                             state.fonts[FONT_LABEL], L"病区患者");
    state.ward_patients =
        create_child(L"COMBOBOX", 0, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, tl::WARD_PATIENTS,
                     ID_TOOLBOX_WARD_PATIENTS, state.fonts[FONT_INPUT], L"");
    state.filter_label =
        create_child(L"STATIC", 0, SS_RIGHT, tl::FILTER_LABEL, 0, state.fonts[FONT_LABEL], L"筛选");
    state.filter = create_child(L"EDIT", WS_EX_CLIENTEDGE, ES_AUTOHSCROLL | WS_TABSTOP,
                                tl::FILTER_EDIT, ID_TOOLBOX_FILTER, state.fonts[FONT_INPUT], L"");
    state.list = create_child(L"LISTBOX", WS_EX_CLIENTEDGE,
                              LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY |
                                  LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
                              tl::LIST, ID_TOOLBOX_LIST, nullptr, L"");
    state.open = create_child(L"BUTTON", 0, BS_OWNERDRAW | WS_TABSTOP, tl::OPEN_BUTTON,
                              ID_TOOLBOX_OPEN, nullptr, L"打开");
    state.overview = create_child(L"BUTTON", 0, BS_OWNERDRAW | WS_TABSTOP, tl::OVERVIEW_BUTTON,
                                  ID_TOOLBOX_OVERVIEW, nullptr, OVERVIEW_CAPTION);
    // Hidden until records wait or were refused; Tab passes it by while hidden.
    state.uploads = create_child(L"BUTTON", 0, BS_OWNERDRAW | WS_TABSTOP, tl::UPLOADS_LINE,
                                 ID_TOOLBOX_UPLOADS, nullptr, L"");
    ShowWindow(state.uploads, SW_HIDE);
    text_format(state.status, STATUS_CAPACITY, L"就绪：共 %d 个程序", TOOL_PROGRAM_COUNT);
    rebuild_list();
}

void paint(HWND window) {
    PAINTSTRUCT paint_info;
    const HDC dc = BeginPaint(window, &paint_info);
    RECT client;
    GetClientRect(window, &client);
    fill_rect_color(dc, client, colour_background);
    draw_app_header(dc,
                    {client.right, at_scale(tl::HEADER_HEIGHT, state.scale),
                     at_scale(tl::ACCENT_WIDTH, state.scale), at_scale(tl::TITLE, state.scale),
                     TOOLBOX_TITLE, state.fonts[FONT_TITLE], at_scale(tl::HINT_LINE, state.scale),
                     L"输入名称筛选，回车或双击打开", state.fonts[FONT_CAPTION]});
    fill_rect_color(dc, at_scale(tl::PANEL, state.scale), colour_panel);
    frame_rect_color(dc, at_scale(tl::PANEL, state.scale), colour_panel_outline);
    fill_rect_color(dc, RECT{0, at_scale(tl::FOOTER_TOP, state.scale), client.right, client.bottom},
                    colour_footer);
    draw_text_rect(dc, at_scale(tl::STATUS_LINE, state.scale), state.status, colour_muted_text,
                   state.fonts[FONT_SMALL], DT_RIGHT);
    EndPaint(window, &paint_info);
}

void draw_row(const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1) || static_cast<int>(item.itemID) >= state.rows.count)
        return;
    const ToolboxRow& row = state.rows.rows[item.itemID];
    const bool selected = (item.itemState & ODS_SELECTED) != 0 && !row.heading;
    fill_rect_color(item.hDC, item.rcItem, selected ? colour_selected : colour_panel);
    RECT text = item.rcItem;
    text.left += at_scale(tl::ROW_INSET, state.scale);
    text.right -= at_scale(tl::ROW_INSET, state.scale);
    if (row.heading) {
        draw_text_rect(item.hDC, text, row.category, colour_header, state.fonts[FONT_CAPTION],
                       DT_LEFT);
        const int rule = item.rcItem.bottom - at_scale(tl::HEADING_RULE_FROM_BOTTOM, state.scale);
        fill_rect_color(item.hDC, RECT{text.left, rule, text.right, rule + 1}, colour_caption_rule);
        return;
    }
    const ToolDef& tool = *TOOL_PROGRAMS[row.program].tool;
    text.left += at_scale(tl::PROGRAM_INDENT, state.scale);
    const int title_bottom = text.top + at_scale(tl::TITLE_BOTTOM, state.scale);
    draw_text_rect(
        item.hDC,
        RECT{text.left, text.top + at_scale(tl::TITLE_TOP, state.scale), text.right, title_bottom},
        tool.title, colour_body_text, state.fonts[FONT_LABEL], DT_LEFT);
    draw_text_rect(item.hDC,
                   RECT{text.left, title_bottom, text.right,
                        text.bottom - at_scale(tl::SUBTITLE_BOTTOM_INSET, state.scale)},
                   tool.subtitle != nullptr ? tool.subtitle : L"", colour_muted_text,
                   state.fonts[FONT_SMALL], DT_LEFT);
}

// The outbox's line: the counts as a link, in the colour of a refusal when one was refused.
void draw_uploads_line(const DRAWITEMSTRUCT& item) {
    fill_rect_color(item.hDC, item.rcItem, colour_panel);
    draw_text_rect(item.hDC, item.rcItem, state.uploads_text,
                   state.uploads_refused > 0 ? level_colour(3) : colour_header,
                   state.fonts[FONT_SMALL], DT_RIGHT);
    if ((item.itemState & ODS_FOCUS) != 0) DrawFocusRect(item.hDC, &item.rcItem);
}

void draw_footer_button(const DRAWITEMSTRUCT& item) {
    const bool open = item.CtlID == ID_TOOLBOX_OPEN;
    draw_owner_button(item, open ? primary_button : secondary_button, state.fonts[FONT_BUTTON],
                      open ? L"打开" : OVERVIEW_CAPTION, true,
                      at_scale(tl::FOCUS_MARK_INSET, state.scale));
}

void on_command(int id, int code) {
    if (id == ID_TOOLBOX_OPEN) open_selected();
    if (id == ID_TOOLBOX_OVERVIEW)
        show_ward_overview(state.main, state.instance, state.fonts, state.scale,
                           {choose_from_overview, open_from_overview});
    if (id == ID_TOOLBOX_UPLOADS) {
        show_uploads(state.main, state.instance, state.fonts, state.scale, send_now);
        refresh_uploads();
    }
    if (id == ID_TOOLBOX_WARD_PATIENTS && code == CBN_DROPDOWN) fill_ward_patients();
    if (id == ID_TOOLBOX_WARD_PATIENTS && code == CBN_SELENDOK) choose_ward_patient();
    if (id == ID_TOOLBOX_FILTER && code == EN_CHANGE) rebuild_list();
    if (id == ID_TOOLBOX_LIST && code == LBN_DBLCLK) open_selected();
    if (id == ID_TOOLBOX_LIST && code == LBN_SELCHANGE) keep_selection_on_a_program();
}

LRESULT CALLBACK toolbox_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_CREATE: build_controls(window); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    case WM_FHIR_RUN_ENDED: run_ended(); return 0;
    case WM_TIMER:
        if (wparam == UPLOADS_TIMER_ID) refresh_uploads();
        if (wparam == FHIR_TIMER_ID) send_now();
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wparam) != WA_INACTIVE) refresh_uploads();
        return DefWindowProcW(window, message, wparam, lparam);
    case WM_PAINT: paint(window); return 0;
    case WM_ERASEBKGND: return 1; // the paint covers the whole client area
    case WM_MEASUREITEM:
        reinterpret_cast<MEASUREITEMSTRUCT*>(lparam)->itemHeight =
            static_cast<UINT>(at_scale(tl::ROW_HEIGHT, state.scale));
        return TRUE;
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
        if (item.CtlID == ID_TOOLBOX_LIST) draw_row(item);
        if (item.CtlID == ID_TOOLBOX_OPEN || item.CtlID == ID_TOOLBOX_OVERVIEW)
            draw_footer_button(item);
        if (item.CtlID == ID_TOOLBOX_UPLOADS) draw_uploads_line(item);
        return TRUE;
    }
    case WM_COMMAND: on_command(LOWORD(wparam), HIWORD(wparam)); return 0;
    case WM_DPICHANGED: rescale(LOWORD(wparam), *reinterpret_cast<const RECT*>(lparam)); return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        SetTextColor(reinterpret_cast<HDC>(wparam), colour_body_text);
        SetBkColor(reinterpret_cast<HDC>(wparam), colour_panel);
        return reinterpret_cast<LRESULT>(state.white_brush);
    default: return DefWindowProcW(window, message, wparam, lparam);
    }
}

// The keys the window answers wherever the focus is: Enter starts, Escape empties the filter, Up
// and Down move the selection while the filter has the focus.
bool handle_key(const MSG& message) {
    if (message.message != WM_KEYDOWN) return false;
    if (message.hwnd != state.main && !IsChild(state.main, message.hwnd)) return false;
    // The drop-down list, while open, takes its own keys.
    if (SendMessageW(state.ward_patients, CB_GETDROPPEDSTATE, 0, 0) != 0) return false;
    switch (message.wParam) {
    case VK_RETURN: open_selected(); return true;
    case VK_ESCAPE: SetWindowTextW(state.filter, L""); return true;
    case VK_UP:
    case VK_DOWN:
        if (message.hwnd != state.filter) return false;
        move_selection(message.wParam == VK_DOWN ? 1 : -1);
        return true;
    default: return false;
    }
}

void create_fonts() {
    window_fonts_create(&state.fonts, state.scale);
    state.white_brush = CreateSolidBrush(colour_panel);
}

void free_fonts() {
    window_fonts_free(&state.fonts);
    DeleteObject(state.white_brush);
}

} // namespace

bool toolbox_folder(wchar_t* dest, int capacity) {
    wchar_t module[PATH_CAPACITY];
    const DWORD length = GetModuleFileNameW(nullptr, module, PATH_CAPACITY);
    if (length == 0 || length >= PATH_CAPACITY) return false;
    int end = static_cast<int>(length);
    while (end > 0 && module[end - 1] != L'\\' && module[end - 1] != L'/') --end;
    if (end == 0) return false;
    module[end - 1] = L'\0';
    return text_format_whole(dest, capacity, L"%ls", module);
}

bool file_present(const wchar_t* path) {
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool file_is_windows_program(const wchar_t* path) {
    // The MZ header and the PE signature lie in the first kilobytes of every program.
    constexpr DWORD HEADER_BYTES = 4096;
    const HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    static unsigned char bytes[HEADER_BYTES];
    DWORD read = 0;
    const bool got = ReadFile(file, bytes, HEADER_BYTES, &read, nullptr) != 0;
    CloseHandle(file);
    return got && is_windows_program_header(bytes, static_cast<int>(read));
}

bool toolbox_program_path(const char* name, wchar_t* dest, int capacity) {
    wchar_t folder[PATH_CAPACITY];
    if (!toolbox_folder(folder, PATH_CAPACITY)) return false;
    return text_format_whole(dest, capacity, L"%ls\\%s.exe", folder, name);
}

int toolbox_run(HINSTANCE instance) {
    state.instance = instance;
    const AppWindowFit fit = fit_new_window(tl::CLIENT_WIDTH, tl::CLIENT_HEIGHT);
    state.dpi = fit.dpi;
    state.scale = fit.scale;
    create_fonts();
    if (!register_app_class(instance, toolbox_proc, nullptr, TOOLBOX_CLASS_NAME)) {
        free_fonts();
        return 1;
    }
    const HWND window = create_app_window(instance, TOOLBOX_CLASS_NAME, TOOLBOX_TITLE, fit);
    if (window == nullptr) {
        free_fonts();
        return 1;
    }
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    SetFocus(state.filter);
    refresh_uploads();
    SetTimer(window, UPLOADS_TIMER_ID, UPLOADS_REFRESH_MS, nullptr);
    send_now();
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (handle_key(message)) continue;
        if (IsDialogMessageW(state.main, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    free_fonts();
    return 0;
}
