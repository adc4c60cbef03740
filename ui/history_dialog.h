// The history of the patient in the window with this tool: the earlier records, newest first, and
// for a tool of formulas a chart of the first output over them. Modal over the main window.
#pragma once

// Shows it; without an inpatient number or a bed, says so instead.
void show_history();
