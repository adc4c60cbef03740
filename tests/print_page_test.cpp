// The printed pages, laid out with font metrics given as numbers: a CJK or full-width character
// one em wide, any other half an em and a little, a line 1.25 em high. The largest reports at 300
// and 600 dpi, wrapping by the word rule, page breaks that cut no row, and a footer with the page
// count on every page.
#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "print/print_page.h"
#include "print/print_texts.h"
#include "tests/tool_programs.h"

namespace {

struct Metrics {
    int dpi;
};

int em(const Metrics& m, int points) { return points * m.dpi / 72; }

int char_width(const Metrics& m, int points, wchar_t c) {
    return c >= 0x2E80 ? em(m, points) : em(m, points) * 11 / 20;
}

int fit(void* context, PrintFont, int points, const wchar_t* text, int length, int width) {
    const Metrics& m = *static_cast<const Metrics*>(context);
    int used = 0;
    for (int i = 0; i < length; ++i) {
        used += char_width(m, points, text[i]);
        if (used > width) return i;
    }
    return length;
}

int line_height(void* context, PrintFont, int points) {
    return em(*static_cast<const Metrics*>(context), points) * 5 / 4;
}

int width_of(const Metrics& m, int points, const std::wstring& text) {
    int width = 0;
    for (const wchar_t c : text) width += char_width(m, points, c);
    return width;
}

struct Printed {
    Metrics metrics;
    PrintGeometry geometry;
    CalcSession session;
    PatientFields patient;
    PrintDocument document;
    bool built;

