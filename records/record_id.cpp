#include "records/record_id.h"

#include "core/text.h"

void record_id_from_bytes(const unsigned char* bytes, wchar_t* dest, int capacity) {
    static const wchar_t digits[] = L"0123456789abcdef";
    wchar_t text[RECORD_ID_CAPACITY];
    int n = 0;
    for (int i = 0; i < RECORD_ID_RANDOM_BYTES; ++i) {
        unsigned char byte = bytes[i];
        if (i == 6) byte = static_cast<unsigned char>((byte & 0x0F) | 0x40); // version 4
        if (i == 8) byte = static_cast<unsigned char>((byte & 0x3F) | 0x80); // variant 10
        if (i == 4 || i == 6 || i == 8 || i == 10) text[n++] = L'-';
        text[n++] = digits[byte >> 4];
        text[n++] = digits[byte & 0x0F];
    }
    text[n] = L'\0';
    text_copy(dest, capacity, text);
}

bool record_id_make(RandomFill fill, wchar_t* dest, int capacity) {
    if (capacity > 0) dest[0] = L'\0';
    unsigned char bytes[RECORD_ID_RANDOM_BYTES] = {};
    if (capacity < RECORD_ID_CAPACITY || fill == nullptr || !fill(bytes, RECORD_ID_RANDOM_BYTES))
        return false;
    record_id_from_bytes(bytes, dest, capacity);
    return true;
}
