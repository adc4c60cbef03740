#include "window_kit/tool_windows.h"

#include "screen/placement.h"
#include "screen/record_texts.h"

const wchar_t* const TOOL_WINDOW_CLASS = L"HalviMedToolWnd";

namespace {

constexpr int MAX_TOOL_WINDOWS = 64;
constexpr int CAPTION_CAPACITY = 256;

// The corners of the other windows of one tool.
struct SameTool {
    HWND self;
    const wchar_t* title;
    POINT corners[MAX_TOOL_WINDOWS];
    int count;
};

BOOL CALLBACK note_same_tool(HWND window, LPARAM context) {
    auto* same = reinterpret_cast<SameTool*>(context);
    wchar_t text[CAPTION_CAPACITY];
    if (window == same->self || !IsWindowVisible(window) ||
        GetClassNameW(window, text, CAPTION_CAPACITY) == 0 ||
        lstrcmpW(text, TOOL_WINDOW_CLASS) != 0)
        return TRUE;
    GetWindowTextW(window, text, CAPTION_CAPACITY);
    if (!caption_is_of_tool(text, same->title)) return TRUE;
    RECT rect;
    if (GetWindowRect(window, &rect) && same->count < MAX_TOOL_WINDOWS)
        same->corners[same->count++] = {rect.left, rect.top};
    return TRUE;
}

bool taken(const SameTool& same, int x, int y) {
    for (int i = 0; i < same.count; ++i)
        if (same.corners[i].x == x && same.corners[i].y == y) return true;
    return false;
}

} // namespace

HWND find_tool_window(const wchar_t* caption) { return FindWindowW(TOOL_WINDOW_CLASS, caption); }

void bring_window_forward(HWND window) {
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(window);
}

void place_clear_of_same_tool(HWND window, const wchar_t* title) {
    static SameTool same;
    same = {window, title, {}, 0};
    EnumWindows(note_same_tool, reinterpret_cast<LPARAM>(&same));
    if (same.count == 0) return;
    RECT rect;
    GetWindowRect(window, &rect);
    POINT client = {0, 0};
    ClientToScreen(window, &client);
    const int step = client.y - rect.top; // the caption's height with the frame above it
    if (step <= 0) return;
    int x = rect.left;
    int y = rect.top;
    for (int i = 0; i <= MAX_TOOL_WINDOWS && taken(same, x, y); ++i) {
        x += step;
        y += step;
    }
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const WindowPlace place = keep_in_work_area(
        x, y, width, height, {work.left, work.top, work.right - work.left, work.bottom - work.top});
    SetWindowPos(window, nullptr, place.x, place.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
