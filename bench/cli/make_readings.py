"""Writes a CSV of carbon-probe readings as a furnace data logger exports
them: a time stamp, the probe voltage in mV, the probe temperature in
degrees Celsius and the CO content in percent, every 5 seconds, with a
fixed seed so that every run times the same file.

    python3 make_readings.py ROWS FILE
"""
import random
import sys
from datetime import datetime, timedelta


def main() -> None:
    rows = int(sys.argv[1])
    path = sys.argv[2]
    rng = random.Random(20261206)
    start = datetime(2026, 12, 6, 6, 0, 0)
    step = timedelta(seconds=5)
    with open(path, "w", encoding="ascii", newline="") as out:
        out.write("time,mv,temp,co\n")
        t = start
        lines = []
        for i in range(rows):
            mv = 1050 + 120 * rng.random()
            temp = 820 + 140 * rng.random()
            co = 18 + 4 * rng.random()
            lines.append(f"{t:%Y-%m-%dT%H:%M:%S},{mv:.1f},{temp:.0f},{co:.2f}\n")
            t += step
            if len(lines) == 65536:
                out.writelines(lines)
                lines.clear()
        out.writelines(lines)


if __name__ == "__main__":
    main()
