// The list of uploads of the toolbox ("上传记录"): every record in the user's outbox, waiting or
// refused, with its time, tool, patient and reason. 重新上传 puts a selected refused record back in
// the queue (once its cause is mended) and sends the waiting ones now.
#pragma once

#include <windows.h>

#include "window_kit/window_fonts.h"

constexpr int ID_UPLOADS_LIST = 1;
constexpr int ID_UPLOADS_LAST_LINE = 2;
constexpr int ID_UPLOADS_REQUEUE = 3;

extern const wchar_t* const UPLOADS_CAPTION; // "上传记录"

// Shows the list over owner until it is closed. send_now starts a run of the sender; it is
// called after 重新上传, and the window closes.
void show_uploads(HWND owner, HINSTANCE instance, const WindowFonts& fonts, double scale,
                  void (*send_now)());
