#!/usr/bin/env python3
"""End-to-end blocks with real programs on a private Xvfb display.

Usage: run_programs_e2e.py PELLIMORE_CLIP E2E_HELPER

A paste from the popup into xterm, whose shell would take Ctrl+V for a
literal next key; and rich text copied in Chromium, kept in the history and
pasted back into Chromium with its bold and its link. A block whose program
is not installed is skipped; exit status 77 when none ran.
"""

import base64
import os
import shutil
import subprocess
import sys

from run_e2e import Failure, Session, read, run_checks, wait_for

PAGE = """<!doctype html><meta charset="utf-8"><title>ready</title>
<p id="source"><b>e2e bold</b> and <a href="https://example.org/e2e">e2e link</a></p>
<div id="target" contenteditable="true"></div>
<script>
const target = document.getElementById("target");
// The window's name tells the test what arrived.
target.addEventListener("input", () => { document.title = "pasted:" + target.innerHTML; });
const range = document.createRange();
range.selectNodeContents(document.getElementById("source"));
getSelection().addRange(range);
addEventListener("keydown", (event) => {
  if (event.key === "F2") { target.focus(); document.title = "editing"; }
});
</script>
"""


def paste_from_popup(session, search):
    """Opens the popup over the focused window and pastes the first entry
    that `search` leaves."""
    session.xdotool("mousemove", "--sync", "640", "150")
    session.xdotool("key", "shift+super+v")
    wait_for("the popup", session.popup)
    # The search keeps its text between showings: replace it.
    session.xdotool("key", "ctrl+a")
    session.xdotool("type", "--delay", "30", search)
    session.xdotool("key", "Return")


def terminal_block(session):
    typed = os.path.join(session.root, "typed.txt")
    session.spawn(["xterm", "-e", "sh", "-c", 'IFS= read -r line; printf %s "$line" > "$0"', typed],
                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    term = wait_for("xterm", lambda: session.xdotool(
        "search", "--onlyvisible", "--class", "^XTerm$").split(), timeout=20)[0]
    session.copy_with_xclip("e2e into the terminal")
    session.wait_for_text("e2e into the terminal")
    session.copy_with_xclip("e2e copied later")
    session.wait_for_text("e2e copied later")
    session.xdotool("windowfocus", "--sync", term)
    paste_from_popup(session, "into the")
    wait_for("the paste key in the log", lambda: "posting Shift+Insert (frontmost=XTerm)"
             in session.debug_log())
    # The shell's line ends only with Return, which the paste does not type.
    session.xdotool("windowfocus", "--sync", term)
    session.xdotool("key", "Return")
    wait_for("the line the shell read", lambda: read(typed) == "e2e into the terminal")
    print("ok: xterm gets the entry by Shift+Insert")


def html_block(session, browser):
    page = os.path.join(session.root, "page.html")
    with open(page, "w", encoding="utf-8") as file:
        file.write(PAGE)
    session.spawn([browser, "--no-sandbox", "--disable-gpu", "--no-first-run",
                   "--disable-background-networking", "--disable-component-update",
                   "--disable-sync", "--user-data-dir=" + os.path.join(session.root, "browser"),
                   "--window-position=0,0", "--window-size=800,600", "file://" + page],
                  stdout=subprocess.DEVNULL,
                  stderr=open(os.path.join(session.root, "browser.err"), "wb"))

    def window_named(prefix):
        for window in session.xdotool("search", "--onlyvisible", "--class", "chromium").split():
            if session.xdotool("getwindowname", window).startswith(prefix):
                return window
        return None

    window = wait_for("the browser's page", lambda: window_named("ready"), timeout=60)
    session.xdotool("windowfocus", "--sync", window)
    session.xdotool("key", "ctrl+c")
    entry = wait_for("the copy with its HTML", lambda: next(
        (e for e in session.history() or [] if e.get("htmlData")), None), timeout=10)
    html = base64.b64decode(entry["htmlData"]).decode("utf-8", errors="replace")
    if entry.get("kind") != "text" or entry.get("text") != "e2e bold and e2e link" \
            or "<b" not in html or 'href="https://example.org/e2e"' not in html:
        raise Failure("the browser's copy was kept as %r" % entry)
    session.copy_with_xclip("e2e plain copy between")
    session.wait_for_text("e2e plain copy between")
    session.xdotool("key", "F2")
    wait_for("the editable part to take the focus", lambda: window_named("editing"))
    paste_from_popup(session, "e2e bold")
    pasted = wait_for("the paste in the page", lambda: window_named("pasted:"), timeout=10)
    name = session.xdotool("getwindowname", pasted)
    if "<b>e2e bold</b>" not in name or '<a href="https://example.org/e2e">' not in name:
        raise Failure("the page received %r" % name)
    print("ok: Chromium's bold and link come back from the history")


def run(session):
    session.start_display()
    session.start_app()
    ran = 0
    if shutil.which("xterm"):
        terminal_block(session)
        ran += 1
    browser = shutil.which("chromium") or shutil.which("chromium-browser")
    if browser:
        html_block(session, browser)
        ran += 1
    if ran == 0:
        raise SystemExit(77)


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    missing = [tool for tool in ("Xvfb", "xclip", "xdotool") if shutil.which(tool) is None]
    if missing:
        print("skipped: missing " + ", ".join(missing))
        return 77
    session = Session(os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2]))
    return run_checks(session, run, "real-program", logs=("app.err", "browser.err"))


if __name__ == "__main__":
    sys.exit(main())
