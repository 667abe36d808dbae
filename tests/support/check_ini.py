#!/usr/bin/env python3
"""Checks Quorvex's profile file with an independent reader (configparser).

    check_ini.py FILE                     every one of the 25 keys is present
    check_ini.py FILE --defaults          ... and the file is exactly the first-run file:
                                          five sections in order, each key at its default
    check_ini.py FILE --expect log.mbdelete=1 [--expect ...]
                                          ... and the named keys hold these values

Prints each key as "section.key=value" in the file's order; exits 1 with the reasons on
stderr when a check fails, 2 when the file cannot be read.
"""
import argparse
import configparser
import sys

# The 25 keys and their defaults, in the order a new file gets them.
DEFAULTS = [
    ("main", [("alwaysontop", "0"), ("nsresolve", "0"), ("portresolve", "0"), ("idleseconds", "10")]),
    ("filters", [("filtertcp", "0"), ("filterudp", "0"), ("filtericmp", "0")]),
    ("mainwindow", [("status", "-1"), ("top", "-1"), ("bottom", "-1"), ("left", "-1"), ("right", "-1")]),
    ("list", [("srcaddr", "120"), ("destaddr", "120"), ("srcport", "80"), ("destport", "80"),
              ("proto", "50"), ("traffic", "100"), ("bs", "80"), ("abs", "80")]),
    ("log", [("uselogfile", "0"), ("autodelete", "0"), ("mbdelete", "1"), ("logtype", "0"), ("logfile", "")]),
]


def parse(path):
    with open(path, "rb") as f:
        data = f.read()
    parser = configparser.RawConfigParser(delimiters=("=",), comment_prefixes=(";",),
                                          inline_comment_prefixes=None, strict=True,
                                          empty_lines_in_values=False, interpolation=None)
    parser.optionxform = str  # keep the keys' case
    # Latin-1 maps every byte to one character, so any ANSI text survives unchanged.
    parser.read_string(data.decode("latin-1"), source=path)
    return data, parser


def problems(data, parser, defaults, expected):
    found = []
    for section, keys in DEFAULTS:
        for key, default in keys:
            if not parser.has_option(section, key):
                found.append(f"missing {section}.{key}")
            elif defaults and parser.get(section, key) != default:
                found.append(f"{section}.{key} is {parser.get(section, key)!r}, not the default {default!r}")
    if defaults:
        sections = [s for s, _ in DEFAULTS]
        if parser.sections() != sections:
            found.append(f"sections {parser.sections()} instead of {sections}")
        for section, keys in DEFAULTS:
            if parser.has_section(section) and list(parser[section]) != [k for k, _ in keys]:
                found.append(f"keys of [{section}] are {list(parser[section])}")
        if b"\n" in data.replace(b"\r\n", b"") or not data.endswith(b"\r\n"):
            found.append("lines do not all end with CRLF")
    for item in expected:
        name, _, value = item.partition("=")
        section, _, key = name.partition(".")
        actual = parser.get(section, key, fallback=None)
        if actual != value:
            found.append(f"{name} is {actual!r}, expected {value!r}")
    return found


def main():
    args = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    args.add_argument("file")
    args.add_argument("--defaults", action="store_true")
    args.add_argument("--expect", action="append", default=[], metavar="SECTION.KEY=VALUE")
    opts = args.parse_args()
    try:
        data, parser = parse(opts.file)
    except (OSError, configparser.Error) as error:
        print(f"cannot read {opts.file}: {error}", file=sys.stderr)
        return 2
    for section in parser.sections():
        for key, value in parser[section].items():
            print(f"{section}.{key}={value}")
    found = problems(data, parser, opts.defaults, opts.expect)
    for line in found:
        print(line, file=sys.stderr)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
