#!/usr/bin/env python3
"""Finds readings whose shown results sit right beside a rounding step.

A model of every calculator, written apart from the C++ code from the
formulas in the product reference, evaluates each formula in the same
grouping with Python floats (IEEE doubles) and formats results by the same
pattern rules. It then searches for readings whose results lie so close to a
rounding step that changing any single digit of any constant a formula reads
moves the shown text, and picks a small set of such rows by greedy cover.

    python3 scripts/find_sensitive_rows.py          # search, print the C++ rows
    python3 scripts/find_sensitive_rows.py --check  # re-check the rows of the test

Standard library only. Deterministic (fixed seed).
"""

import math
import random
import re
import sys
from decimal import ROUND_HALF_UP, Decimal, getcontext
from pathlib import Path

# ---------------------------------------------------------------------------
# Number display

getcontext().prec = 400  # every whole digit of a double


def pattern_parts(pattern):
    whole, _, frac = pattern.partition(".")
    return len(frac), "0" in whole


def fmt(value, pattern):
    """Pattern formatting: 15 significant digits first, then d decimals,
    a final 5 away from zero; '-' unless the text is all zeros."""
    decimals, lead_zero = pattern_parts(pattern)
    digits = Decimal("%.14e" % abs(value))
    q = digits.quantize(Decimal(1).scaleb(-decimals), rounding=ROUND_HALF_UP)
    text = format(q, "f")
    if not lead_zero and text.startswith("0"):
        text = text[1:]
    if value < 0 and any(ch in "123456789" for ch in text):
        text = "-" + text
    return text


def read_back(text):
    return float(text)


def near_texts_of(value, pattern, transcendental):
    """Every text rounding noise could make of value."""
    if transcendental:
        values = (value * (1 - 1e-12), value, value * (1 + 1e-12))
    else:
        values = [value]
        lo = hi = value
        for _ in range(8):
            lo = math.nextafter(lo, -math.inf)
            hi = math.nextafter(hi, math.inf)
        values += [lo, hi]
    return {fmt(v, pattern) if math.isfinite(v) else "" for v in values}


def stable(value, pattern, transcendental):
    """True when the shown text cannot depend on rounding noise: for a value
    through exp, log or pow, a relative 1e-12 either way; for one through
    + - * / and sqrt alone (bit for bit the same in any IEEE program using
    the same grouping), 8 ulps either way."""
    if not math.isfinite(value):
        return False
    shown = fmt(value, pattern)
    if transcendental:
        lo, hi = value * (1 - 1e-12), value * (1 + 1e-12)
    else:
        lo = hi = value
        for _ in range(8):
            lo = math.nextafter(lo, -math.inf)
            hi = math.nextafter(hi, math.inf)
    return fmt(lo, pattern) == shown == fmt(hi, pattern)


class Fault(Exception):
    """The arithmetic cannot go on: the panel shows a sentence instead."""


class Shown:
    """The results a press writes, in order, with their stability."""

    def __init__(self):
        self.rows = []  # (label, text, stable)
        self.near = []  # per row, every text rounding noise could give

    def write(self, label, value, pattern, transcendental=False):
        if not math.isfinite(value):
            raise Fault(label)
        text = fmt(value, pattern)
        self.rows.append((label, text, stable(value, pattern, transcendental)))
        self.near.append(near_texts_of(value, pattern, transcendental))
        return read_back(text)

    def texts(self):
        return tuple((label, text) for label, text, _ in self.rows)

    def all_stable(self):
        return all(ok for _, _, ok in self.rows)


def div(a, b):
    if b == 0:
        raise Fault("division by zero")
    return a / b


def ln(x):
    if not x > 0:
        raise Fault("log")
    return math.log(x)


def exp(x):
    try:
        return math.exp(x)
    except OverflowError:
        return math.inf


# ---------------------------------------------------------------------------
# Constants, as written in the formulas. "base@use" names one place a
# constant is read; the places sharing a base are also changed together.

