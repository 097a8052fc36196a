#!/usr/bin/python3
"""Writes the reference passes the pass-detail tests compare against.

Library: Skyfield (Debian 12 package python3-skyfield 1.45, with python3-sgp4
2.15 as its SGP4), run with /usr/bin/python3. Only the built-in timescale
tables are used; nothing is downloaded.

For the element sets below (written to data/reference/pass_reference.tle) and
one observer, Skyfield's EarthSatellite.find_events finds every rise,
culmination and set above the 2 degree limit over four days. find_events
places them to half a second; each is then refined with Skyfield's own
altitudes to a millisecond (bisection on altitude - limit for the rise and the
set, golden-section search for the highest point), and the azimuths and the
highest elevation are read there.

Frames. The tracker's models take the element epoch and every instant as UTC
and turn the Earth by Greenwich mean sidereal time (IAU 1982) of that UTC,
with an ellipsoid of equatorial radius 6378.135 km and flattening
1/298.257223563. Skyfield turns the TEME frame by the same sidereal time of
UT1. To compare like with like the reference is computed with
  - the built-in leap-second table and a constant delta T = TT - UTC
    (69.184 s since 2017), so that UT1 = UTC, and
  - a Geoid('tracker', 6378135.0, 298.257223563) observer.
Run with --true-earth to see what the two choices change: the built-in UT1
(UT1 - UTC = +0.19 s at these dates) and the WGS84 ellipsoid (6378.137 km).
The script then prints the largest differences from the reference file
(quoted in data/reference/README.md).

usage: make_pass_reference.py [--true-earth]
"""

import math
import os
import sys

import numpy as np
import skyfield
from skyfield.api import EarthSatellite, load, wgs84
from skyfield.toposlib import Geoid

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
TLE_OUT = os.path.join(ROOT, "data", "reference", "pass_reference.tle")
PASSES_OUT = os.path.join(ROOT, "data", "reference", "pass_reference.txt")

OBSERVER = (54.3023, 10.1247, 30.0)  # degrees N, degrees E, metres: the program's start-up place
LIMIT_DEG = 2.0
START = (2024, 3, 20, 12, 0, 0)  # UTC, the element sets' epoch
DAYS = 4.0
TT_MINUS_UTC = 69.184  # s: 37 leap seconds + 32.184 s

# Largest distance (s) between a time find_events gave and its refined value.
FIND_EVENTS_ERROR = [0.0]

# name, catalogue number, inclination, RAAN, eccentricity, argument of perigee,
# mean anomaly (degrees), mean motion (rev/day), ndot/2 (rev/day^2), B* (1/earth radii)
ORBITS = [
    ("REF LEO STATION", 90101, 51.64, 120.0, 0.0005, 80.0, 280.0, 15.50, 1.5e-4, 2.5e-4),
    ("REF LEO SUN-SYNC", 90102, 98.70, 30.0, 0.0012, 90.0, 270.0, 14.20, 2.0e-6, 1.0e-4),
    ("REF LEO ZENITH", 90103, 82.50, 200.0, 0.0020, 60.0, None, 14.85, 5.0e-6, 1.5e-4),
    ("REF MEO 1400 KM", 90104, 52.00, 300.0, 0.0003, 100.0, 60.0, 12.62, 0.0, 0.0),
    ("REF MEO NAVIGATION", 90105, 55.00, 250.0, 0.0100, 40.0, 320.0, 2.00563, 0.0, 0.0),
    ("REF MEO GLONASS", 90106, 64.80, 10.0, 0.0010, 250.0, 110.0, 2.13150, 0.0, 0.0),
    ("REF HEO MOLNIYA", 90107, 63.40, 330.0, 0.7200, 270.0, 30.0, 2.00640, 0.0, 0.0),
]

EPOCH_FIELD = "24080.50000000"  # 2024-03-20 12:00:00 UTC


def checksum(line):
    total = 0
    for c in line:
        if c.isdigit():
            total += int(c)
        elif c == "-":
            total += 1
    return str(total % 10)


def exponent_field(value):
    """A number in the assumed-decimal form ' 12345-3' (value 0.12345e-3)."""
    if value == 0.0:
        return " 00000-0"
    sign = "-" if value < 0 else " "
    exponent = int(math.floor(math.log10(abs(value)))) + 1
    mantissa = int(round(abs(value) / 10.0 ** exponent * 1e5))
    if mantissa == 100000:
        mantissa //= 10
        exponent += 1
    return "%s%05d%s%d" % (sign, mantissa, "-" if exponent < 0 else "+", abs(exponent))


