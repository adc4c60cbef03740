// A record file in memory behind the record writer's file operations, for the tests and fuzz
// targets that append through the real writer and read back what it wrote.
#pragma once

#include <cstdint>
#include <string>

#include "records/record_append.h"

struct MemoryRecordFile {
    std::string bytes;

    static MemoryRecordFile& of(void* file) { return *static_cast<MemoryRecordFile*>(file); }
    static bool size(void* file, std::int64_t* size) {
        *size = static_cast<std::int64_t>(of(file).bytes.size());
        return true;
    }
    static bool read(void* file, std::int64_t offset, char* dest, int count) {
        const std::string& bytes = of(file).bytes;
        if (offset < 0 || count < 0 || offset + count > static_cast<std::int64_t>(bytes.size()))
            return false;
        bytes.copy(dest, static_cast<std::size_t>(count), static_cast<std::size_t>(offset));
        return true;
    }
    static bool write(void* file, std::int64_t offset, const char* data, int count, int* written) {
        of(file).bytes.resize(static_cast<std::size_t>(offset));
        of(file).bytes.append(data, static_cast<std::size_t>(count));
        *written = count;
        return true;
    }
    static bool truncate(void* file, std::int64_t size) {
        of(file).bytes.resize(static_cast<std::size_t>(size));
        return true;
    }
    static bool flush(void*) { return true; }
    RecordFileOps ops() { return {this, size, read, write, truncate, flush}; }
};