CONSTANTS = {
    "temperature": {
        "nine_fifths_9": "9.0", "nine_fifths_5": "5.0",
        "five_ninths_5": "5.0", "five_ninths_9": "9.0",
        "kelvin@k_from_c": "273.15", "kelvin@c_from_k": "273.15", "kelvin@c_from_r": "273.15",
        "fahrenheit@f_from_c": "32", "fahrenheit@c_from_f": "32",
        "rankine_at_0c": "491.67",
        "rankine_at_0f@r_from_f": "459.67", "rankine_at_0f@f_from_r": "459.67",
    },
    "carbon": {
        "a1": "0.3950521", "a0": "936.1648", "b1": "0.0361551", "b0": "17.74167",
        "d1": "0.09621958", "d0": "20.99039", "lambda_shift": "48",
        "din_slope": "0.0992", "din_kelvin": "273.14", "din_zero": "816.1",
        "din_percent": "100", "din_constant": "1.995",
        "din_factor@f": "0.15", "din_factor@slope": "0.15",
        "ten@log10": "10.0",
        # In the slope these only slow the search down; most changes still
        # leave it stopping a little short of the root, which shows.
        "ten@slope": "10.0", "one@slope_k": "1", "one@slope_cp": "1",
        # The first iterate and the tolerance decide only where the search
        # stops, not the root it reaches: no shown text depends on them.
        "din_start": "0.01", "din_tolerance": "0.00000001",
    },
    "oxygen": {"kelvin": "273.12", "nernst": "0.0215354", "air": "20.95"},
    "nitriding": {"percent@h": "100", "percent@n": "100", "power": "1.5"},
    "lambda": {
        "neutral": "8", "probe_kelvin": "873", "nernst": "0.02154",
        "air@wet": "20.9", "air@excess_top": "20.9", "air@excess_bottom": "20.9",
        "air@dry": "20.9", "air@co2": "20.9",
        "one@wet_ratio": "1", "one@dry_top": "1.0", "one@dry_bottom": "1.0", "one@co2": "1.0",
        "percent@net": "100", "percent@gross": "100",
    },
    "flow": {"kelvin@reference": "273.14", "kelvin@flow": "273.14"},
    "pressure": {},
}

FUELS = [  # wet ratio, dry ratio, CO2 max, net allowance, net loss, gross loss
    ("Metano", "1.105", "0.895", "11.7", "11", "0.38", "0.431"),
    ("Propano", "1.084", "0.916", "13.8", "7.7", "0.42", "0.45"),
    ("GPL", "1.091", "0.912", "14", "7.4", "0.43", "0.46"),
    ("Gasolio", "1.068", "0.936", "15.1", "6.1", "0.56", "0.59"),
    ("Nafta", "1.105", "0.895", "11.7", "11", "0.38", "0.42"),
    ("Coke", "1.105", "0.895", "11.7", "11", "0.38", "0.42"),
]
FUEL_COLUMNS = ["wet_ratio", "dry_ratio", "co2_max", "net_allowance", "net_loss", "gross_loss"]
for _fuel in FUELS:
    for _column, _value in zip(FUEL_COLUMNS, _fuel[1:]):
        CONSTANTS["lambda"][f"{_fuel[0]}.{_column}"] = _value

PRESSURE_UNITS = ["bar", "mbar", "psi", "kpa", "mmHg", "mmH2O", "Kg/cm2"]
PRESSURE_TABLE = {  # source: (op, factor) per column Lab10 .. Lab20
    "bar": [("/", "0.0689"), ("*", "100"), ("*", "750.2"), ("*", "10215"), ("*", "1.0197"),
            ("*", "1000")],
    "mbar": [("/", "68.947"), ("/", "10"), ("*", "0.7501"), ("*", "10.215"), ("/", "980.68"),
             ("/", "1000")],
    "psi": [("*", "0.0689"), ("*", "6.8948"), ("*", "51.7149"), ("*", "705.06"), ("*", "0.0703"),
            ("*", "68.947")],
    "kpa": [("*", "0.145"), ("/", "100"), ("*", "7.5006"), ("*", "102.15"), ("*", "0.010197"),
            ("*", "10")],
    "mmHg": [("*", "0.01933"), ("*", "0.1333"), ("*", "0.00133"), ("*", "13.6195"),
             ("/", "735.67"), ("*", "1.3332")],
    "mmH2O": [("/", "704.288"), ("/", "102.15"), ("*", "0.0734"), ("/", "10215"),
              ("/", "10017.6"), ("/", "10.216")],
    "Kg/cm2": [("*", "14.2233"), ("*", "98.068"), ("*", "735.559"), ("*", "10018"),
               ("*", "0.9807"), ("*", "980.7")],
}
PRESSURE_COLUMN_UNITS = {
    "bar": ["psi", "kpa", "mmHg", "mmH2O", "Kg/cm2", "mbar"],
    "mbar": ["psi", "kpa", "mmHg", "mmH2O", "Kg/cm2", "bar"],
    "psi": ["bar", "kpa", "mmHg", "mmH2O", "Kg/cm2", "mbar"],
    "kpa": ["psi", "bar", "mmHg", "mmH2O", "Kg/cm2", "mbar"],
    "mmHg": ["psi", "kpa", "bar", "mmH2O", "Kg/cm2", "mbar"],
    "mmH2O": ["psi", "kpa", "mmHg", "bar", "Kg/cm2", "mbar"],
    "Kg/cm2": ["psi", "kpa", "mmHg", "mmH2O", "bar", "mbar"],
}
PRESSURE_PATTERNS = {"psi": "###0.00", "kpa": "####0.0", "mmHg": "###0.0", "mmH2O": "######0",
                     "Kg/cm2": "##0.00", "mbar": "####0", "bar": "##0.00"}
