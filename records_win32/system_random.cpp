// The system's random source on Windows: BCryptGenRandom with the system-preferred generator.
// bcrypt.dll is not a Known DLL, so it is loaded from System32 by its full search rule rather
// than imported.
#include <windows.h>

#include "records/record_id.h"

namespace {

constexpr ULONG BCRYPT_USE_SYSTEM_PREFERRED_RNG_FLAG = 0x00000002;
using GenRandomFunction = LONG(WINAPI*)(void* algorithm, unsigned char* buffer, ULONG count,
                                        ULONG flags);

GenRandomFunction gen_random() {
    static GenRandomFunction function = nullptr;
    if (function == nullptr) {
        const HMODULE module = LoadLibraryExW(L"bcrypt.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (module != nullptr)
            function = reinterpret_cast<GenRandomFunction>(
                reinterpret_cast<void*>(GetProcAddress(module, "BCryptGenRandom")));
    }
    return function;
}

} // namespace

bool system_random_fill(unsigned char* bytes, int count) {
    const GenRandomFunction function = gen_random();
    return function != nullptr && count >= 0 &&
           function(nullptr, bytes, static_cast<ULONG>(count),
                    BCRYPT_USE_SYSTEM_PREFERRED_RNG_FLAG) >= 0;
}
