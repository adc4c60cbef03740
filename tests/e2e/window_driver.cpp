#include "tests/e2e/window_driver.h"

#include <cstdio>

#include <shlobj.h>

std::wstring program_path;
bool small_disk = false;
int display_dpi = 0;
std::wstring print_folder;
bool print_stalled = false;
std::wstring ward_pc;
bool ward_checks = false;
bool ward_offline = false;
bool ward_invalid = false;
bool ward_large = false;
std::wstring ward_offline_folder;
std::wstring fhir_control;
std::wstring fhir_https;
bool small_screen = false;

namespace {

constexpr DWORD SEND_LIMIT_MS = 5000;
constexpr UINT SEND_FLAGS = SMTO_ABORTIFHUNG | SMTO_BLOCK;

struct WindowSearch {
    DWORD process_id;
    const wchar_t* class_name;
    const wchar_t* caption; // null: any
    std::vector<HWND> found;
};

std::wstring class_of(HWND window) {
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    return name;
}

BOOL CALLBACK collect_window(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<WindowSearch*>(context);
    DWORD process_id = 0;
    GetWindowThreadProcessId(window, &process_id);
    if (process_id != search->process_id || class_of(window) != search->class_name) return TRUE;
    if (search->caption != nullptr && window_text(window) != search->caption) return TRUE;
    if (!IsWindowVisible(window)) return TRUE;
    search->found.push_back(window);
    return TRUE;
}

BOOL CALLBACK collect_child(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<WindowSearch*>(context);
    if (class_of(window) == search->class_name) search->found.push_back(window);
    return TRUE;
}

std::vector<HWND> top_level_windows(DWORD process_id, const wchar_t* class_name,
                                    const wchar_t* caption) {
    WindowSearch search{process_id, class_name, caption, {}};
    EnumWindows(collect_window, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

std::wstring window_text(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SEND_FLAGS, SEND_LIMIT_MS, &length))
        return L"<no answer>";
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(&text[0]),
                        SEND_FLAGS, SEND_LIMIT_MS, &copied);
    text.resize(copied);
    return text;
}

bool ProgramWindow::start() { return start(program_path); }

const std::vector<std::wstring> braden_scores = {L"3", L"2", L"2", L"2", L"2", L"2"};

void ProgramWindow::type_inputs(const std::vector<std::wstring>& texts) {
    for (std::size_t j = 0; j < texts.size(); ++j) set_text(edit(static_cast<int>(j)), texts[j]);
}

bool ProgramWindow::inputs_blank() const {
    for (int j = 0; edit(j) != nullptr; ++j)
        if (!window_text(edit(j)).empty()) return false;
    return true;
}

std::vector<std::wstring> list_box_texts(HWND list) {
    std::vector<std::wstring> texts;
    DWORD_PTR count = 0;
    if (!SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SEND_FLAGS, SEND_LIMIT_MS, &count))
        return texts;
    for (DWORD_PTR i = 0; i < count; ++i) {
        DWORD_PTR length = 0;
        SendMessageTimeoutW(list, LB_GETTEXTLEN, i, 0, SEND_FLAGS, SEND_LIMIT_MS, &length);
        std::wstring text(length + 1, L'\0');
        DWORD_PTR copied = 0;
        SendMessageTimeoutW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&text[0]), SEND_FLAGS,
                            SEND_LIMIT_MS, &copied);
        text.resize(copied);
        texts.push_back(text);
    }
    return texts;
}

HWND find_window(const wchar_t* class_name, const wchar_t* caption) {
    const HWND window = FindWindowW(class_name, caption);
    return window != nullptr && IsWindowVisible(window) ? window : nullptr;
}

