#!/usr/bin/env python3
"""End-to-end test of the Linux app on a private Xvfb display.

Usage: run_e2e.py PELLIMORE_CLIP E2E_HELPER

Starts Xvfb on a free display (no window manager), the app with its data and
config homes in a scratch folder, and drives it as a user would with xclip
and xdotool. Everything started here is stopped again, also on failure.
Exit status: 0 passed, 1 failed, 77 a needed tool is missing.
"""

import contextlib
import fcntl
import json
import os
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import threading
import time
import zlib

TIMEOUT = 5.0  # seconds for anything that should happen "within two seconds"
BUS_CONFIG = ('<busconfig><type>session</type><listen>%s</listen><auth>EXTERNAL</auth><servicedir>'
              '%s</servicedir><policy context="default"><allow send_destination="*" eavesdrop='
              '"true"/><allow eavesdrop="true"/><allow own="*"/></policy></busconfig>\n')
# A shell that writes the line it reads to the file named next.
READ_LINE = ["sh", "-c", 'IFS= read -r line; printf %s "$line" > "$0"']
# Between them they paste from every form of file list the app writes back.
# GNOME Files needs no more than the test's bus: without dconf, GVfs or a
# search indexer there it warns and lists the folder all the same.
FILE_MANAGERS = ("pcmanfm", "thunar", "caja", "nautilus", "nemo")


class Failure(Exception):
    pass


def wait_for(what, predicate, timeout=TIMEOUT):
    """Polls `predicate` until it returns something true, the value."""
    deadline = time.monotonic() + timeout
    while not (value := predicate()):
        if time.monotonic() > deadline:
            raise Failure("timed out waiting for " + what)
        time.sleep(0.05)
    return value


def read_line(stream, what, timeout=20):
    """One line from `stream`, stripped; fails when none comes in time."""
    line = []
    threading.Thread(target=lambda: line.append(stream.readline()), daemon=True).start()
    wait_for(what, lambda: line, timeout)
    return line[0].strip()


def tiny_png():
    """A valid 4x4 red PNG, built with the standard library."""
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))
    rows = b"".join(b"\x00" + b"\xff\x00\x00" * 4 for _ in range(4))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", 4, 4, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


def read(path, binary=False):
    """The file's contents (text unless `binary`), or None when unreadable."""
    try:
        with open(path, "rb") as file:
            data = file.read()
    except OSError:
        return None
    return data if binary else data.decode("utf-8", errors="replace")


