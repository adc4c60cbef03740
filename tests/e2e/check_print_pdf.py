#!/usr/bin/env python3
"""Checks a PDF that the print queue wrote against the texts the window test expects of it.

check_print_pdf.py PDF EXPECT [PNG]

EXPECT holds one text per line, each to be found in the PDF's text after the one before it;
a line "footer NAME" asks for the footer "评估者：NAME    签名：________    第 p 页 / 共 n 页" on
every page p of the n that pdfinfo counts. The paper must be A4. Texts are compared in Unicode's
compatibility form (pdftotext may give U+F967 for 不) without white space, so that rows wrapped
in the PDF still read as one text. With PNG, the first page is rendered there.
"""
import re
import subprocess
import sys
import unicodedata


def normal(text):
    return re.sub(r"\s+", "", unicodedata.normalize("NFKC", text))


def main():
    pdf, expect = sys.argv[1], sys.argv[2]
    failures = []
    info = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True, check=True).stdout
    pages = int(re.search(r"^Pages:\s+(\d+)", info, re.M).group(1))
    size = re.search(r"^Page size:\s+([\d.]+) x ([\d.]+) pts", info, re.M)
    width, height = float(size.group(1)), float(size.group(2))
    if abs(width - 595.3) > 2 or abs(height - 841.9) > 2:
        failures.append(f"the paper is {width} x {height} points, not A4 portrait")
    raw = subprocess.run(["pdftotext", "-layout", pdf, "-"], capture_output=True, text=True,
                         check=True).stdout
    page_texts = [normal(page) for page in raw.split("\f")][:pages]
    whole = "".join(page_texts)
    at = 0
    with open(expect, encoding="utf-8") as lines:
        for line in lines:
            line = line.rstrip("\n")
            if line.startswith("footer "):
                assessor = line[len("footer "):]
                for p, text in enumerate(page_texts, 1):
                    footer = normal(f"{assessor}    签名：________    第 {p} 页 / 共 {pages} 页")
                    if footer not in text:
                        failures.append(f"page {p} of {pages} lacks its footer {footer}")
                continue
            wanted = normal(line)
            found = whole.find(wanted, at)
            if found < 0:
                where = "anywhere" if whole.find(wanted) < 0 else "after the texts before it"
                failures.append(f"not found {where}: {line}")
            else:
                at = found + len(wanted)
    if len(sys.argv) > 3:
        base = sys.argv[3][:-4] if sys.argv[3].endswith(".png") else sys.argv[3]
        subprocess.run(["pdftoppm", "-png", "-r", "100", "-f", "1", "-l", "1", "-singlefile", pdf,
                        base], check=True)
    name = pdf.rsplit("/", 1)[-1]
    for failure in failures:
        print(f"FAIL {name}: {failure}")
    if not failures:
        print(f"PASS {name}: {pages} page(s), A4, every expected text in order, every footer")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
