// The commands of the main window's buttons and keyboard shortcut.
#pragma once

void calc_and_show();
void record_save();
void copy_result();
void reset_inputs();
void show_about();