bool ProgramWindow::start(const std::wstring& program, const wchar_t* class_name, int sync_id,
                          const std::wstring& arguments) {
    sync_id_ = sync_id;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring command = L"\"" + program + L"\"";
    if (!arguments.empty()) command += L" " + arguments;
    // Once more after a moment: a Wine just done with a large write has been seen to refuse one.
    bool created = false;
    for (int attempt = 0; attempt < 2 && !created; ++attempt) {
        if (attempt > 0) Sleep(1000);
        created = CreateProcessW(program.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                                 nullptr, &startup, &process_) != 0;
        if (!created)
            std::fwprintf(stderr, L"cannot start %ls: error %lu\n", program.c_str(),
                          GetLastError());
    }
    if (!created) return false;
    WaitForInputIdle(process_.hProcess, 10000);
    const bool found = wait_until([&] {
        const std::vector<HWND> windows =
            top_level_windows(process_.dwProcessId, class_name, nullptr);
        main_ = windows.empty() ? nullptr : windows.front();
        return main_ != nullptr;
    });
    return found && sync();
}

void ProgramWindow::stop() {
    if (process_.hProcess == nullptr) return;
    for (HWND box : open_message_boxes()) close_message_box(box);
    if (main_ != nullptr) PostMessageW(main_, WM_CLOSE, 0, 0);
    // A window with a result not saved asks first: the test is done with it.
    const bool ended = wait_until(
        [&] {
            if (WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0) return true;
            for (HWND box : open_message_boxes())
                if (message_box_text(box) == L"本次计算结果尚未保存。仍要关闭吗？")
                    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
            return false;
        },
        10000);
    if (!ended) TerminateProcess(process_.hProcess, 99);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
    process_ = PROCESS_INFORMATION{};
    main_ = nullptr;
}

// Posts a harmless marker (a new text limit for the read-only result box) behind whatever was
// posted before, and waits until the box reports it: posted messages are handled in order.
bool ProgramWindow::sync() {
    const HWND box = control(sync_id_);
    const LPARAM marker = 100000 + (++marker_);
    PostMessageW(box, EM_SETLIMITTEXT, static_cast<WPARAM>(marker), 0);
    return wait_until([&] {
        DWORD_PTR limit = 0;
        SendMessageTimeoutW(box, EM_GETLIMITTEXT, 0, 0, SEND_FLAGS, SEND_LIMIT_MS, &limit);
        return static_cast<LPARAM>(limit) == marker;
    });
}

void ProgramWindow::set_text(HWND window, const std::wstring& text) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SEND_FLAGS,
                        SEND_LIMIT_MS, &ignored);
}

void ProgramWindow::click(int button_id) {
    PostMessageW(control(button_id), BM_CLICK, 0, 0);
    sync();
}

void ProgramWindow::post_click(int button_id) { PostMessageW(control(button_id), BM_CLICK, 0, 0); }

HWND ProgramWindow::wait_for_any_message_box() {
    HWND box = nullptr;
    wait_until([&] {
        const std::vector<HWND> boxes = open_message_boxes();
        box = boxes.empty() ? nullptr : boxes.front();
        return box != nullptr;
    });
    return box;
}

void ProgramWindow::click_into(HWND window) {
    const LPARAM point = MAKELPARAM(5, 5);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageW(window, WM_LBUTTONUP, 0, point);
    sync();
}

void ProgramWindow::press(HWND window, WPARAM key) {
    PostMessageW(window, WM_KEYDOWN, key, 1);
    PostMessageW(window, WM_KEYUP, key, 0xC0000001);
    sync();
}

bool ProgramWindow::to_foreground() {
    SetForegroundWindow(main_);
    return wait_until([&] { return GetForegroundWindow() == main_; });
}

void chord(const std::vector<WORD>& keys) {
    std::vector<INPUT> inputs;
    for (const WORD key : keys) {
        INPUT down{};
        down.type = INPUT_KEYBOARD;
        down.ki.wVk = key;
        inputs.push_back(down);
    }
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
        INPUT up{};
        up.type = INPUT_KEYBOARD;
        up.ki.wVk = *key;
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(up);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void double_click_at(HWND window, POINT client) {
    POINT screen = client;
    ClientToScreen(window, &screen);
    SetCursorPos(screen.x, screen.y);
    const LPARAM at = MAKELPARAM(client.x, client.y);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(window, WM_LBUTTONUP, 0, at);
    PostMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageW(window, WM_LBUTTONUP, 0, at);
}

HWND ProgramWindow::focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(process_.dwThreadId, &info)) return nullptr;
    return info.hwndFocus;
}

