#!/usr/bin/env python3
"""xterm and Chromium under Xvfb. Usage: run_programs_e2e.py PELLIMORE_CLIP E2E_HELPER"""

import base64
import os
import shutil
import sys

from run_e2e import Failure, main, read, wait_for

PAGE = """<title>ready</title><p id=s><b>e2e bold</b> and <a href="https://example.org/e2e">e2e
link</a></p><div id=t contenteditable></div><script>getSelection().selectAllChildren(s);
t.oninput = () => document.title = "pasted:" + t.innerHTML;  // the window's name tells the test
onkeydown = (e) => { if (e.key == "F2") { t.focus(); document.title = "editing"; } };</script>"""
READ_LINE = ["sh", "-c", 'IFS= read -r line; printf %s "$line" > "$0"']
BROWSER = shutil.which("chromium")


def terminal_block(session):
    typed = os.path.join(session.root, "typed.txt")
    session.spawn(["xterm", "-e", *READ_LINE, typed])
    term = wait_for("xterm", lambda: session.xdotool(
        "search", "--onlyvisible", "--class", "^XTerm$").split(), timeout=20)[0]
    for text in ("e2e into the terminal", "e2e copied later"):
        session.copy_with_xclip(text)
        session.wait_for_text(text)
    session.xdotool("windowfocus", "--sync", term)
    session.paste_from_popup("into the")
    wait_for("Shift+Insert", lambda: "posting Shift+Insert (frontmost=XTerm)" in
             session.debug_log())
    session.xdotool("key", "Return")  # the paste ends no line
    wait_for("the line the shell read", lambda: read(typed) == "e2e into the terminal")
    print("ok: xterm gets the entry by Shift+Insert")


def html_block(session):
    page = os.path.join(session.root, "page.html")
    with open(page, "w", encoding="utf-8") as file:
        file.write(PAGE)
    session.spawn([BROWSER, "--no-sandbox", "--disable-gpu", "--no-first-run",
                   "--disable-background-networking", "--disable-component-update",
                   "--disable-sync", "--user-data-dir=" + os.path.join(session.root, "browser"),
                   "file://" + page], stderr=open(os.path.join(session.root, "browser.err"), "wb"))

    def window_named(prefix):
        return next((window for window in session.xdotool("search", "--onlyvisible", "--class",
                                                          "chromium").split()
                     if session.xdotool("getwindowname", window).startswith(prefix)), None)

    session.xdotool("windowfocus", "--sync", wait_for("the page", lambda: window_named("ready"),
                                                      timeout=60))
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
    session.paste_from_popup("e2e bold")
    name = session.xdotool("getwindowname", wait_for(
        "the paste in the page", lambda: window_named("pasted:"), timeout=10))
    if "<b>e2e bold</b>" not in name or '<a href="https://example.org/e2e">' not in name:
        raise Failure("the page received %r" % name)
    print("ok: Chromium's bold and link come back from the history")


def run(session):
    session.start_display()
    session.start_app()
    if shutil.which("xterm"):
        terminal_block(session)
    if BROWSER:
        html_block(session)


if __name__ == "__main__":  # either program will do
    sys.exit(main(run, "real-program", ("xdotool", None if BROWSER else "xterm"),
                  logs=("app.err", "browser.err")))
