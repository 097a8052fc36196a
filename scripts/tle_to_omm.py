#!/usr/bin/env python3
"""Converts a three-line element-set file into orbit mean-elements messages.

Writes OUTDIR/<stem>.csv, <stem>.json and <stem>.xml holding the same sets, with
the fields and the forms the public element-set server uses (CSV with a header
line, a JSON array of objects with numbers as numbers, CCSDS OMM XML).

Each field is read from the columns the program's two-line parser reads, with
the blanks inside them removed, and written as the same decimal digits, so that
the program loads the same element sets from every form. An epoch fraction of
1e-8 day is exactly 864 microseconds: the ISO times are exact.

usage: tle_to_omm.py INPUT.tle OUTDIR
"""

import datetime
import json
import os
import sys
from decimal import Decimal
from xml.sax.saxutils import escape

FIELDS = ["OBJECT_NAME", "OBJECT_ID", "EPOCH", "MEAN_MOTION", "ECCENTRICITY", "INCLINATION",
          "RA_OF_ASC_NODE", "ARG_OF_PERICENTER", "MEAN_ANOMALY", "EPHEMERIS_TYPE",
          "CLASSIFICATION_TYPE", "NORAD_CAT_ID", "ELEMENT_SET_NO", "REV_AT_EPOCH", "BSTAR",
          "MEAN_MOTION_DOT", "MEAN_MOTION_DDOT"]
TEXT_FIELDS = {"OBJECT_NAME", "OBJECT_ID", "EPOCH", "CLASSIFICATION_TYPE"}


def columns(line, first, last):
    """Columns first..last (from 1) without blanks; past the line's end is blank."""
    return line[first - 1:last].replace(" ", "")


def integer(line, first, last):
    text = columns(line, first, last)
    sign = -1 if text.startswith("-") else 1
    text = text.lstrip("+-")
    digits = ""
    for c in text:
        if not c.isdigit():
            break
        digits += c
    return sign * int(digits) if digits else 0


def catalogue_number(line1):
    text = columns(line1, 3, 8)
    if len(text) >= 5 and text[0].isalpha() and text[0] not in "IO" and text[1:5].isdigit():
        value = ord(text[0]) - ord("A") + 10
        value -= (text[0] > "I") + (text[0] > "O")
        return value * 10000 + int(text[1:5])
    return integer(line1, 3, 8)


def angle(line, first):
    return "%d.%04d" % (integer(line, first, first + 2), integer(line, first + 4, first + 7))


def exponent_field(line, sign_column):
    """A two-line 'assumed point' field: sign, five mantissa digits, signed exponent."""
    sign = "-" if line[sign_column - 1:sign_column] == "-" else ""
    mantissa = integer(line, sign_column + 1, sign_column + 5)
    exponent = integer(line, sign_column + 6, sign_column + 7)
    return str(Decimal(sign + str(mantissa)).scaleb(exponent - 5).normalize() or Decimal(0))


def epoch(line1):
    yyddd = integer(line1, 19, 23)
    fraction = integer(line1, 25, 32)
    yy, day = divmod(yyddd, 1000)
    year = 2000 + yy if yy < 57 else 1900 + yy
    start = datetime.datetime(year, 1, 1) + datetime.timedelta(days=day - 1)
    # 1e-8 day is 864 microseconds.
    return (start + datetime.timedelta(microseconds=fraction * 864)).strftime("%Y-%m-%dT%H:%M:%S.%f")


def object_id(line1):
    text = columns(line1, 10, 17)
    if len(text) < 5 or not text[:5].isdigit():
        return ""
    yy = int(text[:2])
    return "%d-%s" % (2000 + yy if yy < 57 else 1900 + yy, text[2:])


