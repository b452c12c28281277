#!/usr/bin/env python3
"""Writes an access-log-like test file of search requests with Japanese queries.

    make_accesslog.py OUT [BYTES]      (BYTES defaults to 40,000,000)

Each line is a combined-format log entry. About two lines in three request
/search with a percent-encoded query of one to three Japanese words, in UTF-8
(half of those), Shift_JIS or EUC-JP (a quarter each); the rest fetch plain
ASCII paths. The words come from the Japanese manual pages (manpages-ja, as
rendered by groff); a short built-in list stands in when they are missing. The
output is the same for the same BYTES on the same pages (fixed seed), and is
exactly BYTES long: the last line is cut to fit and has no line break.
"""
import glob
import os
import random
import subprocess
import sys
import urllib.parse

PAGES = ["ls.1", "grep.1", "find.1", "cp.1", "tar.1", "bash.1", "man.1", "passwd.5", "crontab.5",
         "ssh.1", "sort.1", "date.1"]
FALLBACK = ["検索", "東京", "天気", "日本語", "ファイル", "ディレクトリ", "表示", "設定", "ソフト",
            "能力", "予報", "旅行", "カレー", "レシピ", "大阪", "京都", "ニュース", "地図"]


def japanese_words():
    words = []
    for name in PAGES:
        for path in sorted(glob.glob("/usr/share/man/ja/man*/" + name + "*")):
            text = subprocess.run(
                "zcat -f '%s' | groff -Tutf8 -mandoc -k -P-cbou 2>/dev/null" % path,
                shell=True, capture_output=True).stdout.decode("utf-8", "replace")
            run = ""
            for ch in text + "\n":
                if ord(ch) >= 0x3000 and ch not in "、。「」（）・　":
                    run += ch
                    continue
                if 2 <= len(run) <= 8:
                    try:  # only words every target encoding can hold
                        run.encode("euc-jp")
                        run.encode("cp932")
                        words.append(run)
                    except UnicodeEncodeError:
                        pass
                run = ""
    words = sorted(set(words))
    return words if len(words) >= 100 else FALLBACK


def main():
    if len(sys.argv) < 2 or len(sys.argv) > 3:
        sys.exit(__doc__)
    out_path = sys.argv[1]
    size = int(sys.argv[2]) if len(sys.argv) == 3 else 40_000_000
    rng = random.Random(20261208)
    words = japanese_words()
    agents = ["Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) "
              "Chrome/120.0 Safari/537.36",
              "Mozilla/5.0 (iPhone; CPU iPhone OS 17_1 like Mac OS X) AppleWebKit/605.1.15",
              "curl/8.4.0"]
    statics = ["/", "/index.html", "/css/site.css", "/js/app.js", "/img/logo.png", "/favicon.ico",
               "/about/", "/news/2026/12/08/"]
    encodings = ["utf-8", "utf-8", "shift_jis", "euc-jp"]
    chunks = []
    total = 0
    n = 0
    while total < size:
        n += 1
        ip = "203.0.113.%d" % rng.randrange(1, 255)
        stamp = "%02d/Dec/2026:%02d:%02d:%02d +0900" % (rng.randrange(1, 29), rng.randrange(24),
                                                        rng.randrange(60), rng.randrange(60))
        if rng.random() < 0.66:
            query = " ".join(rng.choice(words) for _ in range(rng.randrange(1, 4)))
            q = urllib.parse.quote_plus(query, encoding=rng.choice(encodings))
            path = "/search?q=%s&page=%d" % (q, rng.randrange(1, 10))
            status = 200
        else:
            path = rng.choice(statics)
            status = rng.choice([200, 200, 200, 304, 404])
        line = '%s - - [%s] "GET %s HTTP/1.1" %d %d "https://www.example.jp/" "%s"\n' % (
            ip, stamp, path, status, rng.randrange(200, 60000), rng.choice(agents))
        data = line.encode("ascii")
        chunks.append(data)
        total += len(data)
    blob = b"".join(chunks)[:size]
    with open(out_path, "wb") as f:
        f.write(blob)
    print("%s: %d bytes, %d lines, %d words" % (out_path, len(blob), n, len(words)),
          file=sys.stderr)


if __name__ == "__main__":
    main()
