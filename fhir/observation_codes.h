// The codes each exported program's Observation carries: its LOINC code where one exists, its
// category, the UCUM code of its headline value, and the LOINC codes of its items.
#pragma once

constexpr int OBSERVATION_MAX_ITEM_CODES = 6;

struct ItemLoinc {
    const char* input_key;
    const char* loinc;
};

struct ObservationCodes {
    const char* program;
    const char* loinc;    // null: the local coding only
    const char* category; // of observation-category
    const char* ucum;     // the headline's unit
    ItemLoinc items[OBSERVATION_MAX_ITEM_CODES];
};

// The program's codes; null for a program that is not exported.
const ObservationCodes* observation_codes(const char* program);
