"""What the record-file checkers say: each problem on a FAIL line and exit 1, else the message."""
import sys


def report(problems, message):
    for problem in problems:
        print("FAIL", problem)
    if problems:
        sys.exit(1)
    print(message)
