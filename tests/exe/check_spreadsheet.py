#!/usr/bin/env python3
"""Opens a record file in LibreOffice Calc (headless) and checks what it shows: one row per
record and every cell in its column, as the expected file says.

check_spreadsheet.py SAMPLE_PROGRAM WORK_FOLDER
"""
import html.parser
import os
import subprocess
import sys


class Table(html.parser.HTMLParser):
    """The rows of the first table of an HTML page, each a list of cell texts."""

    def __init__(self):
        super().__init__()
        self.rows, self.cell, self.in_cell = [], None, False

    def handle_starttag(self, tag, attrs):
        if tag == "tr":
            self.rows.append([])
        elif tag in ("td", "th"):
            self.in_cell, self.cell = True, ""
        elif tag == "br" and self.in_cell:
            self.cell += "\n"

    def handle_endtag(self, tag):
        if tag in ("td", "th") and self.in_cell:
            self.rows[-1].append(self.cell)
            self.in_cell = False

    def handle_data(self, data):
        if self.in_cell:
            self.cell += data


def unescape(cell):
    out, i = "", 0
    while i < len(cell):
        if cell[i] == "\\" and i + 1 < len(cell):
            out += {"t": "\t", "r": "\r", "n": "\n", "\\": "\\"}[cell[i + 1]]
            i += 2
        else:
            out += cell[i]
            i += 1
    return out


def shown(text):
    """A cell's text as a spreadsheet shows it: line breaks as LF, no trailing blanks."""
    text = text.replace("\r\n", "\n").replace("\r", "\n")
    return text.strip(" ") if text.strip(" \n") else ""


def main():
    program, work = sys.argv[1], sys.argv[2]
    os.makedirs(work, exist_ok=True)
    csv_path, expected_path = os.path.join(work, "records.csv"), os.path.join(work, "expected.tsv")
    subprocess.run([program, csv_path, expected_path], check=True)
    # Comma-separated, double quotes, UTF-8 (76), first line 1; the time as text (it would show
    # as a date), every other column as the spreadsheet takes it by default, so that a typed text
    # that looks like a number or a formula shows whether it is kept as text.
    columns = "1/2/" + "/".join(f"{n}/1" for n in range(2, 12))
    filter_options = f"CSV:44,34,76,1,{columns}"
    profile = "file://" + os.path.join(work, "profile")
    subprocess.run(["soffice", f"-env:UserInstallation={profile}", "--headless",
                    f"--infilter={filter_options}", "--convert-to", "html", "--outdir", work,
                    csv_path], check=True, stdout=subprocess.DEVNULL, timeout=300)
    table = Table()
    with open(os.path.join(work, "records.html"), encoding="utf-8") as page:
        table.feed(page.read())
    with open(expected_path, encoding="utf-8") as lines:
        expected = [[unescape(c) for c in line.rstrip("\n").split("\t")] for line in lines]
    rows = [row for row in table.rows if any(cell.strip() for cell in row)]
    failures = 0
    if len(rows) != len(expected):
        print(f"FAIL {len(rows)} rows shown, {len(expected)} expected")
        failures += 1
    for r, (got, want) in enumerate(zip(rows, expected)):
        got = [shown(c) for c in got] + [""] * (len(want) - len(got))
        for c, want_cell in enumerate(want):
            # A guarded typed text shows as the text typed, with or without its apostrophe.
            ok = got[c] in (shown(want_cell), shown("'" + want_cell))
            if not ok:
                print(f"FAIL row {r + 1} column {c + 1}: shown {got[c]!r}, expected {want_cell!r}")
                failures += 1
        if len(got) > len(want) and any(got[len(want):]):
            print(f"FAIL row {r + 1}: cells beyond the last column: {got[len(want):]!r}")
            failures += 1
    if failures:
        sys.exit(1)
    print(f"spreadsheet: {len(rows)} rows, every cell in its column")


main()