def record(name, line1, line2):
    dot_sign = "-" if line1[33:34] == "-" else ""
    return {
        "OBJECT_NAME": name[:24].rstrip(),
        "OBJECT_ID": object_id(line1),
        "EPOCH": epoch(line1),
        "MEAN_MOTION": "%d.%08d" % (integer(line2, 53, 54), integer(line2, 56, 63)),
        "ECCENTRICITY": "0.%07d" % integer(line2, 27, 33),
        "INCLINATION": angle(line2, 9),
        "RA_OF_ASC_NODE": angle(line2, 18),
        "ARG_OF_PERICENTER": angle(line2, 35),
        "MEAN_ANOMALY": str(Decimal(columns(line2, 44, 51) or "0")),
        "EPHEMERIS_TYPE": "0",
        "CLASSIFICATION_TYPE": columns(line1, 8, 8) or "U",
        "NORAD_CAT_ID": str(catalogue_number(line1)),
        "ELEMENT_SET_NO": str(integer(line1, 65, 68)),
        "REV_AT_EPOCH": str(integer(line2, 64, 68)),
        "BSTAR": exponent_field(line1, 54),
        "MEAN_MOTION_DOT": dot_sign + "0.%08d" % integer(line1, 36, 43),
        "MEAN_MOTION_DDOT": exponent_field(line1, 45),
    }


def read_sets(path):
    with open(path, encoding="latin-1", newline="") as f:
        lines = [line.rstrip("\r\n") for line in f.read().split("\n")]
    return [record(*lines[i:i + 3]) for i in range(0, len(lines) - 2, 3) if lines[i + 1].startswith("1")]


def csv_value(text):
    return '"%s"' % text.replace('"', '""') if any(c in text for c in ',"') else text


def write_csv(sets, path):
    with open(path, "w", newline="") as f:
        f.write(",".join(FIELDS) + "\r\n")
        for s in sets:
            f.write(",".join(csv_value(s[k]) for k in FIELDS) + "\r\n")


def write_json(sets, path):
    def value(key, text):
        return text if key in TEXT_FIELDS else json.loads(text)
    with open(path, "w") as f:
        json.dump([{k: value(k, s[k]) for k in FIELDS} for s in sets], f, indent=1)
        f.write("\n")


def write_xml(sets, path):
    metadata = ["OBJECT_NAME", "OBJECT_ID"]
    mean = ["EPOCH", "MEAN_MOTION", "ECCENTRICITY", "INCLINATION", "RA_OF_ASC_NODE",
            "ARG_OF_PERICENTER", "MEAN_ANOMALY"]
    tle = ["EPHEMERIS_TYPE", "CLASSIFICATION_TYPE", "NORAD_CAT_ID", "ELEMENT_SET_NO",
           "REV_AT_EPOCH", "BSTAR", "MEAN_MOTION_DOT", "MEAN_MOTION_DDOT"]

    def block(s, keys, indent):
        return "".join("%s<%s>%s</%s>\n" % (indent, k, escape(s[k]), k) for k in keys)

    with open(path, "w") as f:
        f.write('<?xml version="1.0" encoding="UTF-8"?>\n<ndm>\n')
        for s in sets:
            f.write('<omm id="CCSDS_OMM_VERS" version="2.0">\n'
                    "<header><CREATION_DATE/><ORIGINATOR/></header>\n<body><segment>\n<metadata>\n")
            f.write(block(s, metadata, " "))
            f.write(" <CENTER_NAME>EARTH</CENTER_NAME>\n <REF_FRAME>TEME</REF_FRAME>\n"
                    " <TIME_SYSTEM>UTC</TIME_SYSTEM>\n <MEAN_ELEMENT_THEORY>SGP4</MEAN_ELEMENT_THEORY>\n"
                    "</metadata>\n<data>\n<meanElements>\n")
            f.write(block(s, mean, " "))
            f.write("</meanElements>\n<tleParameters>\n")
            f.write(block(s, tle, " "))
            f.write("</tleParameters>\n</data>\n</segment></body>\n</omm>\n")
        f.write("</ndm>\n")


def main(argv):
    if len(argv) != 3:
        sys.stderr.write(__doc__)
        return 2
    sets = read_sets(argv[1])
    stem = os.path.splitext(os.path.basename(argv[1]))[0]
    os.makedirs(argv[2], exist_ok=True)
    write_csv(sets, os.path.join(argv[2], stem + ".csv"))
    write_json(sets, os.path.join(argv[2], stem + ".json"))
    write_xml(sets, os.path.join(argv[2], stem + ".xml"))
    print("%d element sets from %s" % (len(sets), argv[1]))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
