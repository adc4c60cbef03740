// Where everything in the main window lies, in client pixels at 96 DPI: the painted bands and
// panels, the child controls built from the descriptor, and the buttons. The window draws them at
// its display scale (screen/scale.h). Portable, so that the end-to-end tests find the controls
// where the window puts them.
#pragma once

struct LayoutRect {
    int x;
    int y;
    int width;
    int height;
    constexpr int right() const { return x + width; }
    constexpr int bottom() const { return y + height; }
};

namespace layout {

constexpr int CLIENT_WIDTH = 1020;
constexpr int CLIENT_HEIGHT = 720;

// Header band, full width. The web address is right-aligned, measured from the right edge.
constexpr int HEADER_HEIGHT = 88;
constexpr int ACCENT_WIDTH = 8;
constexpr LayoutRect TITLE = {26, 12, 700, 38};
constexpr LayoutRect HEADER_LINE = {28, 48, 720, 28};
constexpr int WEB_ADDRESS_FROM_RIGHT = 240;
constexpr int WEB_ADDRESS_RIGHT_MARGIN = 26;
constexpr int WEB_ADDRESS_Y = 8;
constexpr int WEB_ADDRESS_HEIGHT = 26;

// The patient strip, right of the title below the web address: two rows of two fields, each a
// label and an edit, in the order bed, inpatient number, name, assessor. The title and the header
// line are drawn clipped at TITLE_CLIP_RIGHT so that a long title never runs under the strip.
constexpr int PATIENT_STRIP_X = 552;
constexpr int TITLE_CLIP_RIGHT = PATIENT_STRIP_X - 8;
constexpr LayoutRect PATIENT_LABELS[4] = {
    {552, 36, 40, 20}, {720, 36, 52, 20}, {552, 63, 40, 20}, {720, 63, 52, 20}};
constexpr LayoutRect PATIENT_EDITS[4] = {
    {594, 34, 118, 24}, {774, 34, 230, 24}, {594, 61, 118, 24}, {774, 61, 230, 24}};

// The two white panels, their captions and the rules under the captions.
constexpr LayoutRect INPUT_PANEL = {20, 96, 440, 552};
constexpr LayoutRect RESULT_PANEL = {476, 96, 524, 552};
constexpr LayoutRect INPUT_CAPTION = {36, 104, 300, 30};
constexpr LayoutRect RESULT_CAPTION = {492, 104, 300, 30};
constexpr LayoutRect INPUT_CAPTION_RULE = {36, 133, 408, 1};
constexpr LayoutRect RESULT_CAPTION_RULE = {492, 133, 492, 1};

// Input row j has its base line at ROW_TOP + ROW_STEP * j; its controls lie relative to it.
constexpr int ROW_TOP = 150;
constexpr int ROW_STEP = 34;
constexpr LayoutRect ROW_LABEL = {24, 1, 184, 22};
constexpr LayoutRect ROW_EDIT = {216, -4, 152, 27};
constexpr LayoutRect ROW_UNIT = {374, 0, 78, 22};
constexpr int row_base(int row) { return ROW_TOP + ROW_STEP * row; }

// The input guide: across the input panel's inner width, from GUIDE_GAP_ABOVE below the last
// row's edit to GUIDE_GAP_BELOW above the panel's lower edge; a heading line, then the guide's
// lines wrapped at the area's width. Rows that leave less than GUIDE_MIN_HEIGHT get no guide.
constexpr int GUIDE_X = 36;
constexpr int GUIDE_WIDTH = 408;
constexpr int GUIDE_GAP_ABOVE = 16;
constexpr int GUIDE_GAP_BELOW = 12;
constexpr int GUIDE_MIN_HEIGHT = 80;
constexpr int GUIDE_HEADING_HEIGHT = 22; // font_caption, 14 pixels
constexpr int GUIDE_LINE_HEIGHT = 17;    // font_small, 12 pixels
constexpr LayoutRect guide_area(int rows) {
    const int top = row_base(rows - 1) + ROW_EDIT.y + ROW_EDIT.height + GUIDE_GAP_ABOVE;
    return {GUIDE_X, top, GUIDE_WIDTH, INPUT_PANEL.bottom() - GUIDE_GAP_BELOW - top};
}
constexpr bool has_guide_area(int rows) {
    return rows > 0 && guide_area(rows).height >= GUIDE_MIN_HEIGHT;
}

// The result panel's controls, one below the other.
constexpr LayoutRect VERDICT_LABEL = {492, 142, 492, 46};
constexpr LayoutRect RESULT_BOX = {492, 196, 492, 232};
constexpr LayoutRect NOTE_LABEL = {492, 444, 492, 120};
constexpr LayoutRect REFERENCE_LABEL = {492, 576, 492, 56};

// Footer band, full width from FOOTER_TOP down: the buttons in a row, the status line right.
constexpr int FOOTER_TOP = 660;
constexpr int BUTTON_Y = 668;
constexpr int BUTTON_HEIGHT = 40;
// The buttons from the left: Calculate, Save, Copy, Print, Reset, About, History.
constexpr int BUTTON_COUNT = 7;
constexpr LayoutRect BUTTONS[BUTTON_COUNT] = {
    {20, BUTTON_Y, 140, BUTTON_HEIGHT},  {172, BUTTON_Y, 112, BUTTON_HEIGHT},
    {296, BUTTON_Y, 112, BUTTON_HEIGHT}, {420, BUTTON_Y, 96, BUTTON_HEIGHT},
    {528, BUTTON_Y, 112, BUTTON_HEIGHT}, {652, BUTTON_Y, 90, BUTTON_HEIGHT},
    {754, BUTTON_Y, 104, BUTTON_HEIGHT}};
// Right of the buttons, wrapped over up to three lines.
constexpr LayoutRect STATUS_LINE = {870, 666, 134, 48};

} // namespace layout

// The history dialog, in its own client pixels: the list of records, the trend chart below it,
// and the last line beside the Close button.
namespace history_layout {

constexpr int CLIENT_WIDTH = 780;
constexpr int CLIENT_HEIGHT = 560;
constexpr LayoutRect LIST = {16, 16, 748, 290};
constexpr int LIST_ROW_HEIGHT = 22;
// The list's columns from its left edge: time, level, verdict, the result's first line, assessor.
constexpr int LIST_COLUMNS[5] = {4, 156, 216, 446, 646};
constexpr LayoutRect CHART = {16, 318, 748, 186};
// The plotted area inside the chart's frame: the value labels left of it, the caption and the
// top point's value above it, the dates below it.
constexpr int CHART_AXIS_WIDTH = 56;
constexpr int CHART_TOP_MARGIN = 38;
constexpr int CHART_RIGHT_MARGIN = 28;
constexpr int CHART_DATE_HEIGHT = 24;
constexpr int CHART_LABEL_HEIGHT = 16;
constexpr int CHART_LABEL_HALF_WIDTH = 44;
constexpr LayoutRect LAST_LINE = {16, 514, 640, 36};
constexpr LayoutRect CLOSE_BUTTON = {672, 516, 92, 32};

} // namespace history_layout

// The print progress window, in its own client pixels: its size, the "正在打印 …" text and 取消.
struct ProgressWindowLayout {
    int client_width;
    int client_height;
    LayoutRect text;
    LayoutRect cancel;
};
constexpr ProgressWindowLayout PRINT_PROGRESS_LAYOUT = {
    320, 104, {20, 20, 280, 24}, {120, 58, 80, 28}};
