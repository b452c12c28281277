#!/usr/bin/env python3
"""Accuracy of the nkf32 converter by kind of line and by input form.

    nkf32_accuracy.py BUILD_DIR [--split dev|held-out|all] [--misses N]

Builds test lines from the Japanese manual pages that the prior is NOT counted
from (the held-out pages of nkf32/tools/make_prior.py) and from glibc iconv,
writes each in every form the converter reads and prints the share that comes
back as the right CP932, by kind and form. Kinds:

  prose       lines of the pages as they are
  hw-kana     katakana words of the pages narrowed to half-width kana, alone on a
              line (a word, or two words run together)
  hw-mixed    page lines with their katakana narrowed to half-width kana
  x0212       page lines with one kanji replaced by a JIS X 0212 or IBM
              extension character (EUC-JP-MS through SS3, ISO-2022-JP through
              ESC $ ( D); also the character alone between ASCII words
  cp51932     as x0212, the characters that CP932 holds, written the CP51932
              way (IBM extensions in EUC rows 89-92)
  cp51932-lone  the same character alone between ASCII words: its two bytes are
              an IBM extension kanji in Shift_JIS as well, so nothing tells the
              two apart; shown, not counted in the totals
  stray       page lines with one byte that fits no encoding put between two
              characters next to ASCII (as a decoded literal "%de" would be)
  latin       ASCII lines of the pages with one Latin or Greek letter
  lone-kanji  ASCII lines of the pages with one Japanese word of 1-2 characters
  short-1     one character alone on a line: every JIS X 0208 symbol of row 1,
              every hiragana and katakana, and the 1,000 kanji the prior ranks
              likeliest (the smallest cost in nkf32/JapanesePrior.inc)
  short-2     two of those characters, drawn at random, alone on a line

Forms: the raw bytes given to NkfConvert, and "%" forms with every byte
percent-encoded, run through `linsift-cli convert` (the program's percent
decoder, then the converter). "JIS via %" gives raw ISO-2022-JP lines to
`linsift-cli convert`: its percent decoder sees the '%' bytes of JIS katakana.
It is shown apart and not counted in the totals.

Every line goes to the dev or the held-out split by a hash of its text; tune on
dev, report both. The rendered pages are cached in /tmp.
"""
import ctypes
import glob
import hashlib
import os
import random
import re
import subprocess
import sys
import tempfile
import unicodedata
import zlib

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "nkf32",
                                "tools"))
import jtext  # noqa: E402

MAN_DIR = "/usr/share/man/ja"
CACHE = "/tmp/nkf32_accuracy_pages.txt"
GETA = b"\x81\xac"
FORMS = ["UTF-8", "Shift_JIS", "EUC-JP", "ISO-2022-JP", "%UTF-8", "%Shift_JIS", "%EUC-JP",
         "%ISO-2022-JP"]
KINDS = ["prose", "hw-kana", "hw-mixed", "x0212", "cp51932", "stray", "latin", "lone-kanji",
         "short-1", "short-2", "cp51932-lone"]
APART = "cp51932-lone"  # shown, not counted


# Where JIS and Microsoft tables disagree the converter writes the JIS code.
FIXUPS = {"\u301c": b"\x81\x60", "\u2212": b"\x81\x7c", "\u2016": b"\x81\x61",
          "\u2014": b"\x81\x5c", "\u00a2": b"\x81\x91", "\u00a3": b"\x81\x92",
          "\u00ac": b"\x81\xca", "\u00a5": b"\x81\x8f", "\u203e": b"\x81\x50"}
_cp932_cache = {}


def cp932_char(ch):
    if ch not in _cp932_cache:
        b = FIXUPS.get(ch) or jtext.iconv(ch.encode("utf-8"), "CP932", "UTF-8")
        _cp932_cache[ch] = b if b else GETA
    return _cp932_cache[ch]


def expected(text):
    """What the converter must write for `text` (default options: kana widened)."""
    return b"".join(cp932_char(ch) for ch in text)


def strict(text, enc):
    return jtext.iconv(text.encode("utf-8"), enc, "UTF-8")


