#!/usr/bin/env python3
"""Measures the Linux app as its user feels it, on a private Xvfb display.

Usage: app_feel.py [--app PATH] [--history typical,heavy,worst] [--runs N]
                   [--copies N] [--popups N] [--workdir DIR] [--verbose]

For each history and run: writes a generated history.json (and its images)
into a scratch data folder, starts Xvfb (no window manager) and the app, and
drives it with XTest as a user would. Prints one table, one column per run.

What the rows mean:
- ready: from spawning the app until its debug.log holds the "launch: "
  line, which it writes after loading the history and grabbing the hot key.
- popup shown: from the XTest press of V (Shift and Super already held) to
  the popup's MapNotify; painted: to its first DamageNotify after that.
- search key to paint: from the XTest press to the first DamageNotify on
  the popup window. That paint may be the search field's cursor blinking
  before the key was handled, so judge by idle. The Backspace from "xy"
  to "x" widens the matches from none to many: the list is laid out again.
- idle: to the last paint before the app answers a _NET_WM_PING from its
  event loop with no paint in between; the frame the user waits for.
- copy to file: from the XFixes notice that xclip owns CLIPBOARD until the
  front of history.json names the copied text (the atomic rename).
- hot key 100 ms after a copy: the popup shown (MapNotify) for Shift+Super+V
  pressed 100 ms after xclip took CLIPBOARD, while the copy is being saved;
  once for short texts, once for texts of 2,000,000 bytes, which the app
  reads, keeps and writes back whole.
- pin / delete in the open popup: Ctrl+P and Shift+Delete on the selected
  row, key to paint and to idle.
- burst of 50 copies: one copy per poll of the app; then the seconds from the
  last copy until history.json holds all 50. A second burst is cut by a
  SIGKILL at a random moment; the app is started again, must read its history
  back, and the copies missing from it are counted.
- memory: VmRSS and VmHWM (peak) from /proc/PID/status.
Needs Xvfb, xclip and python3-xlib (scripts/install-deps.sh installs them).
"""

import argparse
import base64
import contextlib
import hashlib
import json
import os
import random
import select
import shutil
import statistics
import struct
import subprocess
import sys
import tempfile
import time
import uuid
import zlib

sys.path.append(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from run_e2e import Failure, Session  # the end-to-end test's harness

try:
    from Xlib import X, XK, display as xdisplay
except ImportError:
    # Debian's python3-xlib, when python3 is another interpreter (pyenv, venv).
    sys.path.append("/usr/lib/python3/dist-packages")
    from Xlib import X, XK, display as xdisplay
from Xlib.ext import damage, xfixes, xtest
from Xlib.protocol import event as xevent

BIG_TEXT_BYTES = 2_000_000  # the largest text the app captures
ENTRIES = 200
WAIT = 120.0  # seconds; the worst history takes seconds per step today
PROBE = "e"  # every generated entry's display text contains it
MISSING = "xylo"  # no generated entry contains it, nor "xy"; many contain "x"
PAUSE = 0.15  # seconds between search keys, as a quick typist leaves


# --- Histories ---------------------------------------------------------------

WORDS = ("the of and to in is that for it as was with be by on not he this are or his from "
         "at which but have an they you were her she there one all we their can has more "
         "when will would been other time some what these new index text next box mix "
         "value result query window display server client buffer memory").split()
ACCENTED = ("café", "naïve", "Grüße", "señor", "déjà vu", "Ærø", "façade", "résumé")


def json_string(text):
    """`text` as the app writes a JSON string: UTF-8, solidus escaped."""
    return json.dumps(text, ensure_ascii=False).replace("/", "\\/").encode("utf-8")


def entry_json(rng, kind, created, signature=None, pinned=False, text=None, rtf=None,
               image=None, paths=None, escaped_text=None):
    """One entry object, its keys in the app's order, in pieces: the long
    ones are written as they are, never copied into one. Without a
    `signature`, it is "T:" and the text, as for every captured text."""
    if escaped_text is None and text is not None:
        escaped_text = [json_string(text)]
    entry_id = str(uuid.UUID(int=rng.getrandbits(128), version=4)).upper()
    parts = [b'{"id":"', entry_id.encode(), b'","kind":"', kind.encode(), b'"']
    if escaped_text is not None:
        parts += [b',"text":'] + escaped_text
    if rtf is not None:
        parts += [b',"rtfData":"', base64.b64encode(rtf), b'"']
    if image is not None:
        parts += [b',"imageFileName":', json_string(image)]
    if paths is not None:
        parts += [b',"filePaths":[', b",".join(json_string(path) for path in paths), b"]"]
    if signature is None:
        # The same escaped text, with "T:" after the opening quote.
        parts += [b',"signature":"T:', memoryview(escaped_text[0])[1:]] + escaped_text[1:]
    else:
        parts += [b',"signature":', json_string(signature)]
    stamp = time.strftime("%Y-%m-%dT%H:%M:%SZ", time.gmtime(created))
    parts += [b',"createdAt":"', stamp.encode(), b'","pinned":', b"true}" if pinned else b"false}"]
    return parts


def png(width, height, seed):
    """An RGB gradient PNG, built with the standard library."""
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))
    row = bytearray(3 * width)
    row[0::3] = bytes((x * 255 // max(1, width - 1) + seed * 40) % 256 for x in range(width))
    row[2::3] = b"\x80" * width
    rows = []
    for y in range(height):
        row[1::3] = bytes(((y + seed * 30) % 256,)) * width
        rows.append(b"\x00" + bytes(row))
    rows = b"".join(rows)
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows, 6))
            + chunk(b"IEND", b""))


