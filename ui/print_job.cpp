// Print: the last result on A4 paper through the Windows print dialog. The pages are laid out by
// the portable page model, measured with the printer's own fonts at its own resolution; this file
// only asks for the printer, measures and draws, on the job's own thread (ui/print_progress.h).
// A job is reported sent only once the spooler has taken every page; any failure is said with
// the system's reason and nothing is claimed.
#include <windows.h>

#include "core/text.h"
#include "print/print_page.h"
#include "print/print_texts.h"
#include "screen/fonts.h"
#include "ui/commands.h"
#include "ui/print_progress.h"
#include "ui/window_state.h"
#include "window_kit/app_window.h"
#include "window_kit/dll_search.h"
#include "window_kit/system_text.h"

namespace {

constexpr int REASON_CAPACITY = 256;
constexpr int PRINTER_NAME_CAPACITY = 256;

// The failure box: "打印失败：" and the reason.
void report_failure_reason(const wchar_t* reason) {
    wchar_t message[REASON_CAPACITY + 16];
    build_print_failure_text(reason, message, REASON_CAPACITY + 16);
    show_message(message, CAPTION_PRINT_FAILED, MB_OK | MB_ICONERROR);
}

// The failure box with the system's words for the error, or its number where it has none (the
// print dialog's own errors).
void report_failure(DWORD error) {
    wchar_t reason[REASON_CAPACITY];
    if (system_error_text(error, nullptr, reason, REASON_CAPACITY) == 0)
        text_format(reason, REASON_CAPACITY, L"0x%08lX", static_cast<unsigned long>(error));
    report_failure_reason(reason);
}

// The printer's fonts, made as the layout asks for them, by font and size, and the font the
// printer's context had before the first of them, selected back before any is deleted.
struct PrinterFonts {
    HDC dc;
    HFONT fonts[PRINT_FONT_COUNT][PRINT_POINTS[PRINT_TITLE] + 1];
    HGDIOBJ original;
};

// The job handed to its thread: the printer the nurse chose, what is printed, and how far it got.
struct PrintJob {
    PRINTDLGW dialog;
    PatientFields patient;
    PrintProgress progress;
};
PrintJob print_job;

void count_step() { ++print_job.progress.steps; }

// The spooler calls this while it works; false tells it to drop the job.
BOOL CALLBACK abort_proc(HDC, int) {
    count_step();
    return print_job.progress.cancel ? FALSE : TRUE;
}

HFONT printer_font(PrinterFonts* printer, PrintFont font, int points) {
    HFONT& made = printer->fonts[font][points];
    if (made == nullptr) {
        const int height = MulDiv(points, GetDeviceCaps(printer->dc, LOGPIXELSY), 72);
        made = make_ui_font(font == PRINT_FIXED ? FIXED_FONT_FACE : UI_FONT_FACE, height,
                            PRINT_BOLD[font] ? FW_BOLD : FW_NORMAL);
    }
    const HGDIOBJ previous = SelectObject(printer->dc, made);
    if (printer->original == nullptr) printer->original = previous;
    return made;
}

// Selects the printer's own font back, so that none of ours is selected, then deletes them.
void free_printer_fonts(PrinterFonts* printer) {
    if (printer->original != nullptr) SelectObject(printer->dc, printer->original);
    printer->original = nullptr;
    for (auto& sizes : printer->fonts)
        for (HFONT& font : sizes) {
            if (font != nullptr) DeleteObject(font);
            font = nullptr;
        }
}

int measure_fit(void* context, PrintFont font, int points, const wchar_t* text, int length,
                int width) {
    auto* printer = static_cast<PrinterFonts*>(context);
    count_step();
    printer_font(printer, font, points);
    int fit = 0;
    SIZE size;
    if (!GetTextExtentExPointW(printer->dc, text, length, width, &fit, nullptr, &size)) return 0;
    return fit;
}

int measure_line_height(void* context, PrintFont font, int points) {
    auto* printer = static_cast<PrinterFonts*>(context);
    count_step();
    printer_font(printer, font, points);
    TEXTMETRICW metrics;
    if (!GetTextMetricsW(printer->dc, &metrics)) return MulDiv(points, 5, 4);
    return metrics.tmHeight + metrics.tmExternalLeading;
}

// Whether the system has a printer at all: 0, or ERROR_INVALID_PRINTER_NAME. Wine's dialog, and
// Windows' own box, answer a missing printer like a Cancel: look first. This asks the print
// server, which may take the call and never answer, so it runs as a job of its own thread.
// The spooler's DLL is not a Known DLL: looked up in System32, never imported.
DWORD printer_lookup_thread(void*) {
    using EnumPrintersFunction =
        BOOL(WINAPI*)(DWORD, wchar_t*, DWORD, BYTE*, DWORD, DWORD*, DWORD*);
    const auto enum_printers =
        reinterpret_cast<EnumPrintersFunction>(system_procedure(L"winspool.drv", "EnumPrintersW"));
    DWORD needed = 0;
    DWORD count = 0;
    if (enum_printers == nullptr) return 0; // the dialog finds out
    enum_printers(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &needed,
                  &count);
    return needed == 0 ? static_cast<DWORD>(ERROR_INVALID_PRINTER_NAME) : 0;
}

// The printer the nurse chooses in the print dialog, set to A4 portrait. False when the dialog
// was cancelled (error 0) or failed (its error).
bool choose_printer(PRINTDLGW* dialog, DWORD* error) {
    *error = 0;
    *dialog = {};
    dialog->lStructSize = sizeof *dialog;
    dialog->hwndOwner = window_state.main_window;
    dialog->Flags = PD_RETURNDEFAULT;
    if (!PrintDlgW(dialog)) {
        *error = CommDlgExtendedError();
        if (*error == 0) *error = ERROR_INVALID_PRINTER_NAME;
        return false;
    }
    if (auto* mode = static_cast<DEVMODEW*>(GlobalLock(dialog->hDevMode))) {
        mode->dmPaperSize = DMPAPER_A4;
        mode->dmOrientation = DMORIENT_PORTRAIT;
        mode->dmFields |= DM_PAPERSIZE | DM_ORIENTATION;
        GlobalUnlock(dialog->hDevMode);
    }
    dialog->Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;
    dialog->nCopies = 1;
    if (PrintDlgW(dialog) && dialog->hDC != nullptr) return true;
    *error = CommDlgExtendedError();
    return false;
}

void printer_name(const PRINTDLGW& dialog, wchar_t* dest, int capacity) {
    dest[0] = L'\0';
    if (const auto* names = static_cast<const DEVNAMES*>(GlobalLock(dialog.hDevNames))) {
        text_copy(dest, capacity, reinterpret_cast<const wchar_t*>(names) + names->wDeviceOffset);
        GlobalUnlock(dialog.hDevNames);
    }
}

// The job's error once StartDoc has begun it: a cancel's own, or the system's.
DWORD abort_job(HDC dc) {
    const DWORD error = print_job.progress.cancel ? ERROR_CANCELLED : GetLastError();
    AbortDoc(dc);
    return error;
}

// Every page of the document to the printer; 0 when the spooler took them all, otherwise the
// error, the job then aborted. A cancel stops it before its next page.
DWORD send_pages(PrinterFonts* printer, const PrintDocument& document, const wchar_t* title) {
    const HDC dc = printer->dc;
    PrintProgress& progress = print_job.progress;
    progress.page_count = document.page_count;
    if (progress.cancel) return ERROR_CANCELLED; // while the pages were laid out
    SetAbortProc(dc, abort_proc);
    DOCINFOW job = {};
    job.cbSize = sizeof job;
    job.lpszDocName = title;
    if (StartDocW(dc, &job) <= 0)
        return progress.cancel ? static_cast<DWORD>(ERROR_CANCELLED) : GetLastError();
    // Device coordinates start at the printable area, not at the paper's edge.
    const int offset_x = GetDeviceCaps(dc, PHYSICALOFFSETX);
    const int offset_y = GetDeviceCaps(dc, PHYSICALOFFSETY);
    SetBkMode(dc, TRANSPARENT);
    for (int page = 0; page < document.page_count; ++page) {
        progress.page = page + 1;
        count_step();
        if (progress.cancel || StartPage(dc) <= 0) return abort_job(dc);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 0, 0));
        for (int i = 0; i < document.line_count; ++i) {
            const PrintLine& line = document.lines[i];
            if (line.page != page) continue;
            count_step();
            printer_font(printer, line.font, line.points);
            TextOutW(dc, line.x - offset_x, line.y - offset_y, document.text + line.start,
                     line.length);
        }
        if (progress.cancel || EndPage(dc) <= 0) return abort_job(dc);
    }
    if (progress.cancel) return abort_job(dc);
    if (EndDoc(dc) <= 0) return GetLastError();
    count_step();
    return 0;
}

