#include "window_kit/modal_window.h"

HWND create_owned_popup(HINSTANCE instance, const wchar_t* class_name, const wchar_t* caption,
                        HWND owner, int client_width, int client_height) {
    RECT outer = {0, 0, client_width, client_height};
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    AdjustWindowRectEx(&outer, style, FALSE, WS_EX_DLGMODALFRAME);
    RECT around;
    GetWindowRect(owner, &around);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    const int x = around.left + (around.right - around.left - width) / 2;
    const int y = around.top + (around.bottom - around.top - height) / 2;
    return CreateWindowExW(WS_EX_DLGMODALFRAME, class_name, caption, style, x < 0 ? 0 : x,
                           y < 0 ? 0 : y, width, height, owner, nullptr, instance, nullptr);
}

void run_modal_window(HWND owner, HWND dialog, HWND first) {
    EnableWindow(owner, FALSE);
    ShowWindow(dialog, SW_SHOW);
    SetFocus(first);
    MSG message;
    while (IsWindow(dialog)) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE &&
            (message.hwnd == dialog || IsChild(dialog, message.hwnd))) {
            DestroyWindow(dialog);
            continue;
        }
        if (IsDialogMessageW(dialog, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    EnableWindow(owner, TRUE);
    SetActiveWindow(owner);
}
