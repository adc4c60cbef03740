#!/usr/bin/env python3
"""Reads the record file that the window test saved with Python's csv module: the header and
two records, each one row of 17 cells, the patient's cells where the header names them, a
record id of its own and the total as its headline.

check_patient_csv.py FILE
"""
import csv
import re
import sys

from csv_report import report

with open(sys.argv[1], encoding="utf-8-sig", newline="") as file:
    rows = list(csv.reader(file))
header = ["时间", "工具", "感觉 1-4", "潮湿 1-4", "活动 1-4", "移动 1-4", "营养 1-4", "摩擦力 1-3",
          "结果", "等级", "结论", "床号", "住院号", "姓名", "评估者", "记录号", "主要结果"]
UUID4 = re.compile(r"^[0-9a-f]{8}-[0-9a-f]{4}-4[0-9a-f]{3}-[89ab][0-9a-f]{3}-[0-9a-f]{12}$")
problems = []
if len(rows) != 3:
    problems.append(f"{len(rows)} rows, expected the header and 2 records")
elif rows[0] != header:
    problems.append(f"header {rows[0]}")
for row in rows[1:]:
    cells = dict(zip(header, row))
    if len(row) != len(header):
        problems.append(f"{len(row)} cells: {row}")
    elif (cells["床号"], cells["住院号"], cells["姓名"], cells["评估者"]) != (
            "12", 'Z001,"A"', "张三", "'=HYPERLINK(1)"):
        problems.append(f"patient cells {row[11:]}")
    elif cells["等级"] not in ("1", "2") or not cells["结果"].startswith("Braden 总分："):
        problems.append(f"grade cells {row[8:11]}")
    elif not UUID4.match(cells["记录号"]):
        problems.append(f"record id {cells['记录号']!r}")
    elif cells["结果"] != f"Braden 总分：{cells['主要结果']} 分":
        problems.append(f"headline {cells['主要结果']!r} beside {cells['结果']!r}")
if len(rows) == 3 and rows[1][-2] == rows[2][-2]:
    problems.append("two records with one id")
report(problems, "csv: the patient's two records are two rows of 17 cells")
