#!/usr/bin/env python3
"""Builds nkf32's character-frequency prior from the Japanese manual pages.

Renders the pages of Debian's manpages-ja package to plain UTF-8 text, counts
each character by its Shift_JIS (CP932) code and writes costs (-log2 p, in
quarter bits) as a C++ include file. Characters the pages never use (most
rarer kanji) are told apart by how many words of the mecab-ipadic dictionary
(Debian package mecab-ipadic) they appear in, a small extra weight per word:

    make_prior.py nkf32/JapanesePrior.inc

Pages whose held-out key is 0 (see held_out) are NOT counted: the tests draw
their lines from exactly those pages, so the prior is never scored on the text
it was made from.
"""
import glob
import math
import os
import subprocess
import sys
from concurrent.futures import ThreadPoolExecutor

import jtext

MAN_DIR = "/usr/share/man/ja"
DICT_DIR = "/usr/share/mecab/dic/ipadic"
WEIGHT_PER_DICT_WORD = 0.05
ROWS = 120  # JIS rows as Shift_JIS arithmetic reaches them: 1-94, user 95-114, IBM 115-120
CELLS = 94
UNIT = 4  # costs are stored in quarter bits

# Character classes for the transition table; keep in step with JapanesePrior.cpp.
(BOUNDARY, SPACE, LETTER, DIGIT, PUNCT, HIRAGANA, KATAKANA, KANJI, SYMBOL, FOREIGN, OTHER,
 HALFWIDTH_KANA) = range(12)
CLASSES = 12


def class_of(ch):
    """Class of a character by its CP932 code, or by code point if it has none."""
    try:
        b = ch.encode("cp932")
    except UnicodeEncodeError:
        cp = ord(ch)
        if cp < 0x100:
            return FOREIGN
        if 0x3400 <= cp <= 0x9FFF or cp >= 0x20000:
            return KANJI
        return OTHER
    if len(b) == 1:
        c = b[0]
        if c >= 0x80:
            return HALFWIDTH_KANA
        if c <= 0x20 or c == 0x7F:
            return SPACE
        if chr(c).isalpha():
            return LETTER
        if chr(c).isdigit():
            return DIGIT
        return PUNCT
    code = b[0] << 8 | b[1]
    if code == 0x815B:
        return KATAKANA  # ー
    if code == 0x8158:
        return KANJI  # 々
    row = jtext.kuten_of_sjis(code)[0]
    if row == 4:
        return HIRAGANA
    if row == 5:
        return KATAKANA
    if row in (1, 2, 13):
        return SYMBOL
    if row in (3, 6, 7):
        return FOREIGN
    if 16 <= row <= 84 or 89 <= row <= 92 or 115 <= row <= 119:
        return KANJI
    return OTHER


def held_out(path):
    """True for the pages kept for testing: byte sum of the file name mod 5 == 0."""
    return sum(os.path.basename(path).encode()) % 5 == 0


def render(path):
    cmd = f"zcat -f '{path}' | groff -Tutf8 -mandoc -k -P-cbou 2>/dev/null"
    out = subprocess.run(cmd, shell=True, capture_output=True).stdout
    return out.decode("utf-8", errors="replace")


def defined(code):
    try:
        bytes([code >> 8, code & 0xFF]).decode("cp932")
        return True
    except UnicodeDecodeError:
        return False


def kuten_index(code):
    """Row-major index (0-based) of a double-byte Shift_JIS code in ROWS x CELLS."""
    row, cell = jtext.kuten_of_sjis(code)
    return (row - 1) * CELLS + cell - 1


def pseudo_count(row):
    """Smoothing weight of a character never seen, by its class (1-based row)."""
    if 1 <= row <= 8 or 16 <= row <= 47:
        return 0.5   # symbols, kana, letters, level-1 kanji
    if 48 <= row <= 84:
        return 0.1   # level-2 kanji
    if row == 13:
        return 0.05  # NEC special symbols
    if 89 <= row <= 92 or 115 <= row <= 120:
        return 0.02  # IBM extension kanji
    return 0.001     # user-defined area


