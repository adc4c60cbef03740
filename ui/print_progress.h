// A print job on a thread of its own, so that the tool window keeps painting while the spooler
// works: a modeless "正在打印 第 p 页 / 共 n 页" window with 取消 shows over the tool window until
// the job ends, is cancelled, or makes no progress for PRINT_STALL_MS.
#pragma once

#include <windows.h>

#include <atomic>

constexpr unsigned PRINT_STALL_MS = 30000;

// What the job's thread and the window share: the job counts its pages and its steps (every page,
// line, measure and spooler callback) and stops at its next step once cancel is set.
struct PrintProgress {
    std::atomic<bool> cancel;
    std::atomic<int> page; // from 1
    std::atomic<int> page_count;
    std::atomic<unsigned> steps;
};

enum class PrintWaitEnd { done, cancelled, stalled, not_started };

// The job: sends the document and frees everything it was given, whenever it ends; returns 0 when
// the spooler took every page, otherwise the error.
using PrintJobFunction = DWORD (*)(void* context);

// Starts job(context) on its thread and shows the progress window over owner until it ends
// (done, with the job's error), the nurse cancels, or the job stalls. A cancelled or stalled job
// is left to stop by itself: its thread sees cancel at its next step. not_started: the thread
// could not be made (error), and job never ran, so the caller frees what it would have.
PrintWaitEnd run_print_job(HWND owner, PrintJobFunction job, void* context, PrintProgress* progress,
                           DWORD* error);

// True while the thread of an earlier job still runs (a cancelled or stalled one, finishing).
bool print_job_running();
