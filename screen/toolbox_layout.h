// Where everything in the toolbox window lies, in client pixels: the header band, the panel with
// the filter and the list, and the footer with the Open button and the status line.
#pragma once

#include "screen/layout.h"

namespace toolbox_layout {

constexpr int CLIENT_WIDTH = 760;
constexpr int CLIENT_HEIGHT = 720;

constexpr int HEADER_HEIGHT = 88;
constexpr int ACCENT_WIDTH = 8;
constexpr LayoutRect TITLE = {26, 12, CLIENT_WIDTH - 52, 38};
constexpr LayoutRect HINT_LINE = {28, 48, CLIENT_WIDTH - 54, 28};

constexpr LayoutRect PANEL = {20, 96, CLIENT_WIDTH - 40, 552};
// The patient strip: bed, inpatient number and name, each after its label, then the ward's
// patients to choose from (its list drops below it).
constexpr LayoutRect PATIENT_LABELS[3] = {
    {30, 108, 44, 24}, {138, 108, 58, 24}, {312, 108, 44, 24}};
constexpr LayoutRect PATIENT_EDITS[3] = {
    {78, 104, 56, 27}, {200, 104, 108, 27}, {360, 104, 96, 27}};
constexpr LayoutRect WARD_PATIENTS_LABEL = {460, 108, 72, 24};
constexpr LayoutRect WARD_PATIENTS = {536, 104, CLIENT_WIDTH - 572, 320};
constexpr LayoutRect FILTER_LABEL = {30, 146, 44, 24};
constexpr LayoutRect FILTER_EDIT = {78, 142, 416, 27};
// The outbox's line, which opens the list of uploads; shown only while records wait or were
// refused.
constexpr LayoutRect UPLOADS_LINE = {504, 142, CLIENT_WIDTH - 540, 27};
constexpr LayoutRect LIST = {36, 182, CLIENT_WIDTH - 72, 454};

// A list row: its height, the text's inset from the row's sides, a program's further indent,
// and the title's and subtitle's bands within the row.
constexpr int ROW_HEIGHT = 40;
constexpr int ROW_INSET = 10;
constexpr int PROGRAM_INDENT = 14;
constexpr int TITLE_TOP = 2;
constexpr int TITLE_BOTTOM = 21;
constexpr int SUBTITLE_BOTTOM_INSET = 2;
constexpr int HEADING_RULE_FROM_BOTTOM = 2;

constexpr int FOOTER_TOP = 660;
constexpr LayoutRect OPEN_BUTTON = {20, 668, 152, 40};
constexpr LayoutRect OVERVIEW_BUTTON = {184, 668, 152, 40};
constexpr LayoutRect STATUS_LINE = {352, 704, CLIENT_WIDTH - 368, 16};
// The focus mark inside a focused button.
constexpr int FOCUS_MARK_INSET = 4;

} // namespace toolbox_layout

// The ward overview, in its own client pixels: the column headings, the list of patients (a row:
// the bed and name, then a cell per assessment tool), and the last line beside Export and Close.
namespace overview_layout {

constexpr int CLIENT_WIDTH = 1100;
constexpr int CLIENT_HEIGHT = 620;
constexpr LayoutRect HEADINGS = {16, 12, 1068, 40};
constexpr LayoutRect LIST = {16, 56, 1068, 496};
constexpr int ROW_HEIGHT = 40;
// From the list's left edge: the bed, the name, and the first tool's cell, each tool as wide.
constexpr int BED_X = 8;
constexpr int NAME_X = 62;
constexpr int TOOLS_X = 160;
constexpr int TOOL_WIDTH = 98;
constexpr int CELL_INSET = 4;
constexpr LayoutRect LAST_LINE = {16, 566, 560, 40};
constexpr LayoutRect ASSESS_BUTTON = {588, 568, 152, 36};
constexpr LayoutRect EXPORT_BUTTON = {760, 568, 152, 36};
constexpr LayoutRect CLOSE_BUTTON = {932, 568, 152, 36};

} // namespace overview_layout

// The list of uploads: the outbox's records waiting and refused, with 重新上传 and 关闭.
namespace uploads_layout {

constexpr int CLIENT_WIDTH = 900;
constexpr int CLIENT_HEIGHT = 520;
constexpr LayoutRect LIST = {16, 16, 868, 420};
constexpr int ROW_HEIGHT = 28;
// The columns from the list's left edge: time, tool, patient, reason.
constexpr int COLUMNS[4] = {6, 166, 386, 546};
constexpr LayoutRect LAST_LINE = {16, 448, 520, 40};
constexpr LayoutRect REQUEUE_BUTTON = {560, 452, 152, 36};
constexpr LayoutRect CLOSE_BUTTON = {732, 452, 152, 36};

} // namespace uploads_layout