for _source, _cells in PRESSURE_TABLE.items():
    for _c, (_op, _factor) in enumerate(_cells):
        CONSTANTS["pressure"][f"{_source}.{_c}"] = _factor

INPUTS = {
    "temperature": ["DataText"],
    "pressure": ["PresText"],
    "carbon": ["MvZccTxt", "TempTxt", "CoTxt"],
    "oxygen": ["MvZrO2Txt", "TempZrO2Txt", "BiasZrO2Txt"],
    "nitriding": ["HTxt", "NTxt"],
    "lambda": ["MvZo2Txt", "MvOffTxt", "KOffTxt", "AirTxt", "FlueTXt"],
    "flow": ["RefTempTxt", "RefPresTxt", "FlowTxt", "FlowTempTxt", "FlowPresTxt", "AtmPresTxt"],
}
LIMITS = {
    "MvZccTxt": (960, 1340), "TempTxt": (650, 1300), "CoTxt": (2, 37),
    "MvZrO2Txt": (-10, 300), "HTxt": (1, 100), "NTxt": (5, 100),
    "MvZo2Txt": (0.01, 300), "MvOffTxt": (-10, 10), "KOffTxt": (-200, 200),
    "AirTxt": (-50, 200), "FlueTXt": (0, 800),
}


class Recorder(dict):
    """The constants as numbers; remembers which ones a press read."""

    def __init__(self, texts):
        super().__init__((name, float(text)) for name, text in texts.items())
        self.used = set()

    def __getitem__(self, name):
        self.used.add(name)
        return super().__getitem__(name)


# ---------------------------------------------------------------------------
# The calculators


def temperature(v, entry, k, out):
    (x,) = v
    nine_fifths = k["nine_fifths_9"] / k["nine_fifths_5"]
    five_ninths = k["five_ninths_5"] / k["five_ninths_9"]
    P = "###0.0"
    if entry == 0:
        out.write("Lab2", nine_fifths * x + k["fahrenheit@f_from_c"], P)
        out.write("Lab4", x + k["kelvin@k_from_c"], P)
        out.write("Label12", nine_fifths * x + k["rankine_at_0c"], P)
    elif entry == 1:
        c = out.write("Lab2", (x - k["fahrenheit@c_from_f"]) * five_ninths, P)
        out.write("Lab4", c + k["kelvin@k_from_c"], P)
        out.write("Label12", x + k["rankine_at_0f@r_from_f"], P)
    elif entry == 2:
        c = out.write("Lab4", x - k["kelvin@c_from_k"], P)
        out.write("Lab2", nine_fifths * c + k["fahrenheit@f_from_c"], P)
        out.write("Label12", nine_fifths * x, P)
    else:
        out.write("Lab4", five_ninths * x, P)
        out.write("Lab2", x - k["rankine_at_0f@f_from_r"], P)
        out.write("Label12", five_ninths * x - k["kelvin@c_from_r"], P)


def pressure(v, entry, k, out):
    (x,) = v
    source = PRESSURE_UNITS[entry]
    labels = ["Lab10", "Lab11", "Lab12", "Lab13", "Lab14", "Lab20"]
    for c, (op, _) in enumerate(PRESSURE_TABLE[source]):
        f = k[f"{source}.{c}"]
        y = x * f if op == "*" else div(x, f)
        out.write(labels[c], y, PRESSURE_PATTERNS[PRESSURE_COLUMN_UNITS[source][c]])