def main():
    out_path = sys.argv[1] if len(sys.argv) > 1 else "nkf32/JapanesePrior.inc"
    pages = sorted(p for p in glob.glob(MAN_DIR + "/**/*", recursive=True)
                   if os.path.isfile(p) and not held_out(p))
    with ThreadPoolExecutor(max_workers=2) as pool:
        texts = list(pool.map(render, pages))

    ascii_counts = [0] * 128
    counts = [0] * (ROWS * CELLS)
    total = 0
    for text in texts:
        for ch in text:
            try:
                b = ch.encode("cp932")
            except UnicodeEncodeError:
                continue
            total += 1
            if len(b) == 1 and b[0] < 0x80:
                ascii_counts[b[0]] += 1
            elif len(b) == 2:
                counts[kuten_index(b[0] << 8 | b[1])] += 1

    # Class transitions within lines (stripped, as lines are given to nkf32),
    # with the line's start and end as the boundary class.
    trans = [[0] * CLASSES for _ in range(CLASSES)]
    class_cache = {}
    for text in texts:
        for line in text.split("\n"):
            line = line.strip(" ")
            if not line:
                continue
            prev = BOUNDARY
            for ch in line:
                cls = class_cache.get(ch)
                if cls is None:
                    cls = class_cache[ch] = class_of(ch)
                trans[prev][cls] += 1
                prev = cls
            trans[prev][BOUNDARY] += 1
    row_sums = [sum(r) for r in trans]
    col_sums = [sum(trans[a][b] for a in range(CLASSES)) for b in range(CLASSES)]
    n_trans = sum(row_sums)
    # How much likelier (or not) a class is right after another than anywhere:
    # -log2(P(b | a) / P(b)), add-one smoothed, clamped to -10..+20 bits. Half-
    # width katakana, which the pages lack, is left neutral.
    adjust = [[0] * CLASSES for _ in range(CLASSES)]
    for a in range(CLASSES):
        for b in range(CLASSES):
            if HALFWIDTH_KANA in (a, b):
                continue
            p_b_a = (trans[a][b] + 1) / (row_sums[a] + CLASSES)
            p_b = (col_sums[b] + 1) / (n_trans + CLASSES)
            adjust[a][b] = max(-40, min(80, round(-math.log2(p_b_a / p_b) * UNIT)))

    # Dictionary words: one small weight per word a character appears in.
    dict_counts = [0] * (ROWS * CELLS)
    dict_files = sorted(glob.glob(DICT_DIR + "/*.csv"))
    if not dict_files:
        sys.exit("mecab-ipadic is not installed (%s)" % DICT_DIR)
    for path in dict_files:
        with open(path, encoding="euc-jp", errors="replace") as f:
            for line in f:
                for ch in set(line.split(",", 1)[0]):
                    try:
                        b = ch.encode("cp932")
                    except UnicodeEncodeError:
                        continue
                    if len(b) == 2:
                        dict_counts[kuten_index(b[0] << 8 | b[1])] += 1

    def cost(n):
        return max(1, min(255, round(-math.log2(n / total) * UNIT)))

    kuten_costs = []
    for i in range(ROWS * CELLS):
        row, cell = divmod(i, CELLS)
        if not defined(jtext.sjis_of_kuten(row + 1, cell + 1)):
            kuten_costs.append(255)
        else:
            kuten_costs.append(cost(counts[i] + pseudo_count(row + 1)
                                    + WEIGHT_PER_DICT_WORD * dict_counts[i]))
    # Control characters other than TAB are rare in any text; printable ASCII is
    # smoothed like common characters.
    ascii_costs = [cost(ascii_counts[b] + (0.5 if 0x20 <= b < 0x7F or b == 9 else 0.001))
                   for b in range(128)]

    with open(out_path, "w") as f:
        f.write("// Generated by nkf32/tools/make_prior.py from %d manual pages (%d characters)\n"
                "// and the words of mecab-ipadic.\n" % (len(pages), total))
        f.write("// Costs are -log2 of a character's frequency in Japanese text, in quarter bits.\n")
        f.write("// Do not edit by hand; run the script again instead.\n\n")
        f.write("// By ASCII byte.\n")
        f.write("constexpr unsigned char kAsciiCost[128] = {\n")
        for i in range(0, 128, 16):
            f.write("    " + ", ".join("%3d" % c for c in ascii_costs[i:i + 16]) + ",\n")
        f.write("};\n\n")
        f.write("// By class of the previous character, then class of this one: boundary,\n"
                "// space, letter, digit, punctuation, hiragana, katakana, kanji, symbol,\n"
                "// foreign letter, other, half-width katakana.\n")
        f.write("constexpr signed char kClassAdjust[%d][%d] = {\n" % (CLASSES, CLASSES))
        for a in range(CLASSES):
            f.write("    {" + ", ".join("%3d" % v for v in adjust[a]) + "},\n")
        f.write("};\n\n")
        f.write("// By JIS row (1-120, as Shift_JIS arithmetic reaches them) and cell (1-94).\n")
        f.write("constexpr unsigned char kKutenCost[%d] = {\n" % (ROWS * CELLS))
        for row in range(ROWS):
            f.write("    // row %d\n" % (row + 1))
            line = kuten_costs[row * CELLS:(row + 1) * CELLS]
            for i in range(0, CELLS, 16):
                f.write("    " + ", ".join("%3d" % c for c in line[i:i + 16]) + ",\n")
        f.write("};\n")
    print("pages %d, characters %d, distinct double-byte %d"
          % (len(pages), total, sum(1 for c in counts if c)), file=sys.stderr)


if __name__ == "__main__":
    main()
