"""The same work as `pyrelon-cli carbon --csv` with the Accucarb calibration,
done the usual way with pandas: read the CSV, compute the closed form, format
to three decimals, write the CSV.

    /usr/bin/python3 pandas_carbon.py IN OUT
"""
import sys

import numpy as np
import pandas as pd


def main() -> None:
    frame = pd.read_csv(sys.argv[1])
    t = frame["temp"]
    a = (-0.3950521 * t - 936.1648) + frame["mv"]
    b = (0.0361551 * t + 17.74167) * np.log(frame["co"])
    d = 0.09621958 * t - 20.99039
    frame["carbon"] = np.exp((a + b) / d)
    frame["error"] = ""
    frame.to_csv(sys.argv[2], index=False, float_format="%.3f")


if __name__ == "__main__":
    main()