def carbon(v, entry, k, out):
    mv, t, co = v
    if entry == 1:
        def log10(y):
            return ln(y) / ln(k["ten@log10"])
        kk = k["din_slope"] * (t + k["din_kelvin"])
        right = (mv - k["din_zero"]) + kk * (log10(co / k["din_percent"]) - k["din_constant"])
        cp = k["din_start"]
        result = None
        for _ in range(100):
            f = kk * (k["din_factor@f"] * cp + log10(cp)) - right
            slope = (kk * k["din_factor@slope"]
                     + (kk * (k["one@slope_k"] / ln(k["ten@slope"]))) * (k["one@slope_cp"] / cp))
            nxt = cp - f / slope
            newton = nxt > 0 and math.isfinite(nxt)
            if not newton:
                nxt = cp / 10
            delta = abs(nxt - cp)
            cp = nxt
            if newton and delta < k["din_tolerance"]:
                result = cp
                break
        if result is None:
            raise Fault("no convergence")
        out.write("CarbonLbl", result, "0.000", True)
        return
    if entry == 2:
        mv = mv - k["lambda_shift"]
    a = (-k["a1"] * t - k["a0"]) + mv
    b = (k["b1"] * t + k["b0"]) * ln(co)
    d = k["d1"] * t - k["d0"]
    out.write("CarbonLbl", exp(div(a + b, d)), "0.000", True)


def oxygen(v, entry, k, out):
    mv, t, off = v
    x = div(mv - off, (t + k["kelvin"]) * k["nernst"])
    out.write("OxyLbl", div(k["air"], exp(x)), "#0.00", True)


def nitriding(v, entry, k, out):
    h, n = v
    out.write("NkLbl", div(n / k["percent@n"], math.pow(h / k["percent@h"], k["power"])),
              "#0.00", True)


def lambda_(v, entry, k, out):
    mv, off, koff, ta, tf = v
    fuel = FUELS[entry][0]
    f = {c: k[f"{fuel}.{c}"] for c in FUEL_COLUMNS}
    u = mv - (off - k["neutral"])
    kelvin = k["probe_kelvin"] + koff
    x = div(u, k["nernst"] * kelvin)
    w = out.write("WetLbl", div(k["air@wet"], exp(x)), "#0.0", True)
    lam = out.write("AirLbl", div(k["air@excess_top"] + w * (f["wet_ratio"] - k["one@wet_ratio"]),
                                  k["air@excess_bottom"] - w), "0.000")
    dry = out.write("DryLbl", div((lam - k["one@dry_top"]) * k["air@dry"],
                                  f["dry_ratio"] + (lam - k["one@dry_bottom"])), "#0.0")
    co2 = out.write("Co2Lbl", f["co2_max"] * (k["one@co2"] - dry / k["air@co2"]), "#0.0")
    rise = tf - ta
    out.write("NetLbl", (k["percent@net"] - f["net_allowance"])
              - div(f["net_loss"] * rise, co2), "##0.0")
    out.write("GrossLbl", k["percent@gross"] - div(f["gross_loss"] * rise, co2), "##0.0")


def flow(v, entry, k, out):
    tr, pr, q, tf, pf, pa = v
    st = math.sqrt(div(tr + k["kelvin@reference"], tf + k["kelvin@flow"]))
    sp = math.sqrt(div(pf + pa, pa + pr))
    if entry == 1:
        out.write("FlowLbl", q * st, "##.#0")
    elif entry == 2:
        out.write("FlowLbl", q * sp, "##.#0")
    else:
        out.write("FlowLbl", q * (st * sp), "#.#0")


MODELS = {"temperature": temperature, "pressure": pressure, "carbon": carbon, "oxygen": oxygen,
          "nitriding": nitriding, "lambda": lambda_, "flow": flow}


def press(panel, entry, texts, consts):
    """Shown (or None on a fault) and the constants read."""
    values = [float(t) for t in texts]
    for box, x in zip(INPUTS[panel], values):
        if box in LIMITS and not LIMITS[box][0] <= x <= LIMITS[box][1]:
            raise ValueError(f"{box}={x} outside its limits")
    k = Recorder(consts)
    out = Shown()
    try:
        MODELS[panel](values, entry, k, out)
    except (Fault, ValueError, ZeroDivisionError, OverflowError):
        return None, k.used
    return out, k.used


