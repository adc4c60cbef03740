// The record id that every saved record carries: a random UUID, version 4, in lower-case
// 8-4-4-4-12 form ("3f2b8c1e-…"). It names the record wherever it goes (the record file, the
// hospital's record), so that a record sent twice is known as one.
#pragma once

// 36 characters and the terminator.
constexpr int RECORD_ID_CAPACITY = 37;
constexpr int RECORD_ID_RANDOM_BYTES = 16;

// Fills count bytes from a random source; false when it could not.
using RandomFill = bool (*)(unsigned char* bytes, int count);

// The system's cryptographic random source: BCryptGenRandom on Windows, getrandom elsewhere.
bool system_random_fill(unsigned char* bytes, int count);

// The UUID text of 16 random bytes, with the version and variant bits set.
void record_id_from_bytes(const unsigned char* bytes, wchar_t* dest, int capacity);

// A new record id from the source. False, with dest empty, when the source gave no bytes or dest
// cannot hold the id: a record is never saved with a made-up id.
bool record_id_make(RandomFill fill, wchar_t* dest, int capacity);
