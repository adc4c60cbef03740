// The commands of the main window's buttons and keyboard shortcut.
#pragma once

void calc_and_show();
void record_save();
void copy_result();
void reset_inputs();
void show_about();

// True when a result exists and the inputs still show the values that produced it; otherwise
// says why not (needs_result when there is no result yet) in a box and returns false.
bool result_is_current(const wchar_t* needs_result);