// The pages of the session's result, laid out for the printer and sent; 0 or the error.
DWORD print_on(HDC dc, const PatientFields& patient) {
    static PrinterFonts printer;
    printer = {};
    printer.dc = dc;
    const PrintMeasure measure = {measure_fit, measure_line_height, &printer};
    const PrintGeometry geometry =
        a4_geometry(GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY));
    const PrintSource source = {&window_state.session, &patient};
    static PrintDocument document;
    DWORD error = ERROR_NOT_ENOUGH_MEMORY;
    if (build_print_document(source, geometry, measure, &document))
        error = send_pages(&printer, document, window_state.session.tool->title);
    free_printer_fonts(&printer);
    return error;
}

void free_print_dialog(PRINTDLGW* dialog) {
    if (dialog->hDC != nullptr) DeleteDC(dialog->hDC);
    if (dialog->hDevMode != nullptr) GlobalFree(dialog->hDevMode);
    if (dialog->hDevNames != nullptr) GlobalFree(dialog->hDevNames);
    *dialog = {};
}

// The job's thread: it prints, then frees the printer's context, whether or not the window still
// waits for it. The tool window is disabled meanwhile, so its session does not change.
DWORD print_job_thread(void*) {
    const DWORD error = print_on(print_job.dialog.hDC, print_job.patient);
    free_print_dialog(&print_job.dialog);
    return error;
}

