#!/usr/bin/env python3
"""An independent model of the atmosphere and nitriding-potential tools.

Written from the published science, apart from the C++ code and from
atmosphere/fit.py: the equilibrium constants come straight from the Gibbs
energies of formation (delta-f G, kJ/mol) in the committed NIST-JANAF rows,
interpolated linearly in T, as log10 K = -delta-r G / (R T ln 10); the code
instead interpolates the tables' log10 Kf linearly in 1/T. Carbon from an
activity is found by plain bisection on %C; the phase boundaries by fitting
the 1931 points afresh. The two agree within the tables' own rounding (log10
Kf is printed to 0.001, so a reaction's log K to about 0.001, 0.25 % in an
activity): over the grid below the largest differences are 0.25 % in an
activity, a carbon potential, CO2 or pO2, 0.02 °C in a dew or frost point
and 0.07 mV in a probe voltage; the tolerances are twice these.

    python3 tests/model/atmosphere_model.py DUMP
        DUMP: tests/atmosphere/tool_dump, which prints the code's results.

Standard library only; deterministic (fixed seed); a few thousand rows.
"""

import json
import math
import random
import subprocess
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
R = 8.314462618  # J/(mol K), CODATA 2018
F = 96485.33212  # C/mol, CODATA 2018
P_REF = 0.2095 * 1.01325  # bar: air at one atmosphere


def gibbs_rows(table):
    """[(T, delta-f G in J/mol)] from a committed JANAF file."""
    rows = []
    for line in (ROOT / "atmosphere" / "janaf" / f"{table}.txt").read_text().splitlines():
        f = line.split("\t")
        if line.startswith("#") or len(f) < 8:
            continue
        try:
            rows.append((float(f[0]), float(f[6]) * 1000))
        except ValueError:
            pass
    return rows


GIBBS = {name: gibbs_rows(t) for name, t in
         (("CO", "C-093"), ("CO2", "C-095"), ("H2O", "H-064"), ("CH4", "C-067"))}


def gibbs(species, kelvin):
    rows = GIBBS[species]
    for (t0, g0), (t1, g1) in zip(rows, rows[1:]):
        if kelvin <= t1 or (t1, g1) == rows[-1]:
            return g0 + (kelvin - t0) / (t1 - t0) * (g1 - g0)
    raise AssertionError


def k_of(delta_g, kelvin):
    return math.exp(-delta_g / (R * kelvin))


def k_boudouard(T):  # 2CO = C + CO2
    return k_of(gibbs("CO2", T) - 2 * gibbs("CO", T), T)


def k_water_gas(T):  # CO + H2 = C + H2O
    return k_of(gibbs("H2O", T) - gibbs("CO", T), T)


def k_co(T):  # CO = C + 1/2 O2
    return k_of(-gibbs("CO", T), T)


def k_methane(T):  # CH4 = C + 2 H2
    return k_of(-gibbs("CH4", T), T)


def e_water(t):
    return 6.112 * math.exp(17.62 * t / (243.12 + t))


def e_ice(t):
    return 6.112 * math.exp(22.46 * t / (272.62 + t))


def activity_of_carbon(c, T):
    return c * 10 ** (2300 / T - 2.21 + 0.15 * c) if c > 0 else 0.0


def carbon_of_activity(a, T):
    lo, hi = 0.0, 20.0
    for _ in range(200):
        mid = 0.5 * (lo + hi)
        if activity_of_carbon(mid, T) < a:
            lo = mid
        else:
            hi = mid
    return 0.5 * (lo + hi)


def ae3(t):
    pts = [(800, 0.34), (850, 0.16), (912, 0.0)]
    if t <= 800:
        return 0.34
    for (t0, c0), (t1, c1) in zip(pts, pts[1:]):
        if t <= t1:
            return c0 + (t - t0) / (t1 - t0) * (c1 - c0)
    return 0.0


def dew_of(e, a=17.62, b=243.12):
    lnr = math.log(e / 6.112)
    return b * lnr / (a - lnr)