def euc_to_jis(euc):
    """ISO-2022-JP of EUC-JP bytes: JIS X 0208 by ESC $ B, JIS X 0212 by ESC $ ( D, SS2 kana
    by ESC ( I, back to ASCII at the end."""
    out = bytearray()
    mode = b"\x1b(B"
    i = 0

    def select(m):
        nonlocal mode
        if mode != m:
            out.extend(m)
            mode = m
    while i < len(euc):
        b = euc[i]
        if b < 0x80:
            select(b"\x1b(B")
            out.append(b)
            i += 1
        elif b == 0x8E:
            select(b"\x1b(I")
            out.append(euc[i + 1] & 0x7F)
            i += 2
        elif b == 0x8F:
            select(b"\x1b$(D")
            out.extend(bytes([euc[i + 1] & 0x7F, euc[i + 2] & 0x7F]))
            i += 3
        else:
            select(b"\x1b$B")
            out.extend(bytes([b & 0x7F, euc[i + 1] & 0x7F]))
            i += 2
    select(b"\x1b(B")
    return bytes(out)


def sjis_to_euc(sjis):
    """EUC-JP of Shift_JIS bytes by JIS row and cell (rows 89-92 for the NEC-selected IBM
    extensions); None when a code lies beyond row 94."""
    out = bytearray()
    i = 0
    while i < len(sjis):
        b = sjis[i]
        if b < 0x80:
            out.append(b)
            i += 1
        elif 0xA1 <= b <= 0xDF:
            out.extend(bytes([0x8E, b]))
            i += 1
        else:
            row, cell = jtext.kuten_of_sjis(b << 8 | sjis[i + 1])
            if row > 94:
                return None  # the IBM rows beyond 94 have no EUC-JP form
            out.extend(bytes([row + 0xA0, cell + 0xA0]))
            i += 2
    return bytes(out)


# ---- test text

def held_out_page(path):
    return sum(os.path.basename(path).encode()) % 5 == 0


def page_lines():
    pages = sorted(p for p in glob.glob(MAN_DIR + "/**/*", recursive=True)
                   if os.path.isfile(p) and held_out_page(p))
    key = hashlib.sha1("\n".join(pages).encode()).hexdigest()
    if os.path.exists(CACHE):
        with open(CACHE, encoding="utf-8") as f:
            if f.readline().strip() == key:
                return f.read().split("\n")
    texts = []
    for p in pages:
        r = subprocess.run("zcat -f '%s' | groff -Tutf8 -mandoc -k -P-cbou 2>/dev/null" % p,
                           shell=True, capture_output=True)
        texts.append(r.stdout.decode("utf-8", "replace"))
    lines = []
    for t in texts:
        for line in t.split("\n"):
            line = line.strip(" ")
            if line and "\ufffd" not in line and "\t" not in line:
                lines.append(line)
    with open(CACHE, "w", encoding="utf-8") as f:
        f.write(key + "\n" + "\n".join(lines))
    return lines


def katakana(ch):
    return "\u30a1" <= ch <= "\u30f4" or ch == "\u30fc"


# Full-width katakana (and the voiced forms) to half-width, from NFKC of the half-width set.
NARROW = {}
for _cp in range(0xFF61, 0xFFA0):
    _h = chr(_cp)
    NARROW.setdefault(unicodedata.normalize("NFKC", _h), _h)
for _h in list(NARROW.values()):
    for _mark in "\uff9e\uff9f":
        _full = unicodedata.normalize("NFKC", _h + _mark)
        if len(_full) == 1:
            NARROW.setdefault(_full, _h + _mark)


def narrow(text):
    """Half-width form of a katakana text, or None when a character has none."""
    out = []
    for ch in text:
        if ch not in NARROW:
            return None
        out.append(NARROW[ch])
    return "".join(out)


def narrow_katakana_runs(line):
    out, run = [], ""
    for ch in line + "\0":
        if katakana(ch):
            run += ch
            continue
        if run:
            n = narrow(run)
            if n is None:
                return None
            out.append(n)
            run = ""
        out.append(ch)
    return "".join(out[:-1])