# ---------------------------------------------------------------------------
# Single-digit changes of the constants


def digit_changes(text):
    """Every text with one digit changed; a whole number may be written with
    a ".0", whose digit counts too."""
    if "." not in text:
        for d in "123456789":
            yield text + "." + d
    for i, ch in enumerate(text):
        if ch.isdigit():
            for d in "0123456789":
                if d != ch:
                    yield text[:i] + d + text[i + 1:]


def mutations(panel):
    """(description, {name: new text}) for every single-digit change of one
    place a constant is read, and of all places sharing it."""
    consts = CONSTANTS[panel]
    groups = {}
    for name in consts:
        groups.setdefault(name.split("@")[0], []).append(name)
    result = []
    for name, text in consts.items():
        for new in digit_changes(text):
            result.append((f"{name} {text}->{new}", {name: new}))
    for base, names in groups.items():
        if len(names) > 1:
            for new in digit_changes(consts[names[0]]):
                result.append((f"{base} (every place) {consts[names[0]]}->{new}",
                               {n: new for n in names}))
    return result


def caught(panel, entry, texts, base, change):
    consts = dict(CONSTANTS[panel])
    consts.update(change)
    out, _ = press(panel, entry, texts, consts)
    if out is None:
        return True  # a fault where the row shows results
    for (label, text, _), (mlabel, mtext, _), near in zip(base.rows, out.rows, out.near):
        if label != mlabel:
            return True
        if text != mtext:
            return text not in near
    return len(out.rows) != len(base.rows)


# ---------------------------------------------------------------------------
# Candidate readings


def dec_text(x, decimals):
    text = "%.*f" % (decimals, x)
    if "." in text:
        text = text.rstrip("0").rstrip(".")
    if text in ("-0", ""):
        text = "0"
    return text


def bisect(fn, lo, hi, target):
    """x in [lo, hi] where the monotone fn crosses target."""
    flo = fn(lo) - target
    for _ in range(200):
        mid = (lo + hi) / 2
        fm = fn(mid) - target
        if (fm < 0) == (flo < 0):
            lo, flo = mid, fm
        else:
            hi = mid
        if hi - lo <= abs(mid) * 1e-16:
            break
    return (lo + hi) / 2


def raw(panel, entry, texts_or_values, label):
    """The unrounded value of the first result, for tuning."""
    class Catch(Exception):
        pass

    class Probe(Shown):
        def write(self, lab, value, pattern, transcendental=False):
            if lab == label:
                raise Catch(value)
            return super().write(lab, value, pattern, transcendental)

    k = Recorder(CONSTANTS[panel])
    try:
        MODELS[panel](texts_or_values, entry, k, Probe())
    except Catch as c:
        return c.args[0]
    except (Fault, ZeroDivisionError, OverflowError, ValueError):
        return math.nan
    return math.nan


def near_texts(x, lo=-math.inf, hi=math.inf, max_decimals=12):
    """Decimal texts of x at every length up to max_decimals, shortest first."""
    texts = []
    for d in range(0, max_decimals + 1):
        step = 10.0 ** -d
        for n in (0, -1, 1):
            y = round(x / step + n) * step
            text = dec_text(y, d)
            if lo <= y <= hi and text not in texts:
                texts.append(text)
    return texts


MARGINS = (1e-5, 1e-7, 1e-9)


def tuned(panel, entry, fixed, free, label, pattern, lo, hi, rng, count):
    """Rows where `label` lies next to a rounding step, tuning input `free`:
    per step, the shortest reading within each of MARGINS (relative) of it."""
    decimals, _ = pattern_parts(pattern)
    unit = 10.0 ** -decimals

    def fn(x):
        v = list(fixed)
        v[free] = x
        return raw(panel, entry, v, label)

    a, b = fn(lo), fn(hi)
    if not (math.isfinite(a) and math.isfinite(b)) or a == b:
        return []
    ymin, ymax = sorted((a, b))
    rows = []
    for _ in range(count):
        step = math.floor(rng.uniform(ymin, ymax) / unit)
        target = (step + 0.5) * unit
        if not ymin < target < ymax or target == 0:
            continue
        x = bisect(fn, lo, hi, target) if a < b else bisect(lambda z: -fn(z), lo, hi, -target)
        wanted = list(MARGINS)
        for text in near_texts(x, lo, hi):
            y = fn(float(text))
            margin = abs(y - target) / abs(target)
            if not math.isfinite(y) or margin < 1e-12:
                continue
            if wanted and margin <= wanted[0]:
                while wanted and margin <= wanted[0]:
                    wanted.pop(0)
                rows.append([dec_text(f, 6) if i != free else text for i, f in enumerate(fixed)])
            if not wanted:
                break
    return rows


