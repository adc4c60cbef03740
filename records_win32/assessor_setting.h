// The assessor's name, remembered for the Windows user under HKCU\Software\HalviMed\Tools, value
// Assessor, so that the window fills it in at start.
#pragma once

// The remembered name into dest; empty when none is stored or it does not fit.
void assessor_load(wchar_t* dest, int capacity);

// Remembers the name (an empty one too); false when the registry refused it.
bool assessor_store(const wchar_t* name);
