#include "window_kit/system_text.h"

#include "core/text.h"

int system_error_text(DWORD error, const wchar_t* insert, wchar_t* dest, int capacity) {
    // The words keep their inserts: they are filled here, where a "%1" cannot run as a format.
    wchar_t words[512] = L"";
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                   words, 512, nullptr);
    return text_fill_message_inserts(dest, capacity, words, insert);
}