def prose(rng, size):
    """About `size` characters of lines of words, with tabs, quotes, slashes
    and a few precomposed accented words, as copied from a document or a log."""
    words, length = [], 0
    while length < size:
        roll = rng.random()
        if roll < 0.02:
            word = rng.choice(ACCENTED)
        elif roll < 0.03:
            word = '"%s"' % rng.choice(WORDS)
        elif roll < 0.04:
            word = "/usr/share/%s/%s" % (rng.choice(WORDS), rng.choice(WORDS))
        else:
            word = rng.choice(WORDS)
        separator = "\n" if rng.random() < 0.08 else ("\t" if rng.random() < 0.01 else " ")
        words.append(word + separator)
        length += len(word) + 1
    return "".join(words)


def short_text(rng, index):
    """A short text of the kinds people copy."""
    word = rng.choice(WORDS)
    samples = (
        lambda: " ".join(rng.choice(WORDS) for _ in range(rng.randint(2, 12))).capitalize(),
        lambda: "https://example.org/%s/%s?id=%d&ref=share" % (word, rng.choice(WORDS), index),
        lambda: "%s.%s@example.net" % (word, rng.choice(WORDS)),
        lambda: "+44 20 7946 %04d" % rng.randint(0, 9999),
        lambda: "git rebase -i HEAD~%d && git push --force-with-lease" % rng.randint(2, 9),
        lambda: 'def %s(value):\n\treturn {"key": value, "next": None}\n' % word,
        lambda: "SELECT id, name FROM entries WHERE name LIKE '%%%s%%';" % word,
        lambda: "%s — %s" % (rng.choice(ACCENTED), rng.choice(ACCENTED)),
        lambda: "日本語のテキスト %d" % index,
        lambda: "👍 see you there at %d:%02d" % (rng.randint(8, 18), rng.choice((0, 15, 30, 45))),
        lambda: "  %s\n" % " ".join(rng.choice(WORDS) for _ in range(4)),
        lambda: "e\u0301t\u00e9 %s" % word,  # a combining acute accent, and a precomposed one
        lambda: '{"name": "%s", "items": [1, 2, 3], "path": "/tmp/%s"}' % (word, word),
        lambda: prose(rng, rng.randint(200, 2000)),
    )
    text = rng.choice(samples)()
    return text if PROBE in text.lower() else text + " (see)"


