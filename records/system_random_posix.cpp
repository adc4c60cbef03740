// The system's random source where there is no Windows: getrandom, which blocks only until the
// kernel's pool is first seeded. The Windows programs have theirs in records_win32/.
#if !defined(_WIN32)
#include <sys/random.h>

#include <cerrno>

#include "records/record_id.h"

bool system_random_fill(unsigned char* bytes, int count) {
    int got = 0;
    while (got < count) {
        const ssize_t n = getrandom(bytes + got, static_cast<size_t>(count - got), 0);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        got += static_cast<int>(n);
    }
    return true;
}
#endif