def tle_lines(name, number, incl, raan, ecc, argp, anomaly, motion, ndot, bstar):
    ndot_text = ("%.8f" % ndot).replace("0.", ".", 1)
    if ndot >= 0:
        ndot_text = " " + ndot_text
    line1 = "1 %05dU 24001A   %s %s  00000-0 %s 0  999" % (
        number, EPOCH_FIELD, ndot_text, exponent_field(bstar))
    line2 = "2 %05d %8.4f %8.4f %07d %8.4f %8.4f %11.8f%5d" % (
        number, incl, raan, int(round(ecc * 1e7)), argp, anomaly, motion, 1)
    assert len(line1) == 68 and len(line2) == 68, (line1, line2)
    return name.ljust(24), line1 + checksum(line1), line2 + checksum(line2)


def satellite(ts, lines):
    return EarthSatellite(lines[1], lines[2], lines[0].strip(), ts)


def altitude(sat, place, t):
    return (sat - place).at(t).altaz()[0].degrees


def refine_crossing(ts, sat, place, jd, top, rising):
    """Bisection of altitude - limit to 1 ms between a point found below the
    limit near find_events' time `jd` and the pass's highest point `top`."""
    reach = 1.0 / 86400
    while True:
        outside = jd - reach if rising else jd + reach
        if altitude(sat, place, ts.tt_jd(outside)) < LIMIT_DEG:
            break
        reach *= 2.0
    low, high = (outside, top) if rising else (top, outside)
    while (high - low) * 86400 > 1e-3:
        mid = 0.5 * (low + high)
        below = altitude(sat, place, ts.tt_jd(mid)) < LIMIT_DEG
        if below == rising:
            low = mid
        else:
            high = mid
    return 0.5 * (low + high)


def refine_culmination(ts, sat, place, jd):
    """Golden-section search for the highest altitude near `jd`, to 1 ms."""
    g = (math.sqrt(5.0) - 1.0) / 2.0
    # Widen until the time found lies between two lower points.
    reach = 2.0 / 86400
    middle = altitude(sat, place, ts.tt_jd(jd))
    while (altitude(sat, place, ts.tt_jd(jd - reach)) > middle or
           altitude(sat, place, ts.tt_jd(jd + reach)) > middle):
        reach *= 2.0
    a, b = jd - reach, jd + reach
    c, d = b - g * (b - a), a + g * (b - a)
    fc, fd = altitude(sat, place, ts.tt_jd(c)), altitude(sat, place, ts.tt_jd(d))
    while (b - a) * 86400 > 1e-3:
        if fc > fd:
            b, d, fd = d, c, fc
            c = b - g * (b - a)
            fc = altitude(sat, place, ts.tt_jd(c))
        else:
            a, c, fc = c, d, fd
            d = a + g * (b - a)
            fd = altitude(sat, place, ts.tt_jd(d))
    return 0.5 * (a + b)


def look(sat, place, ts, jd):
    alt, az, _ = (sat - place).at(ts.tt_jd(jd)).altaz()
    return alt.degrees, az.degrees


def passes_of(ts, sat, place, t0, t1):
    """(rise, culmination, set) TT Julian dates of each whole pass that rises in [t0, t1)."""
    # Look a day past the end so that a pass rising before it also sets.
    times, events = sat.find_events(place, t0, ts.tt_jd(t1.tt + 1.0), altitude_degrees=LIMIT_DEG)
    found = []
    rise, peaks = None, []
    for t, e in zip(times.tt, events):
        if e == 0:
            rise, peaks = t, []
        elif e == 1 and rise is not None:
            peaks.append(t)
        elif e == 2 and rise is not None:
            if peaks and rise < t1.tt:
                found.append((rise, peaks, t))
            rise = None
    result = []
    for rise, peaks, set_ in found:
        # A pass may culminate twice; the highest point is the culmination.
        tops = [refine_culmination(ts, sat, place, p) for p in peaks]
        top = max(tops, key=lambda jd: altitude(sat, place, ts.tt_jd(jd)))
        refined = (refine_crossing(ts, sat, place, rise, top, True), top,
                   refine_crossing(ts, sat, place, set_, top, False))
        for found_jd, refined_jd in zip((rise, peaks[tops.index(top)], set_), refined):
            FIND_EVENTS_ERROR[0] = max(FIND_EVENTS_ERROR[0], abs(found_jd - refined_jd) * 86400)
        result.append(refined)
    return result


def zenith_anomaly(ts, place, t0):
    """The mean anomaly of the zenith set that brings it over the observer within a day."""
    best = None
    for anomaly in np.arange(0.0, 360.0, 0.5):
        orbit = ORBITS[2][:6] + (anomaly,) + ORBITS[2][7:]
        sat = satellite(ts, tle_lines(*orbit))
        # From an hour after the start: the pass must rise within the period.
        grid = t0.tt + np.arange(1.0 / 24.0, 1.0, 10.0 / 86400.0)
        alt = altitude(sat, place, ts.tt_jd(grid))
        # Ten-second samples miss the top of a high pass by degrees: refine every high one.
        peaks = [i for i in range(1, len(grid) - 1)
                 if alt[i] >= alt[i - 1] and alt[i] >= alt[i + 1] and alt[i] > 50.0]
        top = max([altitude(sat, place, ts.tt_jd(refine_culmination(ts, sat, place, grid[i])))
                   for i in peaks] + [-90.0])
        if best is None or top > best[1]:
            best = (anomaly, top)
        if top > 89.0:
            break
    return best[0]


