#include "toolbox_window/uploads_window.h"

#include "core/text.h"
#include "fhir_win32/outbox_folder.h"
#include "fhir_win32/outbox_list.h"
#include "screen/scale.h"
#include "screen/toolbox_layout.h"
#include "window_kit/colours.h"
#include "window_kit/drawing.h"
#include "window_kit/list_window.h"

const wchar_t* const UPLOADS_CAPTION = L"上传记录";

namespace {

namespace ul = uploads_layout;

const wchar_t* const UPLOADS_CLASS_NAME = L"HalviMedUploads";
constexpr int LAST_LINE_CAPACITY = OUTBOX_FOLDER_CAPACITY + 128;
constexpr int REASON_CAPACITY = FHIR_REASON_CAPACITY + 8;

struct UploadsView {
    double scale;
    const WindowFonts* fonts;
    HBRUSH background;
    wchar_t folder[OUTBOX_FOLDER_CAPACITY];
    OutboxList list;
    wchar_t last_line[LAST_LINE_CAPACITY];
    void (*send_now)();
};

UploadsView view;

void reason_of(const OutboxRow& row, wchar_t* dest, int capacity) {
    if (row.refused)
        text_format(dest, capacity, L"被拒绝：%ls", row.reason);
    else
        text_copy(dest, capacity, L"待上传");
}

void row_text(int index, wchar_t* dest, int capacity) {
    const OutboxRow& row = view.list.rows[index];
    wchar_t reason[REASON_CAPACITY];
    reason_of(row, reason, REASON_CAPACITY);
    text_format(dest, capacity, L"%ls\t%ls\t%ls\t%ls", row.entry.time, row.entry.tool,
                row.entry.patient, reason);
}

void draw_row(const DRAWITEMSTRUCT& item) {
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (item.itemID >= static_cast<UINT>(view.list.count)) return;
    const OutboxRow& row = view.list.rows[item.itemID];
    wchar_t reason[REASON_CAPACITY];
    reason_of(row, reason, REASON_CAPACITY);
    const wchar_t* cells[4] = {row.entry.time, row.entry.tool, row.entry.patient, reason};
    const COLORREF plain = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    for (int c = 0; c < 4; ++c) {
        RECT cell = item.rcItem;
        cell.left = item.rcItem.left + at_scale(ul::COLUMNS[c], view.scale);
        cell.right = c < 3 ? item.rcItem.left + at_scale(ul::COLUMNS[c + 1] - 8, view.scale)
                           : item.rcItem.right;
        const COLORREF colour = c == 3 && row.refused && !selected ? level_colour(3) : plain;
        draw_text_rect(item.hDC, cell, cells[c], colour, (*view.fonts)[FONT_SMALL],
                       DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
}

void on_command(HWND window, int id) {
    if (id != ID_UPLOADS_REQUEUE) return;
    const auto selected =
        static_cast<int>(SendDlgItemMessageW(window, ID_UPLOADS_LIST, LB_GETCURSEL, 0, 0));
    if (selected >= 0 && selected < view.list.count && view.list.rows[selected].refused)
        outbox_requeue(view.folder, view.list.rows[selected].id);
    view.send_now();
    DestroyWindow(window);
}

} // namespace

void show_uploads(HWND owner, HINSTANCE instance, const WindowFonts& fonts, double scale,
                  void (*send_now)()) {
    view.scale = scale;
    view.fonts = &fonts;
    view.send_now = send_now;
    view.list.count = 0;
    if (!outbox_folder_path(view.folder, OUTBOX_FOLDER_CAPACITY)) {
        text_copy(view.last_line, LAST_LINE_CAPACITY, L"找不到待上传文件夹");
    } else {
        outbox_list_read(view.folder, &view.list);
        const OutboxCount count = outbox_count(view.folder);
        text_format(view.last_line, LAST_LINE_CAPACITY, L"待上传 %d 条，被拒绝 %d 条：%ls",
                    count.waiting, count.refused, view.folder);
    }
    if (view.background == nullptr) view.background = CreateSolidBrush(colour_panel);
    static ListWindow window;
    window = {UPLOADS_CLASS_NAME,
              UPLOADS_CAPTION,
              instance,
              owner,
              &fonts,
              scale,
              view.background,
              ul::CLIENT_WIDTH,
              ul::CLIENT_HEIGHT,
              ul::LIST,
              ul::ROW_HEIGHT,
              ID_UPLOADS_LIST,
              ul::LAST_LINE,
              ID_UPLOADS_LAST_LINE,
              {{ul::REQUEUE_BUTTON, ID_UPLOADS_REQUEUE, L"重新上传", false},
               {ul::CLOSE_BUTTON, IDCANCEL, L"关闭", true}},
              2,
              row_text,
              draw_row,
              nullptr,
              on_command,
              nullptr};
    run_list_window(window, view.list.count, view.last_line);
}