def typical_entries(rng, images_folder, now):
    """The JSON of 200 entries of everyday use."""
    entries = []
    image_sizes = [(48, 48), (200, 120), (640, 400), (1280, 800), (96, 64), (320, 240)]
    for index in range(ENTRIES):
        created = now - index * 613 - rng.randint(0, 300)
        pinned = index in (3, 40, 90)
        roll = rng.random()
        if index % 33 == 7 and image_sizes:
            width, height = image_sizes.pop()
            data = png(width, height, index)
            name = str(uuid.UUID(int=rng.getrandbits(128), version=4)).upper() + ".png"
            path = os.path.join(images_folder, name)
            with open(path, "wb") as file:
                file.write(data)
            os.chmod(path, 0o600)
            signature = "I:" + hashlib.sha256(data).hexdigest()
            entries.append(entry_json(rng, "image", created, signature, pinned, image=name))
        elif roll < 0.08:
            paths = ["/home/user/%s/%s-%d.pdf" % (rng.choice(("Documents", "Desktop")),
                                                  rng.choice(("Report", "Notes", "Offer")), i)
                     for i in range(rng.randint(1, 3))]
            entries.append(entry_json(rng, "files", created, "F:" + "|".join(paths), pinned,
                                      paths=paths))
        elif roll < 0.16:
            text = short_text(rng, index)
            rtf = ("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Helvetica;}}\\f0\\fs24 %s}"
                   % text.encode("ascii", "replace").decode()).encode()
            entries.append(entry_json(rng, "rtf", created, pinned=pinned, text=text, rtf=rtf))
        elif roll < 0.18:
            text = prose(rng, rng.randint(5_000, 60_000))
            entries.append(entry_json(rng, "text", created, pinned=pinned, text=text))
        else:
            text = short_text(rng, index)
            entries.append(entry_json(rng, "text", created, pinned=pinned, text=text))
    return [b"".join(parts) for parts in entries]


class BigTexts:
    """2,000,000-byte texts: a header line of fixed length, which makes each
    text its own, on one of a few bodies escaped once, so that 200 of them
    are written in seconds."""

    def __init__(self, rng, bodies=8):
        corpus = prose(rng, BIG_TEXT_BYTES + 200_000).encode("utf-8")
        size = BIG_TEXT_BYTES - len(self.header(0).encode())
        self.bodies = []
        for body in range(bodies):
            start = body * 20_011
            while corpus[start] & 0xC0 == 0x80:  # not inside a character
                start += 1
            end = start + size
            while corpus[end] & 0xC0 == 0x80:
                end -= 1
            text = corpus[start:end].decode("utf-8") + "." * (size - (end - start))
            self.bodies.append(json_string(text)[1:])  # without its opening quote

    @staticmethod
    def header(index):
        return "Long text %04d, pasted from a log or a document\n" % index

    def escaped(self, index):
        """The text's JSON string, quotes included, in two pieces."""
        return [json_string(self.header(index))[:-1], self.bodies[index % len(self.bodies)]]


