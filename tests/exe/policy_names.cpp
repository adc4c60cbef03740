// Prints the registry key and the value names that the programs read their Group Policy from,
// one a line in UTF-8, for the check of the administrative templates.
#include <cstdio>

#include "core/utf8.h"
#include "records/records_policy.h"

namespace {

void print_line(const wchar_t* text) {
    char bytes[512];
    if (utf8_from_wide(text, bytes, sizeof bytes) >= 0) std::printf("%s\n", bytes);
}

} // namespace

int main() {
    print_line(POLICY_KEY);
    for (const wchar_t* name : POLICY_VALUE_NAMES) print_line(name);
    return 0;
}
