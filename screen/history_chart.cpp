#include "screen/history_chart.h"

#include <algorithm>
#include <cmath>

#include "core/format.h"
#include "core/text.h"

namespace {

int y_of(double value, double low, double high, int top, int bottom) {
    return bottom - static_cast<int>(std::lround((value - low) / (high - low) * (bottom - top)));
}

// Adds an axis label unless one already stands at that height.
void add_axis_label(ChartPlan* plan, int x, int y, double value) {
    for (int i = 0; i < plan->axis_count; ++i)
        if (plan->axis[i].y == y) return;
    ChartMark& mark = plan->axis[plan->axis_count++];
    mark.x = x;
    mark.y = y;
    // An edge lies between two grades' values (9.5): said as it is, never rounded to a grade.
    format_shortest(value, mark.text, CHART_LABEL_CAPACITY);
}

void set_date(ChartMark* mark, const ChartMark& point, const wchar_t* time) {
    mark->x = point.x;
    mark->y = point.y;
    text_copy(mark->text, 11, time); // "YYYY-MM-DD" of "YYYY-MM-DD HH:MM:SS"
}

} // namespace

void plan_history_chart(const History& history, const OutputDef& headline, const double* edges,
                        int edge_count, int left, int top, int right, int bottom, ChartPlan* plan) {
    *plan = {};
    // The records with a value, oldest first.
    const HistoryRecord* shown[HISTORY_MAX_RECORDS];
    int count = 0;
    for (int i = history.count - 1; i >= 0; --i)
        if (history.records[i].has_value) shown[count++] = &history.records[i];
    if (count == 0) return;
    double low = shown[0]->value;
    double high = shown[0]->value;
    for (int i = 0; i < count; ++i) {
        low = std::min(low, shown[i]->value);
        high = std::max(high, shown[i]->value);
    }
    edge_count = std::min(edge_count, BAND_EDGES_MAX);
    for (int e = 0; e < edge_count; ++e) {
        low = std::min(low, edges[e]);
        high = std::max(high, edges[e]);
    }
    if (high - low < 1e-9) {
        low -= 1;
        high += 1;
    }
    add_axis_label(plan, left, bottom, low);
    for (int e = 0; e < edge_count; ++e) {
        plan->edge_y[e] = y_of(edges[e], low, high, top, bottom);
        add_axis_label(plan, left, plan->edge_y[e], edges[e]);
    }
    plan->edge_count = edge_count;
    add_axis_label(plan, left, top, high);
    for (int i = 0; i < count; ++i) {
        ChartMark& point = plan->points[i];
        point.x = count == 1 ? (left + right) / 2 : left + (right - left) * i / (count - 1);
        point.y = y_of(shown[i]->value, low, high, top, bottom);
        format_value(headline.format, shown[i]->value, point.text, CHART_LABEL_CAPACITY);
    }
    plan->point_count = count;
    set_date(&plan->first_date, plan->points[0], shown[0]->time);
    if (count > 1) set_date(&plan->last_date, plan->points[count - 1], shown[count - 1]->time);
}
