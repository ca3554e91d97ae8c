#!/usr/bin/env python3
"""End-to-end test of the Linux app in GNOME's Wayland session.

Usage: run_gnome_e2e.py PELLIMORE_CLIP E2E_HELPER

Runs a headless GNOME Shell (Wayland, with the XWayland it starts itself) on
a session bus of its own that offers only the desktop portal and GNOME's
portal backend, and a system bus with no services, so that its lookups of
logind and polkit fail at once. Without systemd the shell runs in a mount
namespace of its own, with an empty /run/systemd. The seat gets its keyboard
from mutter's remote desktop API. Copies are made in a Wayland-native GTK
window; pastes go to it and to an X11 window. Exit status: 0 passed, 1
failed, 77 GNOME Shell or a tool it needs is missing.
"""

import glob
import json
import os
import re
import shutil
import subprocess
import sys
import time

try:
    from gi.repository import Gio, GLib
except ImportError:
    Gio = GLib = None

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from run_e2e import Failure, Session, read, run_checks, tiny_png, wait_for  # noqa: E402

SLOW = 60.0  # seconds for the shell and its portal, on a busy software renderer
BUS_POLICY = ('<policy context="default"><allow user="*"/><allow own="*"/>'
              '<allow send_destination="*"/><allow receive_sender="*"/></policy>')
PORTAL_SERVICES = ("org.freedesktop.portal.Desktop", "org.freedesktop.impl.portal.desktop.gnome",
                   "org.freedesktop.impl.portal.PermissionStore")
BUTTON_LEFT = 0x110  # evdev's BTN_LEFT
KEYSYMS = {"Tab": 0xff09, "Return": 0xff0d, "space": 0x20, "Escape": 0xff1b}


