// The identifiers of the main window's controls; static texts carry 0.
#pragma once

constexpr int ID_CALC = 1001;
constexpr int ID_SAVE = 1002;
constexpr int ID_COPY = 1003;
constexpr int ID_RESET = 1004;
constexpr int ID_ABOUT = 1005;
constexpr int ID_HISTORY = 1006;
constexpr int ID_PRINT = 1007;
constexpr int ID_INPUT_BASE = 2000; // input edit j has ID_INPUT_BASE + j
constexpr int ID_RESULT = 3000;
constexpr int ID_PATIENT_BED = 2101;
constexpr int ID_PATIENT_NUMBER = 2102;
constexpr int ID_PATIENT_NAME = 2103;
constexpr int ID_ASSESSOR = 2104; // the patient fields' edits, in the order of PatientField