def x0212_chars():
    """Characters of the JIS X 0212 plane as EUC-JP-MS writes them through SS3, split into
    those CP932 holds and those it does not (user-defined area left out)."""
    held, lacking = [], []
    for row in range(0xA1, 0xF5):
        for cell in range(0xA1, 0xFF):
            u = jtext.iconv(bytes([0x8F, row, cell]), "UTF-8", "EUC-JP-MS")
            if not u:
                continue
            ch = u.decode("utf-8")
            if len(ch) != 1 or strict(ch, "EUC-JP-MS") != bytes([0x8F, row, cell]):
                continue
            (held if cp932_char(ch) != GETA else lacking).append(ch)
    return held, lacking


class Line:
    __slots__ = ("kind", "text", "forms", "want")

    def __init__(self, kind, text, want=None):
        self.kind, self.text, self.forms = kind, text, {}
        self.want = want if want is not None else expected(text)


def plain_forms(line, euc_name="EUC-JP", sjis=True):
    """UTF-8, Shift_JIS, EUC-JP and ISO-2022-JP of line.text, where each can hold it."""
    line.forms["UTF-8"] = line.text.encode("utf-8")
    s = strict(line.text, "CP932")
    if sjis and s is not None:
        line.forms["Shift_JIS"] = s
    e = strict(line.text, euc_name)
    if e is not None:
        line.forms["EUC-JP"] = e
        line.forms["ISO-2022-JP"] = euc_to_jis(e)
    return line


def is_japanese(ch):
    return ord(ch) >= 0x3000