class Session:
    def __init__(self, app, helper):
        self.app, self.helper = app, helper
        self.processes = []
        self.root = tempfile.mkdtemp(prefix="pellimore-e2e-")
        self.folder = os.path.join(self.root, "data", "Copperwell")
        self.env = None
        self.as_user = []  # what runs a program as the session's user

    def spawn(self, args, env=None, **kwargs):
        process = subprocess.Popen(args, env=env or self.env, start_new_session=True, **kwargs)
        self.processes.append(process)
        return process

    def stop_all(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                with contextlib.suppress(ProcessLookupError):
                    os.killpg(process.pid, signal.SIGTERM)
        for process in reversed(self.processes):
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                os.killpg(process.pid, signal.SIGKILL)
                process.wait()
        shutil.rmtree(self.root, ignore_errors=True)

    def start_display(self, services=(), **env):
        """Xvfb, and a session bus that starts `services` (see start_bus);
        `env` adds to the environment of all started here."""
        read_end, write_end = os.pipe()
        self.spawn(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x800x24",
                    "-nolisten", "tcp", "-noreset"], pass_fds=[write_end],
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        # Xvfb writes the display number once it is ready; if it dies first,
        # the pipe ends empty.
        with os.fdopen(read_end, "rb") as pipe:
            number = read_line(pipe, "Xvfb's display number")
        if not number.isdigit():
            raise Failure("Xvfb did not start")
        for folder in ("home", "run"):
            os.makedirs(os.path.join(self.root, folder), mode=0o700)
        self.env = dict(os.environ, DISPLAY=":" + number.decode(),
                        HOME=os.path.join(self.root, "home"), NO_AT_BRIDGE="1",
                        XDG_DATA_HOME=os.path.join(self.root, "data"),
                        XDG_CONFIG_HOME=os.path.join(self.root, "config"),
                        XDG_RUNTIME_DIR=os.path.join(self.root, "run"), QT_QPA_PLATFORM="xcb",
                        **env)
        self.env.pop("WAYLAND_DISPLAY", None)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = self.start_bus(os.path.join(self.root, "run"),
                                                              services=services)

    def start_bus(self, folder, name="bus", services=(), prefix=()):
        """A bus at FOLDER/NAME that starts `services`, (name, command) pairs,
        and none of the machine's, such as a desktop portal. Its address."""
        os.makedirs(services_folder := os.path.join(self.root, name))
        address = "unix:path=" + os.path.join(folder, name)
        for service, command in services:
            with open(os.path.join(services_folder, service + ".service"), "w") as file:
                file.write("[D-BUS Service]\nName=%s\nExec=%s\n" % (service, command))
        with open(os.path.join(services_folder, "bus.conf"), "w") as file:
            file.write(BUS_CONFIG % (address, services_folder))
        self.spawn([*prefix, "dbus-daemon", "--nofork", "--config-file=" + file.name],
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for("the bus " + name, lambda: os.path.exists(address[len("unix:path="):]))
        return address

    def start_app(self, *args, prefix=()):
        """Starts the app (through `prefix`) and waits for its launch line."""
        app = self.spawn([*prefix, self.app, *args], stdout=subprocess.DEVNULL,
                         stderr=open(os.path.join(self.root, "app.err"), "wb"))
        wait_for("the launch log line", lambda: "launch: Accessibility" in self.debug_log(),
                 timeout=20)
        return app

    def start_target(self):
        """The helper's target window, given the focus, and the file of its text."""
        target_file = os.path.join(self.root, "pasted.txt")
        self.spawn([self.helper, "target", target_file], stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)
        return self.focus("pellimore_e2e_helper"), target_file

    def focus(self, window_class):
        """The newest window of `window_class` on screen, given the focus."""
        window = wait_for(window_class, lambda: self.xdotool(
            "search", "--onlyvisible", "--class", window_class).split(), timeout=20)[-1]
        self.xdotool("windowfocus", "--sync", window)
        return window

    def history(self):
        try:
            return json.loads(read(os.path.join(self.folder, "history.json")) or "")
        except ValueError:
            return None

    def texts(self):
        return [entry.get("text") for entry in (self.history() or [])]

    def debug_log(self):
        return read(os.path.join(self.folder, "debug.log")) or ""

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *args], env=self.env, capture_output=True,
                              text=True, timeout=20).stdout

    def copy_with_xclip(self, data, target=None):
        # -quiet keeps xclip in the foreground, serving until someone else
        # owns the clipboard, so it can be stopped like any child.
        process = self.spawn(["xclip", "-quiet", "-selection", "clipboard"]
                             + (["-t", target] if target else []),
                             stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL)
        process.stdin.write(data.encode("utf-8") if isinstance(data, str) else data)
        process.stdin.close()

    copy = copy_with_xclip

    def copy_with_owner(self, *args):
        """The helper as the clipboard's owner (E2eHelper.cpp tells how)."""
        process = self.spawn([self.helper, *args], stdout=subprocess.PIPE,
                             stderr=subprocess.DEVNULL)
        if read_line(process.stdout, "the helper's copy") != b"serving":
            raise Failure("the helper did not take the clipboard: %r" % (args,))
        return process

    def paste(self):
        """The clipboard's text, or None when its owner does not answer in
        time: an owner that dies mid-request leaves xclip waiting forever."""
        try:
            return subprocess.run(["xclip", "-o", "-selection", "clipboard"], env=self.env,
                                  capture_output=True, text=True, timeout=2).stdout
        except subprocess.TimeoutExpired:
            return None

    def check_password_hint(self):
        """A copy with the password hint is skipped, and goes with its owner;
        the same owner's copy without it is captured and outlives it."""
        owner = self.copy_with_owner("copy", "e2e plain from owner")
        self.wait_for_text("e2e plain from owner")
        self.end(owner)
        wait_for("the copy to outlive its owner", lambda: self.paste() == "e2e plain from owner")
        secret = self.copy_with_owner("copy", "--hint", "e2e concealed secret")
        time.sleep(1.0)  # seen by the app, reported or polled
        self.end(secret)
        time.sleep(1.0)
        answer = wait_for("an answer from the clipboard",
                          lambda: (text := self.paste()) is not None and [text])
        if answer != [""] or "e2e concealed secret" in self.texts():
            raise Failure("a copy with the password hint was kept: %r" % answer)
        print("ok: a copy outlives its owner unless it carries the password hint")

    @staticmethod
    def end(owner):
        """Stops a clipboard owner; no later read asks it while it exits."""
        owner.terminate()
        owner.wait(timeout=20)

    def wait_for_text(self, text):
        wait_for('"%s" in history.json' % text, lambda: text in self.texts())

    def copy_text(self, text):
        self.copy(text)
        self.wait_for_text(text)

    def docked(self):
        """Whether a window of trayer's holds the app's icon."""
        return any('"Pellimore Clip"' in subprocess.run(
            ["xwininfo", "-tree", "-id", window], env=self.env, capture_output=True,
            text=True, timeout=20).stdout
                   for window in self.xdotool("search", "--class", "^trayer$").split())

    def keys(self, *keys):
        self.xdotool("key", *keys)

    def paste_from_popup(self, search):
        """Opens the popup, searches (replacing the last search, which each
        showing selects) and pastes the first match."""
        self.keys("shift+super+v")
        wait_for("the popup", self.popup)
        self.xdotool("type", "--delay", "30", search)
        self.keys("Return")

    def paste_into_terminal(self, command, shown, key, frontmost, env=None):
        """Pastes an entry into the terminal that `command` starts, once
        `shown()` says it has the focus, by `key` to `frontmost`."""
        typed = os.path.join(self.root, "home", command[0] + ".txt")
        self.spawn(self.as_user + [*command, *READ_LINE, typed], env=env,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        shown()
        for text in ("e2e into " + command[0], "e2e copied after " + command[0]):
            self.copy_text(text)
        self.paste_from_popup("into " + command[0])
        wait_for(key, lambda: "posting %s (frontmost=%s)" % (key, frontmost) in self.debug_log())
        self.keys("Return")  # the paste ends no line
        wait_for("the line read", lambda: read(typed) == "e2e into " + command[0])
        print("ok: %s gets the entry by %s" % (command[0], key))

    def popup(self):
        """The popup's window id when it is on screen, else None."""
        # Qt leaves WM_NAME empty, which is what "search --name" reads; the
        # class is shared with the About window, so match the title exactly.
        for window in self.xdotool("search", "--onlyvisible", "--class", "^Pellimore Clip$").split():
            if self.xdotool("getwindowname", window).strip() == "Pellimore Clip":
                return window
        return None


def run(session):
    session.start_display()
    menu = os.path.join(session.root, "menu")
    app = session.start_app("--menu-commands", menu)
    modes = [os.stat(path).st_mode & 0o777
             for path in (session.folder, os.path.join(session.folder, "debug.log"))]
    if modes != [0o700, 0o600]:
        raise Failure("the history folder and debug.log are not owner-only: %r" % modes)

    # A copied text lands in the history within two seconds of the tick.
    started = time.monotonic()
    session.copy_text("e2e first text")
    if time.monotonic() - started > 2.5:
        raise Failure("capture took %.1f s" % (time.monotonic() - started))
    print("ok: copied text captured")

    session.check_password_hint()

    # A PNG copy creates exactly one image file.
    png = tiny_png()
    session.copy_with_xclip(png, target="image/png")
    wait_for("an image entry", lambda: any(entry.get("kind") == "image"
                                           for entry in session.history() or []))
    images = os.path.join(session.folder, "images")
    files = [name for name in os.listdir(images) if name.endswith(".png")]
    if len(files) != 1 or read(os.path.join(images, files[0]), binary=True) != png:
        raise Failure("expected one image file holding the copied PNG, found %r" % files)
    print("ok: a PNG copy creates one image file")

    # The hot key shows the popup with its top edge at the pointer, centred
    # on it, while a window of ours has the focus.
    target, target_file = session.start_target()
    session.xdotool("mousemove", "--sync", "640", "150")
    session.xdotool("key", "shift+super+v")
    popup = wait_for("the popup after Shift+Super+V", session.popup)
    geometry = session.xdotool("getwindowgeometry", "--shell", popup)
    values = dict(line.split("=", 1) for line in geometry.split())
    if [int(values[key]) for key in ("X", "Y", "WIDTH", "HEIGHT")] != [640 - 220, 150, 440, 560]:
        raise Failure("popup not under the pointer: %r" % values)
    print("ok: Shift+Super+V shows the popup under the pointer")

    # Typing filters: the entry pasted is the one the search leaves first,
    # not the newest (the image).
    before = session.history()
    session.xdotool("type", "--delay", "30", "first text")
    session.xdotool("key", "Return")
    wait_for("the paste in the target window", lambda: read(target_file) == "e2e first text")
    wait_for("the popup to hide after the paste", lambda: session.popup() is None)
    print("ok: typing filters and Return pastes into the previous window")

    # The paste is not captured again: after a later copy, the pasted entry
    # still sits where it was, with its old time.
    session.copy_text("e2e marker after paste")
    after = session.history()
    if after[1:] != before:
        raise Failure("the paste changed the history: %r" % [e.get("text") for e in after])
    print("ok: the paste is not captured again")

    # A second start opens the first one's popup and leaves; the first one
    # goes on capturing into its history as it was.
    before = session.history()
    second = subprocess.run([session.app], env=session.env, capture_output=True, timeout=20)
    if second.returncode != 0:
        raise Failure("a second start exited with %d: %r" % (second.returncode, second.stderr))
    wait_for("the popup opened by a second start", session.popup)
    session.xdotool("key", "Escape")
    session.copy_text("e2e after a second start")
    if session.history()[1:] != before:
        raise Failure("the history changed across a second start: %r" % session.texts())
    print("ok: a second start opens the running one's popup and exits 0")

    # Owners that never answer or answer a byte at a time never hold up the
    # popup; a text owner that also offers image/png stores no image.
    for mode in ("silent", "slow"):
        owner = session.copy_with_owner("hostile", mode, "e2e hostile owner")
        time.sleep(0.2)  # the app has asked the owner
        session.xdotool("key", "shift+super+v")
        wait_for("the popup with a %s owner" % mode, session.popup, timeout=2.0)
        session.xdotool("key", "Escape")
        wait_for("the popup to hide on Escape", lambda: session.popup() is None)
        if mode == "slow":  # its text arrives by INCR in under two seconds
            session.wait_for_text("e2e hostile owner")
        session.end(owner)
    images = sorted(os.listdir(os.path.join(session.folder, "images")))
    liar = session.copy_with_owner("hostile", "liar", "e2e text offered as image/png")
    time.sleep(1.0)  # read and refused, silently
    session.end(liar)
    if sorted(os.listdir(os.path.join(session.folder, "images"))) != images \
            or "e2e text offered as image/png" in session.texts():
        raise Failure("a text offered as image/png was stored")
    print("ok: silent and slow owners leave the popup free; a text is no image")

    # Copied files are kept; their entry, not the copy, pastes in another folder.
    for manager in FILE_MANAGERS:
        source, target = (os.path.join(session.root, manager, end) for end in ("from", "to"))
        files = [os.path.join(source, name) for name in ("a b.txt", manager + ".txt")]
        for path in (source, target):
            os.makedirs(path)
        for path in files:
            open(path, "w").close()
        for folder in (source, target):
            owner = session.spawn([manager, folder], stdout=subprocess.DEVNULL,
                                  stderr=subprocess.DEVNULL)
            window = session.focus(manager)
            time.sleep(1.0)  # the folder listed
            # GTK 4's view takes the keys only once clicked.
            session.xdotool("mousemove", "--window", window, "600", "400", "click", "1")
            if folder == source:
                session.xdotool("key", "--delay", "200", "ctrl+a", "ctrl+c")
                wait_for(manager + "'s files", lambda: files in [
                    entry.get("filePaths") for entry in session.history()])
                session.copy_text("e2e after " + manager)
                session.end(owner)
        session.paste_from_popup(manager + ".txt")
        wait_for(manager + " to paste", lambda: sorted(os.listdir(target)) == [
            os.path.basename(path) for path in files], timeout=10)
        session.end(owner)
        print("ok: %s's copied files are kept and their entry pastes into it" % manager)

    with open(menu, "w", encoding="utf-8") as pipe:
        pipe.write("Clear All History\n")
    wait_for("an empty history", lambda: session.history() == [])
    print("ok: Clear All History empties the file")

    # A tray started after the app gets its icon (last: it shares the popup's
    # class and title).
    if "launch: no system tray yet" not in session.debug_log():
        raise Failure("the launch does not say that there is no tray")
    session.spawn(["trayer"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wait_for("the icon in a tray started later", session.docked)
    print("ok: a tray started after the app shows the icon")

    if app.poll() is not None:
        raise Failure("the app exited with status %d" % app.returncode)

    # A start that finds the lock held by someone who does not answer fails
    # with one line on stderr and in the debug log.
    stuck = os.path.join(session.root, "stuck")
    for folder in ("Copperwell", "run"):
        os.makedirs(os.path.join(stuck, folder), mode=0o700)
    env = dict(session.env, XDG_DATA_HOME=stuck, XDG_RUNTIME_DIR=os.path.join(stuck, "run"))
    with open(os.path.join(stuck, "Copperwell", "instance.lock"), "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        result = subprocess.run([session.app], env=env, capture_output=True, text=True, timeout=20)
    line = "launch: Pellimore Clip is already running but did not answer: "
    logged = read(os.path.join(stuck, "Copperwell", "debug.log")) or ""
    if result.returncode == 0 or line not in result.stderr or line not in logged:
        raise Failure("a start beside a silent lock holder: %r" % result)
    print("ok: a start that cannot reach the lock holder fails and says why")


def run_checks(session, run, what, logs=("app.err",)):
    """Runs `run` on `session`, with the debug log and the ends of `logs` on
    failure, and stops all it started. The exit status."""
    try:
        run(session)
        print("all %s checks passed" % what)
        return 0
    except (Failure, OSError, subprocess.SubprocessError, ValueError, KeyError) as failure:
        print("FAILED: %s" % failure)
        print("debug.log:\n" + session.debug_log())
        for log in logs:
            print("%s:\n%s" % (log, (read(os.path.join(session.root, log)) or "")[-3000:]))
        return 1
    finally:
        session.stop_all()


def main(run, what, tools, session_class=Session, logs=("app.err",), missing_status=77):
    """A script's main: `run` on a `session_class` over the programs named on
    the command line, once all `tools` are installed. The exit status."""
    if len(sys.argv) != session_class.__init__.__code__.co_argcount:
        print(sys.modules["__main__"].__doc__, file=sys.stderr)
        return 2
    if missing := [tool for tool in tools if tool and shutil.which(tool) is None]:
        print("%s: missing %s" % ("skipped" if missing_status == 77 else "FAILED",
                                  ", ".join(missing)))
        return missing_status
    session = session_class(*(os.path.abspath(path) for path in sys.argv[1:]))
    return run_checks(session, run, what, logs)


if __name__ == "__main__":
    sys.exit(main(run, "end-to-end", ("Xvfb", "xclip", "xdotool", "xwininfo", "trayer",
                                      "dbus-daemon", *FILE_MANAGERS)))
