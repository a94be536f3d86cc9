#!/usr/bin/env python3
"""Reads an audit file back on its own terms and checks it.

    evadts_check.py FILE [--paid]   checks FILE; prints "ok" or the faults
    evadts_check.py --crc TEXT      prints the 16-bit check of TEXT

The check is written from the definition of the format, not from the
program: CRC-16 with polynomial 0x8005 reflected (0xA001), initial value 0,
over every byte from the start of ST through the end of the line before
G85. --paid adds the sums that hold when every vend was paid.
"""
import sys

# Fields after the block name, as the program writes every block.
FIELD_COUNTS = {
    "DXS": 4, "ST": 2, "ID1": 3, "ID4": 3, "CB1": 3, "VA1": 4, "CA2": 4,
    "DA2": 4, "CA3": 8, "CA4": 4, "CA8": 2, "CA15": 1, "DA4": 2, "PA1": 3,
    "PA2": 4, "PA5": 2, "EA2": 3, "EA7": 2, "EA3": 9, "G85": 1, "SE": 2,
    "DXE": 2,
}
NUMERIC = {"VA1", "CA2", "DA2", "CA3", "CA4", "CA8", "CA15", "DA4", "PA2", "EA7"}


def crc16(data):
    crc = 0
    for byte in data:
        crc ^= byte
        for _ in range(8):
            crc = (crc >> 1) ^ 0xA001 if crc & 1 else crc >> 1
    return crc


def value(field):
    return int(field) if field else 0


def check(raw, paid):
    faults = []
    if not raw.endswith(b"\r\n"):
        faults.append("the file does not end with CR LF")
    text = raw[:-2] if raw.endswith(b"\r\n") else raw
    lines = text.split(b"\r\n")
    if any(b"\n" in line or b"\r" in line for line in lines):
        faults.append("a line end other than CR LF")
    rows = [line.decode("ascii").split("*") for line in lines]
    names = [row[0] for row in rows]
    for row in rows:
        expected = FIELD_COUNTS.get(row[0])
        if expected is None:
            faults.append("unknown block " + row[0])
        elif len(row) - 1 != expected:
            faults.append("%s has %d fields, not %d" % (row[0], len(row) - 1, expected))
        elif row[0] in NUMERIC and not all(f == "" or f.isdigit() for f in row[1:]):
            faults.append("%s holds a field that is not a number: %s" % (row[0], row))
    if names[:2] != ["DXS", "ST"] or names[-3:] != ["G85", "SE", "DXE"]:
        return faults + ["blocks out of order: %s" % names]
    block = {}
    for row in rows:
        block.setdefault(row[0], []).append(row[1:])
    st = names.index("ST")
    g85 = names.index("G85")
    covered = b"".join(line + b"\r\n" for line in lines[st:g85])
    if block["G85"][0][0] != "%04X" % crc16(covered):
        faults.append("G85 %s, computed %04X" % (block["G85"][0][0], crc16(covered)))
    se = block["SE"][0]
    if value(se[0]) != names.index("SE") - st + 1 or se[1] != block["ST"][0][1]:
        faults.append("SE %s does not close ST %s of %d lines" % (se, block["ST"][0], names.index("SE") - st + 1))
    selections = [int(row[0]) for row in block.get("PA1", [])]
    if selections != list(range(1, 19)):
        faults.append("selections %s" % selections)
    if len(block.get("PA2", [])) != 18 or len(block.get("PA5", [])) != 18:
        faults.append("not one PA2 and one PA5 per selection")
    va1, ca2, da2 = block["VA1"][0], block["CA2"][0], block["DA2"][0]
    for init, reset in ((0, 2),):
        if value(va1[init]) != value(ca2[init]) + value(da2[init]):
            faults.append("VA101 %s is not CA201 %s + DA201 %s" % (va1[init], ca2[init], da2[init]))
        if value(va1[reset]) != value(ca2[reset]) + value(da2[reset]):
            faults.append("VA103 %s is not CA203 %s + DA203 %s" % (va1[reset], ca2[reset], da2[reset]))
    if paid:
        pa2 = block["PA2"]
        for index, name in ((0, "PA201"), (1, "PA202"), (2, "PA203"), (3, "PA204")):
            total = sum(value(row[index]) for row in pa2)
            expected = value(va1[[1, 0, 3, 2][index]])
            if total != expected:
                faults.append("sum of %s is %d, VA1 says %d" % (name, total, expected))
    return faults


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "--crc":
        print("%04X" % crc16(sys.argv[2].encode("latin-1")))
        return 0
    with open(sys.argv[1], "rb") as f:
        faults = check(f.read(), "--paid" in sys.argv[2:])
    print("\n".join(faults) if faults else "ok")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