def write_history(kind, folder, seed):
    """Writes history.json and images into `folder`; returns the file's path
    and its entries' JSON (None for the worst history, too large to keep)."""
    rng = random.Random(seed)
    images = os.path.join(folder, "images")
    os.makedirs(images, mode=0o700)
    os.chmod(folder, 0o700)
    now = time.time()
    entries = typical_entries(rng, images, now) if kind != "worst" else [None] * ENTRIES
    big = BigTexts(rng) if kind != "typical" else None
    slots = range(ENTRIES) if kind == "worst" else range(1, ENTRIES, ENTRIES // 10)
    path = os.path.join(folder, "history.json")
    keep = kind != "worst"
    with open(path, "wb") as file:
        for index, entry in enumerate(entries):
            if big and index in slots:
                parts = entry_json(rng, "text", now - index * 613, escaped_text=big.escaped(index))
                entries[index] = b"".join(parts) if keep else None
            else:
                parts = [entry]
            file.write(b"[" if index == 0 else b",")
            for part in parts:
                file.write(part)
        file.write(b"]")
    os.chmod(path, 0o600)
    return path, entries if keep else None


# --- The X side --------------------------------------------------------------

class XSession:
    """Our own client on the private display: XTest keys, the popup's map and
    damage events, and XFixes notices of new CLIPBOARD owners."""

    def __init__(self, name):
        self.display = xdisplay.Display(name)
        for extension in ("XTEST", "DAMAGE", "XFIXES"):
            if not self.display.has_extension(extension):
                raise Failure("the X server lacks " + extension)
        self.display.damage_query_version()
        self.display.xfixes_query_version()
        self.root = self.display.screen().root
        self.root.change_attributes(event_mask=X.SubstructureNotifyMask | X.StructureNotifyMask)
        self.clipboard = self.display.intern_atom("CLIPBOARD")
        self.display.xfixes_select_selection_input(self.root, self.clipboard,
                                                   xfixes.XFixesSetSelectionOwnerNotifyMask)
        self.damaged = set()  # windows with a damage object of ours
        self.popup = None
        self.pings = 0
        self.display.sync()

    def keycode(self, name):
        return self.display.keysym_to_keycode(XK.string_to_keysym(name))

    def next_event(self, deadline):
        """The next event and when it was read, or (None, None) at the deadline."""
        while True:
            if self.display.pending_events():
                event = self.display.next_event()
                self.track(event)
                return event, time.monotonic()
            remaining = deadline - time.monotonic()
            if remaining <= 0:
                return None, None
            select.select([self.display], [], [], remaining)

    def track(self, event):
        # A damage object on every new top-level window, made at once, so
        # that the popup's first paint is not missed.
        if event.type == X.CreateNotify and event.window.id not in self.damaged:
            event.window.damage_create(damage.DamageReportRawRectangles)
            self.damaged.add(event.window.id)
            self.display.flush()

    def drain(self):
        self.display.sync()
        while self.display.pending_events():
            self.track(self.display.next_event())

    def wait(self, what, predicate, timeout=WAIT):
        deadline = time.monotonic() + timeout
        while True:
            event, at = self.next_event(deadline)
            if event is None:
                raise Failure("timed out waiting for " + what)
            if predicate(event):
                return event, at

    def press(self, key, held=()):
        """Sends `key` with `held` down; returns when the press was sent."""
        for name in held:
            xtest.fake_input(self.display, X.KeyPress, self.keycode(name))
        self.drain()
        sent = time.monotonic()
        xtest.fake_input(self.display, X.KeyPress, self.keycode(key))
        self.display.flush()
        xtest.fake_input(self.display, X.KeyRelease, self.keycode(key))
        for name in reversed(held):
            xtest.fake_input(self.display, X.KeyRelease, self.keycode(name))
        self.display.flush()
        return sent

    def is_popup_damage(self, event):
        return event.type == self.damage_event and event.drawable.id == self.popup

    @property
    def damage_event(self):
        return self.display.extension_event.DamageNotify

    def show_popup(self):
        """ms to MapNotify, to the first paint and to idle for Shift+Super+V."""
        sent = self.press("v", held=("Shift_L", "Super_L"))
        event, mapped = self.wait("the popup to map", lambda e: e.type == X.MapNotify
                                  and e.event.id == self.root.id)
        self.popup = event.window.id
        if self.popup not in self.damaged:
            raise Failure("the popup was mapped before it was created")
        _, painted = self.wait("the popup to paint", self.is_popup_damage)
        idle = self.last_paint(painted)
        title = event.window.get_full_property(self.display.intern_atom("_NET_WM_NAME"), 0)
        if title is None or title.value != b"Pellimore Clip":
            raise Failure("the window mapped is not the popup: %r" % title)
        return tuple((at - sent) * 1000 for at in (mapped, painted, idle))

    def hide_popup(self):
        self.press("Escape")
        self.wait("the popup to hide", lambda e: e.type == X.UnmapNotify
                  and e.window.id == self.popup)

    def keystroke(self, key, held=()):
        """ms from the press of `key` to the popup's next paint and to idle."""
        sent = self.press(key, held)
        _, painted = self.wait("a repaint after " + key, self.is_popup_damage)
        return (painted - sent) * 1000, (self.last_paint(painted) - sent) * 1000

    def last_paint(self, painted):
        """The time of the last paint before the app's main thread answers a
        _NET_WM_PING (which Qt answers from its event loop) with no paint
        in between."""
        protocols = self.display.intern_atom("WM_PROTOCOLS")
        ping = self.display.intern_atom("_NET_WM_PING")
        window = self.display.create_resource_object("window", self.popup)
        while True:
            self.pings += 1
            window.send_event(xevent.ClientMessage(
                window=window, client_type=protocols,
                data=(32, [ping, self.pings, self.popup, 0, 0])), event_mask=0)
            self.display.flush()
            repainted = False
            while True:
                event, at = self.wait("an answer to a ping", lambda e: self.is_popup_damage(e)
                                      or e.type == X.ClientMessage)
                if event.type != X.ClientMessage:
                    painted, repainted = at, True
                elif list(event.data[1][:2]) == [ping, self.pings]:
                    break
            if not repainted:
                return painted

    def owner_changed(self):
        """When the next new CLIPBOARD owner was announced."""
        _, at = self.wait("a new CLIPBOARD owner", lambda e: e.type == self.selection_event
                          and e.selection == self.clipboard)
        return at

    @property
    def selection_event(self):
        return self.display.extension_event.SetSelectionOwnerNotify[0]


# --- One run -----------------------------------------------------------------

def cpu(pid):
    """(ms on a CPU, ms waiting for one) of the app's main thread so far."""
    with open("/proc/%d/schedstat" % pid, encoding="ascii") as schedstat:
        running, waiting = schedstat.read().split()[:2]
    return int(running) / 1e6, int(waiting) / 1e6


def memory(pid):
    """(VmRSS, VmHWM) in MB."""
    values = {}
    with open("/proc/%d/status" % pid, encoding="ascii") as status:
        for line in status:
            key, _, rest = line.partition(":")
            if key in ("VmRSS", "VmHWM"):
                values[key] = int(rest.split()[0]) / 1024
    return values["VmRSS"], values["VmHWM"]


class Run(Session):
    """One run on one history: the e2e test's session (scratch folder,
    Xvfb, the app's homes, stopping all it started) plus the measuring."""

    def __init__(self, args, kind, number):
        super().__init__(args.app, helper=None)
        self.args, self.kind, self.number = args, kind, number
        self.x = None
        self.results = {}  # row label -> value text

    def stop(self):
        if self.x:
            with contextlib.suppress(Exception):
                self.x.display.close()
        self.stop_all()

    def record(self, label, value):
        self.results[label] = value

    def record_memory(self, when, pid):
        rss, hwm = memory(pid)
        self.record("memory %s: VmRSS / VmHWM (MB)" % when, "%.0f / %.0f" % (rss, hwm))

    def execute(self):
        os.makedirs(self.folder)
        started = time.monotonic()
        history, entries = write_history(self.kind, self.folder, seed=self.number)
        # A user's history is long on disk when the app starts; without this
        # the start would share the disk and a core with writing it back.
        os.sync()
        size = os.path.getsize(history)
        log("%s %d: history written, %.0f MB in %.1f s" % (
            self.kind, self.number, size / 1e6, time.monotonic() - started))
        self.record("history.json (MB)", "%.1f" % (size / 1e6))

        self.record("load average at start", "%.1f" % os.getloadavg()[0])
        self.start_display()
        x = self.x = XSession(self.env["DISPLAY"])
        started = time.monotonic()
        with open(os.path.join(self.root, "app.err"), "wb") as errors:
            app = self.spawn([self.app], stdout=subprocess.DEVNULL, stderr=errors)
        while "launch: " not in self.debug_log():
            if app.poll() is not None or time.monotonic() - started > WAIT:
                raise Failure("the app did not get ready:\n" + self.debug_log())
            time.sleep(0.002)
        self.record("start to ready (ms)", "%.0f" % ((time.monotonic() - started) * 1000))
        self.record("  main thread on CPU / waiting for CPU (ms)", "%.0f / %.0f" % cpu(app.pid))
        if os.path.exists(os.path.join(self.folder, "history.corrupt.json")):
            raise Failure("the app could not read the generated history:\n" + self.debug_log())
        time.sleep(0.5)
        self.record_memory("after start", app.pid)

        xtest.fake_input(x.display, X.MotionNotify, x=640, y=150)
        self.record("first popup: shown / painted / idle (ms)",
                    "%.0f / %.0f / %.0f" % x.show_popup())
        time.sleep(0.3)
        x.hide_popup()
        later = []
        for _ in range(self.args.popups):
            time.sleep(random.uniform(0.1, 0.3))
            later.append(x.show_popup())
            time.sleep(0.2)
            x.hide_popup()
        self.record("later popups: shown, median / max (ms)", median_max(p[0] for p in later))
        self.record("later popups: idle, median / max (ms)", median_max(p[2] for p in later))
        self.record_memory("after popups", app.pid)

        self.search(x)
        self.record_memory("after search", app.pid)
        x.hide_popup()

        self.copy(x, history, entries)
        self.record_memory("after copies", app.pid)
        if app.poll() is not None:
            raise Failure("the app exited with status %d" % app.returncode)
        self.hot_key_after_copy(x)
        self.hot_key_after_copy(x, big=True)
        self.pin_and_delete(x)
        self.burst(x, history)
        self.burst(x, history, kill=app)

    def hot_key_after_copy(self, x, times=5, big=False):
        shown = []
        body = prose(random.Random(self.number), BIG_TEXT_BYTES) if big else ""
        for number in range(times):
            time.sleep(random.uniform(0.6, 1.0))
            text = "hot key copy %d %08x" % (number, random.getrandbits(32))
            if big:  # cut to the capture limit at a character's end
                text = (text + "\n" + body).encode()[:BIG_TEXT_BYTES].decode("utf-8", "ignore")
            self.copy_with_xclip(text)
            owned = x.owner_changed()
            time.sleep(max(0.0, owned + 0.1 - time.monotonic()))
            shown.append(x.show_popup()[0])
            time.sleep(0.2)
            x.hide_popup()
        self.record("hot key 100 ms after a %scopy: shown, median / max of %d (ms)"
                    % ("2 MB " if big else "", times), median_max(shown))

    def pin_and_delete(self, x):
        x.show_popup()
        time.sleep(0.3)
        keys = [("pin", "p", ("Control_L",)), ("unpin", "p", ("Control_L",)),
                ("delete", "Delete", ("Shift_L",))]
        for name, key, held in keys:
            time.sleep(PAUSE)
            self.record("%s in the open popup: paint / idle (ms)" % name,
                        "%.0f / %.0f" % x.keystroke(key, held))
        x.hide_popup()

    def burst(self, x, history, count=50, kill=None):
        """Copies `count` texts, one per poll of the app. Without `kill`: the
        seconds from the last copy until the file holds them all. With it:
        SIGKILLs the app at a random moment of the burst and starts it again."""
        texts = []
        stop_after = random.randrange(count) if kill else count - 1
        for number in range(stop_after + 1):
            text = "burst %d %08x" % (number, random.getrandbits(32))
            self.copy_with_xclip(text)
            x.owner_changed()
            texts.append(json_string(text))
            time.sleep(0.6 if number < stop_after or kill else 0)
        last = time.monotonic()

        def found():
            with open(history, "rb") as file:
                head = file.read(200 * len(texts) + 4096)
            return sum(1 for text in texts if text in head)
        if kill:
            time.sleep(random.uniform(0, 0.6))
            kill.kill()
            kill.wait()
            before = self.debug_log().count("launch: ")
            started = time.monotonic()
            again = self.spawn([self.app], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            while self.debug_log().count("launch: ") == before:
                if again.poll() is not None or time.monotonic() - started > WAIT:
                    raise Failure("the app did not start again after the SIGKILL")
                time.sleep(0.01)
            unread = "unreadable" in self.debug_log()
            self.record("SIGKILL after burst copy %d: history read back / copies missing" % (
                stop_after + 1), "%s / %d" % ("no" if unread else "yes", len(texts) - found()))
            return
        while found() < len(texts) and time.monotonic() - last < 30:
            time.sleep(0.01)
        self.record("burst of %d copies: all in the file, after the last (s)" % count,
                    "%.1f" % (time.monotonic() - last) if found() == len(texts)
                    else "only %d after 30 s" % found())

    def search(self, x):
        x.show_popup()
        time.sleep(0.3)

        def press(name):
            time.sleep(PAUSE)
            return x.keystroke(name)
        first = press(PROBE)
        to_empty = [press("BackSpace")]
        all_match = press(PROBE)
        to_empty.append(press("BackSpace"))
        missing = [press(letter) for letter in MISSING]
        others = [press("BackSpace") for _ in MISSING[1:]]
        to_empty.append(press("BackSpace"))
        keys = [first, all_match] + to_empty + missing + others

        def worst(keys):
            return "%.0f / %.0f" % (max(k[0] for k in keys), max(k[1] for k in keys))
        self.record('search: first key after load, "%s": paint / idle (ms)' % PROBE, worst([first]))
        self.record('search: "%s" again, matches all: paint / idle (ms)' % PROBE,
                    worst([all_match]))
        self.record('search: "%s" key by key, max: paint / idle (ms)' % MISSING, worst(missing))
        self.record("search: Backspace to empty, max: paint / idle (ms)", worst(to_empty))
        # "xy" matches nothing and "x" many entries: the list grows back.
        self.record('search: Backspace "%s" to "%s", widens: paint / idle (ms)'
                    % (MISSING[:2], MISSING[:1]), worst([others[-1]]))
        self.record("search: slowest of %d keys: paint / idle (ms)" % len(keys), worst(keys))
        if self.args.verbose:
            log("%s %d keys, paint / idle (ms): %s" % (self.kind, self.number, ", ".join(
                "%s %.0f / %.0f" % (name, *k) for name, k in zip(
                    [PROBE, "BS", PROBE, "BS"] + list(MISSING) + ["BS"] * len(MISSING),
                    [first, to_empty[0], all_match, to_empty[1]] + missing + others
                    + to_empty[2:]))))

    def copy(self, x, history, entries):
        times = []
        for copy in range(self.args.copies):
            time.sleep(random.uniform(0, 0.5))  # anywhere in the app's poll period
            text = "bench copy %d %08x" % (copy, random.getrandbits(32))
            front = b'[{"id":"'
            expected = b'","kind":"text","text":' + json_string(text)
            before = os.stat(history)
            self.copy_with_xclip(text)
            owned = x.owner_changed()
            deadline = owned + WAIT
            while True:
                now = os.stat(history)
                if (now.st_ino, now.st_mtime_ns) != (before.st_ino, before.st_mtime_ns):
                    with open(history, "rb") as file:
                        head = file.read(len(front) + 36 + len(expected))
                    if head.startswith(front) and head.endswith(expected):
                        break
                    before = now
                if time.monotonic() > deadline:
                    raise Failure("the copy %r did not reach history.json" % text)
                time.sleep(0.002)
            times.append((time.monotonic() - owned) * 1000)
            if copy == 0:
                self.check_format(history, entries)
        self.record("copy to file: median / max of %d (ms)" % len(times), median_max(times))

    def check_format(self, history, entries):
        """After the first copy the app wrote our entries back behind the new
        one, less those trimmed; they must come out byte for byte as written."""
        if entries is None:
            self.record("file format as the app writes it", "not checked")
            return
        with open(history, "rb") as file:
            written = file.read()
        unpinned = [i for i, entry in enumerate(entries) if entry.endswith(b"false}")]
        dropped = set(unpinned[ENTRIES - 1:])
        kept = [entry for i, entry in enumerate(entries) if i not in dropped]
        tail = b"," + b",".join(kept) + b"]"
        self.record("file format as the app writes it",
                    "same" if written.endswith(tail) else "DIFFERS")


def median_max(values):
    values = list(values)
    if not values:
        return "-"
    return "%.0f / %.0f" % (statistics.median(values), max(values))


def log(message):
    print(message, file=sys.stderr, flush=True)


def print_table(columns):
    labels = []
    for _, results in columns:
        labels += [label for label in results if label not in labels]
    header = ["measurement"] + [name for name, _ in columns]
    rows = [[label] + [results.get(label, "-") for _, results in columns] for label in labels]
    widths = [max(len(row[i]) for row in [header] + rows) for i in range(len(header))]
    line = lambda cells: "| " + " | ".join(c.ljust(w) for c, w in zip(cells, widths)) + " |"
    print(line(header))
    print("|" + "|".join("-" * (w + 2) for w in widths) + "|")
    for row in rows:
        print(line(row))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--app", help="the app to run (default: the build folder's)",
                        default=os.path.join(here, "..", "build", "src", "platform", "linux",
                                             "pellimore-clip"))
    parser.add_argument("--history", default="typical,heavy,worst",
                        help="comma-separated: typical, heavy, worst")
    parser.add_argument("--runs", type=int, default=1, help="runs of each history")
    parser.add_argument("--copies", type=int, default=7, help="copies timed per run")
    parser.add_argument("--popups", type=int, default=5, help="later popups timed per run")
    parser.add_argument("--workdir", default=None, help="where the scratch folders go")
    parser.add_argument("--verbose", action="store_true", help="log every search key's times")
    args = parser.parse_args()
    kinds = args.history.split(",")
    if any(kind not in ("typical", "heavy", "worst") for kind in kinds):
        parser.error("--history takes typical, heavy and worst")
    missing = [tool for tool in ("Xvfb", "xclip") if shutil.which(tool) is None]
    if missing or not os.access(args.app, os.X_OK):
        parser.error("needs %s" % ", ".join(missing or [args.app]))

    tempfile.tempdir = args.workdir  # where Session makes its scratch folders
    columns = []
    for kind in kinds:
        for number in range(1, args.runs + 1):
            run = Run(args, kind, number)
            try:
                run.execute()
            except Failure as failure:
                log("%s %d FAILED: %s" % (kind, number, failure))
                run.record("failed", str(failure).splitlines()[0])
            finally:
                run.stop()
            columns.append(("%s %d" % (kind, number) if args.runs > 1 else kind, run.results))
    print_table(columns)
    return 1 if any("failed" in results for _, results in columns) else 0


if __name__ == "__main__":
    sys.exit(main())
