// Builds report tools with the inputs a test names, and runs reports into guarded buffers.
#pragma once

#include <string>
#include <vector>

#include "reports/report.h"
#include "tests/test_support.h"

// Every input key that some report reads, each once, from the report registry.
inline std::vector<const char*> all_report_keys() {
    std::vector<const char*> keys;
    for (const ReportKindDef& def : REPORT_KINDS) {
        for (int k = 0; k < def.key_count; ++k) {
            bool known = false;
            for (const char* key : keys) known = known || std::string(key) == def.keys[k];
            if (!known) keys.push_back(def.keys[k]);
        }
    }
    return keys;
}

struct ReportInput {
    const char* key;
    double value;
};

struct ReportRun {
    std::wstring report;
    std::wstring verdict;
    int level;
    bool canaries_intact;
};

// A tool of the given kind whose inputs are exactly the named ones.
class ReportTool {
  public:
    ReportTool(int kind, std::vector<ReportInput> inputs) {
        for (const ReportInput& input : inputs) {
            defs_.push_back(InputDef{input.key, L"输入", nullptr, input.value});
            values_.push_back(input.value);
        }
        tool_ = ToolDef{500,
                        L"报告工具",
                        nullptr,
                        L"护理",
                        L"参考",
                        nullptr,
                        static_cast<int>(defs_.size()),
                        defs_.data(),
                        0,
                        nullptr,
                        0,
                        nullptr,
                        kind};
    }
    const ToolDef& tool() const { return tool_; }
    const double* values() const { return values_.data(); }

    ReportRun run(int report_capacity = 8192, int verdict_capacity = 512) const {
        static GuardedBuffer<8192> report;
        static GuardedBuffer<512> verdict;
        report = GuardedBuffer<8192>();
        verdict = GuardedBuffer<512>();
        ReportRun run;
        run.level = report_dispatch(tool_.report_kind, tool_, values(), report.text(),
                                    report_capacity, verdict.text(), verdict_capacity);
        run.report = report.text();
        run.verdict = verdict.text();
        run.canaries_intact = report.canary_intact() && verdict.canary_intact() &&
                              (report_capacity >= 8192 ||
                               report.text()[report_capacity] == GuardedBuffer<8192>::canary) &&
                              (verdict_capacity >= 512 ||
                               verdict.text()[verdict_capacity] == GuardedBuffer<512>::canary);
        return run;
    }

  private:
    std::vector<InputDef> defs_;
    std::vector<double> values_;
    ToolDef tool_{};
};

// Joins lines, each followed by CR LF.
inline std::wstring report_lines(std::initializer_list<const wchar_t*> lines) {
    std::wstring text;
    for (const wchar_t* line : lines) {
        text += line;
        text += L"\r\n";
    }
    return text;
}
