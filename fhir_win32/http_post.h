// One HTTP POST of a FHIR request body through WinHTTP, loaded from the system folder: bounded
// by its timeouts (connect 5 s, send 10 s, response 15 s), https verified against the Windows
// certificate store, never with a certificate error ignored.
#pragma once

#include <windows.h>

struct HttpPostResult {
    bool answered; // a status came back; otherwise error says why not
    int status;    // the HTTP status
    int length;    // of the answer's body in answer (terminated), cut at its capacity
    DWORD error;   // a WinHTTP or system error when nothing was answered
};

// POSTs body to url with Content-Type application/fhir+json and, unless it is empty, the
// Authorization header as written.
HttpPostResult http_post(const wchar_t* url, const wchar_t* authorization, const char* body,
                         int length, char* answer, int capacity);

// What a nurse reads for a request that got no answer: "无法连接服务器",
// "服务器未在规定时间内应答", "服务器证书无效或不受信任" and the like, with the error's number.
void http_failure_text(DWORD error, wchar_t* dest, int capacity);
