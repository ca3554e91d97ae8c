#!/usr/bin/env python3
"""Measures how the Linux app copes with other programs' clipboard owners,
well and badly behaved, on a private Xvfb display.

Usage: clipboard_owners.py [--app PATH] [--helper PATH] [--storm N]
                           [--paths N] [--rounds N]

Starts Xvfb (no window manager) and the app with an empty history, then:
- hostile owners: the end-to-end helper takes the clipboard as an owner
  that never answers ("silent"), sends its text by INCR a byte every 100 ms
  ("slow") or exits on the first request ("dying"); then the hot key. Each
  row is the time from the XTest press of V to the popup's MapNotify, as in
  app_feel.py. "10 silent in a row" starts ten silent owners one after
  another before the key. "copy after a silent owner" is the time from
  xclip's XFixes owner notice until history.json names its text.
- storm: N distinct texts copied by xclip at its full speed (each xclip
  forks and serves until the next one takes over); then how many of the
  newest 200 copies the history holds, and the copies per second.
- file list: one copy of N file:// paths as text/uri-list; the app's VmRSS
  before and after it is in history.json, against the list's own bytes.
Needs Xvfb, xclip and python3-xlib (scripts/install-deps.sh installs them),
and a build with the end-to-end helper.
"""

import argparse
import os
import statistics
import subprocess
import sys
import time

sys.path.append(os.path.dirname(os.path.abspath(__file__)))
from app_feel import Failure, Session, XSession, log, memory  # app_feel's harness

WAIT = 30.0


