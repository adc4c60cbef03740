// The headless self-test: runs the tool once on its default inputs and writes a pipe-delimited
// UTF-8 report whose exit code says whether every output could be computed.
#pragma once

#include "app/utf8_file.h"
#include "core/tool_def.h"

constexpr int SELFTEST_REPORT_CAPACITY = 16384;

// Exit codes of a self-test run.
constexpr int SELFTEST_OK = 0;
constexpr int SELFTEST_NOT_COMPUTABLE = 2;
constexpr int SELFTEST_WRITE_FAILED = 3;

// Builds the report text of the tool on its defaults; returns 0, or 2 when some output is not
// computable on its own.
int selftest_report(const ToolDef& tool, wchar_t* report, int capacity);

// Appends the result text as one line: carriage returns dropped, line feeds written as spaces,
// at most 8000 characters written.
void selftest_append_detail(wchar_t* report, int capacity, const wchar_t* result);

// Runs the self-test of the tool and writes the report to path. Returns 0 or 2 as the report
// says, or 3 when the file could not be written whole.
int selftest_run(const ToolDef& tool, const wchar_t* path);
