#include "records/file_replace.h"

#include "core/text.h"

namespace {

constexpr int WRITE_STEP = 1 << 20;

bool write_all(const FileReplaceOps& ops, const char* bytes, std::size_t length) {
    std::size_t done = 0;
    while (done < length) {
        const std::size_t left = length - done;
        const int step =
            left < static_cast<std::size_t>(WRITE_STEP) ? static_cast<int>(left) : WRITE_STEP;
        int written = 0;
        if (!ops.write(ops.context, bytes + done, step, &written) || written != step) return false;
        done += static_cast<std::size_t>(step);
    }
    return true;
}

} // namespace

bool file_replace(const FileReplaceOps& ops, const wchar_t* path, const char* bytes,
                  std::size_t length) {
    wchar_t partial[FILE_REPLACE_PATH_CAPACITY];
    if (!text_format_whole(partial, FILE_REPLACE_PATH_CAPACITY, L"%ls.part", path)) return false;
    if (!ops.create(ops.context, partial)) return false;
    // Until the rename, the path is untouched: a failure only takes the partial file away.
    const bool written = write_all(ops, bytes, length) && ops.flush(ops.context);
    const bool closed = ops.close(ops.context);
    if (written && closed && ops.rename(ops.context, partial, path)) return true;
    ops.remove(ops.context, partial);
    return false;
}
