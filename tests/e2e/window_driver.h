// Drives a real program of the suite from another process through Win32 messages only, as a nurse
// would work the window: typing into edits, clicking buttons, posting keys, reading window texts,
// the clipboard, message boxes and the pixels on the screen. Every wait polls with a time limit.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "screen/control_ids.h"
#include "screen/layout.h"
#include "tests/file_bytes.h"

// The program under test, set from the command line.
extern std::wstring program_path;
// Set when the runner has put the records folder on a small disk of its own (--small-disk).
extern bool small_disk;
// The folder where the print pass's queue writes its PDFs (--print-folder=FOLDER); empty
// elsewhere.
extern std::wstring print_folder;
// Set when the runner has stopped the print server's process (--print-stalled): the spooler then
// waits for an answer that never comes.
extern bool print_stalled;
// The ward passes: this PC's letter (--ward=A), the Save policies and the overview on PC A
// (--ward-checks), and a policy folder that cannot be reached (--ward-offline=FOLDER).
extern std::wstring ward_pc;
extern bool ward_checks;
extern bool ward_offline;
extern bool ward_invalid; // --ward-invalid: RecordsFolder is set, but not as a folder may be
extern bool ward_large;   // --ward-large: RecordsFolder holds a year of large files
extern std::wstring ward_offline_folder;
// The FHIR server's control folder (--fhir=FOLDER), in the fhir pass; empty elsewhere.
extern std::wstring fhir_control;
// The https step of the fhir pass (--fhir-https=trusted or untrusted); empty elsewhere.
extern std::wstring fhir_https;
// The DPI the runner set for the prefix (--dpi=N); 0 in the passes at the usual DPI.
extern int display_dpi;
// Set when the runner has made the screen 1366 x 768 with a 40-pixel taskbar (--small-screen).
extern bool small_screen;

// The scores the tests type into Braden, which opens blank: the ones its self-test computes.
extern const std::vector<std::wstring> braden_scores;

class ProgramWindow {
  public:
    // Starts the program (program_path, or the one given) and waits for its main window, a
    // window of class_name; sync_id names the control whose text limit marks a sync.
    bool start();
    bool start(const std::wstring& program, const wchar_t* class_name = L"HalviMedToolWnd",
               int sync_id = ID_RESULT, const std::wstring& arguments = L"");
    // Closes every message box and the window (answering 是 when it asks about a result not
    // saved), and waits for the process to end.
    void stop();

    HWND main() const { return main_; }
    HWND control(int id) const { return GetDlgItem(main_, id); }
    HWND edit(int index) const { return control(ID_INPUT_BASE + index); }
    // The input guide beside the inputs; null when the window has none.
    HWND guide() const { return FindWindowExW(main_, nullptr, L"HalviMedInputGuide", nullptr); }

    // Waits until the program has handled every message posted to it so far.
    bool sync();
    void set_text(HWND window, const std::wstring& text);
    // Types the texts into the inputs, in order, as a nurse types the scores.
    void type_inputs(const std::vector<std::wstring>& texts);
    // True when every input edit of the window is empty, as a scale opens.
    bool inputs_blank() const;
    void click(int button_id);
    // Clicks without waiting for the program to handle it.
    void post_click(int button_id);
    // The next message box of this program, whatever its caption; null when none came.
    HWND wait_for_any_message_box();
    void press(HWND window, WPARAM key);
    // Brings the window to the foreground, where key strokes through the system's input go.
    bool to_foreground();
    // A mouse click into a control, as a nurse clicks into an edit.
    void click_into(HWND window);
    HWND focus() const;

    // A message box of this program with the caption, waited for; null when none came.
    HWND wait_for_message_box(const std::wstring& caption);
    std::wstring message_box_text(HWND box) const;
    void close_message_box(HWND box);
    std::vector<HWND> open_message_boxes() const;

    std::vector<HWND> statics() const;
    // The static text that shows the verdict, found where the layout puts it.
    HWND verdict_label() const;

    // The client area as it is on the screen, 0x00RRGGBB per pixel, rows from the top.
    std::vector<DWORD> capture_client(int* width, int* height) const;
    // Pixels of exactly this colour in the client rectangle left, top to right, bottom.
    int count_colour(DWORD colour, int left, int top, int right, int bottom) const;
    // Waits until the verdict label shows text in exactly this colour.
    bool verdict_drawn_in(DWORD colour) const;
    // Saves the client area as a 24-bit bitmap file.
    bool save_screenshot(const std::wstring& path) const;

  private:
    PROCESS_INFORMATION process_{};
    HWND main_ = nullptr;
    int marker_ = 0;
    int sync_id_ = ID_RESULT;
};

std::wstring window_text(HWND window);
// The texts of a list box's rows, read from another process.
std::vector<std::wstring> list_box_texts(HWND list);
// A visible top-level window of any process with that class and caption; null when none.
HWND find_window(const wchar_t* class_name, const wchar_t* caption);
// The per-user records folder, and UTF-8 text as wide text (read_bytes reads a file).
std::wstring records_folder();
// The assessor the programs remember for this user; null forgets it.
void set_remembered_assessor(const wchar_t* name);
std::wstring from_utf8(const std::string& bytes);
std::string to_utf8(const std::wstring& text);
// The text with every record id (a lower-case version-4 UUID) as "<id>", so that records saved
// with random ids compare with the expected text; a malformed id stays as it is and fails.
std::wstring masked_record_ids(const std::wstring& text);
// The folder of the program under test, where every program of the suite lies.
std::wstring program_folder();
// A version-resource string of a program file, such as L"FileDescription".
std::wstring version_string(const std::wstring& path, const wchar_t* name);
// Real key strokes through the system's input, so that Shift and Ctrl are down when the program
// reads them: each key of keys pressed in order, then released in reverse.
void chord(const std::vector<WORD>& keys);
// A double click of the left button into a window at a point of its client area, the cursor
// moved there first, as the window reads where a double click was.
void double_click_at(HWND window, POINT client);
// Saves a window's client area, or the whole screen, as a 24-bit bitmap file.
bool save_window_screenshot(HWND window, const std::wstring& path);
bool save_screen_screenshot(const std::wstring& path);
std::wstring clipboard_text();
void empty_clipboard();

// How long a test waits for what it needs (a window, a box, a file, a PDF): as long as a loaded
// machine may need. The event ends the wait; a test never asserts how fast it came.
constexpr DWORD EVENT_WAIT_MS = 120000;

// Polls predicate every 20 ms until it holds or the limit passes.
template <typename Predicate> bool wait_until(Predicate predicate, DWORD limit_ms = EVENT_WAIT_MS) {
    const DWORD start = GetTickCount();
    while (!predicate()) {
        if (GetTickCount() - start > limit_ms) return false;
        Sleep(20);
    }
    return true;
}