class GnomeSession(Session):
    def __init__(self, app, helper):
        super().__init__(app, helper)
        self.bus = None
        self.keyboard = None

    def spawn(self, args, env=None, **kwargs):
        process = subprocess.Popen(args, env=env or self.env, start_new_session=True, **kwargs)
        self.processes.append(process)
        return process

    def start_buses(self):
        services = os.path.join(self.root, "services")
        os.makedirs(services)
        for name in PORTAL_SERVICES:
            shutil.copy("/usr/share/dbus-1/services/%s.service" % name, services)
        addresses = {}
        for kind, extra in (("system", ""), ("session", "<servicedir>%s</servicedir>" % services)):
            socket = os.path.join(self.root, kind + "_bus")
            config = os.path.join(self.root, kind + ".conf")
            with open(config, "w", encoding="utf-8") as file:
                file.write("<busconfig><type>%s</type><listen>unix:path=%s</listen>"
                           "<auth>EXTERNAL</auth>%s%s</busconfig>\n"
                           % (kind, socket, extra, BUS_POLICY))
            self.spawn(["dbus-daemon", "--config-file=" + config, "--nofork"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            wait_for("the %s bus" % kind, lambda s=socket: os.path.exists(s))
            addresses[kind] = "unix:path=" + socket
        self.env["DBUS_SYSTEM_BUS_ADDRESS"] = addresses["system"]
        self.env["DBUS_SESSION_BUS_ADDRESS"] = addresses["session"]

    def start_shell(self):
        for folder in ("home", "run", "data", "config"):
            os.makedirs(os.path.join(self.root, folder), mode=0o700)
        run_folder = os.path.join(self.root, "run")
        self.env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "LANG": "C.UTF-8",
                    "HOME": os.path.join(self.root, "home"),
                    "XDG_DATA_HOME": os.path.join(self.root, "data"),
                    "XDG_CONFIG_HOME": os.path.join(self.root, "config"),
                    "XDG_RUNTIME_DIR": run_folder, "XDG_CURRENT_DESKTOP": "GNOME",
                    "XDG_SESSION_TYPE": "wayland", "GSETTINGS_BACKEND": "memory",
                    "NO_AT_BRIDGE": "1"}
        self.env.update({name: value for name, value in os.environ.items()
                         if name.split("_", 1)[0] in ("ASAN", "LSAN", "UBSAN")})
        self.start_buses()
        # The shell asks logind about seats where /run/systemd says systemd
        # runs; an empty one, in a mount namespace of its own, says it does not.
        hide_systemd = "[ ! -d /run/systemd ] || mount -t tmpfs none /run/systemd; exec \"$@\""
        namespace = ["unshare", "-m"] if os.geteuid() == 0 else ["unshare", "-Urm"]
        log = os.path.join(self.root, "shell.log")
        self.spawn([*namespace, "sh", "-c", hide_systemd, "sh", "gnome-shell", "--headless",
                    "--wayland", "--unsafe-mode", "--virtual-monitor", "1280x800"],
                   stdout=open(log, "wb"), stderr=subprocess.STDOUT)
        display = wait_for("XWayland's display", lambda: re.search(
            r"Using public X11 display (:\d+)", read(log) or ""), timeout=SLOW).group(1)
        self.env["DISPLAY"] = display
        self.env["WAYLAND_DISPLAY"] = "wayland-0"
        self.env["XAUTHORITY"] = wait_for("XWayland's authority", lambda: glob.glob(
            os.path.join(run_folder, ".mutter-Xwaylandauth.*")))[0]
        self.bus = Gio.DBusConnection.new_for_address_sync(
            self.env["DBUS_SESSION_BUS_ADDRESS"],
            Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT
            | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)
        wait_for("the shell's Eval", lambda: self.eval("Main.layoutManager._startingUp === false"),
                 timeout=SLOW)
        self.eval("Main.overview.hide()")
        wait_for("the overview to close", lambda: self.eval("!Main.overview.visible"))

    def call(self, name, path, interface, method, args=None, reply="()", timeout=10.0):
        result = self.bus.call_sync(name, path, interface, method, args,
                                    GLib.VariantType.new(reply), Gio.DBusCallFlags.NONE,
                                    int(timeout * 1000), None)
        return result.unpack()

    def eval(self, script):
        """The script's value, as JSON text, or None when it threw."""
        try:
            ok, value = self.call("org.gnome.Shell", "/org/gnome/Shell", "org.gnome.Shell",
                                  "Eval", GLib.Variant("(s)", (script,)), "(bs)")
        except GLib.Error:
            return None
        return value if ok and value not in ("false", "") else None

    def focused_title(self):
        return json.loads(self.eval("global.display.focus_window ? "
                                    "global.display.focus_window.get_title() : 'none'") or '""')

    def add_keyboard(self):
        """A keyboard and a pointer on the headless seat, through mutter's
        remote desktop API, for as long as our bus connection lives."""
        path = self.call("org.gnome.Mutter.RemoteDesktop", "/org/gnome/Mutter/RemoteDesktop",
                         "org.gnome.Mutter.RemoteDesktop", "CreateSession", None, "(o)")[0]
        self.keyboard = path
        self.session_call("Start")

    def session_call(self, method, args=None):
        self.call("org.gnome.Mutter.RemoteDesktop", self.keyboard,
                  "org.gnome.Mutter.RemoteDesktop.Session", method, args)

    def key(self, name):
        keysym = KEYSYMS.get(name, ord(name) if len(name) == 1 else None)
        for state in (True, False):
            self.session_call("NotifyKeyboardKeysym", GLib.Variant("(ub)", (keysym, state)))
        time.sleep(0.1)

    def type(self, text):
        for character in text:
            self.key(character)

    def start_window(self, title):
        """The Wayland-native GTK window, with the focus; returns its stdin
        and the file it writes its entry's text to."""
        output = os.path.join(self.root, title.replace(" ", "-") + ".txt")
        window = self.spawn([sys.executable, os.path.join(os.path.dirname(
            os.path.abspath(__file__)), "gtk_window.py"), title, output],
            env=dict(self.env, GDK_BACKEND="wayland"), stdin=subprocess.PIPE,
            stdout=subprocess.DEVNULL, stderr=open(os.path.join(self.root, "gtk.err"), "wb"))
        wait_for("the focus on " + title, lambda: self.focused_title() == title, timeout=SLOW)
        return window.stdin, output

    def copy(self, window, command):
        window.write((command + "\n").encode())
        window.flush()

    def choose_first_entry(self, into):
        """Opens the popup as the hot key does (a second start), chooses its
        first entry and waits for the focus to go back to `into`."""
        self.spawn([self.app], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for("the popup's focus", lambda: self.focused_title() == "Pellimore Clip",
                 timeout=SLOW)
        self.key("Return")
        wait_for("the focus back on " + into, lambda: self.focused_title() == into,
                 timeout=SLOW)

    def consent(self, allow):
        wait_for("the consent dialog", lambda: self.focused_title() == "Remote desktop",
                 timeout=SLOW)
        if not allow:
            self.key("Escape")
            return
        # Laid out once its frame stays put; then the switch that allows
        # remote interaction, and the header bar's Share button at its top
        # right, clicked again while the dialog stays.
        frames = []
        wait_for("the dialog's layout", lambda: frames.append(self.focused_frame()) or (
            len(frames) > 3 and frames[-1] == frames[-4]), timeout=SLOW)
        self.key("Tab")
        self.key("space")
        x, y, width, _ = frames[-1]
        deadline = time.monotonic() + SLOW
        while self.focused_title() == "Remote desktop":
            if time.monotonic() > deadline:
                raise Failure("the consent dialog stays")
            self.click_at(x + width - 40, y + 22)
            time.sleep(2.0)

    def activate(self, title):
        self.eval("global.get_window_actors().map(a => a.meta_window).find(w => w.get_title() == "
                  "%s).activate(global.get_current_time())" % json.dumps(title))
        wait_for("the focus on " + title, lambda: self.focused_title() == title, timeout=SLOW)

    def focused_frame(self):
        return json.loads(self.eval("(r => [r.x, r.y, r.width, r.height])"
                                    "(global.display.focus_window.get_frame_rect())") or "null")

    def click_at(self, x, y):
        now = json.loads(self.eval("global.get_pointer().slice(0, 2)"))
        self.session_call("NotifyPointerMotionRelative",
                          GLib.Variant("(dd)", (x - now[0], y - now[1])))
        for state in (True, False):
            self.session_call("NotifyPointerButton", GLib.Variant("(ib)", (BUTTON_LEFT, state)))


def landed(what, path, text):
    try:
        wait_for(what, lambda: read(path) == text, timeout=SLOW)
    except Failure as failure:
        raise Failure("%s; the window holds %r" % (failure, read(path))) from None


def run(session):
    session.start_shell()
    session.add_keyboard()
    gtk, gtk_text = session.start_window("Wayland target")

    # One consent at launch; then copies in the Wayland-native window are
    # captured, and a chosen entry is pasted into it and into an X11 window.
    app = session.start_app()
    session.consent(allow=True)
    wait_for("the consent", lambda: "launch: Accessibility granted" in session.debug_log(),
             timeout=SLOW)
    wait_for("the focus back", lambda: session.focused_title() == "Wayland target", timeout=SLOW)
    png = os.path.join(session.root, "red.png")
    with open(png, "wb") as file:
        file.write(tiny_png())
    session.copy(gtk, "image " + png)
    wait_for("the image's capture", lambda: any(
        entry.get("kind") == "image" for entry in session.history() or []), timeout=SLOW)
    session.copy(gtk, "text copied in GTK")
    wait_for("the text's capture", lambda: "copied in GTK" in session.texts(), timeout=SLOW)
    session.choose_first_entry("Wayland target")
    landed("the paste into GTK", gtk_text, "copied in GTK")

    x11_text = os.path.join(session.root, "x11.txt")
    session.spawn([session.helper, "target", x11_text], env=dict(session.env,
                  QT_QPA_PLATFORM="xcb"), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wait_for("the X11 window's focus",
             lambda: session.focused_title() == "Pellimore E2E Target", timeout=SLOW)
    # XWayland hands an X11 window the keys only once it was clicked, as a
    # user would.
    x, y, width, height = session.focused_frame()
    session.click_at(x + width // 2, y + height // 2)
    # The popup remembers the window that X11 says is active.
    wait_for("the X11 window to be active", lambda: subprocess.run(
        ["xdotool", "getactivewindow", "getwindowname"], env=session.env, capture_output=True,
        timeout=10, check=False).stdout == b"Pellimore E2E Target\n", timeout=SLOW)
    session.choose_first_entry("Pellimore E2E Target")
    landed("the paste into X11", x11_text, "copied in GTK")
    if session.debug_log().count("NOT granted — prompting") != 1:
        raise Failure("asked more than once:\n" + session.debug_log())

    # Refused at the next start: said once, the entry stays on the clipboard,
    # and the next paste asks nothing.
    app.terminate()
    app.wait(timeout=SLOW)
    os.remove(os.path.join(session.folder, "debug.log"))
    app = session.start_app()
    session.consent(allow=False)
    wait_for("the refusal", lambda: "Accessibility refused" in session.debug_log(), timeout=SLOW)
    session.activate("Wayland target")
    session.copy(gtk, "text after refusal")
    wait_for("the capture", lambda: "after refusal" in session.texts(), timeout=SLOW)
    for _ in range(2):
        session.choose_first_entry("Wayland target")
    wait_for("both pastes declined", lambda: session.debug_log().count(
        "NOT posting Ctrl+V — the desktop has not allowed remote interaction") == 2)
    time.sleep(1.0)  # a keystroke would have arrived by now
    clipboard = subprocess.run(["xclip", "-o", "-selection", "clipboard"], env=session.env,
                               capture_output=True, timeout=10, check=False).stdout
    log = session.debug_log()
    if (read(gtk_text) != "copied in GTK" or clipboard != b"after refusal"
            or log.count("Accessibility refused") != 1 or log.count("prompting") != 1
            or app.poll() is not None):
        raise Failure("after the refusal: pasted %r, clipboard %r, app %s, log:\n%s"
                      % (read(gtk_text), clipboard, app.poll(), log))


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    if Gio is None:
        print("skipped: missing python3-gi")
        return 77
    missing = [tool for tool in ("gnome-shell", "Xwayland", "dbus-daemon", "unshare",
                                 "/usr/libexec/xdg-desktop-portal-gnome")
               if shutil.which(tool) is None]
    if missing:
        print("skipped: missing " + ", ".join(missing))
        return 77
    session = GnomeSession(os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2]))
    return run_checks(session, run, "GNOME", logs=("app.err", "shell.log", "gtk.err"))


if __name__ == "__main__":
    sys.exit(main())
