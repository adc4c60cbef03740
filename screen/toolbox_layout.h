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
constexpr LayoutRect FILTER_LABEL = {36, 106, 56, 24};
constexpr LayoutRect FILTER_EDIT = {96, 104, 400, 27};
constexpr LayoutRect LIST = {36, 144, CLIENT_WIDTH - 72, 492};

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
constexpr LayoutRect STATUS_LINE = {200, 704, CLIENT_WIDTH - 216, 16};
// The focus mark inside a focused button.
constexpr int FOCUS_MARK_INSET = 4;

} // namespace toolbox_layout
