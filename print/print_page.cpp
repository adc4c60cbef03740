#include "print/print_page.h"

#include "core/text.h"
#include "print/print_texts.h"
#include "screen/guide_wrap.h"
#include "screen/record_texts.h"
#include "screen/window_texts.h"

namespace {

// The longest paragraph that is kept together: more rows than this are placed as they come.
constexpr int MAX_PARAGRAPH_ROWS = 256;

// 254 tenths of a millimetre to the inch, rounded to the nearest pixel.
int tenth_mm_to_pixels(int tenths, int dpi) {
    return static_cast<int>((static_cast<long long>(tenths) * dpi + 127) / 254);
}

struct Row {
    int start;
    int length;
};

// A wrapped text: its rows at a width, in one font and size.
struct Paragraph {
    PrintFont font;
    int points;
    int x;
    Row rows[MAX_PARAGRAPH_ROWS];
    int row_count;
};

struct Layout {
    PrintGeometry geometry;
    PrintMeasure measure;
    PrintDocument* document;
    int page;
    int y;
    int top;
    int bottom; // where the body ends, above the footer
    bool overflow;
    // Scratch for the paragraphs being placed: a line, or a table row's two cells.
    Paragraph first;
    Paragraph second;
};

int line_height(const Layout& layout, PrintFont font, int points) {
    return layout.measure.line_height(layout.measure.context, font, points);
}

int fit(const Layout& layout, PrintFont font, int points, int start, int length, int width) {
    return layout.measure.fit(layout.measure.context, font, points, layout.document->text + start,
                              length, width);
}

// Keeps text in the document; returns where it starts, or -1 when it does not fit.
int keep_text(Layout* layout, const wchar_t* text, int length) {
    PrintDocument& document = *layout->document;
    if (document.text_length + length + 1 > PRINT_TEXT_CAPACITY) {
        layout->overflow = true;
        return -1;
    }
    const int start = document.text_length;
    for (int i = 0; i < length; ++i) document.text[start + i] = text[i];
    document.text_length += length;
    document.text[document.text_length] = L'\0';
    return start;
}

// The rows of the kept text at the width, by the guide's word rule.
void wrap(Layout* layout, int start, int length, int width, Paragraph* paragraph) {
    paragraph->row_count = 0;
    while (length > 0) {
        if (paragraph->row_count == MAX_PARAGRAPH_ROWS) {
            layout->overflow = true; // never printed with rows left out
            return;
        }
        const int fitted = fit(*layout, paragraph->font, paragraph->points, start, length, width);
        const int row = guide_row_length(layout->document->text + start, length, fitted);
        paragraph->rows[paragraph->row_count++] = {start, row};
        start += row;
        length -= row;
    }
}

void new_page(Layout* layout) {
    ++layout->page;
    layout->y = layout->top;
}

void add_line(Layout* layout, PrintFont font, int points, int x, int y, const Row& row) {
    PrintDocument& document = *layout->document;
    if (document.line_count >= PRINT_MAX_LINES) {
        layout->overflow = true;
        return;
    }
    document.lines[document.line_count++] = {layout->page, x,         y,         font,
                                             points,       row.start, row.length};
}

// Starts a new page when a block of this height does not fit below, unless the page is still
// empty (a block taller than a page then breaks between its rows).
void make_room(Layout* layout, int height) {
    if (layout->y + height > layout->bottom && layout->y > layout->top) new_page(layout);
}

// Places up to two paragraphs side by side (a table row) as one block, row by row.
void place(Layout* layout, const Paragraph* const* columns, int column_count) {
    // Every row of the block steps by the tallest line of its columns.
    int rows = 0;
    int step = 0;
    for (int c = 0; c < column_count; ++c) {
        const Paragraph& p = *columns[c];
        if (p.row_count > rows) rows = p.row_count;
        const int h = line_height(*layout, p.font, p.points);
        if (h > step) step = h;
    }
    make_room(layout, rows * step);
    for (int r = 0; r < rows; ++r) {
        make_room(layout, step);
        for (int c = 0; c < column_count; ++c) {
            const Paragraph& p = *columns[c];
            if (r < p.row_count) add_line(layout, p.font, p.points, p.x, layout->y, p.rows[r]);
        }
        layout->y += step;
    }
}

int content_left(const Layout& layout) { return layout.geometry.margin_x; }
int content_width(const Layout& layout) {
    return layout.geometry.page_width - 2 * layout.geometry.margin_x;
}

// A text of one or more CR LF lines, each wrapped at the content width as a block of its own; an
// empty line leaves a line's space.
void place_text(Layout* layout, const wchar_t* text, PrintFont font) {
    Paragraph& paragraph = layout->first;
    const int points = PRINT_POINTS[font];
    const wchar_t* line = text != nullptr ? text : L"";
    while (*line != L'\0') {
        const int length = text_line_length(line);
        if (length == 0) {
            layout->y += line_height(*layout, font, points);
        } else {
            paragraph.font = font;
            paragraph.points = points;
            paragraph.x = content_left(*layout);
            const int start = keep_text(layout, line, length);
            if (start < 0) return;
            wrap(layout, start, length, content_width(*layout), &paragraph);
            const Paragraph* columns[] = {&paragraph};
            place(layout, columns, 1);
        }
        line = text_skip_line_break(line + length);
    }
}

// Half a line of the text font between sections.
void gap(Layout* layout) {
    layout->y += line_height(*layout, PRINT_TEXT, PRINT_POINTS[PRINT_TEXT]) / 2;
}

void place_header(Layout* layout, const PrintSource& source) {
    place_text(layout, source.session->tool->title, PRINT_TITLE);
    wchar_t line[PRINT_LINE_CAPACITY];
    build_patient_line(*source.patient, PRINT_BLANK, line, PRINT_LINE_CAPACITY);
    place_text(layout, line, PRINT_TEXT);
    build_print_time_line(source.session->calculated, line, PRINT_LINE_CAPACITY);
    place_text(layout, line, PRINT_TEXT);
    gap(layout);
}

// The widest label, and a gap of two characters, up to two fifths of the width.
int label_column_width(const Layout& layout, const ToolDef& tool) {
    const int points = PRINT_POINTS[PRINT_TEXT];
    const int limit = content_width(layout) * 2 / 5;
    int widest = 0;
    for (int j = 0; j < tool_input_count(tool); ++j) {
        const wchar_t* label = tool.inputs[j].label;
        const int length = text_length(label);
        // The narrowest width that holds the whole label, by halving.
        int low = 0;
        int high = limit;
        while (low < high) {
            const int mid = (low + high) / 2;
            if (layout.measure.fit(layout.measure.context, PRINT_TEXT, points, label, length,
                                   mid) >= length)
                high = mid;
            else
                low = mid + 1;
        }
        if (low > widest) widest = low;
    }
    const int gap_width = line_height(layout, PRINT_TEXT, points);
    return widest + gap_width < limit ? widest + gap_width : limit;
}

void place_inputs_table(Layout* layout, const ToolDef& tool, const double* values) {
    Paragraph& label = layout->first;
    Paragraph& value = layout->second;
    const int points = PRINT_POINTS[PRINT_TEXT];
    const int label_width = label_column_width(*layout, tool);
    label.font = value.font = PRINT_TEXT;
    label.points = value.points = points;
    label.x = content_left(*layout);
    value.x = content_left(*layout) + label_width;
    for (int j = 0; j < tool_input_count(tool); ++j) {
        const wchar_t* text = tool.inputs[j].label;
        const int label_start = keep_text(layout, text, text_length(text));
        wchar_t cell[PRINT_LINE_CAPACITY];
        build_print_value_cell(tool.inputs[j], values[j], cell, PRINT_LINE_CAPACITY);
        const int value_start = keep_text(layout, cell, text_length(cell));
        if (label_start < 0 || value_start < 0) return;
        wrap(layout, label_start, text_length(text), label_width, &label);
        wrap(layout, value_start, text_length(cell), content_width(*layout) - label_width, &value);
        const Paragraph* columns[] = {&label, &value};
        place(layout, columns, 2);
    }
    gap(layout);
}

// Keeps a report line and wraps it in the fixed font, at the largest size from its own down to
// the smallest at which it fits the width whole; wrapped at the smallest when none does. False
// when the text does not fit the document.
bool wrap_report_line(Layout* layout, const wchar_t* line, int length, Paragraph* paragraph) {
    const int start = keep_text(layout, line, length);
    if (start < 0) return false;
    int points = PRINT_POINTS[PRINT_FIXED];
    while (points > PRINT_FIXED_MIN_POINTS &&
           fit(*layout, PRINT_FIXED, points, start, length, content_width(*layout)) < length)
        --points;
    paragraph->font = PRINT_FIXED;
    paragraph->points = points;
    paragraph->x = content_left(*layout);
    wrap(layout, start, length, content_width(*layout), paragraph);
    return true;
}

// The height of a report line placed as one block, measured and taken back out of the document.
int report_line_height(Layout* layout, const wchar_t* line, int length) {
    PrintDocument& document = *layout->document;
    const int kept = document.text_length;
    Paragraph& paragraph = layout->second;
    if (!wrap_report_line(layout, line, length, &paragraph)) return 0;
    document.text_length = kept;
    document.text[kept] = L'\0';
    return line_height(*layout, PRINT_FIXED, paragraph.points) * paragraph.row_count;
}

// A report line as one block. A line that heads the next (next not null) goes to a new page unless
// the whole of the next, at its own size, fits below it.
void place_report_line(Layout* layout, const wchar_t* line, int length, const wchar_t* next,
                       int next_length) {
    Paragraph& paragraph = layout->first;
    if (!wrap_report_line(layout, line, length, &paragraph)) return;
    if (next != nullptr) {
        const int own = line_height(*layout, PRINT_FIXED, paragraph.points) * paragraph.row_count;
        make_room(layout, own + report_line_height(layout, next, next_length));
    }
    const Paragraph* columns[] = {&paragraph};
    place(layout, columns, 1);
}

void place_report(Layout* layout, const wchar_t* report) {
    const int empty_line = line_height(*layout, PRINT_FIXED, PRINT_POINTS[PRINT_FIXED]);
    const wchar_t* line = report;
    while (*line != L'\0') {
        const int length = text_line_length(line);
        // A heading: it ends in a colon and the next line follows it straight away.
        const wchar_t* next = text_skip_line_break(line + length);
        const bool heads_next = length > 0 &&
                                (line[length - 1] == L'：' || line[length - 1] == L':') &&
                                text_line_length(next) > 0;
        if (length == 0)
            layout->y += empty_line;
        else
            place_report_line(layout, line, length, heads_next ? next : nullptr,
                              text_line_length(next));
        line = text_skip_line_break(line + length);
    }
    gap(layout);
}

void place_outcome(Layout* layout, const PrintSource& source) {
    const CalcSession& session = *source.session;
    const ToolDef& tool = *session.tool;
    if (tool.report_kind != 0) {
        place_report(layout, session.outcome.result);
    } else {
        place_inputs_table(layout, tool, session.input_values);
        place_text(layout, session.outcome.result, PRINT_TEXT);
        gap(layout);
        wchar_t verdict[OUTCOME_VERDICT_CAPACITY + 16];
        text_format(verdict, OUTCOME_VERDICT_CAPACITY + 16, L"%ls%ls",
                    print_level_mark(session.outcome.level), session.outcome.verdict);
        place_text(layout, verdict, PRINT_STRONG);
        if (!text_is_empty(session.previous)) place_text(layout, session.previous, PRINT_TEXT);
        gap(layout);
        if (!text_is_empty(tool.note)) {
            place_text(layout, tool.note, PRINT_TEXT);
            gap(layout);
        }
    }
    wchar_t reference[REFERENCE_TEXT_CAPACITY];
    build_reference_text(tool, reference, REFERENCE_TEXT_CAPACITY);
    place_text(layout, reference, PRINT_TEXT);
}

// The footer of every page, once the page count is known.
void place_footers(Layout* layout, const wchar_t* assessor, int footer_y) {
    for (int page = 0; page < layout->document->page_count; ++page) {
        wchar_t footer[PRINT_LINE_CAPACITY];
        build_print_footer(assessor, page + 1, layout->document->page_count, footer,
                           PRINT_LINE_CAPACITY);
        const int length = text_length(footer);
        const int start = keep_text(layout, footer, length);
        if (start < 0) return;
        layout->page = page;
        add_line(layout, PRINT_TEXT, PRINT_POINTS[PRINT_TEXT], content_left(*layout), footer_y,
                 {start, length});
    }
}

} // namespace

