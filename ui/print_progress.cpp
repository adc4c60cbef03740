#include "ui/print_progress.h"

#include "print/print_texts.h"
#include "screen/layout.h"
#include "screen/scale.h"
#include "ui/window_state.h"
#include "window_kit/app_window.h"
#include "window_kit/controls.h"
#include "window_kit/modal_window.h"

namespace {

constexpr wchar_t PROGRESS_CLASS[] = L"HalviMedPrintProgress";
constexpr UINT MESSAGE_JOB_DONE = WM_APP + 41;
constexpr UINT_PTR TIMER_ID = 1;
constexpr UINT TIMER_MS = 250;
constexpr int ID_PROGRESS_TEXT = 100;

// The one job at a time: the thread's side, then the window's.
struct Job {
    PrintJobFunction function;
    void* context;
    PrintProgress* progress;
    std::atomic<bool> running;
    std::atomic<HWND> window; // where the thread says it is done; null once the window is gone
    DWORD error;
    // The window's side.
    PrintWaitEnd end;
    unsigned seen_steps;
    ULONGLONG last_step_at;
};
Job job;

DWORD WINAPI job_thread(void*) {
    job.error = job.function(job.context);
    const HWND window = job.window.load();
    if (window != nullptr) PostMessageW(window, MESSAGE_JOB_DONE, 0, 0);
    job.running = false;
    return 0;
}

void show_progress(HWND window) {
    wchar_t text[PRINT_PROGRESS_CAPACITY];
    build_print_progress_text(job.progress->page, job.progress->page_count, text,
                              PRINT_PROGRESS_CAPACITY);
    wchar_t shown[PRINT_PROGRESS_CAPACITY];
    const HWND label = GetDlgItem(window, ID_PROGRESS_TEXT);
    GetWindowTextW(label, shown, PRINT_PROGRESS_CAPACITY);
    if (lstrcmpW(shown, text) != 0) SetWindowTextW(label, text);
}

// Ends the wait: the job is told to stop unless it is done, and the window goes.
void end_wait(HWND window, PrintWaitEnd end) {
    job.end = end;
    if (end != PrintWaitEnd::done) job.progress->cancel = true;
    DestroyWindow(window);
}

LRESULT CALLBACK progress_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_TIMER: {
        const unsigned steps = job.progress->steps;
        const ULONGLONG now = GetTickCount64();
        if (steps != job.seen_steps) {
            job.seen_steps = steps;
            job.last_step_at = now;
        } else if (now - job.last_step_at >= PRINT_STALL_MS) {
            end_wait(window, PrintWaitEnd::stalled);
            return 0;
        }
        show_progress(window);
        return 0;
    }
    case MESSAGE_JOB_DONE: end_wait(window, PrintWaitEnd::done); return 0;
    case WM_COMMAND:
        if (LOWORD(wparam) == IDCANCEL) end_wait(window, PrintWaitEnd::cancelled);
        return 0;
    case WM_CLOSE: end_wait(window, PrintWaitEnd::cancelled); return 0;
    case WM_DESTROY:
        // Escape destroys the window directly: that is a 取消 too.
        KillTimer(window, TIMER_ID);
        job.window = nullptr;
        if (job.end == PrintWaitEnd::not_started) {
            job.end = PrintWaitEnd::cancelled;
            job.progress->cancel = true;
        }
        return 0;
    case WM_CTLCOLORSTATIC:
        SetBkMode(reinterpret_cast<HDC>(wparam), TRANSPARENT);
        SetTextColor(reinterpret_cast<HDC>(wparam), colour_body_text);
        return reinterpret_cast<LRESULT>(window_state.background_brush);
    default: break;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

HWND create_progress_window(HWND owner) {
    WNDCLASSEXW existing = {};
    existing.cbSize = sizeof existing;
    if (!GetClassInfoExW(window_state.instance, PROGRESS_CLASS, &existing) &&
        !register_app_class(window_state.instance, progress_proc, window_state.background_brush,
                            PROGRESS_CLASS))
        return nullptr;
    const double scale = window_state.scale;
    const HWND window =
        create_owned_popup(window_state.instance, PROGRESS_CLASS, CAPTION_PRINT_PROGRESS, owner,
                           scaled_length(PRINT_PROGRESS_LAYOUT.client_width, scale),
                           scaled_length(PRINT_PROGRESS_LAYOUT.client_height, scale));
    if (window == nullptr) return nullptr;
    wchar_t text[PRINT_PROGRESS_CAPACITY];
    build_print_progress_text(0, 0, text, PRINT_PROGRESS_CAPACITY);
    create_child_control(window, window_state.instance, L"STATIC", 0, SS_CENTER,
                         scaled_rect(PRINT_PROGRESS_LAYOUT.text, scale), ID_PROGRESS_TEXT,
                         window_state.fonts[FONT_SMALL], text);
    create_child_control(window, window_state.instance, L"BUTTON", 0, WS_TABSTOP | BS_DEFPUSHBUTTON,
                         scaled_rect(PRINT_PROGRESS_LAYOUT.cancel, scale), IDCANCEL,
                         window_state.fonts[FONT_SMALL], L"取消");
    return window;
}

} // namespace

bool print_job_running() { return job.running; }

PrintWaitEnd run_print_job(HWND owner, PrintJobFunction function, void* context,
                           PrintProgress* progress, DWORD* error) {
    *error = 0;
    const HWND window = create_progress_window(owner);
    if (window == nullptr) {
        *error = GetLastError();
        return PrintWaitEnd::not_started;
    }
    job.function = function;
    job.context = context;
    job.progress = progress;
    job.error = 0;
    job.end = PrintWaitEnd::not_started;
    job.seen_steps = progress->steps;
    job.last_step_at = GetTickCount64();
    job.window = window;
    job.running = true;
    const HANDLE thread = CreateThread(nullptr, 0, job_thread, nullptr, 0, nullptr);
    if (thread == nullptr) {
        *error = GetLastError();
        job.running = false;
        job.end = PrintWaitEnd::done; // nothing to cancel
        DestroyWindow(window);
        return PrintWaitEnd::not_started;
    }
    CloseHandle(thread);
    SetTimer(window, TIMER_ID, TIMER_MS, nullptr);
    run_modal_window(owner, window, GetDlgItem(window, IDCANCEL));
    if (job.end == PrintWaitEnd::done) *error = job.error;
    return job.end;
}
