// An input that declares its accepted values, for the tests and fuzz targets of the reading.
#pragma once

#include "core/tool_def.h"

inline InputDef declared_input(double lowest, double highest, double step,
                               InputChoices choices = {}) {
    InputDef input = {"x", L"体温", L"", lowest};
    input.lowest = lowest;
    input.highest = highest;
    input.step = step;
    input.choices = choices;
    return input;
}