PrintGeometry a4_geometry(int dpi_x, int dpi_y) {
    return {tenth_mm_to_pixels(A4_WIDTH_TENTH_MM, dpi_x),
            tenth_mm_to_pixels(A4_HEIGHT_TENTH_MM, dpi_y),
            tenth_mm_to_pixels(PRINT_MARGIN_TENTH_MM, dpi_x),
            tenth_mm_to_pixels(PRINT_MARGIN_TENTH_MM, dpi_y)};
}

bool build_print_document(const PrintSource& source, const PrintGeometry& geometry,
                          const PrintMeasure& measure, PrintDocument* document) {
    document->text_length = 0;
    document->text[0] = L'\0';
    document->line_count = 0;
    document->page_count = 0;
    Layout layout = {geometry,          measure, document, 0,  geometry.margin_y,
                     geometry.margin_y, 0,       false,    {}, {}};
    // The footer's line ends at the bottom margin; a quarter margin above it the body ends.
    const int footer_y = geometry.page_height - geometry.margin_y -
                         line_height(layout, PRINT_TEXT, PRINT_POINTS[PRINT_TEXT]);
    layout.bottom = footer_y - geometry.margin_y / 4;
    place_header(&layout, source);
    place_outcome(&layout, source);
    document->page_count = layout.page + 1;
    place_footers(&layout, source.patient->text[PATIENT_ASSESSOR], footer_y);
    return !layout.overflow;
}