def build_lines():
    rng = random.Random(20261208)
    page = page_lines()
    jp = [l for l in page if any(ord(c) >= 0x80 for c in l)
          and all(cp932_char(c) != GETA for c in l)
          and strict(l, "EUC-JP") is not None and strict(l, "CP932") is not None]
    jp = sorted(set(jp))
    ascii_lines = sorted(set(l for l in page if l.isascii() and 12 <= len(l) <= 80
                             and sum(c.isalpha() for c in l) > 6))
    lines = []

    # prose
    for t in rng.sample(jp, min(4000, len(jp))):
        lines.append(plain_forms(Line("prose", t)))

    # hw-kana: katakana words, each alone and two run together
    words = set()
    for l in page:
        run = ""
        for ch in l + "\0":
            if katakana(ch):
                run += ch
                continue
            if run and run[0] != "\u30fc" and narrow(run) is not None:
                words.add(run)
            run = ""
    words = sorted(words)
    kana_texts = list(words) + [a + b for a, b in zip(words, rng.sample(words, len(words)))]
    for w in kana_texts:
        h = narrow(w)
        if len(h) < 2:
            continue
        line = Line("hw-kana", h, expected(w))
        line.forms["UTF-8"] = h.encode("utf-8")
        line.forms["Shift_JIS"] = strict(h, "CP932")
        line.forms["EUC-JP"] = strict(h, "EUC-JP")
        line.forms["ISO-2022-JP"] = euc_to_jis(line.forms["EUC-JP"])
        lines.append(line)

    # hw-mixed: page lines with their katakana narrowed
    with_kana = [l for l in jp if any(katakana(c) for c in l)]
    for t in rng.sample(with_kana, min(1500, len(with_kana))):
        h = narrow_katakana_runs(t)
        if h is None:
            continue
        line = Line("hw-mixed", h, expected(t))
        line.forms["UTF-8"] = h.encode("utf-8")
        line.forms["Shift_JIS"] = strict(h, "CP932")
        line.forms["EUC-JP"] = strict(h, "EUC-JP")
        if line.forms["Shift_JIS"] is None or line.forms["EUC-JP"] is None:
            continue
        line.forms["ISO-2022-JP"] = euc_to_jis(line.forms["EUC-JP"])
        lines.append(line)

    # x0212 and cp51932
    held, lacking = x0212_chars()
    with_kanji = [l for l in jp if any(0x4E00 <= ord(c) <= 0x9FFF for c in l)]
    for i in range(2500):
        # Half of them characters that CP932 holds: the ones users have in their text.
        ch = rng.choice(held if i % 2 else lacking)
        if i % 3 == 0:
            a = rng.choice(ascii_lines).split(" ")
            k = rng.randrange(len(a) + 1)
            t = " ".join(a[:k] + [ch] + a[k:])
        else:
            base = rng.choice(with_kanji)
            spots = [k for k, c in enumerate(base) if 0x4E00 <= ord(c) <= 0x9FFF]
            k = rng.choice(spots)
            t = base[:k] + ch + base[k + 1:]
        line = plain_forms(Line("x0212", t), euc_name="EUC-JP-MS")
        if "EUC-JP" not in line.forms:
            continue
        lines.append(line)
        if ch in held:
            s = line.forms.get("Shift_JIS")
            py = t.encode("cp932", "strict") if s else None  # NEC-selected IBM codes
            e = sjis_to_euc(py) if py else None
            if e:
                c = Line("cp51932-lone" if i % 3 == 0 else "cp51932", t)
                c.forms["EUC-JP"] = e
                lines.append(c)

    # stray: one byte that fits no encoding, next to ASCII
    stray_bytes = {"UTF-8": b"\x80\xa0\xde\xff", "Shift_JIS": b"\x80\xa0\xfd\xff",
                   "EUC-JP": b"\x80\xa0\xde\xff", "ISO-2022-JP": b"\x80\xa0\xde\xff"}
    rich = [l for l in jp if sum(is_japanese(c) for c in l) >= 4
            and any(ord(c) < 0x80 for c in l)]
    for t in rng.sample(rich, min(1500, len(rich))):
        spots = [k for k in range(len(t) + 1)
                 if (k < len(t) and ord(t[k]) < 0x80) or k == len(t)]
        k = rng.choice(spots)
        a, b = Line("stray", t[:k]), Line("stray", t[k:])
        plain_forms(a)
        plain_forms(b)
        line = Line("stray", t, expected(t[:k]) + GETA + expected(t[k:]))
        for f in ("UTF-8", "Shift_JIS", "EUC-JP", "ISO-2022-JP"):
            if f in a.forms and f in b.forms:
                x = bytes([rng.choice(stray_bytes[f])])
                line.forms[f] = a.forms[f] + x + b.forms[f]
        lines.append(line)

    # latin: one Latin or Greek letter in an ASCII line
    letters = [chr(c) for c in list(range(0xC0, 0x100)) + list(range(0x100, 0x180))
               + list(range(0x391, 0x3CA)) if unicodedata.category(chr(c)) in ("Lu", "Ll")]
    for i in range(2000):
        a = rng.choice(ascii_lines)
        ch = rng.choice(letters)
        if i % 2 == 0:
            ws = [k for k, c in enumerate(a) if c.isalpha()]
            k = rng.choice(ws)
            t = a[:k] + ch + a[k + 1:]
        else:
            sp = [k for k, c in enumerate(a) if c == " "] + [0, len(a)]
            k = rng.choice(sp)
            t = (a[:k] + " " + ch + " " + a[k:]).strip(" ")
        lines.append(plain_forms(Line("latin", t)))

    # lone-kanji: one short Japanese word in an ASCII line
    jwords = sorted(set(w for l in jp for w in "".join(c if is_japanese(c) else " "
                                                       for c in l).split() if len(w) <= 2))
    for i in range(1500):
        a = rng.choice(ascii_lines)
        sp = [k for k, c in enumerate(a) if c == " "] + [0, len(a)]
        k = rng.choice(sp)
        t = (a[:k] + " " + rng.choice(jwords) + " " + a[k:]).strip(" ")
        lines.append(plain_forms(Line("lone-kanji", t)))

    # short-1 and short-2: one or two characters alone on a line
    chars = short_line_chars()
    for ch in chars:
        lines.append(plain_forms(Line("short-1", ch)))
    for i in range(3000):
        lines.append(plain_forms(Line("short-2", rng.choice(chars) + rng.choice(chars))))
    return lines


def short_line_chars():
    """Row 1 symbols, hiragana, katakana and the 1,000 kanji of rows 16-84 with the
    smallest cost in the prior (ties by code), as text."""
    inc = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "nkf32",
                       "JapanesePrior.inc")
    with open(inc) as f:
        table = f.read().split("kKutenCost")[1]
    costs = [int(v) for v in re.findall(r"^\s+([\d, ]+),$", table, re.M) for v in v.split(",")]
    kanji = sorted((costs[(row - 1) * 94 + cell - 1], row, cell)
                   for row in range(16, 85) for cell in range(1, 95)
                   if costs[(row - 1) * 94 + cell - 1] < 255)[:1000]
    kuten = ([(1, cell) for cell in range(1, 95)] + [(4, cell) for cell in range(1, 84)]
             + [(5, cell) for cell in range(1, 87)] + [(row, cell) for _, row, cell in kanji])
    return [jtext.iconv(bytes([row + 0xA0, cell + 0xA0]), "UTF-8", "EUC-JP").decode("utf-8")
            for row, cell in kuten]


