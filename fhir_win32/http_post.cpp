#include "fhir_win32/http_post.h"

#include <winhttp.h>

#include "core/text.h"
#include "window_kit/dll_search.h"

namespace {

// WinHTTP is no Known DLL: each function is taken from the copy in the system folder.
struct WinHttp {
    decltype(&WinHttpOpen) open;
    decltype(&WinHttpCrackUrl) crack;
    decltype(&WinHttpConnect) connect;
    decltype(&WinHttpOpenRequest) open_request;
    decltype(&WinHttpSetTimeouts) set_timeouts;
    decltype(&WinHttpSetOption) set_option;
    decltype(&WinHttpAddRequestHeaders) add_headers;
    decltype(&WinHttpSendRequest) send;
    decltype(&WinHttpReceiveResponse) receive;
    decltype(&WinHttpQueryHeaders) query_headers;
    decltype(&WinHttpReadData) read;
    decltype(&WinHttpCloseHandle) close;
};

template <typename Function> bool load(Function* function, const char* name) {
    *function = reinterpret_cast<Function>(system_procedure(L"winhttp.dll", name));
    return *function != nullptr;
}

bool load_winhttp(WinHttp* w) {
    return load(&w->open, "WinHttpOpen") && load(&w->crack, "WinHttpCrackUrl") &&
           load(&w->connect, "WinHttpConnect") && load(&w->open_request, "WinHttpOpenRequest") &&
           load(&w->set_timeouts, "WinHttpSetTimeouts") &&
           load(&w->set_option, "WinHttpSetOption") &&
           load(&w->add_headers, "WinHttpAddRequestHeaders") &&
           load(&w->send, "WinHttpSendRequest") && load(&w->receive, "WinHttpReceiveResponse") &&
           load(&w->query_headers, "WinHttpQueryHeaders") && load(&w->read, "WinHttpReadData") &&
           load(&w->close, "WinHttpCloseHandle");
}

constexpr int CONNECT_MS = 5000;
constexpr int SEND_MS = 10000;
constexpr int RESPONSE_MS = 15000;
constexpr int URL_PART_CAPACITY = 1024;
constexpr int HEADER_CAPACITY = 4096 + 64;

// The handles of one request, closed in reverse order however far it got.
struct Handles {
    const WinHttp* w;
    HINTERNET session = nullptr;
    HINTERNET connection = nullptr;
    HINTERNET request = nullptr;
    ~Handles() {
        if (request != nullptr) w->close(request);
        if (connection != nullptr) w->close(connection);
        if (session != nullptr) w->close(session);
    }
};

HttpPostResult failure() { return {false, 0, 0, GetLastError()}; }

// Reads the answer's body into answer, cut at its capacity; the rest is read and dropped.
int read_body(const WinHttp& w, HINTERNET request, char* answer, int capacity) {
    int length = 0;
    static char rest[4096];
    for (;;) {
        char* into = length < capacity - 1 ? answer + length : rest;
        const DWORD room = length < capacity - 1 ? static_cast<DWORD>(capacity - 1 - length)
                                                 : static_cast<DWORD>(sizeof rest);
        DWORD read = 0;
        if (!w.read(request, into, room, &read) || read == 0) break;
        if (into != rest) length += static_cast<int>(read);
    }
    answer[length] = '\0';
    return length;
}

} // namespace

HttpPostResult http_post(const wchar_t* url, const wchar_t* authorization, const char* body,
                         int length, char* answer, int capacity) {
    answer[0] = '\0';
    static WinHttp w;
    static const bool loaded = load_winhttp(&w);
    if (!loaded) return {false, 0, 0, ERROR_PROC_NOT_FOUND};
    wchar_t host[URL_PART_CAPACITY];
    wchar_t path[URL_PART_CAPACITY];
    URL_COMPONENTS parts = {};
    parts.dwStructSize = sizeof parts;
    parts.lpszHostName = host;
    parts.dwHostNameLength = URL_PART_CAPACITY;
    parts.lpszUrlPath = path;
    parts.dwUrlPathLength = URL_PART_CAPACITY;
    if (!w.crack(url, 0, 0, &parts)) return failure();
    const bool secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
    Handles handles{&w};
    handles.session = w.open(L"HalviMed", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                             WINHTTP_NO_PROXY_BYPASS, 0);
    if (handles.session == nullptr) return failure();
    w.set_timeouts(handles.session, CONNECT_MS, CONNECT_MS, SEND_MS, RESPONSE_MS);
    handles.connection = w.connect(handles.session, host, parts.nPort, 0);
    if (handles.connection == nullptr) return failure();
    handles.request = w.open_request(handles.connection, L"POST", path[0] != L'\0' ? path : L"/",
                                     nullptr, WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                     secure ? WINHTTP_FLAG_SECURE : 0);
    if (handles.request == nullptr) return failure();
    // The timeouts alone do not bound a server that takes the request and never answers.
    DWORD response_ms = RESPONSE_MS;
    w.set_option(handles.request, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &response_ms,
                 sizeof response_ms);
    static wchar_t headers[HEADER_CAPACITY];
    text_copy(headers, HEADER_CAPACITY,
              L"Content-Type: application/fhir+json\r\nAccept: application/fhir+json\r\n");
    if (authorization != nullptr && authorization[0] != L'\0') {
        text_append(headers, HEADER_CAPACITY, L"Authorization: ");
        text_append(headers, HEADER_CAPACITY, authorization);
        text_append(headers, HEADER_CAPACITY, L"\r\n");
    }
    if (!w.add_headers(handles.request, headers, static_cast<DWORD>(-1L),
                       WINHTTP_ADDREQ_FLAG_ADD | WINHTTP_ADDREQ_FLAG_REPLACE) ||
        !w.send(handles.request, WINHTTP_NO_ADDITIONAL_HEADERS, 0, const_cast<char*>(body),
                static_cast<DWORD>(length), static_cast<DWORD>(length), 0) ||
        !w.receive(handles.request, nullptr))
        return failure();
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!w.query_headers(handles.request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                         WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX))
        return failure();
    const int read = read_body(w, handles.request, answer, capacity);
    return {true, static_cast<int>(status), read, 0};
}

void http_failure_text(DWORD error, wchar_t* dest, int capacity) {
    const struct {
        DWORD error;
        const wchar_t* text;
    } texts[] = {
        {ERROR_WINHTTP_TIMEOUT, L"服务器未在规定时间内应答"},
        {ERROR_WINHTTP_CANNOT_CONNECT, L"无法连接服务器"},
        {ERROR_WINHTTP_CONNECTION_ERROR, L"与服务器的连接中断"},
        {ERROR_WINHTTP_NAME_NOT_RESOLVED, L"找不到服务器"},
        {ERROR_WINHTTP_SECURE_FAILURE, L"服务器证书无效或不受信任"},
        {ERROR_WINHTTP_INVALID_URL, L"服务器地址无效"},
        {ERROR_WINHTTP_UNRECOGNIZED_SCHEME, L"服务器地址无效"},
        {ERROR_WINHTTP_INVALID_SERVER_RESPONSE, L"服务器的应答无法读取"},
        {ERROR_PROC_NOT_FOUND, L"本机缺少 WinHTTP"},
    };
    for (const auto& t : texts) {
        if (t.error != error) continue;
        text_format(dest, capacity, L"%ls（错误 %lu）", t.text, static_cast<unsigned long>(error));
        return;
    }
    text_format(dest, capacity, L"网络错误（错误 %lu）", static_cast<unsigned long>(error));
}
