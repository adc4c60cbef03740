// Where the guide's lines wrap: portable, so that the rule is tested apart from the font that
// measures the text.
#pragma once

// How many characters of text (length characters, no line break) go on one row, given that the
// first fit of them fit its width: all when fit reaches length; otherwise the longest start that
// ends at a break. A break lies between two characters unless both are ASCII characters of a word
// (letters, digits and signs such as ".", "%", "<", "-"), so that words and numbers like "18.5"
// or "25%-50%" are never split, while Chinese text breaks anywhere; spaces at a break end the row
// rather than start the next. A word wider than the whole row is cut at fit; at least one
// character goes on every row.
int guide_row_length(const wchar_t* text, int length, int fit);
