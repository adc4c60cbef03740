// A window that the suite shows over another, as a modal dialog: centred on its owner, the owner
// disabled while it runs, Tab moving between its controls and Escape closing it.
#pragma once

#include <windows.h>

// A captioned popup of the class with that client size, centred on owner; null when it cannot be
// made.
HWND create_owned_popup(HINSTANCE instance, const wchar_t* class_name, const wchar_t* caption,
                        HWND owner, int client_width, int client_height);

// Shows the dialog with the focus on first and runs it until it is destroyed.
void run_modal_window(HWND owner, HWND dialog, HWND first);