class OwnersRun(Session):
    def __init__(self, app, helper):
        super().__init__(app, helper)
        self.x = None
        self.app_process = None
        self.rows = []

    def start(self):
        os.makedirs(self.folder)
        self.start_display()
        self.x = XSession(self.env["DISPLAY"])
        # The helper's and xclip's windows come and go before a damage object
        # can be made for them; only the popup's matter here.
        self.x.display.set_error_handler(lambda *args: None)
        self.app_process = self.spawn([self.app], stdout=subprocess.DEVNULL,
                                      stderr=subprocess.DEVNULL)
        deadline = time.monotonic() + WAIT
        while "launch: " not in self.debug_log():
            if self.app_process.poll() is not None or time.monotonic() > deadline:
                raise Failure("the app did not get ready:\n" + self.debug_log())
            time.sleep(0.01)
        time.sleep(0.5)

    def hostile(self, mode, text="hostile owner's text"):
        owner = self.spawn([self.helper, "hostile", mode, text], stdout=subprocess.PIPE,
                           stderr=subprocess.DEVNULL)
        if owner.stdout.readline().strip() != b"serving":
            raise Failure("the helper did not take the clipboard as " + mode)
        return owner

    def popup_after(self, owners):
        """ms from the hot key to the popup, with `owners` started first."""
        started = [self.hostile(mode) for mode in owners]
        time.sleep(0.1)  # the app has noticed the newest owner and asked it
        shown, _, _ = self.x.show_popup()
        self.x.hide_popup()
        for owner in started:
            self.end(owner)
        time.sleep(1.2)  # every deadline of the reader has passed
        return shown

    def record(self, label, values, unit="ms"):
        values = list(values)
        text = ("%.0f" % values[0] if len(values) == 1 else
                "%.0f-%.0f (median %.0f)" % (min(values), max(values), statistics.median(values)))
        self.rows.append((label, text + " " + unit))
        log("%s: %s %s" % (label, text, unit))

    def wait_for_history(self, predicate, timeout=WAIT):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            history = self.history()
            if history is not None and predicate(history):
                return time.monotonic()
            time.sleep(0.002)
        raise Failure("history.json did not change as expected")

    def resources(self):
        """The app's threads and open descriptors."""
        pid = self.app_process.pid
        return len(os.listdir("/proc/%d/task" % pid)), len(os.listdir("/proc/%d/fd" % pid))

    def hostile_owners(self, rounds):
        before = self.resources()
        self.record("popup after a silent owner, %d rounds" % rounds,
                    [self.popup_after(["silent"]) for _ in range(rounds)])
        self.record("popup after 10 silent owners in a row",
                    [self.popup_after(["silent"] * 10)])
        self.record("popup after a slow INCR owner", [self.popup_after(["slow"])])
        self.record("popup after an owner that exits mid-request",
                    [self.popup_after(["dying"])])
        self.rows.append(("threads / descriptors before and after them",
                          "%d / %d, %d / %d" % (before + self.resources())))
        silent = self.hostile("silent")
        time.sleep(0.1)
        text = "copy after a silent owner"
        self.copy_with_xclip(text)
        owned = self.x.owner_changed()
        done = self.wait_for_history(lambda h: h and h[0].get("text") == text)
        self.record("copy after a silent owner, to history.json", [(done - owned) * 1000])
        self.end(silent)
        liar = self.hostile("liar", "text answered for image/png")
        time.sleep(1.5)
        self.end(liar)
        images = os.path.join(self.folder, "images")
        stored = [name for name in os.listdir(images)] if os.path.isdir(images) else []
        self.rows.append(("images stored from a text owner offering image/png",
                          str(len(stored))))

    def storm(self, copies):
        started = time.monotonic()
        texts = ["storm copy %05d" % i for i in range(copies)]
        for text in texts:
            # Without -quiet xclip forks a server and returns at once.
            subprocess.run(["xclip", "-selection", "clipboard"], input=text.encode(),
                           env=self.env, check=True, timeout=20)
        rate = copies / (time.monotonic() - started)
        time.sleep(3.0)
        kept = {entry.get("text") for entry in self.history() or []}
        newest = texts[-200:]
        self.rows.append(("storm: newest 200 of %d kept (%.0f copies/s)" % (copies, rate),
                          "%d" % sum(text in kept for text in newest)))
        log(self.rows[-1])

    def file_list(self, count):
        paths = "".join("file:///tmp/pellimore-bench/folder-%03d/file-%06d.txt\n" % (i % 977, i)
                        for i in range(count)).encode()
        time.sleep(1.0)
        before, _ = memory(self.app_process.pid)
        self.copy_with_xclip(paths, target="text/uri-list")
        self.wait_for_history(lambda h: h and h[0].get("kind") == "files"
                              and len(h[0].get("filePaths", [])) == count, timeout=120)
        time.sleep(2.0)
        after, peak = memory(self.app_process.pid)
        self.rows.append(("file list of %d paths (%.1f MB): VmRSS before / after / peak"
                          % (count, len(paths) / 1e6),
                          "%.0f / %.0f / %.0f MB" % (before, after, peak)))
        log(self.rows[-1])


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    build = os.path.join(here, "..", "build")
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--app", default=os.path.join(build, "src", "platform", "linux",
                                                      "pellimore-clip"))
    parser.add_argument("--helper", default=os.path.join(build, "tests", "e2e",
                                                         "pellimore_e2e_helper"))
    parser.add_argument("--rounds", type=int, default=10, help="silent-owner rounds")
    parser.add_argument("--storm", type=int, default=3000, help="copies in the storm")
    parser.add_argument("--paths", type=int, default=100_000, help="paths in the file list")
    args = parser.parse_args()
    run = OwnersRun(os.path.abspath(args.app), os.path.abspath(args.helper))
    try:
        run.start()
        run.hostile_owners(args.rounds)
        if args.storm:
            run.storm(args.storm)
        if args.paths:
            run.file_list(args.paths)
        if run.app_process.poll() is not None:
            raise Failure("the app exited with status %d" % run.app_process.returncode)
    except Failure as failure:
        log("FAILED: %s" % failure)
        return 1
    finally:
        run.stop_all()
    width = max(len(label) for label, _ in run.rows)
    for label, value in run.rows:
        print("%s  %s" % (label.ljust(width), value))
    return 0


if __name__ == "__main__":
    sys.exit(main())
