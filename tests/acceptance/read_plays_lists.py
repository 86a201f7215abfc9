#!/usr/bin/env python3
"""Reads a campaign's plays lists back with Python's own csv module, as a buyer's system would.

usage: read_plays_lists.py PEOPLE_CSV PLAYOUT_CSV

Prints each record of the playout list as its fields joined by " | ", after a line with the
number of fields of each record, and the people's list the same way, decoded from Windows-1250.
Fails when a record does not have the format's 19 fields or a file is not what the format says.
"""
import csv
import sys

PLAYOUT_FIELDS = 19


def read_playout(path):
    with open(path, "rb") as raw:
        data = raw.read()
    if data and not data.endswith(b"\n"):
        sys.exit("the last record does not end in LF")
    if b"\r" in data:
        sys.exit("a record ends in CR LF")
    text = data.decode("utf-8")  # strict: the file must be UTF-8
    rows = list(csv.reader(text.splitlines(keepends=True), strict=True))
    for row in rows:
        if len(row) != PLAYOUT_FIELDS:
            sys.exit("a record of %d fields: %r" % (len(row), row))
    return rows


def read_people(path):
    with open(path, encoding="cp1250", newline="") as text:
        return list(csv.reader(text, delimiter=";", strict=True))


def main():
    people_path, playout_path = sys.argv[1:3]
    playout = read_playout(playout_path)
    print("playout: %d records of %d fields" % (len(playout), PLAYOUT_FIELDS))
    for row in playout:
        print(" | ".join(row))
    people = read_people(people_path)
    print("people: %d rows" % len(people))
    for row in people:
        print(" | ".join(row))


if __name__ == "__main__":
    main()
