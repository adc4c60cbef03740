// What goes on which page when a result is printed: A4 portrait with 20 mm margins, in the
// printer's device pixels. Portable: the printer's fonts are measured through PrintMeasure, so
// that the breaking into rows and pages is the same on paper and in the tests.
//
// A record of a tool of formulas: the title in bold, the patient line, the time of the
// Calculate, a table of the inputs (the label, and the value with its guide line), the result's
// lines, the verdict in bold after the mark of its level, the note and the reference. A report:
// the same header, then the report whole in a fixed-pitch font, each line set smaller (down to
// PRINT_FIXED_MIN_POINTS) until it fits the width and wrapped only then, then the reference.
// Every page ends in a footer with the assessor, a line to sign on and the page count. Texts wrap
// by the guide's word rule; no wrapped line or table row is split across pages unless it is
// taller than a page, and no row ever is.
#pragma once

#include "records/patient_fields.h"
#include "records/record_lines.h"
#include "screen/calc_session.h"

enum PrintFont { PRINT_TITLE, PRINT_TEXT, PRINT_STRONG, PRINT_FIXED, PRINT_FONT_COUNT };

// The sizes in points by PrintFont, and the smallest a report line is set in.
constexpr int PRINT_POINTS[PRINT_FONT_COUNT] = {16, 11, 12, 10};
constexpr int PRINT_FIXED_MIN_POINTS = 7;
// Bold: the title and the verdict.
constexpr bool PRINT_BOLD[PRINT_FONT_COUNT] = {true, false, true, false};

// A4 portrait and its margin, in tenths of a millimetre.
constexpr int A4_WIDTH_TENTH_MM = 2100;
constexpr int A4_HEIGHT_TENTH_MM = 2970;
constexpr int PRINT_MARGIN_TENTH_MM = 200;

struct PrintMeasure {
    // How many of the first length characters of text fit width device pixels in the font at
    // the size (as GetTextExtentExPoint counts them).
    int (*fit)(void* context, PrintFont font, int points, const wchar_t* text, int length,
               int width);
    // The height of one line of the font at the size, in device pixels.
    int (*line_height)(void* context, PrintFont font, int points);
    void* context;
};

// The paper in device pixels at the printer's resolution.
struct PrintGeometry {
    int page_width;
    int page_height;
    int margin_x;
    int margin_y;
};

PrintGeometry a4_geometry(int dpi_x, int dpi_y);

struct PrintLine {
    int page; // from 0
    int x;    // the text's top-left corner, device pixels from the paper's top-left corner
    int y;
    PrintFont font;
    int points;
    int start; // the row's characters in PrintDocument::text
    int length;
};

constexpr int PRINT_TEXT_CAPACITY = OUTCOME_RESULT_CAPACITY + 16384;
constexpr int PRINT_MAX_LINES = 4096;

struct PrintDocument {
    wchar_t text[PRINT_TEXT_CAPACITY];
    int text_length;
    PrintLine lines[PRINT_MAX_LINES];
    int line_count;
    int page_count;
};

// What is printed: the session's outcome, the patient and assessor, and the time of the
// Calculate.
// The session's outcome and the time of its Calculate, for the patient.
struct PrintSource {
    const CalcSession* session;
    const PatientFields* patient;
};

// Lays out the source's pages into document; false when they do not fit its capacities (then
// nothing is to be printed).
bool build_print_document(const PrintSource& source, const PrintGeometry& geometry,
                          const PrintMeasure& measure, PrintDocument* document);