def candidates(panel, entry, rng):
    rows = []
    if panel == "temperature":
        for label in ("Lab2", "Lab4", "Label12"):
            rows += tuned(panel, entry, [0.0], 0, label, "###0.0", -400, 3000, rng, 40)
    elif panel == "pressure":
        units = PRESSURE_COLUMN_UNITS[PRESSURE_UNITS[entry]]
        for label, unit in zip(("Lab10", "Lab11", "Lab12", "Lab13", "Lab14", "Lab20"), units):
            rows += tuned(panel, entry, [0.0], 0, label, PRESSURE_PATTERNS[unit], 0.001, 100, rng,
                          10)
        for _ in range(40):  # large readings: every digit of every factor moves a result
            rows.append([dec_text(rng.uniform(1e7, 1e9), rng.randint(0, 3))])
    elif panel == "carbon":
        for _ in range(50):
            t = round(rng.uniform(650, 1300), rng.randint(0, 1))
            co = round(rng.uniform(2, 37), rng.randint(0, 1))
            rows += tuned(panel, entry, [1100.0, t, co], 0, "CarbonLbl", "0.000", 960, 1340, rng, 3)
    elif panel == "oxygen":
        for _ in range(60):
            t = round(rng.uniform(650, 1600), rng.randint(0, 1))
            off = round(rng.uniform(-10, 10), rng.randint(0, 1))
            rows += tuned(panel, entry, [0.0, t, off], 0, "OxyLbl", "#0.00", -10, 300, rng, 3)
    elif panel == "nitriding":
        for _ in range(60):
            h = round(rng.uniform(1, 100), rng.randint(0, 2))
            rows += tuned(panel, entry, [h, 50.0], 1, "NkLbl", "#0.00", 5, 100, rng, 3)
    elif panel == "flow":
        for _ in range(60):
            v = [round(rng.uniform(0, 400), rng.randint(0, 1)), round(rng.uniform(0, 5000)),
                 1.0, round(rng.uniform(0, 400), rng.randint(0, 1)),
                 round(rng.uniform(0, 5000)), round(rng.uniform(950, 1050))]
            rows += tuned(panel, entry, v, 2, "FlowLbl", "##.#0", 0.01, 500, rng, 3)
    elif panel == "lambda":
        for _ in range(12):  # the wet oxygen beside its step
            v = [0.0, round(rng.uniform(-10, 10), rng.randint(0, 1)),
                 round(rng.uniform(-200, 200), rng.randint(0, 1)),
                 round(rng.uniform(-50, 200)), round(rng.uniform(0, 800))]
            rows += tuned(panel, entry, v, 0, "WetLbl", "#0.0", 0.01, 300, rng, 2)
        for tenths in range(0, 209):  # every wet oxygen shown, the rest following
            w = tenths / 10
            off = round(rng.uniform(-10, 10))
            koff = round(rng.uniform(-200, 200))
            kelvin = 873 + koff
            if w == 0:
                mv = 250.0
            else:  # the wet oxygen right in the middle of its step
                mv = round(math.log(20.9 / w) * 0.02154 * kelvin + off - 8, 3)
            if not 0.01 <= mv <= 300:
                continue
            ta = round(rng.uniform(-50, 200))
            tf = round(rng.uniform(300, 800))
            rows.append([dec_text(mv, 6), str(off), str(koff), str(ta), str(tf)])
            if tenths % 10 == 0:
                for label in ("NetLbl", "GrossLbl"):
                    rows += tuned(panel, entry, [float(mv), off, koff, ta, 0.0], 4, label,
                                  "##0.0", 0, 800, rng, 1)
    return rows


# ---------------------------------------------------------------------------
# Search


def entries(panel):
    return {"temperature": range(4), "pressure": range(7), "carbon": range(3),
            "oxygen": [0], "nitriding": [0], "lambda": range(6), "flow": range(1, 4)}[panel]


