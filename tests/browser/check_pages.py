#!/usr/bin/env python3
"""Opens the rendered listing pages in headless Chromium and checks that a
buyer can read them: the title, the item texts, every shipping line and every
payment line must be in the page's text as the browser decoded it, so a page
that Chromium took for another encoding (mojibake) fails. A screenshot of each
page is kept for looking at.

Usage: check_pages.py <chromium> <pages folder> <screenshot folder>
"""

import html.parser
import os
import shutil
import subprocess
import sys
import tempfile

from offline_chromium import OFFLINE_FLAGS

FLAGS = OFFLINE_FLAGS


class TextOf(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.parts = []

    def handle_data(self, data):
        self.parts.append(data)


def run_chromium(chromium, extra):
    profile = tempfile.mkdtemp(prefix="torepal-chromium-")
    try:
        result = subprocess.run(
            [chromium, *FLAGS, "--user-data-dir=" + profile, *extra],
            stdout=subprocess.PIPE,
            stderr=subprocess.PIPE,
            timeout=120,
            check=False,
        )
        return result
    finally:
        shutil.rmtree(profile, ignore_errors=True)


def check_page(chromium, page, expected_file, shot):
    failures = []
    url = "file://" + os.path.abspath(page)
    dom = run_chromium(chromium, ["--dump-dom", url])
    if dom.returncode != 0 or not dom.stdout:
        return ["chromium could not open %s (exit %d): %s" % (page, dom.returncode, dom.stderr.decode()[-500:])]
    parser = TextOf()
    parser.feed(dom.stdout.decode("utf-8"))
    text = "\n".join(parser.parts)

    if "\ufffd" in text:
        failures.append("replacement characters in the decoded page")
    with open(expected_file, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            kind, _, value = line.rstrip("\n").partition("\t")
            if not value:
                continue
            present = value in text
            if kind == "no-title":
                if present:
                    failures.append("line %d: the title shows although the template has no place for it" % number)
            elif not present:
                failures.append("line %d: %s text missing: %s" % (number, kind, value))

    shot_result = run_chromium(chromium, ["--screenshot=" + os.path.abspath(shot), "--window-size=1000,1400", url])
    if shot_result.returncode != 0 or not os.path.isfile(shot) or os.path.getsize(shot) == 0:
        failures.append("no screenshot: %s" % shot_result.stderr.decode()[-500:])
    return failures


def main():
    if len(sys.argv) != 4:
        print(__doc__)
        return 2
    chromium, pages, shots = sys.argv[1:]
    os.makedirs(shots, exist_ok=True)
    failed = False
    for n in range(1, 6):
        name = "page-type%d" % n
        page = os.path.join(pages, name + ".html")
        problems = check_page(chromium, page, os.path.join(pages, name + ".expected"), os.path.join(shots, name + ".png"))
        for p in problems:
            print("%s: %s" % (name, p))
        if problems:
            failed = True
        else:
            print("%s: ok" % name)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
