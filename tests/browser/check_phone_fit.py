#!/usr/bin/env python3
"""Opens the listing pages made with スマートフォンでも読みやすく in headless
Chromium at phone widths and checks that a buyer never has to scroll
sideways: the page's scroll width must not exceed the screen's width at 320,
360 and 375 CSS px, also with long unbroken words in the texts. With every
style attribute removed (a site that strips them) the page must be no wider
than the ordinary page. At 1000 px it must draw exactly as the ordinary page
(the two screenshots are the same bytes). Screenshots at 375 px are kept.

Each page is shown in an iframe of the wanted width, since a headless window
is never narrower than 500 px.

Usage: check_phone_fit.py <chromium> <pages folder> <screenshot folder>
"""

import html
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile

from offline_chromium import OFFLINE_FLAGS

FLAGS = OFFLINE_FLAGS + [
    "--allow-file-access-from-files",
    "--hide-scrollbars",  # a phone's scroll bars take no width
    "--virtual-time-budget=5000",
]
PHONE_WIDTHS = (320, 360, 375)
TYPES = range(1, 6)


def run_chromium(chromium, wrapper_html, extra):
    folder = tempfile.mkdtemp(prefix="torepal-fit-")
    try:
        wrapper = os.path.join(folder, "wrapper.html")
        # A page without a charset of its own takes its parent's, as it does
        # inside the auction's Shift_JIS description.
        with open(wrapper, "w", encoding="cp932") as f:
            f.write('<!DOCTYPE html><html><head><meta charset="Shift_JIS"></head>' + wrapper_html + "</html>")
        return subprocess.run(
            [chromium, *FLAGS, "--user-data-dir=" + os.path.join(folder, "profile"), *extra, "file://" + wrapper],
            stdout=subprocess.PIPE,
            stderr=subprocess.PIPE,
            timeout=240,
            check=False,
        )
    finally:
        shutil.rmtree(folder, ignore_errors=True)


def frame(page, width, height, attrs=""):
    return '<iframe %s src="file://%s" style="width:%dpx;height:%dpx;border:0;display:block"></iframe>' % (
        attrs,
        html.escape(os.path.abspath(page)),
        width,
        height,
    )


def measure(chromium, cases):
    """cases: (key, page, width); returns key -> (scroll width, charset)."""
    frames = "".join(frame(page, width, 600, 'data-key="%s"' % key) for key, page, width in cases)
    script = (
        "<script>window.onload=function(){var out={};"
        "document.querySelectorAll('iframe').forEach(function(f){var d=f.contentDocument;"
        "out[f.dataset.key]=[d.scrollingElement.scrollWidth,d.characterSet];});"
        "document.body.setAttribute('data-measured',JSON.stringify(out));};</script>"
    )
    wrapper = "<body>%s%s</body>" % (frames, script)
    result = run_chromium(chromium, wrapper, ["--window-size=1200,900", "--dump-dom"])
    found = re.search(r'data-measured="([^"]*)"', result.stdout.decode("utf-8", "replace"))
    if not found:
        raise RuntimeError("no measurement (exit %d): %s" % (result.returncode, result.stderr.decode()[-500:]))
    return {k: tuple(v) for k, v in json.loads(html.unescape(found.group(1))).items()}


def screenshot(chromium, page, width, shot):
    height = 3000
    wrapper = '<body style="margin:0">%s</body>' % frame(page, width, height)
    if os.path.exists(shot):
        os.remove(shot)
    run_chromium(chromium, wrapper, ["--window-size=%d,%d" % (max(width, 500), height), "--screenshot=" + shot])
    with open(shot, "rb") as f:
        return f.read()


def without_styles(page, out):
    with open(page, "rb") as f:
        data = f.read()
    with open(out, "wb") as f:
        f.write(re.sub(rb' style="[^"]*"', b"", data))


def main():
    if len(sys.argv) != 4:
        print(__doc__)
        return 2
    chromium, pages, shots = sys.argv[1:]
    os.makedirs(shots, exist_ok=True)
    path = lambda name: os.path.join(pages, name + ".html")

    cases = []
    for t in TYPES:
        without_styles(path("fit-type%d" % t), path("fit-nostyle-type%d" % t))
        for w in PHONE_WIDTHS:
            for name in ("fit-type%d", "fit-long-type%d", "fit-nostyle-type%d", "page-type%d"):
                cases.append(("%s@%d" % (name % t, w), path(name % t), w))
    measured = measure(chromium, cases)

    failures = []
    for key, (scroll, charset) in sorted(measured.items()):
        if charset != "Shift_JIS":
            failures.append("%s: read as %s" % (key, charset))
    for t in TYPES:
        for w in PHONE_WIDTHS:
            for name in ("fit-type%d" % t, "fit-long-type%d" % t):
                scroll = measured["%s@%d" % (name, w)][0]
                if scroll > w:
                    failures.append("%s at %d px: %d px wide, scrolls sideways" % (name, w, scroll))
            stripped = measured["fit-nostyle-type%d@%d" % (t, w)][0]
            ordinary = measured["page-type%d@%d" % (t, w)][0]
            if stripped > ordinary:
                failures.append("type %d without styles at %d px: %d px, the ordinary page %d" % (t, w, stripped, ordinary))

        fit = screenshot(chromium, path("fit-type%d" % t), 1000, os.path.join(shots, "fit-type%d-1000.png" % t))
        plain = screenshot(chromium, path("page-type%d" % t), 1000, os.path.join(shots, "page-type%d-1000.png" % t))
        if not fit or fit != plain:
            failures.append("type %d at 1000 px: the page draws differently from the ordinary one" % t)
        screenshot(chromium, path("fit-type%d" % t), 375, os.path.join(shots, "fit-type%d-375.png" % t))
        screenshot(chromium, path("fit-long-type%d" % t), 375, os.path.join(shots, "fit-long-type%d-375.png" % t))

    for f in failures:
        print(f)
    if not failures:
        print("ok: %d pages measured, every fitting page within 320, 360 and 375 px" % len(measured))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