def search(panel, rng):
    """Greedy cover of the single-digit changes by stable rows."""
    muts = mutations(panel)
    pool = []
    for entry in entries(panel):
        seen = set()
        for texts in candidates(panel, entry, rng):
            key = tuple(texts)
            if key in seen:
                continue
            seen.add(key)
            base, used = press(panel, entry, texts, CONSTANTS[panel])
            if base is None or not base.all_stable():
                continue
            hits = frozenset(i for i, (_, ch) in enumerate(muts)
                             if set(ch) & used and caught(panel, entry, texts, base, ch))
            pool.append(((entry, texts), base, hits))
    chosen = [(row[0], row[1], base, hits) for row, base, hits in chosen_for(pool, set())]
    for entry in entries(panel):  # every entry's formulas run at least once
        if not any(c[0] == entry for c in chosen):
            own = [p for p in pool if p[0][0] == entry]
            if own:
                row, base, hits = max(own, key=lambda p: (len(p[2]), -sum(map(len, p[0][1]))))
                chosen.append((entry, row[1], base, hits))
    return chosen, muts


def chosen_for(pool, covered):
    picks = []
    while True:
        best = None
        for texts, base, hits in pool:
            gain = len(hits - covered)
            if gain == 0:
                continue
            key = (gain, -sum(len(t) for t in texts[1]))
            if best is None or key > best[0]:
                best = (key, texts, base, hits)
        if best is None:
            return picks
        _, texts, base, hits = best
        covered |= hits
        picks.append((texts, base, hits))


def cpp_row(panel, entry, texts, base):
    boxes = INPUTS[panel]
    pairs = ", ".join(f'{{"{b}", "{t}"}}' for b, t in zip(boxes, texts) if t != "0")
    shown = " ".join(f"{label}={text}" for label, text in base.texts())
    return f'    {{"{panel}", {entry}, {{{pairs}}}, "{shown}"}},'


# ---------------------------------------------------------------------------
# Checking the rows written in the test

ROW_RE = re.compile(r'\{"(\w+)", (\d+), \{(.*?)\}, "([^"]*)"\}')
PAIR_RE = re.compile(r'\{"(\w+)", "([^"]*)"\}')


def check(path):
    rows = []
    for m in ROW_RE.finditer(Path(path).read_text()):
        panel, entry, pairs, expected = m.group(1), int(m.group(2)), m.group(3), m.group(4)
        given = dict(PAIR_RE.findall(pairs))
        texts = [given.get(b, "0") for b in INPUTS[panel]]
        rows.append((panel, entry, texts, expected))
    ok = True
    for panel in CONSTANTS:
        muts = mutations(panel)
        covered = set()
        for p, entry, texts, expected in rows:
            if p != panel:
                continue
            base, used = press(panel, entry, texts, CONSTANTS[panel])
            shown = " ".join(f"{l}={t}" for l, t in base.texts()) if base else "<fault>"
            if shown != expected or not base.all_stable():
                ok = False
                print(f"MISMATCH {panel} {entry} {texts}: model {shown!r}, row {expected!r}")
                continue
            covered |= {i for i, (_, ch) in enumerate(muts)
                        if set(ch) & used and caught(panel, entry, texts, base, ch)}
        missed = [muts[i][0] for i in range(len(muts)) if i not in covered]
        print(f"{panel}: {len(muts) - len(missed)} of {len(muts)} single-digit changes caught")
        for name in missed:
            print(f"  not caught: {name}")
    print(f"{len(rows)} rows")
    return ok


def main():
    if "--check" in sys.argv:
        path = Path(__file__).resolve().parents[1] / "tests" / "sensitive_rows_test.cpp"
        sys.exit(0 if check(path) else 1)
    rng = random.Random(20240611)
    only = [a for a in sys.argv[1:] if not a.startswith("-")]
    for panel in only or list(CONSTANTS):
        chosen, muts = search(panel, rng)
        covered = set()
        for _, _, _, hits in chosen:
            covered |= hits
        print(f"// {panel}: {len(chosen)} rows, {len(covered)} of {len(muts)} changes caught")
        for i, (name, _) in enumerate(muts):
            if i not in covered:
                print(f"//   not caught: {name}")
        for entry, texts, base, _ in chosen:
            print(cpp_row(panel, entry, texts, base))
        sys.stdout.flush()


if __name__ == "__main__":
    main()