def atmosphere(inp):
    """Expected results, or {'error': True}; keys as the JSON."""
    t = inp["temp"]
    T = t + 273.15
    co, h2, p = inp.get("co", 20), inp.get("h2", 40), inp.get("pressure", 1013.25)
    bar = p / 1000
    pco, ph2 = co / 100 * bar, h2 / 100 * bar
    if "dew-point" in inp and "frost-point" in inp:
        return {"error": True}
    if co + h2 + inp.get("co2", 0) + inp.get("ch4", 0) > 100:
        return {"error": True}
    if sum(inp.get(k, 0) for k in ("si", "mn", "cr", "ni", "mo")) > 5:
        return {"error": True}
    sat = carbon_of_activity(1.0, T)
    if "target-carbon" in inp and inp["target-carbon"] > sat:
        return {"error": True}
    act = {}
    if "mv" in inp:
        po2 = P_REF * 10 ** (-inp["mv"] * 4 * F / (R * T * math.log(10) * 1000))
        act["probe"] = k_co(T) * pco / math.sqrt(po2)
    if "dew-point" in inp:
        act["dew_point"] = k_water_gas(T) * pco * ph2 / (e_water(inp["dew-point"]) / 1000)
    if "frost-point" in inp:
        act["dew_point"] = k_water_gas(T) * pco * ph2 / (e_ice(inp["frost-point"]) / 1000)
    if "co2" in inp:
        act["co2"] = k_boudouard(T) * pco ** 2 / (inp["co2"] / 100 * bar)
    if "ch4" in inp:
        act["ch4"] = k_methane(T) * (inp["ch4"] / 100 * bar) / ph2 ** 2
    shim = None
    if "shim-initial-mg" in inp:
        m0, m1, c0 = inp["shim-initial-mg"], inp["shim-final-mg"], inp["shim-initial-carbon"]
        shim = (m0 * c0 + 100 * (m1 - m0)) / m1
        if shim < 0:
            return {"error": True}
        act["shim"] = activity_of_carbon(shim, T)
    carbon = {}
    for k, a in act.items():
        if a < 1:
            carbon[k] = shim if k == "shim" else carbon_of_activity(a, T)
    counted = [carbon[k] for k in ("probe", "dew_point", "co2", "shim") if k in carbon]
    out = {"activity": act, "carbon_potential": carbon, "saturation": sat,
           "sooting": sorted(k for k, a in act.items() if a >= 1),
           "spread": max(counted) - min(counted) if len(counted) >= 2 else None,
           "spread_scale": max(counted, default=0), "ae3": ae3(t)}
    if len(counted) >= 3:
        dist = {}
        for k in ("probe", "dew_point", "co2", "shim"):
            if k in carbon:
                others = sorted(carbon[j] for j in carbon if j != k and j != "ch4")
                n = len(others)
                med = others[n // 2] if n % 2 else 0.5 * (others[n // 2 - 1] + others[n // 2])
                dist[k] = abs(carbon[k] - med)
        out["outlier_distances"] = dist
    eq = {}
    if "target-carbon" in inp:
        a = activity_of_carbon(inp["target-carbon"], T)
        e = k_water_gas(T) * pco * ph2 / a * 1000
        eq["dew_point"] = dew_of(e)
        eq["frost_point"] = dew_of(e, 22.46, 272.62) if e < 6.112 else None
        eq["co2"] = k_boudouard(T) * pco ** 2 / a / bar * 100
        po2 = (k_co(T) * pco / a) ** 2
        eq["po2"] = po2
        eq["mv"] = R * T * math.log(10) / (4 * F) * 1000 * math.log10(P_REF / po2)
    out["equivalents"] = eq
    if "mv" in inp and "shim" in carbon and carbon["shim"] > 0:
        po2 = P_REF * 10 ** (-inp["mv"] * 4 * F / (R * T * math.log(10) * 1000))
        out["co_for_shim"] = act["shim"] * math.sqrt(po2) / k_co(T) / bar * 100
    q = 10 ** (0.055 * inp.get("si", 0) - 0.013 * inp.get("mn", 0) - 0.040 * inp.get("cr", 0)
               + 0.014 * inp.get("ni", 0) - 0.013 * inp.get("mo", 0))
    out["alloy_factor"] = q
    out["steel_carbon"] = inp["target-carbon"] / q if "target-carbon" in inp else None
    return out


EQ_RANGES = {"dew_point": (-45, 30), "frost_point": (-60, 0), "co2": (0.001, 20),
             "mv": (900, 1300)}


def fit_boundary(points):
    xs = [1 / (t + 273.15) for t, _ in points]
    ys = [math.log10(x / (1 - x) ** 1.5) for _, x in points]
    n = len(xs)
    sx, sy = sum(xs), sum(ys)
    sxx = sum(x * x for x in xs)
    sxy = sum(x * y for x, y in zip(xs, ys))
    a = (n * sxy - sx * sy) / (n * sxx - sx * sx)
    return a, (sy - a * sx) / n


AG = fit_boundary([(400, 0.37), (575, 0.145)])
GE = fit_boundary([(400, 0.77), (444, 0.70), (500, 0.57)])


def nitriding(inp):
    T = inp["temp"] + 273.15
    f = inp.get("feed-nh3", 100) / 100
    if "burette" in inp:
        x = 1 - inp["burette"] / 100
        if x >= f:
            return {"error": True}
        nh3, h2 = x, 1.5 * (f - x) / (1 + f)
    elif "dissociation" in inp:
        a = inp["dissociation"] / 100
        # Per mole of feed: f(1 - a) NH3, 1.5 a f H2, 0.5 a f + (1 - f) N2.
        total = f * (1 - a) + 1.5 * a * f + 0.5 * a * f + (1 - f)
        nh3, h2 = f * (1 - a) / total, 1.5 * a * f / total
    else:
        if inp["nh3"] + inp["h2"] > 100:
            return {"error": True}
        nh3, h2 = inp["nh3"] / 100, inp["h2"] / 100
    atm = inp.get("pressure", 1013.25) / 1013.25
    kn = nh3 * atm / (h2 * atm) ** 1.5
    ag = 10 ** (AG[0] / T + AG[1])
    ge = 10 ** (GE[0] / T + GE[1])
    phase = "alpha" if kn < ag else "gamma-prime" if kn < ge else "epsilon"
    return {"kn": kn, "phase": phase, "ag": ag, "ge": ge}


def rows_atmosphere(rng):
    rows = []
    for _ in range(3000):
        inp = {"temp": rng.uniform(800, 1100), "co": rng.uniform(5, 40), "h2": rng.uniform(5, 55),
               "pressure": rng.choice([1013.25, rng.uniform(800, 1500)])}
        if rng.random() < 0.7:
            inp["mv"] = rng.uniform(900, 1300)
        if rng.random() < 0.35:
            inp["dew-point"] = rng.uniform(-45, 30)
        elif rng.random() < 0.5:
            inp["frost-point"] = rng.uniform(-60, 0)
        if rng.random() < 0.6:
            inp["co2"] = 10 ** rng.uniform(-3, math.log10(5))
        if rng.random() < 0.3:
            inp["ch4"] = 10 ** rng.uniform(-2, 0.5)
        if rng.random() < 0.4:
            m0 = rng.uniform(200, 2000)
            inp.update({"shim-initial-carbon": rng.uniform(0, 0.2), "shim-initial-mg": m0,
                        "shim-final-mg": m0 * (1 + rng.uniform(-0.0005, 0.012))})
        if rng.random() < 0.6:
            inp["target-carbon"] = rng.uniform(0.05, 1.8)
        if rng.random() < 0.5:
            for k in ("si", "mn", "cr", "ni", "mo"):
                inp[k] = rng.uniform(0, 1.2)
        rows.append(inp)
    return rows


def rows_nitriding(rng):
    rows = []
    for _ in range(1000):
        inp = {"temp": rng.uniform(400, 590), "pressure": rng.uniform(800, 1500)}
        form = rng.randrange(3)
        if form == 0:
            inp["nh3"] = rng.uniform(0.1, 95)
            inp["h2"] = rng.uniform(0.5, 100 - inp["nh3"] + 5)
        elif form == 1:
            inp["burette"] = rng.uniform(0.1, 100)
            inp["feed-nh3"] = rng.choice([100, rng.uniform(1, 100)])
        else:
            inp["dissociation"] = rng.uniform(0.1, 100)
            inp["feed-nh3"] = rng.choice([100, rng.uniform(1, 100)])
        rows.append(inp)
    return rows


def run(dump, tool, rows):
    text = "\n".join(" ".join(f"{k}={v!r}" for k, v in r.items()) for r in rows) + "\n"
    got = subprocess.run([dump, tool], input=text, capture_output=True, text=True,
                         check=True, timeout=60).stdout.splitlines()
    assert len(got) == len(rows), f"{tool}: {len(got)} lines for {len(rows)} rows"
    return [json.loads(line) for line in got]


REL = 5e-3  # relative, for activities, carbon, CO2, pO2 (table rounding)


def close(a, b, rel=REL, absolute=0.0):
    return abs(a - b) <= rel * abs(b) + absolute


def compare_atmosphere(inp, want, got, fail):
    if want.get("error"):
        if got["error"] is None:
            fail("model refuses, code computes")
        return
    if got["error"] is not None:
        fail(f"code refuses: {got['error']}")
        return
    res = got["results"]
    for v in json.dumps(res).split():
        if "NaN" in v or "Infinity" in v:
            fail("a number that is not finite")
    if not close(res["saturation"], want["saturation"], 1e-9):
        fail(f"saturation {res['saturation']} vs {want['saturation']}")
    for k in ("probe", "dew_point", "co2", "ch4", "shim"):
        a_code, a_model = res["activity"][k], want["activity"].get(k)
        if (a_code is None) != (a_model is None):
            fail(f"activity {k}: {a_code} vs {a_model}")
            continue
        if a_model is None:
            continue
        if not close(a_code, a_model):
            fail(f"activity {k}: {a_code} vs {a_model}")
        if abs(a_model - 1) < 0.01:
            continue  # beside saturation the two sides may fall either way
        c_code, c_model = res["carbon_potential"][k], want["carbon_potential"].get(k)
        if (c_code is None) != (c_model is None):
            fail(f"carbon {k}: {c_code} vs {c_model}")
        elif c_model is not None and not close(c_code, c_model, REL, 1e-9):
            fail(f"carbon {k}: {c_code} vs {c_model}")
        if (k in res["sooting"]) != (k in want["sooting"]):
            fail(f"sooting {k}")
    near_saturation = any(abs(a - 1) < 0.01 for a in want["activity"].values())
    if not near_saturation:
        if (res["spread"] is None) != (want["spread"] is None):
            fail(f"spread {res['spread']} vs {want['spread']}")
        elif want["spread"] is not None and not close(res["spread"], want["spread"], 0,
                                                         REL * want["spread_scale"] + 1e-9):
            fail(f"spread {res['spread']} vs {want['spread']}")
        dist = want.get("outlier_distances")
        if dist is None:
            if res["outlier"] is not None:
                fail("an outlier with fewer than three readings")
        else:
            ranked = sorted(dist.values(), reverse=True)
            if ranked[0] - ranked[1] > 4e-3 and dist.get(res["outlier"]) != ranked[0]:
                fail(f"outlier {res['outlier']} vs {dist}")
    for k, value in want["equivalents"].items():
        code = res["equivalents"][k]
        if k == "po2":
            if not close(code, value, REL):
                fail(f"pO2 {code} vs {value}")
            continue
        tol = {"dew_point": 0.04, "frost_point": 0.04, "mv": 0.15, "co2": REL * value
               if value else 0}[k]
        lo, hi = EQ_RANGES[k]
        if value is None or value < lo - tol or value > hi + tol:
            if code is not None:
                fail(f"equivalent {k} {code}, model {value} lies outside its range")
        elif lo + tol < value < hi - tol:
            if code is None or abs(code - value) > tol:
                fail(f"equivalent {k} {code} vs {value}")
    if "target-carbon" not in inp and any(v is not None for v in res["equivalents"].values()):
        fail("equivalents without a target")
    if "co_for_shim" in want and want["co_for_shim"] <= 99:
        if res["co_for_shim"] is None or not close(res["co_for_shim"], want["co_for_shim"]):
            fail(f"co_for_shim {res['co_for_shim']} vs {want['co_for_shim']}")
    if not close(res["alloy_factor"], want["alloy_factor"], 1e-12):
        fail("alloy factor")
    if (res["steel_carbon"] is None) != (want["steel_carbon"] is None) or (
            want["steel_carbon"] is not None
            and not close(res["steel_carbon"], want["steel_carbon"], 1e-12)):
        fail(f"steel carbon {res['steel_carbon']} vs {want['steel_carbon']}")


def compare_nitriding(want, got, fail):
    if want.get("error"):
        if got["error"] is None:
            fail("model refuses, code computes")
        return
    if got["error"] is not None:
        fail(f"code refuses: {got['error']}")
        return
    res = got["results"]
    if not close(res["kn"], want["kn"], 1e-9, 1e-300):
        fail(f"kn {res['kn']} vs {want['kn']}")
    b = res["boundaries"]
    if not close(b["alpha_gamma_prime"], want["ag"], 1e-9):
        fail("alpha/gamma-prime boundary")
    if not close(b["gamma_prime_epsilon"], want["ge"], 1e-9):
        fail("gamma-prime/epsilon boundary")
    near = min(abs(want["kn"] / want["ag"] - 1), abs(want["kn"] / want["ge"] - 1))
    if near > 1e-6 and res["phase"] != want["phase"]:
        fail(f"phase {res['phase']} vs {want['phase']}")


def main(argv):
    if len(argv) != 2:
        print(__doc__)
        return 2
    rng = random.Random(18031931)
    failures = []
    for tool, rows, model, compare in (
            ("atmosphere", rows_atmosphere(rng), atmosphere,
             lambda i, w, g, f: compare_atmosphere(i, w, g, f)),
            ("nitriding-potential", rows_nitriding(rng), nitriding,
             lambda i, w, g, f: compare_nitriding(w, g, f))):
        for inp, got in zip(rows, run(argv[1], tool, rows)):
            def fail(message, inp=inp, tool=tool):
                failures.append(f"{tool} {inp}: {message}")
            compare(inp, model(inp), got, fail)
        print(f"{tool}: {len(rows)} rows compared")
    for f in failures[:30]:
        print(f)
    print(f"{len(failures)} disagreements")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
