// The record file keeps only whole lines whatever a save's write does: faults are injected into
// an in-memory file here, and into real files under Windows in the test below it.
#include <gtest/gtest.h>

#include <string>

#include "records/record_append.h"
#include "tests/memory_record_file.h"

namespace {

const wchar_t* const header = L"时间,工具,结果\r\n";
const std::string header_bytes = "\xEF\xBB\xBF\xE6\x97\xB6\xE9\x97\xB4,\xE5\xB7\xA5\xE5\x85\xB7,"
                                 "\xE7\xBB\x93\xE6\x9E\x9C\r\n";
const wchar_t* const line = L"2026-12-08 10:00:00,T,a=1,ok\r\n";
const std::string line_bytes = "2026-12-08 10:00:00,T,a=1,ok\r\n";

// A file in memory whose writes can fail after a number of bytes, and whose truncation can fail.
struct FakeFile : MemoryRecordFile {
    int write_limit = -1;         // bytes a write stores before it fails; -1: no fault
    bool truncate_fails = false;  // the taking back fails too
    std::string written_by_other; // what another program appends while the write fails
    bool size_fails = false;
    bool flush_fails = false;

    static FakeFile& of(void* file) {
        return static_cast<FakeFile&>(*static_cast<MemoryRecordFile*>(file));
    }
    static bool size(void* file, std::int64_t* size) {
        if (of(file).size_fails) return false;
        *size = static_cast<std::int64_t>(of(file).bytes.size());
        return true;
    }
    static bool write(void* file, std::int64_t offset, const char* data, int count, int* written) {
        FakeFile& fake = of(file);
        const int limit = fake.write_limit;
        const int stored = limit >= 0 && limit < count ? limit : count;
        fake.bytes.resize(static_cast<std::size_t>(offset));
        fake.bytes.append(data, static_cast<std::size_t>(stored));
        *written = stored;
        if (stored == count) return true;
        fake.bytes += fake.written_by_other;
        return false;
    }
    static bool truncate(void* file, std::int64_t size) {
        if (of(file).truncate_fails) return false;
        of(file).bytes.resize(static_cast<std::size_t>(size));
        return true;
    }
    static bool flush(void* file) { return !of(file).flush_fails; }
    // The file as the operations see it: reads are the memory file's own.
    RecordFileOps ops() {
        return RecordFileOps{
            static_cast<MemoryRecordFile*>(this), size, read, write, truncate, flush};
    }
};

TEST(RecordAppend, EmptyFileGetsTheHeaderAndAFullOneKeepsWhatItHolds) {
    FakeFile file;
    ASSERT_TRUE(record_append(file.ops(), header, line));
    EXPECT_EQ(file.bytes, header_bytes + line_bytes);
    ASSERT_TRUE(record_append(file.ops(), header, line));
    EXPECT_EQ(file.bytes, header_bytes + line_bytes + line_bytes);

    FakeFile foreign; // a file that holds something else keeps it, with no header added
    foreign.bytes = "x\r\n";
    ASSERT_TRUE(record_append(foreign.ops(), header, line));
    EXPECT_EQ(foreign.bytes, "x\r\n" + line_bytes);
}

TEST(RecordAppend, AFailedWriteAtAnyByteLeavesTheFileAsItWas) {
    for (const std::string& before : {std::string(), header_bytes + line_bytes}) {
        const int total =
            static_cast<int>((before.empty() ? header_bytes.size() : 0) + line_bytes.size());
        for (int limit = 0; limit < total; ++limit) {
            FakeFile file;
            file.bytes = before;
            file.write_limit = limit;
            EXPECT_FALSE(record_append(file.ops(), header, line)) << limit;
            EXPECT_EQ(file.bytes, before) << "write failed after " << limit << " bytes";
            file.write_limit = -1; // space freed: the next save is whole and starts clean
            ASSERT_TRUE(record_append(file.ops(), header, line));
            EXPECT_EQ(file.bytes, (before.empty() ? header_bytes : before) + line_bytes);
        }
    }
}

TEST(RecordAppend, AFragmentThatCannotBeTakenBackIsNeverContinued) {
    struct Case {
        const char* name;
        bool truncate_fails;
        std::string written_by_other;
    };
    const Case cases[] = {{"truncation fails", true, ""},
                          {"another program wrote after it", false, "zz"}};
    for (const Case& c : cases) {
        FakeFile file;
        file.bytes = header_bytes + line_bytes;
        file.write_limit = 10;
        file.truncate_fails = c.truncate_fails;
        file.written_by_other = c.written_by_other;
        EXPECT_FALSE(record_append(file.ops(), header, line)) << c.name;
        const std::string fragment = line_bytes.substr(0, 10) + c.written_by_other;
        EXPECT_EQ(file.bytes, header_bytes + line_bytes + fragment) << c.name;
        file.write_limit = -1;
        ASSERT_TRUE(record_append(file.ops(), header, line)) << c.name;
        EXPECT_EQ(file.bytes, header_bytes + line_bytes + fragment + "\r\n" + line_bytes) << c.name;
    }
}

TEST(RecordAppend, AFailedFlushIsAFailedSaveAndLeavesOnlyWholeRecords) {
    for (const std::string& before : {std::string(), header_bytes + line_bytes}) {
        FakeFile file;
        file.bytes = before;
        file.flush_fails = true;
        EXPECT_FALSE(record_append(file.ops(), header, line));
        EXPECT_EQ(file.bytes, before);
        file.flush_fails = false;
        ASSERT_TRUE(record_append(file.ops(), header, line));
        EXPECT_EQ(file.bytes, (before.empty() ? header_bytes : before) + line_bytes);
    }
}

TEST(RecordAppend, OnlyTheMarkCountsAsEmpty) {
    struct Case {
        std::string before;
        std::string after;
    };
    const std::string mark = "\xEF\xBB\xBF";
    const Case cases[] = {
        {mark, header_bytes + line_bytes},
        {mark + "\r\n", mark + "\r\n" + line_bytes},       // holds a line: kept as it is
        {"\xEF\xBB", "\xEF\xBB\r\n" + line_bytes},         // a fragment, not the mark
        {"\xEF\xBB\xBE", "\xEF\xBB\xBE\r\n" + line_bytes}, // three other bytes
    };
    for (const Case& c : cases) {
        FakeFile file;
        file.bytes = c.before;
        ASSERT_TRUE(record_append(file.ops(), header, line));
        EXPECT_EQ(file.bytes, c.after);
        // Failing after any byte leaves the mark alone.
        for (int limit = 0; limit < static_cast<int>(c.after.size() - c.before.size()); ++limit) {
            FakeFile failing;
            failing.bytes = c.before;
            failing.write_limit = limit;
            EXPECT_FALSE(record_append(failing.ops(), header, line));
            EXPECT_EQ(failing.bytes, c.before);
        }
    }
}

TEST(RecordAppend, AFileThatCannotBeMeasuredIsNotWritten) {
    FakeFile file;
    file.bytes = "abc";
    file.size_fails = true;
    EXPECT_FALSE(record_append(file.ops(), header, line));
    EXPECT_EQ(file.bytes, "abc");
}

// A file whose last record was cut (a crash, a full disk) is sealed before the next record: an
// open quote closed, then CR LF, in the same write, so that no record lands inside the fragment.
// The fragment's bytes stay as they were; a write that fails at any byte takes the seal back too.
TEST(RecordAppend, ATornRecordIsSealedBeforeTheNext) {
    const std::string whole = header_bytes + line_bytes;
    struct Case {
        std::string fragment;
        std::string seal;
    };
    const Case cases[] = {
        {"", ""},
        {"2026-12-09 09:00:00,T,\"open", "\"\r\n"},
        {"2026-12-09 09:00:00,T,\"a\"\"b", "\"\r\n"},        // a doubled quote inside: still open
        {"2026-12-09 09:00:00,T,\"a\r\nb", "\"\r\n"},        // a line break inside the open cell
        {"2026-12-09 09:00:00,T,\"a\r\n", "\"\r\n"},         // cut right after it
        {"2026-12-09 09:00:00,T,x", "\r\n"},                 // outside quotes
        {"2026-12-09 09:00:00,T,\"done\"", "\r\n"},          // a closed quote
        {"2026-12-09 09:00:00,T,\"\"\"x\"\"\",y\r", "\r\n"}, // quotes closed, half a line end
    };
    for (const Case& c : cases) {
        FakeFile file;
        file.bytes = whole + c.fragment;
        ASSERT_TRUE(record_append(file.ops(), header, line)) << c.fragment;
        EXPECT_EQ(file.bytes, whole + c.fragment + c.seal + line_bytes) << c.fragment;
        const int added = static_cast<int>(c.seal.size() + line_bytes.size());
        for (int limit = 0; limit < added; ++limit) {
            FakeFile failing;
            failing.bytes = whole + c.fragment;
            failing.write_limit = limit;
            EXPECT_FALSE(record_append(failing.ops(), header, line));
            EXPECT_EQ(failing.bytes, whole + c.fragment) << c.fragment << " at " << limit;
        }
    }
    // A record larger than the end that is read: its quotes are counted from where it is seen.
    FakeFile large;
    large.bytes = whole + "2026-12-09 09:00:00,T,\"" + std::string(100000, 'x');
    ASSERT_TRUE(record_append(large.ops(), header, line));
    EXPECT_EQ(large.bytes.substr(large.bytes.size() - line_bytes.size() - 2), "\r\n" + line_bytes);
}

} // namespace
