#!/usr/bin/env python3
"""Checks the record file that two PCs filled at once: check_ward_csv.py FILE SAVES PC...

One byte-order mark and one header, then for each PC (its letter) SAVES records, each whole (every
cell in its column, as Python's csv module reads the file) and each once: the beds 1 to SAVES of
the PC's assessor "护士PC", with its inpatient numbers "PC-nn".
"""
import csv
import sys


def main():
    path, saves, pcs = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
    failures = []
    with open(path, "rb") as raw:
        data = raw.read()
    if not data.startswith(b"\xef\xbb\xbf") or data.count(b"\xef\xbb\xbf") != 1:
        failures.append("not exactly one byte-order mark, at the start")
    rows = list(csv.reader(data.decode("utf-8-sig").splitlines()))
    header, records = rows[0], [row for row in rows[1:] if row]
    if header[0] != "时间" or sum(1 for row in rows if row and row[0] == "时间") != 1:
        failures.append("not exactly one header")
    beds = {pc: [] for pc in pcs}
    ids = set()
    for number, row in enumerate(records, 2):
        if len(row) != len(header):
            failures.append(f"line {number} has {len(row)} cells, the header {len(header)}")
            continue
        cells = dict(zip(header, row))
        assessor, bed, inpatient = cells["评估者"], cells["床号"], cells["住院号"]
        ids.add(cells["记录号"])
        pc = assessor.replace("护士", "")
        if pc not in beds or not inpatient.startswith(pc + "-"):
            failures.append(f"line {number} is of no PC: {row[-4:]}")
            continue
        beds[pc].append(int(bed))
    if len(ids) != len(records):
        failures.append(f"{len(records)} records, {len(ids)} record ids")
    for pc in pcs:
        if sorted(beds[pc]) != list(range(1, saves + 1)):
            missing = sorted(set(range(1, saves + 1)) - set(beds[pc]))
            failures.append(f"PC {pc}: {len(beds[pc])} records, missing beds {missing[:10]}")
    for failure in failures[:20]:
        print(f"FAIL {path}: {failure}")
    if not failures:
        print(f"PASS {len(records)} records from {len(pcs)} PCs, all whole and each once")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
