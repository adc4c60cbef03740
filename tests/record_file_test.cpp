// The record file on Windows (and Wine): real files, with a write that fails after k bytes
// injected between the append and the file API, and the lock that serializes running copies.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "records_win32/record_file.h"
#include "tests/file_bytes.h"

namespace {

std::wstring temporary_path(const wchar_t* name) {
    wchar_t folder[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name;
}

// The real file's operations, with writes that store at most limit bytes and then fail, and a
// flush that fails when asked to.
struct LimitedWrites {
    RecordFileOps real;
    int limit;
    bool flush_fails = false;
    static bool write(void* file, std::int64_t offset, const char* bytes, int count, int* written) {
        const auto* self = static_cast<LimitedWrites*>(file);
        if (count <= self->limit)
            return self->real.write(self->real.file, offset, bytes, count, written);
        self->real.write(self->real.file, offset, bytes, self->limit, written);
        return false;
    }
    static bool size(void* file, std::int64_t* size) {
        const auto* self = static_cast<LimitedWrites*>(file);
        return self->real.size(self->real.file, size);
    }
    static bool read(void* file, std::int64_t offset, char* dest, int count) {
        const auto* self = static_cast<LimitedWrites*>(file);
        return self->real.read(self->real.file, offset, dest, count);
    }
    static bool truncate(void* file, std::int64_t size) {
        const auto* self = static_cast<LimitedWrites*>(file);
        return self->real.truncate(self->real.file, size);
    }
    static bool flush(void* file) {
        const auto* self = static_cast<LimitedWrites*>(file);
        return !self->flush_fails && self->real.flush(self->real.file);
    }
    RecordFileOps ops() { return RecordFileOps{this, size, read, write, truncate, flush}; }
};

const wchar_t* const header = L"时间,结果\r\n";
const wchar_t* const line = L"2026-12-08 10:00:00,a=1\r\n";

TEST(RecordFile, AWriteCutShortOnDiskIsTakenBack) {
    const std::wstring path = temporary_path(L"record_file_cut.csv");
    DeleteFileW(path.c_str());
    ASSERT_EQ(record_file_append(path.c_str(), header, line), RecordFileAppend::appended);
    const std::string before = read_bytes(path);
    for (int limit : {0, 1, 5, 20}) {
        RecordFile file;
        ASSERT_TRUE(record_file_open(path.c_str(), 1000, &file));
        LimitedWrites limited{record_file_ops(&file), limit};
        EXPECT_FALSE(record_append(limited.ops(), header, line));
        EXPECT_TRUE(record_file_close(&file));
        EXPECT_EQ(read_bytes(path), before) << "after a write cut at " << limit << " bytes";
    }
    // A flush that fails after a whole write: the save fails and the record is taken back.
    RecordFile file;
    ASSERT_TRUE(record_file_open(path.c_str(), 1000, &file));
    LimitedWrites unflushed{record_file_ops(&file), 1 << 20, true};
    EXPECT_FALSE(record_append(unflushed.ops(), header, line));
    EXPECT_TRUE(record_file_close(&file));
    EXPECT_EQ(read_bytes(path), before) << "after a failed flush";
    ASSERT_EQ(record_file_append(path.c_str(), header, line), RecordFileAppend::appended);
    EXPECT_EQ(read_bytes(path).size(), before.size() + 25);
    DeleteFileW(path.c_str());
}

// An empty file, and one that holds only the byte-order mark (as a spreadsheet program may leave
// it), get the header before their first record, with one mark.
TEST(RecordFile, AnEmptyOrMarkOnlyFileGetsItsHeader) {
    const std::wstring path = temporary_path(L"record_file_empty.csv");
    for (const std::string& before : {std::string(), std::string("\xEF\xBB\xBF")}) {
        ASSERT_TRUE(write_bytes(path, before));
        ASSERT_EQ(record_file_append(path.c_str(), header, line), RecordFileAppend::appended);
        EXPECT_EQ(read_bytes(path),
                  std::string("\xEF\xBB\xBF") + "时间,结果\r\n" + "2026-12-08 10:00:00,a=1\r\n")
            << before.size() << " bytes before";
    }
    DeleteFileW(path.c_str());
}

TEST(RecordFile, ASaveWaitsForTheLockAndGivesUpInTime) {
    const std::wstring path = temporary_path(L"record_file_lock.csv");
    DeleteFileW(path.c_str());
    RecordFile holder;
    ASSERT_TRUE(record_file_open(path.c_str(), 1000, &holder));
    RecordFile second;
    const DWORD start = GetTickCount();
    EXPECT_FALSE(record_file_open(path.c_str(), 300, &second));
    EXPECT_GE(GetTickCount() - start, 250u) << "it gave up before it waited";
    // A whole Save says the file is busy, never merely that it could not be written.
    EXPECT_EQ(record_file_append(path.c_str(), L"h\r\n", L"r\r\n"), RecordFileAppend::busy);
    EXPECT_TRUE(record_file_close(&holder));
    ASSERT_TRUE(record_file_open(path.c_str(), 300, &second));
    EXPECT_TRUE(record_file_close(&second));
    DeleteFileW(path.c_str());
}

} // namespace
