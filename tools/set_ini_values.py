#!/usr/bin/python3
"""Sets keys of a Qt settings file (INI format) in place.

    set_ini_values.py FILE KEY=VALUE... [-]

A key "group/name" goes into the section [group]; a key without a group into
[General]. Other lines stay as they are; a missing file or section is made.
Values are plain text without newlines. A "-" reads further KEY=VALUE lines
from standard input, so that a secret need not appear on a command line.
"""
import os
import sys


def set_value(lines, group, name, value):
    header = "[%s]" % group
    start = next((i for i, line in enumerate(lines) if line.strip() == header), None)
    if start is None:
        if lines and lines[-1].strip():
            lines.append("")
        lines.extend([header, "%s=%s" % (name, value)])
        return
    end = next((i for i in range(start + 1, len(lines)) if lines[i].startswith("[")), len(lines))
    for i in range(start + 1, end):
        if lines[i].split("=", 1)[0].strip() == name:
            lines[i] = "%s=%s" % (name, value)
            return
    while end > start + 1 and not lines[end - 1].strip():
        end -= 1
    lines.insert(end, "%s=%s" % (name, value))


def main(argv):
    pairs = []
    for argument in argv[1:]:
        pairs.extend(sys.stdin.read().splitlines() if argument == "-" else [argument])
    if len(argv) < 2 or any("=" not in pair for pair in pairs):
        print(__doc__, file=sys.stderr)
        return 2
    path = argv[0]
    lines = open(path, encoding="utf-8").read().splitlines() if os.path.exists(path) else []
    for pair in pairs:
        key, value = pair.split("=", 1)
        group, _, name = key.rpartition("/")
        set_value(lines, group or "General", name, value)
    with open(path + ".tmp", "w", encoding="utf-8") as out:
        out.write("\n".join(lines) + "\n")
    os.replace(path + ".tmp", path)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
