// A modal list window over its owner, as the history and the ward overview show their rows: an
// owner-drawn list, a last line under it and its buttons, at the owner's scale. The caller draws
// each row, may paint the window's own area, and answers its buttons other than 关闭 (IDCANCEL).
#pragma once

#include <windows.h>

#include "screen/layout.h"
#include "window_kit/window_fonts.h"

constexpr int LIST_WINDOW_MAX_BUTTONS = 3;
constexpr int LIST_WINDOW_ROW_CAPACITY = 768;

struct ListWindowButton {
    LayoutRect rect; // at 96 DPI
    int id;          // IDCANCEL closes the window
    const wchar_t* caption;
    bool is_default;
};

// What happened on a row of the list: a mouse button pressed over it (at x in the list's
// client pixels), a double click, or Enter.
enum class ListRowEvent { pressed, double_clicked, entered };

struct ListWindow {
    const wchar_t* class_name;
    const wchar_t* caption;
    HINSTANCE instance;
    HWND owner;
    const WindowFonts* fonts;
    double scale;
    HBRUSH background;
    int client_width; // at 96 DPI, as the rectangles below
    int client_height;
    LayoutRect list;
    int row_height;
    int list_id;
    LayoutRect last_line;
    int last_line_id;
    ListWindowButton buttons[LIST_WINDOW_MAX_BUTTONS];
    int button_count;
    // The text of row i, for readers of the list (drawn by draw_row).
    void (*row_text)(int row, wchar_t* dest, int capacity);
    void (*draw_row)(const DRAWITEMSTRUCT& item);
    void (*paint)(HDC dc);                // null: the background only
    void (*command)(HWND window, int id); // null: no button but 关闭
    // null: the rows answer nothing. x is where the press or the double click was, in the list's
    // client pixels (for Enter, the last press; -1 before any); row is the list's selection, or
    // the pressed row.
    void (*row_event)(HWND window, ListRowEvent event, int row, int x);
};

// Shows the window with row_count rows and the last line, the focus on the list, and runs it
// until it is closed.
void run_list_window(const ListWindow& window, int row_count, const wchar_t* last_line);
