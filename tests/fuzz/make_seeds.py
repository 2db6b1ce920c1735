#!/usr/bin/env python3
"""Writes the seed corpora: settings files of our own making (defaults,
short, long, damaged) and a few codes and device states."""
import os
import struct
import sys

here = os.path.dirname(os.path.abspath(__file__))

KEYS = [
    [bytes.fromhex("0a080926171816243000003911201f1e"), bytes.fromhex("494748514c4d4b4fc90000d1c8cdd0cb"), b"", b""],
    [bytes.fromhex("122e04201f2d2c1e2a00001d03111002"), bytes.fromhex("16320824233130223900007907151406"),
     bytes.fromhex("912b0c9227353426b800009d0b19180a"), bytes.fromhex("494748514c4d4b4fc90000d1c8cdd0cb")],
]


def keyboard_table():
    out = b""
    for layout in KEYS:
        for row in layout:
            out += row.ljust(24, b"\0")
    return out


def joystick_table(buttons):
    order = [0, 1, 2, 3, 6, 7, 4, 5, 8, 9, 10, 11]
    out = b""
    for player in range(4):
        entries = [0xFFFFFFFF] * 24
        if buttons[player]:
            base = player << 28
            entries[0:4] = [base | 0x2000002, base | 0x2000003, base | 0x2000000, base | 0x2000001]
            for k in range(min(12, buttons[player])):
                entries[4 + k] = base | 0x1000000 | order[k]
        out += struct.pack("<24I", *entries)
    return out


def record(buttons=(0, 0, 0, 0), flags=0, options=bytes([1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0]), layout=0, reserved=b"\0\0"):
    data = keyboard_table() + joystick_table(buttons) + struct.pack("<I", flags) + options + bytes([layout]) + reserved
    assert len(data) == 596
    return data


def main():
    settings = os.path.join(here, "corpus", "settings")
    codes = os.path.join(here, "corpus", "codes")
    os.makedirs(settings, exist_ok=True)
    os.makedirs(codes, exist_ok=True)
    seeds = {
        "defaults.cfg": record(),
        "defaults-four-pads.cfg": record(buttons=(12, 4, 2, 32), flags=0xE),
        "short-100.cfg": record()[:100],
        "long-1000.cfg": record() + bytes(range(256)) + bytes(148),
        "damaged.cfg": record(flags=0xFFFFFFFF, options=bytes([7] * 13), layout=7, reserved=b"\xab\xcd")[:192]
        + struct.pack("<4I", 0, 0x0800000E, 0x0400000F, 0x3100001F) * 24 + record()[576:],
        "empty.cfg": b"",
    }
    for name, data in seeds.items():
        with open(os.path.join(settings, name), "wb") as f:
            f.write(data)
    code_seeds = {
        "button.bin": struct.pack("<I", 0x1100000B) + bytes(64),
        "hat.bin": struct.pack("<I", 0x24000100) + struct.pack("<I", 4) + bytes(20) + struct.pack("<4I", 9000, 0xFFFFFFFF, 0, 0),
        "noinput.bin": struct.pack("<I", 0xFFFFFFFF) + bytes(120),
    }
    for name, data in code_seeds.items():
        with open(os.path.join(codes, name), "wb") as f:
            f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main())
