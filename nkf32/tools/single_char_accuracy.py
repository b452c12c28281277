#!/usr/bin/env python3
"""Single-character lines: how often nkf32 and the nkf command get them right.

    single_char_accuracy.py LIBNKF32_SO [--sample N]

Every JIS X 0208 character (rows 1-8 and 16-84, 6879 in all), each on a line
of its own in UTF-8, Shift_JIS and EUC-JP, is converted to Shift_JIS by the
library (loaded with ctypes) and by `nkf -s` (one process per line, since nkf
guesses per stream); prints the share that comes back right for each. With
--sample N only every N-th character is given to nkf, to save time.
"""
import ctypes
import subprocess
import sys

import jtext


def jis_x0208():
    chars = []
    for lead in range(0x81, 0xEB):
        for trail in range(0x40, 0xFD):
            if trail == 0x7F:
                continue
            code = bytes([lead, trail])
            if 0x8540 <= (lead << 8 | trail) < 0x889F:  # rows 9-15: none in JIS X 0208
                continue
            try:
                ch = code.decode("cp932")
            except UnicodeDecodeError:
                continue
            if len(ch) == 1:
                chars.append((code, ch))
    return chars


def euc_of(sjis):
    """EUC-JP of a double-byte Shift_JIS code, by JIS row and cell."""
    row, cell = jtext.kuten_of_sjis(sjis[0] << 8 | sjis[1])
    return bytes([row + 0xA0, cell + 0xA0])


def main():
    lib = ctypes.CDLL(sys.argv[1])
    step = int(sys.argv[3]) if len(sys.argv) > 3 and sys.argv[2] == "--sample" else 1
    lib.SetNkfOption(b"-s")
    chars = jis_x0208()
    forms = {"UTF-8": lambda c: c[1].encode("utf-8"),
             "Shift_JIS": lambda c: c[0],
             "EUC-JP": lambda c: euc_of(c[0])}
    print("%d JIS X 0208 characters, one per line" % len(chars))
    for name, enc in forms.items():
        ours = 0
        theirs = 0
        asked = 0
        for i, c in enumerate(chars):
            line = enc(c)
            out = ctypes.create_string_buffer(2 * len(line) + 1)
            lib.NkfConvert(out, line)
            ours += out.value == c[0]
            if i % step == 0:
                asked += 1
                got = subprocess.run(["nkf", "-s"], input=line + b"\n",
                                     capture_output=True).stdout
                theirs += got == c[0] + b"\n"
        print("  %-10s nkf32 %6.2f%%   nkf %6.2f%% (of %d)"
              % (name, 100.0 * ours / len(chars), 100.0 * theirs / asked, asked))


if __name__ == "__main__":
    main()