    std::wstring row(const PrintLine& line) const {
        return std::wstring(document.text + line.start, static_cast<std::size_t>(line.length));
    }
    bool is_footer(const PrintLine& line) const {
        return line.length >= 4 && std::wcsncmp(document.text + line.start, L"评估者：", 4) == 0;
    }
    // The rows of the body (the footers left out), in order.
    std::vector<const PrintLine*> body() const {
        std::vector<const PrintLine*> rows(static_cast<std::size_t>(document.line_count));
        std::size_t count = 0;
        for (int i = 0; i < document.line_count; ++i)
            if (!is_footer(document.lines[i])) rows[count++] = &document.lines[i];
        rows.resize(count);
        return rows;
    }
    std::wstring body_text() const {
        std::wstring text;
        for (const PrintLine* line : body()) text += row(*line);
        return text;
    }
};

// The tool printed on the values at the printer's resolution.
Printed& print(const ToolDef& tool, const std::vector<double>& values, int dpi,
               PrintGeometry* geometry = nullptr) {
    static Printed printed;
    printed.metrics = {dpi};
    printed.geometry = geometry != nullptr ? *geometry : a4_geometry(dpi, dpi);
    session_start(&printed.session, &tool);
    for (std::size_t j = 0; j < values.size(); ++j) printed.session.input_values[j] = values[j];
    tool_calculate(tool, printed.session.input_values, &printed.session.outcome);
    printed.patient = {};
    std::wcscpy(printed.patient.text[PATIENT_BED], L"12");
    std::wcscpy(printed.patient.text[PATIENT_ASSESSOR], L"李护士");
    const PrintMeasure measure = {fit, line_height, &printed.metrics};
    printed.session.calculated = {2026, 12, 9, 8, 5, 0};
    const PrintSource source = {&printed.session, &printed.patient};
    printed.built = build_print_document(source, printed.geometry, measure, &printed.document);
    return printed;
}

// Every row inside the margins and above the footer, no row across a page's end, every page
// with one footer that counts the pages, and the pages in order.
void expect_sound_pages(const Printed& p) {
    const PrintGeometry& g = p.geometry;
    const int footer_y =
        g.page_height - g.margin_y - line_height(const_cast<Metrics*>(&p.metrics), PRINT_TEXT, 11);
    std::vector<int> footers(static_cast<std::size_t>(p.document.page_count), 0);
    int last_page = 0;
    for (int i = 0; i < p.document.line_count; ++i) {
        const PrintLine& line = p.document.lines[i];
        const std::wstring row = p.row(line);
        ASSERT_GE(line.page, 0);
        ASSERT_LT(line.page, p.document.page_count);
        EXPECT_GE(line.x, g.margin_x);
        EXPECT_LE(line.x + width_of(p.metrics, line.points, row), g.page_width - g.margin_x)
            << "row " << i << " runs into the right margin";
        EXPECT_GE(line.y, g.margin_y);
        if (row.rfind(L"评估者：", 0) == 0) {
            ++footers[static_cast<std::size_t>(line.page)];
            EXPECT_EQ(line.y, footer_y);
            const std::wstring count = L"第 " + std::to_wstring(line.page + 1) + L" 页 / 共 " +
                                       std::to_wstring(p.document.page_count) + L" 页";
            EXPECT_NE(row.find(count), std::wstring::npos) << "page " << line.page + 1;
            continue;
        }
        const int height = line_height(const_cast<Metrics*>(&p.metrics), line.font, line.points);
        EXPECT_LE(line.y + height, footer_y) << "row " << i << " reaches the footer";
        EXPECT_GE(line.page, last_page) << "the pages go back at row " << i;
        last_page = line.page;
    }
    for (int page = 0; page < p.document.page_count; ++page)
        EXPECT_EQ(footers[static_cast<std::size_t>(page)], 1) << "page " << page + 1;
}

// The report's text without its line breaks: what the rows must hold, each character once.
std::wstring joined_lines(const wchar_t* text) {
    std::wstring joined;
    for (const wchar_t* c = text; *c != L'\0'; ++c)
        if (*c != L'\r' && *c != L'\n') joined += *c;
    return joined;
}

TEST(PrintPage, TheLargestReportsBreakIntoWholePagesAtEveryResolution) {
    struct Case {
        const char* program;
        std::vector<double> values;
        const wchar_t* every_row_of; // a text that starts every entry that must be printed
        int entries;
        int least_pages;
    };
    const Case cases[] = {
        {"shift-rotation", {40, 31}, L"护士", 40, 2},
        {"handover-template", {30}, L" 床：", 30, 1},
    };
    for (const Case& c : cases) {
        int pages_at_300 = 0;
        for (const int dpi : {300, 600}) {
            SCOPED_TRACE(std::string(c.program) + " at " + std::to_string(dpi) + " dpi");
            const Printed& p = print(program(c.program), c.values, dpi);
            ASSERT_TRUE(p.built);
            EXPECT_GE(p.document.page_count, c.least_pages);
            expect_sound_pages(p);
            // The report whole, in order: the body holds every character of it once, after the
            // header and before the reference.
            const std::wstring body = p.body_text();
            const std::wstring report = joined_lines(p.session.outcome.result);
            const std::size_t at = body.find(report);
            ASSERT_NE(at, std::wstring::npos) << "the report is not printed whole";
            EXPECT_NE(body.find(L"床号 12  住院号 ______  姓名 ______"), std::wstring::npos);
            EXPECT_EQ(body.rfind(L"参考依据：", 0), std::wstring::npos);
            EXPECT_NE(body.find(L"参考依据：", at + report.size()), std::wstring::npos);
            int entries = 0;
            for (std::size_t f = body.find(c.every_row_of); f != std::wstring::npos;
                 f = body.find(c.every_row_of, f + 1))
                ++entries;
            EXPECT_GE(entries, c.entries);
            // A heading line ("护士22：") never ends a page away from the row it heads.
            const std::vector<const PrintLine*> rows = p.body();
            for (std::size_t r = 0; r + 1 < rows.size(); ++r)
                if (rows[r + 1]->page != rows[r]->page) {
                    EXPECT_NE(p.row(*rows[r]).back(), L'：') << p.row(*rows[r]);
                }
            // Proportional fonts give the same pages at every resolution.
            if (dpi == 300) {
                pages_at_300 = p.document.page_count;
            } else {
                EXPECT_EQ(p.document.page_count, pages_at_300);
            }
        }
    }
}

bool ascii_word(wchar_t c) { return c > L' ' && c < 0x7F; }

// One line of the report with the rows it was printed in.
struct ReportLine {
    std::wstring text;
    std::vector<const PrintLine*> rows;
    bool heads_next; // ends in a colon, and a line follows straight away
};

// The report's non-empty lines, each with the rows of the fixed font that hold it, in order.
std::vector<ReportLine> report_lines(const Printed& p) {
    const std::vector<const PrintLine*> rows = p.body();
    std::size_t next = 0;
    while (next < rows.size() && rows[next]->font != PRINT_FIXED) ++next;
    std::vector<ReportLine> lines;
    for (const wchar_t* line = p.session.outcome.result; *line != L'\0';) {
        std::size_t length = 0;
        while (line[length] != L'\0' && line[length] != L'\r') ++length;
        ReportLine entry = {std::wstring(line, length), {}, false};
        line += length;
        if (*line == L'\r') ++line;
        if (*line == L'\n') ++line;
        entry.heads_next =
            length > 0 && entry.text.back() == L'：' && *line != L'\0' && *line != L'\r';
        while (*line == L'\r' || *line == L'\n') ++line;
        if (entry.text.empty()) continue;
        std::wstring taken;
        while (taken.size() < entry.text.size() && next < rows.size()) {
            if (!taken.empty()) {
                EXPECT_FALSE(ascii_word(taken.back()) && ascii_word(p.row(*rows[next])[0]))
                    << "a word split after " << taken;
            }
            entry.rows.push_back(rows[next]);
            taken += p.row(*rows[next++]);
        }
        EXPECT_EQ(taken, entry.text);
        lines.push_back(entry);
    }
    return lines;
}

TEST(PrintPage, AReportLineShrinksBeforeItWraps) {
    const Printed& p = print(program("shift-rotation"), {40, 31}, 300);
    ASSERT_TRUE(p.built);
    bool shrunk = false;
    // Each report line's rows: one size for all, more than one row only at the smallest size.
    for (const ReportLine& line : report_lines(p)) {
        ASSERT_FALSE(line.rows.empty()) << line.text;
        const int points = line.rows[0]->points;
        for (const PrintLine* row : line.rows) EXPECT_EQ(row->points, points) << line.text;
        if (line.rows.size() > 1) {
            EXPECT_EQ(points, PRINT_FIXED_MIN_POINTS) << line.text;
        }
        EXPECT_GE(points, PRINT_FIXED_MIN_POINTS);
        if (points < PRINT_POINTS[PRINT_FIXED]) shrunk = true;
    }
    EXPECT_TRUE(shrunk) << "the 31 days of a nurse fit no row at 10 points";
}

// Over a sweep of page heights, so that every line meets a page's end somewhere: a wrapped line
// is kept whole on one page, and a heading never ends a page away from the line it heads, whose
// first row it makes room for at that row's own size.
TEST(PrintPage, NoLineCutAndNoHeadingAloneAtAnyPageHeight) {
    struct Case {
        const char* program;
        std::vector<double> values;
    };
    const Case cases[] = {
        {"shift-rotation", {40, 31}},
        {"critical-values", {}},
        {"follow-up-plan", {}},
    };
    for (const Case& c : cases) {
        const ToolDef& tool = program(c.program);
        std::vector<double> values = c.values;
        for (int i = static_cast<int>(values.size()); i < tool.input_count; ++i)
            values.push_back(tool.inputs[i].default_value);
        int headings = 0;
        for (int height = 880; height <= 1000; ++height) {
            PrintGeometry geometry = a4_geometry(300, 300);
            geometry.page_height = height;
            geometry.margin_y = 40;
            const Printed& p = print(tool, values, 300, &geometry);
            ASSERT_TRUE(p.built) << c.program << " " << height;
            const std::vector<ReportLine> lines = report_lines(p);
            for (std::size_t l = 0; l < lines.size(); ++l) {
                const ReportLine& line = lines[l];
                for (const PrintLine* row : line.rows)
                    EXPECT_EQ(row->page, line.rows[0]->page)
                        << c.program << " " << height << ": cut " << line.text;
                if (!line.heads_next || l + 1 == lines.size()) continue;
                ++headings;
                EXPECT_EQ(lines[l + 1].rows[0]->page, line.rows.back()->page)
                    << c.program << " " << height << ": alone at a page's end: " << line.text;
            }
        }
        EXPECT_GT(headings, 0) << c.program << " has no heading to keep";
    }
}

TEST(PrintPage, AFormulaToolsRecordWithTheGuideLineOfEachValue) {
    const ToolDef& braden = program("braden");
    const Printed& p = print(braden, {2, 2, 2, 2, 2, 2}, 300);
    ASSERT_TRUE(p.built);
    EXPECT_EQ(p.document.page_count, 1);
    expect_sound_pages(p);
    const std::wstring body = p.body_text();
    std::size_t at = 0;
    for (const std::wstring& part :
         {std::wstring(braden.title), std::wstring(L"评估时间：2026-12-09 08:05"),
          std::wstring(braden.inputs[0].label), std::wstring(L"2  非常受限："),
          std::wstring(L"Braden 总分：12 分"), std::wstring(L"【高】"),
          std::wstring(L"参考依据：")}) {
        const std::size_t found = body.find(part, at);
        EXPECT_NE(found, std::wstring::npos) << "missing or out of order: " << part;
        if (found != std::wstring::npos) at = found + part.size();
    }
    // The long guide line of the first value wraps within the value column, and its rows
    // together are the cell whole, no word split between two rows.
    wchar_t cell[PRINT_LINE_CAPACITY];
    build_print_value_cell(braden.inputs[0], 2, cell, PRINT_LINE_CAPACITY);
    std::wstring rows;
    int row_count = 0;
    int column_x = -1;
    for (const PrintLine* line : p.body()) {
        const std::wstring row = p.row(*line);
        if (row_count == 0 && row.rfind(L"2  非常受限", 0) != 0) continue;
        if (row_count > 0 && line->x != column_x) break;
        if (!rows.empty()) {
            EXPECT_FALSE(ascii_word(rows.back()) && ascii_word(row[0])) << rows;
        }
        column_x = line->x;
        rows += row;
        ++row_count;
    }
    EXPECT_GT(row_count, 1) << "the guide line did not wrap";
    EXPECT_EQ(rows, cell);
    EXPECT_GT(column_x, p.geometry.margin_x);
}

// A table row whose value cell wraps is one block: over a sweep of page heights it is never cut
// across a page's end.
TEST(PrintPage, AWrappedTableRowStaysOnOnePage) {
    const ToolDef& braden = program("braden");
    wchar_t cell[PRINT_LINE_CAPACITY];
    build_print_value_cell(braden.inputs[0], 2, cell, PRINT_LINE_CAPACITY);
    const std::wstring whole = cell;
    int moved = 0;
    for (int height = 300; height <= 700; ++height) {
        PrintGeometry geometry = a4_geometry(300, 300);
        geometry.page_height = height;
        geometry.margin_y = 20;
        const Printed& p = print(braden, {2, 2, 2, 2, 2, 2}, 300, &geometry);
        ASSERT_TRUE(p.built) << height;
        std::wstring rows;
        std::vector<int> pages;
        for (const PrintLine* line : p.body()) {
            const std::wstring row = p.row(*line);
            if (rows.empty() && row.rfind(L"2  非常受限", 0) != 0) continue;
            const std::wstring joined = rows + row;
            if (whole.rfind(joined, 0) != 0) break;
            rows = joined;
            pages.push_back(line->page);
        }
        ASSERT_EQ(rows, whole) << height;
        for (int page : pages) EXPECT_EQ(page, pages[0]) << "cut at page height " << height;
        if (pages[0] > 0) ++moved;
    }
    EXPECT_GT(moved, 0) << "no height put the row on a later page";
}

TEST(PrintPage, TheValueCellTakesTheGuideLineThatStartsWithTheValue) {
    const ToolDef& braden = program("braden");
    const struct {
        double value;
        const wchar_t* starts;
    } cases[] = {
        {3, L"3  轻度受限："},
        {4, L"4  未受损："},
        {5, L"5"}, // no guide line starts with it: the value alone
    };
    for (const auto& c : cases) {
        wchar_t cell[PRINT_LINE_CAPACITY];
        build_print_value_cell(braden.inputs[0], c.value, cell, PRINT_LINE_CAPACITY);
        EXPECT_EQ(std::wstring(cell).rfind(c.starts, 0), 0u) << c.value;
        if (c.value == 5) {
            EXPECT_STREQ(cell, L"5");
        }
    }
    // A value is matched whole: 1 is not the start of "12 …".
    InputDef input = braden.inputs[0];
    input.guide = L"12 十二\r\n1：一";
    wchar_t cell[PRINT_LINE_CAPACITY];
    build_print_value_cell(input, 1, cell, PRINT_LINE_CAPACITY);
    EXPECT_STREQ(cell, L"1  一");
    build_print_value_cell(input, 12, cell, PRINT_LINE_CAPACITY);
    EXPECT_STREQ(cell, L"12  十二");
}

TEST(PrintPage, LevelMarksReadWithoutColour) {
    EXPECT_STREQ(print_level_mark(3), L"【极高】");
    EXPECT_STREQ(print_level_mark(0), L"【低】");
    EXPECT_STREQ(print_level_mark(-1), L"【低】");
    EXPECT_STREQ(print_level_mark(4), L"【低】");
    // The verdict row begins with the mark of the outcome's level.
    const Printed& p = print(program("braden"), {1, 1, 1, 1, 1, 1}, 300);
    ASSERT_EQ(p.session.outcome.level, 3);
    EXPECT_NE(p.body_text().find(std::wstring(L"【极高】") + p.session.outcome.verdict),
              std::wstring::npos);
}

// The progress window's page never lies outside the job: before the count, past the last page,
// and a count of one.
TEST(PrintPage, TheProgressTextStaysWithinTheJob) {
    const struct {
        int page, count;
        const wchar_t* text;
    } cases[] = {
        {0, 0, L"正在打印"},
        {3, 0, L"正在打印"},
        {0, 5, L"正在打印 第 1 页 / 共 5 页"},
        {5, 5, L"正在打印 第 5 页 / 共 5 页"},
        {6, 5, L"正在打印 第 5 页 / 共 5 页"},
        {1, 1, L"正在打印 第 1 页 / 共 1 页"},
    };
    for (const auto& c : cases) {
        wchar_t text[PRINT_PROGRESS_CAPACITY];
        build_print_progress_text(c.page, c.count, text, PRINT_PROGRESS_CAPACITY);
        EXPECT_STREQ(text, c.text) << c.page << " / " << c.count;
    }
}

TEST(PrintPage, APageTooNarrowForTheTextIsRefusedNotCut) {
    // Two millimetres of text width: more rows than the document holds.
    PrintGeometry narrow = a4_geometry(300, 300);
    narrow.page_width = 2 * narrow.margin_x + 24;
    const Printed& p = print(program("shift-rotation"), {40, 31}, 300, &narrow);
    EXPECT_FALSE(p.built);
}

} // namespace
