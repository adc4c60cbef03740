// A file replaced whole through the file-operations port, with a fault injected at every step: the
// path never holds a half file, and no partial file is left behind.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "records/file_replace.h"
#include "tests/memory_folder.h"

namespace {

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