HWND ProgramWindow::wait_for_message_box(const std::wstring& caption) {
    HWND box = nullptr;
    wait_until([&] {
        const std::vector<HWND> boxes =
            top_level_windows(process_.dwProcessId, L"#32770", caption.c_str());
        box = boxes.empty() ? nullptr : boxes.front();
        return box != nullptr;
    });
    return box;
}

std::vector<HWND> ProgramWindow::open_message_boxes() const {
    return top_level_windows(process_.dwProcessId, L"#32770", nullptr);
}

// The message text is the static control with the identifier 0xFFFF.
std::wstring ProgramWindow::message_box_text(HWND box) const {
    const HWND text = GetDlgItem(box, 0xFFFF);
    return text != nullptr ? window_text(text) : L"<no text control>";
}

void ProgramWindow::close_message_box(HWND box) {
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    wait_until([&] { return !IsWindow(box) || !IsWindowVisible(box); });
    sync();
}

std::vector<HWND> ProgramWindow::statics() const {
    WindowSearch search{0, L"Static", nullptr, {}};
    EnumChildWindows(main_, collect_child, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND ProgramWindow::verdict_label() const {
    for (HWND label : statics()) {
        RECT rect;
        GetWindowRect(label, &rect);
        POINT corner = {rect.left, rect.top};
        ScreenToClient(main_, &corner);
        if (corner.x == layout::VERDICT_LABEL.x && corner.y == layout::VERDICT_LABEL.y)
            return label;
    }
    return nullptr;
}

int ProgramWindow::count_colour(DWORD colour, int left, int top, int right, int bottom) const {
    int width = 0, height = 0;
    const std::vector<DWORD> pixels = capture_client(&width, &height);
    int count = 0;
    for (int y = top; y < bottom && y < height; ++y)
        for (int x = left; x < right && x < width; ++x)
            if (pixels[static_cast<std::size_t>(y) * width + x] == colour) ++count;
    return count;
}

bool ProgramWindow::verdict_drawn_in(DWORD colour) const {
    const LayoutRect& label = layout::VERDICT_LABEL;
    return wait_until(
        [&] { return count_colour(colour, label.x, label.y, label.right(), label.bottom()) > 20; });
}

namespace {

// The screen's pixels in the rectangle, 0x00RRGGBB, rows from the top.
std::vector<DWORD> capture_screen(int left, int top, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // rows from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, left, top, SRCCOPY);
    GdiFlush();
    const auto* pixels = static_cast<const DWORD*>(bits);
    std::vector<DWORD> copy(pixels, pixels + static_cast<std::size_t>(width) * height);
    for (DWORD& pixel : copy) pixel &= 0x00FFFFFF;
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return copy;
}

// Pixels as a 24-bit bitmap file.
bool save_bitmap(const std::wstring& path, const std::vector<DWORD>& pixels, int width,
                 int height) {
    const int row_bytes = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + row_bytes * height;
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    const HANDLE out =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (out == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    WriteFile(out, &file, sizeof file, &written, nullptr);
    WriteFile(out, &info, sizeof info, &written, nullptr);
    std::vector<BYTE> row(row_bytes, 0);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const DWORD pixel = pixels[static_cast<std::size_t>(y) * width + x];
            row[x * 3] = static_cast<BYTE>(pixel & 0xFF);
            row[x * 3 + 1] = static_cast<BYTE>((pixel >> 8) & 0xFF);
            row[x * 3 + 2] = static_cast<BYTE>((pixel >> 16) & 0xFF);
        }
        WriteFile(out, row.data(), row_bytes, &written, nullptr);
    }
    CloseHandle(out);
    return true;
}

} // namespace

std::vector<DWORD> ProgramWindow::capture_client(int* width, int* height) const {
    RECT client;
    GetClientRect(main_, &client);
    POINT origin = {0, 0};
    ClientToScreen(main_, &origin);
    *width = client.right;
    *height = client.bottom;
    return capture_screen(origin.x, origin.y, *width, *height);
}

bool ProgramWindow::save_screenshot(const std::wstring& path) const {
    int width = 0, height = 0;
    const std::vector<DWORD> pixels = capture_client(&width, &height);
    return save_bitmap(path, pixels, width, height);
}

bool save_window_screenshot(HWND window, const std::wstring& path) {
    RECT client;
    GetClientRect(window, &client);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    return save_bitmap(path, capture_screen(origin.x, origin.y, client.right, client.bottom),
                       client.right, client.bottom);
}

bool save_screen_screenshot(const std::wstring& path) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    return save_bitmap(path, capture_screen(0, 0, width, height), width, height);
}

