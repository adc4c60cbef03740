// A folder of files in memory behind the file-replace operations, with a fault injected at any
// one step (each call counts): for the tests of files written whole.
#pragma once

#include <algorithm>
#include <map>
#include <string>

#include "records/file_replace.h"

struct MemoryFolder {
    std::map<std::wstring, std::string> files;
    std::wstring open;    // the file being written
    int fail_at = -1;     // the step (each call counts) that fails; -1: none
    int write_limit = -1; // bytes the failing write stores first
    int steps = 0;

    static MemoryFolder& of(void* context) { return *static_cast<MemoryFolder*>(context); }
    bool fails() { return steps++ == fail_at; }
    static bool create(void* context, const wchar_t* path) {
        MemoryFolder& f = of(context);
        if (f.fails()) return false;
        f.open = path;
        f.files[path].clear();
        return true;
    }
    static bool write(void* context, const char* bytes, int count, int* written) {
        MemoryFolder& f = of(context);
        const bool fail = f.fails();
        const int stored = fail ? std::min(count, std::max(f.write_limit, 0)) : count;
        f.files[f.open].append(bytes, static_cast<std::size_t>(stored));
        *written = stored;
        return !fail;
    }
    static bool flush(void* context) { return !of(context).fails(); }
    static bool close(void* context) { return !of(context).fails(); }
    static bool rename(void* context, const wchar_t* from, const wchar_t* to) {
        MemoryFolder& f = of(context);
        if (f.fails()) return false;
        f.files[to] = f.files[from];
        f.files.erase(from);
        return true;
    }
    static bool remove(void* context, const wchar_t* path) {
        MemoryFolder& f = of(context);
        if (f.fails()) return false;
        f.files.erase(path);
        return true;
    }
    FileReplaceOps ops() { return {this, create, write, flush, close, rename, remove}; }
};
