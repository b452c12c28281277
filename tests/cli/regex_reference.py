#!/usr/bin/env python3
"""linsift-cli's expressions and ignore-case against Python's re over decoded lines.

Random texts mix Shift_JIS and UTF-8 lines built from characters that hide ASCII bytes
(表 and ソ end in 5C, 出 in 6F), half-width and full-width letters; random expressions come
from a small grammar both syntaxes read alike (literals, '.', classes, *, +, ?, {m,n}, |,
groups, ^, $). Each line is decoded as linsift reads it (UTF-8 when it is valid UTF-8 with a
byte that is not ASCII, code page 932 otherwise), searched with re, and the four filters'
output is built from that. Then the refusals: a bad expression exits 2 with its reason, a
runaway one exits 1.

usage: regex_reference.py LINSIFT_CLI [CASES]
"""
import random
import re
import subprocess
import sys

CHARS = ["a", "b", "A", "B", "o", "-", ".", "\\", "1", " ", "表", "ソ", "出", "東", "ｱ", "Ａ", "ａ"]
SPECIAL = set(".\\-[]()|*+?{}^$")


def encoding_of(line):
    try:
        line.decode("utf-8")
        return "utf-8" if any(b >= 0x80 for b in line) else "cp932"
    except UnicodeDecodeError:
        return "cp932"


def literal(rng):
    c = rng.choice(CHARS)
    return "\\" + c if c in SPECIAL else c


def atom(rng, depth):
    roll = rng.random()
    if roll < 0.5:
        return literal(rng)
    if roll < 0.62:
        return "."
    if roll < 0.8:
        members = "".join(
            ("\\" + c if c in "\\]-^[" else c) for c in rng.sample(CHARS, rng.randint(1, 3)))
        return "[" + ("^" if rng.random() < 0.3 else "") + members + "]"
    if depth < 2:
        return "(" + alternatives(rng, depth + 1) + ")"
    return literal(rng)


def piece(rng, depth):
    text = atom(rng, depth)
    roll = rng.random()
    if roll < 0.12:
        return text + "*"
    if roll < 0.22:
        return text + "+"
    if roll < 0.3:
        return text + "?"
    if roll < 0.36:
        low = rng.randint(0, 2)
        return text + "{%d,%d}" % (low, low + rng.randint(0, 2))
    return text


def sequence(rng, depth):
    parts = [piece(rng, depth) for _ in range(rng.randint(1, 4))]
    if depth == 0 and rng.random() < 0.15:
        parts.insert(0, "^")
    if depth == 0 and rng.random() < 0.15:
        parts.append("$")
    return "".join(parts)


def alternatives(rng, depth):
    count = 1 if rng.random() < 0.75 else 2
    return "|".join(sequence(rng, depth) for _ in range(count))


def random_text(rng):
    lines = []
    for _ in range(rng.randint(0, 8)):
        chars = "".join(rng.choice(CHARS) for _ in range(rng.randint(0, 10)))
        lines.append(chars.encode(rng.choice(["cp932", "utf-8"])))
    return rng.choice([b"\r\n", b"\n"]).join(lines) + (b"\r\n" if rng.random() < 0.5 else b"")


def expected(command, regex, text):
    """The output of command (stdout bytes) by the filters' rules over decoded lines. An empty
    text gives nothing, and counts as one line that nothing matches."""
    lines = re.split(b"\r?\n", text) if text else []
    out, matches = [], 0
    for line in lines:
        decoded = line.decode(encoding_of(line))
        found = regex.search(decoded)
        if found:
            matches += 1
        if command == "extract" and found:
            out.append(line)
        elif command == "delete" and not found and line:
            out.append(line)
        elif command == "delete-up-to":
            cut = decoded[found.start():] if found else decoded
            if cut:
                out.append(cut.encode(encoding_of(line)))
    if command == "count":
        return ("全%d行\n全%d件\n" % (max(len(lines), 1), matches)).encode("cp932")
    return b"".join(line + b"\r\n" for line in out)


def run(cli, args, text=b""):
    return subprocess.run([cli] + args, input=text, capture_output=True, timeout=60)


def main():
    cli = sys.argv[1]
    cases = int(sys.argv[2]) if len(sys.argv) > 2 else 400
    rng = random.Random(20261209)
    failures = 0
    for case in range(cases):
        pattern = alternatives(rng, 0)
        ignore_case = rng.random() < 0.3
        command = rng.choice(["extract", "delete", "delete-up-to", "count"])
        text = random_text(rng)
        regex = re.compile(pattern, re.IGNORECASE if ignore_case else 0)
        args = ["-E"] + (["-i"] if ignore_case else [])
        if rng.random() < 0.5:  # blocks of a few lines: each block's end is a line's end
            args.append("--block-size=%d" % rng.randint(1, 40))
        args += [command, "--", pattern.encode("cp932"), "-"]
        result = run(cli, args, text)
        want = expected(command, regex, text)
        if result.returncode != 0 or result.stdout != want:
            failures += 1
            print("case %d: %r %s on %r\n  got  %r (exit %d)\n  want %r" % (
                case, pattern, " ".join(a for a in args[:-2] if isinstance(a, str)),
                text, result.stdout, result.returncode, want))
            if failures > 10:
                break

    # Ignore-case on a literal, and the search text in each line's encoding, in all four filters.
    text = "東京都港区\r\nＴＯＫＹＯ\r\n".encode("cp932") + "東京都港区\r\ntokyo\r\n".encode("utf-8")
    for command in ["extract", "delete", "delete-up-to", "count"]:
        for search, flags in [("東京都", []), ("ｔｏｋｙｏ", ["-i"]), ("TOKYO", ["-i"])]:
            regex = re.compile(re.escape(search), re.IGNORECASE if flags else 0)
            got = run(cli, flags + [command, search.encode("cp932"), "-"], text)
            if got.stdout != expected(command, regex, text):
                failures += 1
                print("literal %s %s %s: got %r" % (command, flags, search, got.stdout))
    # --utf8: the expression comes as UTF-8 and still matches both kinds of line.
    got = run(cli, ["--utf8", "-E", "count", "東京都.区$".encode("utf-8"), "-"], text)
    if got.stdout != "全5行\n全2件\n".encode("utf-8"):
        failures += 1
        print("--utf8 -E count: got %r" % got.stdout)

    # Refusals: a bad expression is a usage error with its reason; a runaway one an error.
    bad = run(cli, ["-E", "extract", "a(b", "-"], b"ab\n")
    if bad.returncode != 2 or b"unmatched" not in bad.stderr or bad.stdout:
        failures += 1
        print("bad expression: exit %d, %r" % (bad.returncode, bad.stderr))
    runaway = run(cli, ["-E", "count", "^(a|aa)+$", "-"], b"a" * 200000 + b"!\n")
    if runaway.returncode != 1 or not runaway.stderr:
        failures += 1
        print("runaway expression: exit %d, %r" % (runaway.returncode, runaway.stderr))

    print("regex_reference: %d cases, %d failures" % (cases, failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
