#!/usr/bin/env python3
"""xterm, GNOME Terminal and Chromium under Xvfb. Usage: run_programs_e2e.py PELLIMORE_CLIP E2E_HELPER"""

import base64
import os
import shutil
import sys

from run_e2e import Failure, main, read, wait_for

# Named "ready" once the text is selected, not before: a copy then takes it.
PAGE = """<title>loading</title><p id=s><b>e2e bold</b> and <a href="https://example.org/e2e">e2e
link</a></p><div id=t contenteditable></div><script>getSelection().selectAllChildren(s);
document.title = "ready";
t.oninput = () => document.title = "pasted:" + t.innerHTML;  // the window's name tells the test
onkeydown = (e) => { if (e.key == "F2") { t.focus(); document.title = "editing"; } };</script>"""
BROWSER = shutil.which("chromium")
# Each terminal with its window class, how it runs a command, the paste key
# it gets and its name in the log.
TERMINALS = (("^XTerm$", ["xterm", "-e"], "Shift+Insert", "XTerm"),
             ("^gnome-terminal$", ["gnome-terminal", "--"], "Ctrl+Shift+V", "Gnome-terminal"))


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
    session.copy_text("e2e plain copy between")
    session.xdotool("key", "F2")
    wait_for("the editable part to take the focus", lambda: window_named("editing"))
    session.paste_from_popup("e2e bold")
    name = session.xdotool("getwindowname", wait_for(
        "the paste in the page", lambda: window_named("pasted:"), timeout=10))
    if "<b>e2e bold</b>" not in name or '<a href="https://example.org/e2e">' not in name:
        raise Failure("the page received %r" % name)
    print("ok: Chromium's bold and link come back from the history")


def run(session):
    # The bus starts GNOME Terminal's server, which needs a UTF-8 locale.
    session.start_display([("org.gnome.Terminal", "/usr/libexec/gnome-terminal-server")],
                          LANG="C.UTF-8")
    session.start_app()
    for window_class, command, *key in TERMINALS:
        if shutil.which(command[0]):
            session.paste_into_terminal(command, lambda: session.focus(window_class), *key)
    if BROWSER:
        html_block(session)


if __name__ == "__main__":  # either program will do
    sys.exit(main(run, "real-program", ("xdotool", None if BROWSER else "xterm"),
                  logs=("app.err", "browser.err")))
