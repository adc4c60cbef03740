// A file replaced whole through the file-operations port, with a fault injected at every step: the
// path never holds a half file, and no partial file is left behind.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "records/file_replace.h"

namespace {

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
        of(context).files.erase(path);
        return true;
    }
    FileReplaceOps ops() { return {this, create, write, flush, close, rename, remove}; }
};

TEST(FileReplace, AFaultAtAnyStepLeavesThePathAsItWas) {
    const std::string bytes(3u << 20, 'x'); // more than one write step
    for (const bool existed : {false, true}) {
        MemoryFolder whole;
        if (existed) whole.files[L"D:\\a.csv"] = "old";
        ASSERT_TRUE(file_replace(whole.ops(), L"D:\\a.csv", bytes.data(), bytes.size()));
        EXPECT_EQ(whole.files.size(), 1u);
        EXPECT_EQ(whole.files[L"D:\\a.csv"], bytes);
        for (int fail = 0; fail < whole.steps; ++fail) {
            for (const int limit : {0, 100}) {
                MemoryFolder folder;
                if (existed) folder.files[L"D:\\a.csv"] = "old";
                folder.fail_at = fail;
                folder.write_limit = limit;
                EXPECT_FALSE(file_replace(folder.ops(), L"D:\\a.csv", bytes.data(), bytes.size()))
                    << "step " << fail;
                EXPECT_EQ(folder.files.count(L"D:\\a.csv.part"), 0u) << "step " << fail;
                if (existed)
                    EXPECT_EQ(folder.files[L"D:\\a.csv"], "old") << "step " << fail;
                else
                    EXPECT_EQ(folder.files.count(L"D:\\a.csv"), 0u) << "step " << fail;
            }
        }
    }
    // A path whose partial name does not fit is refused before anything is made.
    MemoryFolder folder;
    const std::wstring long_path(FILE_REPLACE_PATH_CAPACITY - 3, L'p');
    EXPECT_FALSE(file_replace(folder.ops(), long_path.c_str(), "x", 1));
    EXPECT_EQ(folder.steps, 0);
}

} // namespace
