// Writing a wide text to a file as UTF-8.
#pragma once

// Writes the text to path as UTF-8 without a byte-order mark, replacing the file. Returns true
// only when the file was opened, every byte written and the file closed.
bool write_utf8_file(const wchar_t* path, const wchar_t* text);