// Runs the job on its thread under the progress window. True when it finished, with its error
// (0 or the reason); otherwise the wait is over and said so: a cancel on the status line, a
// stalled job or a thread that could not start in the failure box.
bool wait_for_job(PrintJobFunction function, DWORD* error) {
    PrintProgress& progress = print_job.progress;
    progress.cancel = false;
    progress.page = 0;
    progress.page_count = 0;
    progress.steps = 0;
    switch (run_print_job(window_state.main_window, function, nullptr, &progress, error)) {
    case PrintWaitEnd::done:
        if (*error != ERROR_CANCELLED) return true;
        break;
    case PrintWaitEnd::cancelled: break;
    case PrintWaitEnd::not_started: report_failure(*error); return false;
    case PrintWaitEnd::stalled: report_failure_reason(TEXT_PRINTER_NO_RESPONSE); return false;
    }
    text_copy(window_state.status_text, STATUS_TEXT_CAPACITY, TEXT_PRINT_CANCELLED);
    invalidate_main_window();
    return false;
}

} // namespace

void print_result() {
    if (!result_is_current(TEXT_COPY_NEEDS_RESULT)) return;
    if (print_job_running()) {
        report_failure_reason(TEXT_PRINT_STILL_RUNNING);
        return;
    }
    if (!read_patient_fields(&print_job.patient)) return;
    DWORD error = 0;
    if (!wait_for_job(printer_lookup_thread, &error)) return;
    if (error != 0) {
        report_failure(error);
        return;
    }
    if (!choose_printer(&print_job.dialog, &error)) {
        free_print_dialog(&print_job.dialog);
        if (error != 0) report_failure(error); // a Cancel prints nothing and says nothing
        return;
    }
    wchar_t printer[PRINTER_NAME_CAPACITY];
    printer_name(print_job.dialog, printer, PRINTER_NAME_CAPACITY);
    const bool finished = wait_for_job(print_job_thread, &error);
    // A job that ran freed the dialog's printer itself; one whose thread never started did not.
    if (!finished && !print_job_running()) free_print_dialog(&print_job.dialog);
    if (!finished) return;
    if (error != 0) {
        report_failure(error);
        return;
    }
    build_print_sent_status(printer, window_state.status_text, STATUS_TEXT_CAPACITY);
    invalidate_main_window();
}
