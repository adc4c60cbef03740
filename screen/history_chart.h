// The history's chart of a tool's headline value, planned in pixels for a plotted area: where
// each point, band edge and label goes, and what each label says. The value axis is labelled at
// every band edge and at the bottom and top; each point shows its value in the headline's format;
// the first and last points show their dates under the axis.
#pragma once

#include "core/tool_def.h"
#include "engine/band_edges.h"
#include "records/record_history.h"

constexpr int CHART_LABEL_CAPACITY = 24;
constexpr int CHART_MAX_AXIS_LABELS = BAND_EDGES_MAX + 2;

struct ChartMark {
    int x;
    int y;
    wchar_t text[CHART_LABEL_CAPACITY];
};

struct ChartPlan {
    int edge_y[BAND_EDGES_MAX]; // each band edge's line
    int edge_count;
    ChartMark axis[CHART_MAX_AXIS_LABELS]; // bottom first; x is the plotted area's left edge
    int axis_count;
    ChartMark points[HISTORY_MAX_RECORDS]; // oldest first
    int point_count;
    ChartMark first_date; // "YYYY-MM-DD" under the first point (empty without points)
    ChartMark last_date;  // under the last point, when there are two or more
};

// Plans the chart of the history's records that have a value, in the plotted area left, top,
// right, bottom. The value range covers the values and the band edges; a range of one value is
// widened by 1 each way.
void plan_history_chart(const History& history, const OutputDef& headline, const double* edges,
                        int edge_count, int left, int top, int right, int bottom, ChartPlan* plan);
