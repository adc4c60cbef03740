// Writing a wide text to a file as UTF-8. The text is converted in chunks straight into the
// file, so a text of any length is written whole.
#include <cstdio>

#include "app/utf8_file.h"
#include "core/utf8.h"

namespace {

constexpr int CHUNK_BYTES = 4096;

std::FILE* open_for_writing(const wchar_t* path) {
#ifdef _WIN32
    return _wfopen(path, L"wb");
#else
    char narrow[4 * 1024];
    if (utf8_from_wide(path, narrow, static_cast<int>(sizeof narrow)) < 0) return nullptr;
    return std::fopen(narrow, "wb");
#endif
}

} // namespace

bool write_utf8_file(const wchar_t* path, const wchar_t* text) {
    if (path == nullptr || path[0] == L'\0') return false;
    std::FILE* file = open_for_writing(path);
    if (file == nullptr) return false;
    bool written = true;
    char chunk[CHUNK_BYTES];
    int used = 0;
    const wchar_t* p = text != nullptr ? text : L"";
    while (*p != L'\0' || used > 0) {
        if (*p == L'\0' || used > CHUNK_BYTES - 4) {
            if (std::fwrite(chunk, 1, static_cast<std::size_t>(used), file) !=
                static_cast<std::size_t>(used))
                written = false;
            used = 0;
            continue;
        }
        used += utf8_encode(wide_next_code_point(p), chunk + used);
    }
    // Flushed and checked before closing: some C runtimes (Wine's among them) report a buffered
    // write that failed on a full disk neither from fwrite nor from fclose.
    if (std::fflush(file) != 0 || std::ferror(file) != 0) written = false;
    if (std::fclose(file) != 0) written = false;
    return written;
}
