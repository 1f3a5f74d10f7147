#!/usr/bin/env python3
"""Adds up JUnit-style result files (ctest, GoogleTest, the end-to-end runner) and prints
one line "N passed, N failed[, N skipped]". A missing or unreadable file counts as one
failure: a test program that crashed before writing its results must not look green.
Exits non-zero when anything failed or nothing ran."""
import sys
import xml.etree.ElementTree as ET


def count(path):
    try:
        root = ET.parse(path).getroot()
    except (OSError, ET.ParseError) as e:
        print(f"summary: {path}: no results ({e.__class__.__name__})")
        return 0, 1, 0
    passed = failed = skipped = 0
    for case in root.iter("testcase"):
        if case.find("failure") is not None or case.find("error") is not None or case.get("status") == "fail":
            failed += 1
        elif case.find("skipped") is not None or case.get("status") in ("notrun", "disabled") \
                or case.get("result") == "skipped":
            skipped += 1
        else:
            passed += 1
    return passed, failed, skipped


def main(paths):
    total = [0, 0, 0]
    for p in paths:
        for i, n in enumerate(count(p)):
            total[i] += n
    passed, failed, skipped = total
    line = f"{passed} passed, {failed} failed"
    if skipped:
        line += f", {skipped} skipped"
    print(line)
    return 0 if failed == 0 and passed > 0 else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