std::wstring clipboard_text() {
    std::wstring text = L"<clipboard not open>";
    if (!wait_until([] { return OpenClipboard(nullptr) != FALSE; })) return text;
    const HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (data == nullptr) {
        text = L"<empty clipboard>";
    } else {
        const auto* chars = static_cast<const wchar_t*>(GlobalLock(data));
        text = chars != nullptr ? chars : L"<unlockable>";
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

void empty_clipboard() {
    if (!wait_until([] { return OpenClipboard(nullptr) != FALSE; })) return;
    EmptyClipboard();
    CloseClipboard();
}

std::wstring records_folder() {
    wchar_t app_data[MAX_PATH] = L"";
    SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, app_data);
    return std::wstring(app_data) + L"\\HalviMedSuite\\records";
}

std::wstring from_utf8(const std::string& bytes) {
    if (bytes.empty()) return L"";
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(length, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), &text[0], length);
    return text;
}

namespace {

bool is_record_id(const std::wstring& text, std::size_t at) {
    if (text.size() - at < 36) return false;
    for (std::size_t i = 0; i < 36; ++i) {
        const wchar_t c = text[at + i];
        const bool hex = (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f');
        if (i == 8 || i == 13 || i == 18 || i == 23 ? c != L'-' : !hex) return false;
    }
    return text[at + 14] == L'4' && std::wstring(L"89ab").find(text[at + 19]) != std::wstring::npos;
}

} // namespace

std::wstring masked_record_ids(const std::wstring& text) {
    std::wstring masked;
    std::size_t at = 0;
    while (at < text.size()) {
        if (is_record_id(text, at)) {
            masked += L"<id>";
            at += 36;
        } else {
            masked += text[at++];
        }
    }
    return masked;
}

std::string to_utf8(const std::wstring& text) {
    if (text.empty()) return "";
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &bytes[0], length,
                        nullptr, nullptr);
    return bytes;
}

std::wstring program_folder() {
    const std::size_t slash = program_path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"." : program_path.substr(0, slash);
}

std::wstring version_string(const std::wstring& path, const wchar_t* name) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0) return L"<no version resource>";
    std::vector<BYTE> data(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, data.data())) return L"<unreadable>";
    const std::wstring query = std::wstring(L"\\StringFileInfo\\080404B0\\") + name;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), query.c_str(), &value, &length) || value == nullptr)
        return L"<no " + std::wstring(name) + L">";
    return static_cast<const wchar_t*>(value);
}

void set_remembered_assessor(const wchar_t* name) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\HalviMed\\Tools", 0, nullptr, 0,
                        KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    if (name == nullptr) {
        RegDeleteValueW(key, L"Assessor");
    } else {
        RegSetValueExW(key, L"Assessor", 0, REG_SZ, reinterpret_cast<const BYTE*>(name),
                       static_cast<DWORD>((wcslen(name) + 1) * sizeof(wchar_t)));
    }
    RegCloseKey(key);
}
