#!/usr/bin/env python3
"""The Linux app in a headless GNOME Shell: run_gnome_e2e.py PELLIMORE_CLIP E2E_HELPER.
Its system bus has no services, so logind and polkit lookups fail at once; exit 77 without it."""

import glob
import json
import os
import re
import subprocess
import sys
import time

from gi.repository import Gio, GLib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from run_e2e import Failure, Session, main, read, tiny_png, wait_for  # noqa: E402

SLOW = 60.0  # seconds, for a software-rendered shell on a busy machine
MUTTER = ("org.gnome.Mutter.RemoteDesktop", "/org/gnome/Mutter/RemoteDesktop")
KEYSYMS = {"Tab": 0xff09, "Return": 0xff0d, "space": 0x20, "Escape": 0xff1b}


class GnomeSession(Session):
    def start_shell(self):
        for folder in ("home", "run"):
            os.makedirs(os.path.join(self.root, folder), mode=0o700)
        self.env = dict(PATH=os.environ.get("PATH", "/usr/bin:/bin"), LANG="C.UTF-8",
                        HOME=self.root + "/home", XDG_DATA_HOME=self.root + "/data",
                        XDG_RUNTIME_DIR=self.root + "/run", XDG_CURRENT_DESKTOP="GNOME",
                        XDG_SESSION_TYPE="wayland", GSETTINGS_BACKEND="memory", NO_AT_BRIDGE="1")
        self.env["DBUS_SYSTEM_BUS_ADDRESS"] = self.start_bus(self.root + "/run", "system_bus")
        self.env["DBUS_SESSION_BUS_ADDRESS"] = self.start_bus(self.root + "/run", "session_bus", [
            ("org.freedesktop." + name, "/usr/libexec/" + command) for name, command in (
                ("portal.Desktop", "xdg-desktop-portal"),
                ("impl.portal.desktop.gnome", "xdg-desktop-portal-gnome"),
                ("impl.portal.PermissionStore", "xdg-permission-store"))])
        log = os.path.join(self.root, "shell.log")
        self.spawn(["unshare", "-m" if os.geteuid() == 0 else "-Urm", "sh", "-c",
                    "[ ! -d /run/systemd ] || mount -t tmpfs none /run/systemd; exec \"$@\"",
                    "sh", "gnome-shell", "--headless", "--wayland", "--unsafe-mode",
                    "--virtual-monitor", "1280x800"], stdout=open(log, "wb"), stderr=-2)
        self.env.update(WAYLAND_DISPLAY="wayland-0", DISPLAY=wait_for("XWayland", lambda: re.search(
            r"public X11 display (:\d+)", read(log) or ""), timeout=SLOW).group(1))
        self.env["XAUTHORITY"] = glob.glob(self.root + "/run/.mutter-Xwaylandauth.*")[0]
        self.bus = Gio.DBusConnection.new_for_address_sync(
            self.env["DBUS_SESSION_BUS_ADDRESS"], Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT
            | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)
        # It starts in the overview, where no window has the focus.
        wait_for("the shell", lambda: self.eval("Main.layoutManager._startingUp") == "false",
                 timeout=SLOW)
        wait_for("the desktop", lambda: self.eval("Main.overview.hide(); Main.overview.visible")
                 == "false", timeout=SLOW)
        # A headless seat has no keyboard: mutter's own API lends one while our bus lives.
        self.input = self.call(*MUTTER, "org.gnome.Mutter.RemoteDesktop", "CreateSession")[0]
        self.seat("Start", None)

    def call(self, name, path, interface, method, signature=None, *args):
        return self.bus.call_sync(name, path, interface, method, signature and GLib.Variant(
            signature, args), None, 0, 10000, None).unpack()

    def seat(self, method, signature, *args):
        self.call(MUTTER[0], self.input, MUTTER[0] + ".Session", method, signature, *args)

    def eval(self, script):  # the value as JSON text, or None
        try:
            ok, value = self.call("org.gnome.Shell", "/org/gnome/Shell", "org.gnome.Shell",
                                  "Eval", "(s)", script)
        except GLib.Error:
            return None
        return value if ok else None

    def focus(self):
        return json.loads(self.eval("global.display.focus_window?.get_title() ?? null"))

    def frame(self, title):  # the window's x, y and width
        return json.loads(self.eval("(r => [r.x, r.y, r.width])(%s.get_frame_rect())"
                                    % self.window(title)))

    def window(self, title):  # the window as a script names it
        return ("global.get_window_actors().map(a => a.meta_window).find(w => w.get_title() == "
                "%s)" % json.dumps(title))

    def key(self, name):
        for state in (True, False):
            self.seat("NotifyKeyboardKeysym", "(ub)", KEYSYMS.get(name, ord(name[0])), state)
        time.sleep(0.1)

    def click(self, title, dx, dy):  # from the window's top left corner
        x, y, _ = self.frame(title)
        now = json.loads(self.eval("global.get_pointer()"))
        self.seat("NotifyPointerMotionRelative", "(dd)", x + dx - now[0], y + dy - now[1])
        for state in (True, False):
            self.seat("NotifyPointerButton", "(ib)", 0x110, state)  # BTN_LEFT

    def wait_focus(self, title):
        wait_for("the focus on " + title, lambda: self.focus() == title, timeout=SLOW)

    def choose_first_entry(self, into):  # in the popup a second start opens
        self.spawn([self.app], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.wait_focus("Pellimore Clip")
        self.key("Return")
        self.wait_focus(into)

    def consent(self, allow):  # switch on remote interaction, then Share, once laid out
        self.wait_focus("Remote desktop")
        if not allow:
            return self.key("Escape")
        frames = []
        wait_for("the dialog's layout", lambda: frames.append(self.frame("Remote desktop"))
                 or frames[-4:] == frames[-1:] * 4, timeout=SLOW)
        self.key("Tab")
        self.key("space")
        deadline = time.monotonic() + SLOW
        while self.focus() == "Remote desktop" and time.monotonic() < deadline:
            self.click("Remote desktop", frames[-1][2] - 40, 22)
            time.sleep(2.0)
        return None


def run(session):
    session.start_shell()
    gtk_text, x11_text = (os.path.join(session.root, name) for name in ("gtk.txt", "x11.txt"))
    gtk = session.spawn([sys.executable, os.path.join(os.path.dirname(__file__), "gtk_window.py"),
                         gtk_text], env=dict(session.env, GDK_BACKEND="wayland"),
                        stdin=subprocess.PIPE)
    session.wait_focus("Wayland target")
    app = session.start_app()
    session.consent(allow=True)
    wait_for("the consent", lambda: "launch: Accessibility granted" in session.debug_log())
    session.wait_focus("Wayland target")
    with open(os.path.join(session.root, "red.png"), "wb") as file:
        file.write(tiny_png())
    for copy, texts in (("image " + file.name, [None]), ("text copied in GTK",
                                                          ["copied in GTK", None])):
        gtk.stdin.write(copy.encode() + b"\n")
        gtk.stdin.flush()
        wait_for("the capture of " + copy, lambda t=texts: [
            entry.get("text") for entry in session.history() or []] == t, timeout=SLOW)
    session.choose_first_entry("Wayland target")
    wait_for("the GTK paste", lambda: read(gtk_text) == "copied in GTK", timeout=SLOW)

    session.spawn([session.helper, "target", x11_text], env=dict(session.env,
                                                                 QT_QPA_PLATFORM="xcb"))
    session.wait_focus("Pellimore E2E Target")
    # XWayland gives an X11 window keys once clicked; the popup returns to X11's active window.
    active = []

    def clicked_active():
        session.eval(session.window("Pellimore E2E Target") + ".activate(global.get_current_time())")
        session.click("Pellimore E2E Target", 100, 60)
        time.sleep(1)
        active.append(subprocess.run(["xdotool", "getactivewindow", "getwindowname"],
                                     env=session.env, capture_output=True, timeout=10))
        return b"E2E Target" in active[-1].stdout
    try:
        wait_for("X11's active window", clicked_active, timeout=SLOW)
    except Failure:
        raise Failure("X11's active window: %s, %s" % (active[-1], session.focus())) from None
    session.choose_first_entry("Pellimore E2E Target")
    wait_for("the X11 paste", lambda: read(x11_text) == "copied in GTK", timeout=SLOW)

    # Refused at the next start: said once; entries stay on the clipboard; pastes ask nothing.
    app.terminate()
    app.wait(timeout=SLOW)
    app = session.start_app()
    session.consent(allow=False)
    session.eval(session.window("Wayland target") + ".activate(global.get_current_time())")
    session.wait_focus("Wayland target")
    gtk.stdin.write(b"text after refusal\n")
    gtk.stdin.flush()
    wait_for("the capture", lambda: "after refusal" in str(session.history()), timeout=SLOW)
    for _ in range(2):
        session.choose_first_entry("Wayland target")
    wait_for("both pastes", lambda: session.debug_log().count("NOT posting Ctrl+V") == 2)
    time.sleep(1.0)  # a keystroke would have arrived by now
    clipboard = subprocess.run(["xclip", "-o", "-selection", "clipboard"], env=session.env,
                               capture_output=True, timeout=10, check=False).stdout
    log = session.debug_log()
    if (read(gtk_text), clipboard, log.count("refused"), log.count("prompting"), app.poll()) != (
            "copied in GTK", b"after refusal", 1, 2, None):
        raise Failure("after the refusal: %r, clipboard %r, app %s"
                      % (read(gtk_text), clipboard, app.poll()))


if __name__ == "__main__":  # scripts/install-deps.sh --with-gnome installs GNOME Shell
    sys.exit(main(run, "GNOME", ("gnome-shell",), GnomeSession, ("app.err", "shell.log")))
