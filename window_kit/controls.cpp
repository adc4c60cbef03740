#include "window_kit/controls.h"

#include "window_kit/drawing.h"

HWND create_child_control(HWND parent, HINSTANCE instance, const wchar_t* control_class,
                          DWORD ex_style, DWORD style, const LayoutRect& rect, int id, HFONT font,
                          const wchar_t* text) {
    const HWND control = CreateWindowExW(
        ex_style, control_class, text, WS_CHILD | WS_VISIBLE | style, rect.x, rect.y, rect.width,
        rect.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (control != nullptr && font != nullptr)
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    return control;
}

void move_child_control(HWND control, const LayoutRect& rect, HFONT font) {
    MoveWindow(control, rect.x, rect.y, rect.width, rect.height, FALSE);
    if (font != nullptr) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

void draw_owner_button(const DRAWITEMSTRUCT& item, const ButtonColours& colours, HFONT font,
                       const wchar_t* caption, bool focus_mark, int focus_inset) {
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    fill_rect_color(item.hDC, item.rcItem, pressed ? colours.pressed : colours.face);
    frame_rect_color(item.hDC, item.rcItem, colours.outline);
    draw_text_rect(item.hDC, item.rcItem, caption, colours.text, font, DT_CENTER);
    if (focus_mark && (item.itemState & ODS_FOCUS) != 0) {
        RECT focus = item.rcItem;
        InflateRect(&focus, -focus_inset, -focus_inset);
        DrawFocusRect(item.hDC, &focus);
    }
}
