#!/usr/bin/env python3
"""Writes the texts the filter benchmarks run on.

    make_corpus.py OUTDIR

OUTDIR/corpus.txt      40,000,000 bytes of Shift_JIS text with CR LF line ends, about a
                       million lines of Japanese prose mixed with ASCII: the Japanese manual
                       pages (manpages-ja) rendered by groff, their lines shuffled with a fixed
                       seed and repeated until the size is reached.
OUTDIR/long_line.txt   one line of 20,000,000 'a' bytes, no line break (searched for
                       254 'a' and a 'b', the worst case of a naive search).
OUTDIR/many_lines.txt  4,500,000 one-byte lines, 'a' and 'b' in turn, LF line ends (more
                       lines than a line list holds).

The output is the same on every run on the same pages.
"""
import glob
import os
import random
import subprocess
import sys

CORPUS_BYTES = 40_000_000
LONG_LINE_BYTES = 20_000_000
MANY_LINES = 4_500_000


def rendered_lines():
    """Lines of the rendered Japanese manual pages, as Shift_JIS bytes."""
    pages = sorted(glob.glob("/usr/share/man/ja/man1/*.gz"))[:400]
    lines = []
    for path in pages:
        text = subprocess.run(
            "zcat -f '%s' | groff -Tutf8 -mandoc -k -P-cbou 2>/dev/null" % path,
            shell=True, capture_output=True).stdout.decode("utf-8", "replace")
        for line in text.splitlines():
            body = line.strip()
            if not body:
                continue
            # groff indents by up to 15 columns; keep a little of it, as prose would have
            line = " " * min(len(line) - len(line.lstrip()), 2) + body
            lines.append(line.encode("cp932", "replace"))
    if len(lines) < 1000:
        sys.exit("make_corpus.py: too few Japanese manual pages (is manpages-ja installed?)")
    return lines


def write_corpus(path):
    lines = rendered_lines()
    rng = random.Random(20261208)
    out = bytearray()
    while len(out) < CORPUS_BYTES:
        rng.shuffle(lines)
        for line in lines:
            out += line + b"\r\n"
            if rng.random() < 0.2:
                out += b"\r\n"  # paragraphs: some empty lines
            if len(out) >= CORPUS_BYTES:
                break
    del out[CORPUS_BYTES - 2:]
    out += b"\r\n"
    assert len(out) == CORPUS_BYTES
    with open(path, "wb") as f:
        f.write(out)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    outdir = sys.argv[1]
    os.makedirs(outdir, exist_ok=True)
    write_corpus(os.path.join(outdir, "corpus.txt"))
    with open(os.path.join(outdir, "long_line.txt"), "wb") as f:
        f.write(b"a" * LONG_LINE_BYTES)
    with open(os.path.join(outdir, "many_lines.txt"), "wb") as f:
        f.write(b"a\nb\n" * (MANY_LINES // 2))


if __name__ == "__main__":
    main()