def split_of(line):
    return "held-out" if zlib.crc32(line.text.encode("utf-8")) % 3 == 0 else "dev"


# ---- running the converter

def run_direct(lib, data):
    out = ctypes.create_string_buffer(2 * len(data) + 1)
    lib.NkfConvert(out, data)
    return out.value


def run_cli(cli, inputs):
    """Every input through `linsift-cli convert`, one line each."""
    with tempfile.NamedTemporaryFile(delete=False) as f:
        f.write(b"\r\n".join(inputs))
        path = f.name
    try:
        out = subprocess.run([cli, "convert", path], capture_output=True, check=True).stdout
    finally:
        os.unlink(path)
    got = out.split(b"\r\n")
    return got[:len(inputs)]


def percent(data):
    return "".join("%%%02X" % b for b in data).encode()


def main():
    args = sys.argv[1:]
    if not args:
        sys.exit(__doc__)
    build = args[0]
    split = args[args.index("--split") + 1] if "--split" in args else "all"
    show = int(args[args.index("--misses") + 1]) if "--misses" in args else 0
    lib = ctypes.CDLL(os.path.join(build, "bin", "libnkf32.so"))
    lib.SetNkfOption(b"-s")
    cli = os.path.join(build, "bin", "linsift-cli")

    lines = [l for l in build_lines() if split == "all" or split_of(l) == split]
    # Percent forms, and raw ISO-2022-JP through the percent decoder.
    jobs = []
    for l in lines:
        for f in FORMS[:4]:
            if f in l.forms:
                jobs.append((l, "%" + f, percent(l.forms[f])))
        if "ISO-2022-JP" in l.forms:
            jobs.append((l, "JIS via %", l.forms["ISO-2022-JP"]))
    cli_out = run_cli(cli, [j[2] for j in jobs])

    results = {}  # (kind, form) -> [right, total]
    misses = {}
    def count(l, f, got, data):
        r = results.setdefault((l.kind, f), [0, 0])
        r[1] += 1
        if got == l.want:
            r[0] += 1
        elif len(misses.setdefault((l.kind, f), [])) < show:
            misses[(l.kind, f)].append("%s | in %s | got %s" % (
                l.text, data.hex(" "), got.decode("cp932", "replace")))
    for l in lines:
        for f in FORMS[:4]:
            if f in l.forms:
                count(l, f, run_direct(lib, l.forms[f]), l.forms[f])
    for (l, f, data), got in zip(jobs, cli_out):
        count(l, f, got, data)

    # The table: kinds by forms, then totals.
    cols = FORMS + ["JIS via %"]
    print("nkf32 accuracy, split %s: %% right (lines)" % split)
    print("%-12s" % "kind" + "".join("%14s" % c for c in cols))
    def cell(r):
        return "%7.2f (%4d)" % (100.0 * r[0] / r[1], r[1]) if r and r[1] else "%14s" % "-"
    for k in KINDS:
        print("%-12s" % k + "".join(" " + cell(results.get((k, c))) for c in cols))
    tot = {}
    for (k, f), r in results.items():
        if k == APART:
            continue
        t = tot.setdefault(f, [0, 0])
        t[0] += r[0]
        t[1] += r[1]
    print("%-12s" % "all" + "".join(" " + cell(tot.get(c)) for c in cols))
    allr = [sum(tot[f][0] for f in FORMS if f in tot), sum(tot[f][1] for f in FORMS if f in tot)]
    print("all lines in every form (JIS via %% apart): %.2f%% of %d" %
          (100.0 * allr[0] / allr[1], allr[1]))
    kana = [results[("hw-kana", f)] for f in FORMS if ("hw-kana", f) in results]
    print("kana-only lines (2+ characters), worst form: %.2f%%" %
          min(100.0 * r[0] / r[1] for r in kana))
    for key, ms in sorted(misses.items()):
        for m in ms:
            print("  miss %s %s: %s" % (key[0], key[1], m))


if __name__ == "__main__":
    main()
