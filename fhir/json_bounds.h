// rapidjson within fixed, caller-owned memory: an output stream that writes into a buffer and
// notes when a text did not fit, and a pool allocator over a caller's buffer whose base allocator
// never takes memory from the heap (a pool that runs out fails, it does not grow).
#pragma once

#include <cstddef>

#include <rapidjson/allocators.h>

// The base allocator of every pool: it has no memory of its own to give.
class NoHeapAllocator {
  public:
    static const bool kNeedFree = false;
    void* Malloc(std::size_t) { return nullptr; }
    void* Realloc(void*, std::size_t, std::size_t) { return nullptr; }
    static void Free(void*) {}
};

using JsonPool = rapidjson::MemoryPoolAllocator<NoHeapAllocator>;

// Where a writer puts its text: dest, always terminated; cut is set when a character did not fit.
struct BoundedJsonStream {
    typedef char Ch;
    char* dest;
    std::size_t capacity;
    std::size_t length;
    bool cut;
    void Put(char c) {
        if (length + 1 >= capacity) {
            cut = true;
            return;
        }
        dest[length++] = c;
        dest[length] = '\0';
    }
    void Flush() {}
};
