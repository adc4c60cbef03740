// Writing a whole file so that it is never seen half written: the bytes go to a file beside it
// ("<path>.part"), are flushed, and only then renamed over the path. If any step fails, the path
// holds what it held before (or nothing, when it did not exist) and the partial file is removed.
// Portable: the files are reached through the operations below, which the Windows program
// implements with the file API and the tests with files of their own.
#pragma once

#include <cstddef>

constexpr int FILE_REPLACE_PATH_CAPACITY = 1024;

struct FileReplaceOps {
    void* context;
    // Creates the file, replacing one of that name, open for writing.
    bool (*create)(void* context, const wchar_t* path);
    // Writes count bytes at the end of the created file; stores how many reached it.
    bool (*write)(void* context, const char* bytes, int count, int* written);
    // Makes what was written reach the disk.
    bool (*flush)(void* context);
    bool (*close)(void* context);
    // Renames from over to, replacing it, as one step.
    bool (*rename)(void* context, const wchar_t* from, const wchar_t* to);
    bool (*remove)(void* context, const wchar_t* path);
};

// True only when the file at path holds exactly the bytes. False when the partial file's name does
// not fit, or any step fails; nothing is then left but what the path held before.
bool file_replace(const FileReplaceOps& ops, const wchar_t* path, const char* bytes,
                  std::size_t length);
