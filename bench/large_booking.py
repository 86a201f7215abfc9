#!/usr/bin/env python3
"""Writes a network's booking of many lines for the genlog months of a quarter: exact spots of
a genlog playlist (spot_001.avi ...), twenty clients, each line a period of one to five weeks
inside the quarter, a four-hour window or the whole day. Windows-1250, as Excel saves it.
    large_booking.py LINES PLAYLIST OUT.csv [SEED]
"""
import datetime
import random
import sys


def main():
    lines, playlist, out = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
    rng = random.Random(int(sys.argv[4]) if len(sys.argv) > 4 else 1)
    quarter = datetime.date(2026, 10, 1)
    rows = ["Klient;Kampaň;Spot;Od;Do;Čas od;Čas do;Přehrání za den;Panel"]
    for n in range(lines):
        first = quarter + datetime.timedelta(days=rng.randrange(0, 85))
        last = min(first + datetime.timedelta(days=rng.randrange(6, 35)), datetime.date(2026, 12, 31))
        start = rng.choice([None, 6, 10, 14, 18])
        window = ";" if start is None else f"{start}:00;{start + 4}:00"
        spot = f"spot_{rng.randrange(1, playlist + 1):03d}.avi"
        rows.append(f"Klient {n % 20 + 1:02d};Kampaň {n // 20 + 1};{spot};"
                    f"{first.day}.{first.month}.{first.year};{last.day}.{last.month}.{last.year};"
                    f"{window};{rng.choice([1, 2, 3, 5])};")
    with open(out, "w", encoding="cp1250", newline="\r\n") as f:
        f.write("\n".join(rows) + "\n")


if __name__ == "__main__":
    main()
