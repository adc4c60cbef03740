#include "window_kit/list_window.h"

#include "screen/scale.h"
#include "window_kit/app_window.h"
#include "window_kit/colours.h"
#include "window_kit/controls.h"
#include "window_kit/modal_window.h"

namespace {

// The window that runs now: one modal window at a time, on the one thread.
const ListWindow* shown = nullptr;
int last_press_x = -1; // in the list's client pixels

// A mouse button pressed over the list, told to the window before the list moves its selection.
void on_parent_notify(HWND window, WPARAM wparam, LPARAM lparam) {
    if (LOWORD(wparam) != WM_LBUTTONDOWN || shown->row_event == nullptr) return;
    const HWND list = GetDlgItem(window, shown->list_id);
    POINT at = {static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
    MapWindowPoints(window, list, &at, 1);
    RECT client;
    GetClientRect(list, &client);
    if (!PtInRect(&client, at)) return;
    last_press_x = at.x;
    const LRESULT item = SendMessageW(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(at.x, at.y));
    if (HIWORD(item) != 0) return; // below the last row
    shown->row_event(window, ListRowEvent::pressed, LOWORD(item), at.x);
}

// A double click on a row, at the point of the message that made it, or Enter while the list has
// the focus, at the last press.
void on_row_command(HWND window, ListRowEvent event) {
    const HWND list = GetDlgItem(window, shown->list_id);
    if (event == ListRowEvent::entered && GetFocus() != list) return;
    int x = last_press_x;
    if (event == ListRowEvent::double_clicked) {
        const DWORD at = GetMessagePos();
        POINT point = {static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
        ScreenToClient(list, &point);
        x = point.x;
    }
    const int row = static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0));
    if (row >= 0) shown->row_event(window, event, row, x);
}

LRESULT CALLBACK list_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (shown == nullptr) return DefWindowProcW(window, message, wparam, lparam);
    switch (message) {
    case WM_MEASUREITEM:
        reinterpret_cast<MEASUREITEMSTRUCT*>(lparam)->itemHeight =
            static_cast<UINT>(scaled_length(shown->row_height, shown->scale));
        return TRUE;
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
        if (static_cast<int>(item.CtlID) == shown->list_id) shown->draw_row(item);
        return TRUE;
    }
    case WM_PAINT: {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(window, &paint);
        if (shown->paint != nullptr) shown->paint(dc);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_PARENTNOTIFY: on_parent_notify(window, wparam, lparam); return 0;
    case WM_COMMAND:
        if (LOWORD(wparam) == IDCANCEL)
            DestroyWindow(window);
        else if (shown->row_event != nullptr && LOWORD(wparam) == shown->list_id &&
                 HIWORD(wparam) == LBN_DBLCLK)
            on_row_command(window, ListRowEvent::double_clicked);
        else if (shown->row_event != nullptr && LOWORD(wparam) == IDOK &&
                 HIWORD(wparam) == BN_CLICKED) // Enter; the list sends no notice 0
            on_row_command(window, ListRowEvent::entered);
        else if (shown->command != nullptr && HIWORD(wparam) == BN_CLICKED)
            shown->command(window, LOWORD(wparam));
        return 0;
    case WM_CTLCOLORSTATIC:
        SetBkMode(reinterpret_cast<HDC>(wparam), TRANSPARENT);
        SetTextColor(reinterpret_cast<HDC>(wparam), colour_body_text);
        return reinterpret_cast<LRESULT>(shown->background);
    default: break;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

bool register_class(const ListWindow& spec) {
    WNDCLASSEXW existing = {};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(spec.instance, spec.class_name, &existing)) return true;
    return register_app_class(spec.instance, list_window_proc, spec.background, spec.class_name);
}

} // namespace

namespace {

// Makes the window and its controls; null when it cannot be made.
HWND create_list_window(const ListWindow& spec, int row_count, const wchar_t* last_line) {
    if (!register_class(spec)) return nullptr;
    const HWND window = create_owned_popup(spec.instance, spec.class_name, spec.caption, spec.owner,
                                           scaled_length(spec.client_width, spec.scale),
                                           scaled_length(spec.client_height, spec.scale));
    if (window == nullptr) return nullptr;
    const WindowFonts& fonts = *spec.fonts;
    const HWND list = create_child_control(
        window, spec.instance, L"LISTBOX", WS_EX_CLIENTEDGE,
        WS_VSCROLL | WS_TABSTOP | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT |
            (spec.row_event != nullptr ? LBS_NOTIFY : 0),
        scaled_rect(spec.list, spec.scale), spec.list_id, fonts[FONT_SMALL], L"");
    for (int i = 0; i < row_count; ++i) {
        wchar_t row[LIST_WINDOW_ROW_CAPACITY];
        spec.row_text(i, row, LIST_WINDOW_ROW_CAPACITY);
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row));
    }
    create_child_control(window, spec.instance, L"STATIC", 0, 0,
                         scaled_rect(spec.last_line, spec.scale), spec.last_line_id,
                         fonts[FONT_SMALL], last_line);
    for (int b = 0; b < spec.button_count; ++b) {
        const ListWindowButton& button = spec.buttons[b];
        create_child_control(window, spec.instance, L"BUTTON", 0,
                             WS_TABSTOP | (button.is_default ? BS_DEFPUSHBUTTON : 0),
                             scaled_rect(button.rect, spec.scale), button.id, fonts[FONT_BUTTON],
                             button.caption);
    }
    return window;
}

} // namespace

void run_list_window(const ListWindow& spec, int row_count, const wchar_t* last_line) {
    // The list measures its rows while it is made: the window answers for spec from the start.
    const ListWindow* before = shown;
    shown = &spec;
    last_press_x = -1;
    const HWND window = create_list_window(spec, row_count, last_line);
    if (window != nullptr) run_modal_window(spec.owner, window, GetDlgItem(window, spec.list_id));
    shown = before;
}