def iso(ts, tt_jd):
    t = ts.tt_jd(tt_jd)
    # Milliseconds, rounded; the UTC calendar of Skyfield.
    year, month, day, hour, minute, second = t.utc
    whole = int(math.floor(second))
    ms = int(round((second - whole) * 1000.0))
    text = "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ" % (year, month, day, hour, minute, whole, ms)
    if ms == 1000:  # let Skyfield carry the second over
        text = t.utc_strftime("%Y-%m-%dT%H:%M:%S") + ".000Z"
    return text


def compute(true_earth):
    if true_earth:
        ts = load.timescale(builtin=True)
        place = wgs84.latlon(OBSERVER[0], OBSERVER[1], elevation_m=OBSERVER[2])
    else:
        ts = load.timescale(builtin=True, delta_t=TT_MINUS_UTC)
        geoid = Geoid("tracker", 6378135.0, 298.257223563)
        place = geoid.latlon(OBSERVER[0], OBSERVER[1], elevation_m=OBSERVER[2])
    t0 = ts.utc(*START)
    t1 = ts.tt_jd(t0.tt + DAYS)
    orbits = list(ORBITS)
    anomaly = zenith_anomaly(ts, place, t0)
    orbits[2] = ORBITS[2][:6] + (anomaly,) + ORBITS[2][7:]
    sets = [tle_lines(*orbit) for orbit in orbits]
    rows = []
    for lines in sets:
        sat = satellite(ts, lines)
        for rise, top, set_ in passes_of(ts, sat, place, t0, t1):
            _, rise_az = look(sat, place, ts, rise)
            top_el, top_az = look(sat, place, ts, top)
            _, set_az = look(sat, place, ts, set_)
            rows.append((sat.model.satnum, rise, rise_az, top, top_el, top_az, set_, set_az))
    return ts, sets, rows


def write_reference():
    ts, sets, rows = compute(False)
    with open(TLE_OUT, "w") as out:
        for lines in sets:
            out.write("\n".join(lines) + "\n")
    with open(PASSES_OUT, "w") as out:
        out.write("# Passes above 2 degrees computed with Skyfield %s (python3-sgp4, find_events),\n"
                  % skyfield.__version__)
        out.write("# refined to 1 ms with Skyfield's altitudes; written by scripts/make_pass_reference.py.\n")
        out.write("# Element sets: pass_reference.tle. UT1 = UTC; ellipsoid 6378.135 km, f = 1/298.257223563.\n")
        out.write("observer %.4f %.4f %.3f\n" % (OBSERVER[0], OBSERVER[1], OBSERVER[2] / 1000.0))
        out.write("limit %.1f\n" % LIMIT_DEG)
        out.write("period %s %.1f\n" % (iso(ts, ts.utc(*START).tt), DAYS * 24.0))
        out.write("# catalogue  rise (UTC)  rise azimuth  culmination (UTC)  elevation  azimuth"
                  "  set (UTC)  set azimuth; angles in degrees\n")
        for n, rise, rise_az, top, top_el, top_az, set_, set_az in rows:
            out.write("pass %d %s %.4f %s %.4f %.4f %s %.4f\n"
                      % (n, iso(ts, rise), rise_az, iso(ts, top), top_el, top_az, iso(ts, set_), set_az))
    tops = [r[4] for r in rows]
    print("%d passes; highest %.3f deg, lowest %.3f deg" % (len(rows), max(tops), min(tops)))
    print("find_events times were up to %.2f s from the refined ones" % FIND_EVENTS_ERROR[0])


def compare_true_earth():
    """Largest changes when UT1 and the WGS84 ellipsoid are used instead."""
    ts, _, reference = compute(False)
    _, _, other = compute(True)
    worst = {"rise/set s": 0.0, "culmination s": 0.0, "elevation deg": 0.0, "azimuth deg": 0.0}
    for a, b in zip(reference, other):
        assert a[0] == b[0]
        worst["rise/set s"] = max(worst["rise/set s"], abs(a[1] - b[1]) * 86400, abs(a[6] - b[6]) * 86400)
        worst["culmination s"] = max(worst["culmination s"], abs(a[3] - b[3]) * 86400)
        worst["elevation deg"] = max(worst["elevation deg"], abs(a[4] - b[4]))
        for i in (2, 5, 7):
            d = abs((a[i] - b[i] + 180.0) % 360.0 - 180.0)
            worst["azimuth deg"] = max(worst["azimuth deg"], d)
    print("passes compared:", min(len(reference), len(other)))
    for key, value in worst.items():
        print("largest change, %s: %.4f" % (key, value))


if __name__ == "__main__":
    if "--true-earth" in sys.argv[1:]:
        compare_true_earth()
    else:
        write_reference()
