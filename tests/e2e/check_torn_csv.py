#!/usr/bin/env python3
"""Reads the record file of the torn-record test with Python's csv module: the header, the sealed
fragment as a short row of its own, then four whole records of the header's width, each with a
record id of its own.

check_torn_csv.py FILE
"""
import csv
import sys

from csv_report import report

with open(sys.argv[1], encoding="utf-8-sig", newline="") as file:
    rows = list(csv.reader(file))
problems = []
if len(rows) != 6:
    problems.append(f"{len(rows)} rows, expected the header, the fragment and 4 records")
else:
    header, fragment, records = rows[0], rows[1], rows[2:]
    if header[0] != "时间" or len(fragment) >= len(header):
        problems.append(f"header {header[:3]}…, fragment of {len(fragment)} cells")
    for row in records:
        cells = dict(zip(header, row))
        if len(row) != len(header) or not cells["结果"].startswith("Braden 总分："):
            problems.append(f"not a whole record: {row}")
    if len({dict(zip(header, row)).get("记录号") for row in records}) != 4:
        problems.append("the four records do not have four record ids")
report(problems, "csv: after the sealed fragment, four whole records")
