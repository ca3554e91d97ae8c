#!/usr/bin/python3
"""End-to-end test of the Linux app as a screen reader and a keyboard see it.

Usage: run_accessibility.py PELLIMORE_CLIP E2E_HELPER

Debian's python3 reads the tree with pyatspi over an AT-SPI bus of the
test's own, the app on a private Xvfb display as in run_e2e.py.
Exit status: 0 passed, 1 failed, 77 a needed tool is missing.
"""

import contextlib
import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from run_e2e import Failure, main, read, wait_for  # noqa: E402

try:
    import pyatspi
    from gi.repository import GLib
except ImportError:
    pyatspi = None
LAUNCHER = "/usr/libexec/at-spi-bus-launcher"


# What a screen reader listens to; asking the app about a row as it
# announces it must not bring the app down.
SCREEN_READER_EVENTS = (
    "object:children-changed", "object:state-changed", "object:property-change",
    "object:text-changed", "object:text-caret-moved", "object:selection-changed",
    "object:active-descendant-changed", "focus:", "window:")


class Event:
    # Read on arrival: its objects may be gone by the time the test looks.
    def __init__(self, event):
        self.type, self.detail1, self.name, self.role, self.data = event.type, event.detail1, "", "", ""
        with contextlib.suppress(Exception):  # a source already gone reads as nothing
            self.name, self.role = event.source.name or "", event.source.getRoleName()
            data = event.any_data
            self.data = data if isinstance(data, str) else (data.name if data else "")


class Listener:
    """AT-SPI events of the app, as they arrive."""

    def __init__(self, *kinds):
        self.events = []
        for kind in kinds:
            pyatspi.Registry.registerEventListener(
                lambda event: self.events.append(Event(event)), kind)

    def seen(self, kind, name="", role=None, data=""):
        """The latest event of `kind` from an object named with `name`."""
        context = GLib.MainContext.default()
        while context.iteration(False):
            pass
        return next((event for event in reversed(self.events) if event.type.startswith(kind)
                     and name in event.name and role in (None, event.role)
                     and event.data.startswith(data)), None)

    def focus(self):
        """The role of what was focused last."""
        return getattr(self.seen("focus:"), "role", None)


def find(root, role, name=None):
    """The first object under `root` with `role` (and `name`), depth first."""
    return pyatspi.findDescendant(
        root, lambda node: node.getRoleName() == role and (name is None or node.name == name))


def app_root():
    for application in pyatspi.Registry.getDesktop(0):
        if application is not None and application.name == "Pellimore Clip":
            # A window shown later may be missing from the children cached
            # from an earlier read.
            application.clearCache()
            return application
    return None


def popup_tree():
    """The popup's dialog and its list, once the popup is on screen."""
    root = app_root()
    dialog = root and find(root, "dialog", "Pellimore Clip")
    if not dialog or not dialog.getState().contains(pyatspi.STATE_SHOWING):
        return None
    return dialog, find(dialog, "list", "Clips")


def entries(clips):
    """The list's children as (role, name, states) in order."""
    children = (clips.getChildAtIndex(index) for index in range(clips.childCount))
    return [(child.getRoleName(), child.name, child.getState()) for child in children]


def item_named(clips, start):
    children = (clips.getChildAtIndex(index) for index in range(clips.childCount))
    return next((child for child in children if child.getRoleName() == "list item"
                 and child.name.startswith(start)), None)


def wait_row(clips, start, state, what):
    """Waits for the row whose name starts with `start` to be in `state`."""
    return wait_for(what, lambda: (item := item_named(clips, start))
                    and item.getState().contains(state) and item)


def act(item, action):
    actions = item.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    if action not in names:
        raise Failure("%r offers %r, not %r" % (item.name, names, action))
    actions.doAction(names.index(action))


def alive(session):
    if session.app.poll() is not None or "FATAL SIGNAL" in session.debug_log():
        raise Failure("the app died with a screen reader listening")


def open_popup(session):
    session.xdotool("key", "shift+super+v")
    try:
        wait_for("the popup", session.popup)
        return wait_for("the popup's accessible tree", popup_tree)
    finally:
        alive(session)


def close_popup(session):
    session.xdotool("key", "Escape")
    wait_for("the popup to hide", lambda: session.popup() is None)


def history_texts(session):
    return [(entry.get("text"), entry.get("pinned")) for entry in session.history() or []]


def run(session):
    session.start_display()
    # The AT-SPI bus is up before the app starts, as with a screen reader;
    # its launcher is all our session bus can start.
    os.environ["DBUS_SESSION_BUS_ADDRESS"] = session.env["DBUS_SESSION_BUS_ADDRESS"] = \
        session.start_bus(os.path.join(session.root, "run"), "a11y-session", [(
            "org.a11y.Bus", LAUNCHER)])
    pyatspi.Registry.getDesktop(0)
    session.env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
    menu = os.path.join(session.root, "menu")
    # Registered before anything is shown, as a screen reader is.
    listener = Listener(*SCREEN_READER_EVENTS)
    session.app = session.start_app("--menu-commands", menu)
    for text in ("a11y alpha", "a11y beta", "a11y gamma"):
        session.copy_with_xclip(text)
        session.wait_for_text(text)
    target, target_file = session.start_target()

    dialog, clips = open_popup(session)
    field = find(dialog, "text", "Search clips")
    if not field or "Shift+Delete" not in field.description:
        raise Failure("no search field named Search clips that tells its keys: %r" % field)
    if not find(dialog, "push button", "Clear all"):
        raise Failure("no Clear all button")
    # Ages move on with the clock; everything else must read as shown.
    names = [(role, re.sub(r"just now|\d+ seconds? ago", "AGE", name))
             for role, name, _ in entries(clips)]
    if names != [("heading", "Recent"),
                 ("list item", "a11y gamma, 10 characters, AGE, Ctrl+1"),
                 ("list item", "a11y beta, 9 characters, AGE, Ctrl+2"),
                 ("list item", "a11y alpha, 10 characters, AGE, Ctrl+3")]:
        raise Failure("the list reads %r" % names)
    print("ok: the popup is a dialog with a named search field and one named item per entry")

    session.xdotool("key", "Down", "Down")
    alpha = wait_row(clips, "a11y alpha", pyatspi.STATE_SELECTED, "the third row selected")
    if not alpha.getState().contains(pyatspi.STATE_FOCUSED):
        raise Failure("the selected row does not have the focus")
    wait_for("focus and selection events for the row",
             lambda: listener.seen("focus:", "a11y alpha")
             and listener.seen("object:state-changed:selected", "a11y alpha"))
    print("ok: the selection and the focus follow the Down key, with their events")

    act(alpha, "pin")
    wait_for("alpha pinned in history.json",
             lambda: ("a11y alpha", True) in history_texts(session))
    wait_for("the list in sections", lambda: [(role, name.split(",")[0])
                                              for role, name, _ in entries(clips)] == [
        ("heading", "Pinned"), ("list item", "a11y alpha"), ("heading", "Recent"),
        ("list item", "a11y gamma"), ("list item", "a11y beta")])
    if "pinned" not in item_named(clips, "a11y alpha").name:
        raise Failure("a pinned row does not say so")
    print("ok: a row's pin action pins it, under a Pinned heading")

    # Keyboard only: the selection, left on the third row, follows alpha
    # when Ctrl+P unpins it; Up selects beta, Shift+Delete deletes it.
    session.xdotool("key", "Up", "Up", "ctrl+p")
    wait_for("alpha unpinned", lambda: ("a11y alpha", False) in history_texts(session))
    wait_for("the unpinned row's new name told, and said", lambda: (event := listener.seen(
        "object:property-change:accessible-name", "a11y alpha")) and "pinned" not in event.data
        and listener.seen("object:state-changed:showing", "Unpinned", "notification"))
    session.xdotool("key", "Up")
    wait_row(clips, "a11y beta", pyatspi.STATE_SELECTED, "beta selected")
    session.xdotool("key", "shift+Delete")
    wait_for("beta deleted", lambda: [t for t, _ in history_texts(session)] ==
             ["a11y gamma", "a11y alpha"])
    wait_for("beta gone from the list", lambda: item_named(clips, "a11y beta") is None)
    print("ok: Ctrl+P unpins and Shift+Delete deletes the selected row")

    # Clear all from the keyboard: Tab twice reaches it, Return asks with
    # the focus on Cancel, which keeps everything.
    session.xdotool("key", "Tab", "Tab")
    clear = find(dialog, "push button", "Clear all")
    wait_for("Clear all focused", lambda: clear.getState().contains(pyatspi.STATE_FOCUSED))
    session.xdotool("key", "Return")
    cancel = find(dialog, "push button", "Cancel")
    wait_for("Cancel focused", lambda: cancel.getState().contains(pyatspi.STATE_FOCUSED))
    wait_for("the question as an alert", lambda: listener.seen(
        "object:state-changed:showing", "Clear all 2 clips?", "alert"))
    if not cancel.description.startswith("Clear all 2 clips?"):
        raise Failure("Cancel does not say what it answers: %r" % cancel.description)
    # Escape leaves the question open: the next opening, at once, asks it
    # again and takes the keys.
    close_popup(session)
    dialog, clips = open_popup(session)
    cancel = find(dialog, "push button", "Cancel")
    wait_for("Cancel focused on opening", lambda: cancel.getState().contains(
        pyatspi.STATE_FOCUSED) and listener.focus() == "push button")
    session.xdotool("key", "Return")
    wait_for("Clear all focused again", lambda: clear.getState().contains(pyatspi.STATE_FOCUSED))
    if len(session.history()) != 2:
        raise Failure("Cancel changed the history")
    print("ok: Clear all asks from the keyboard and Cancel keeps the history")

    # Shift+Tab goes back to the list, where Down moves the selection and
    # the focus, and typing goes on in the search field.
    session.xdotool("key", "shift+Tab")
    wait_for("the selected row told as focused", lambda: listener.focus() == "list item")
    session.xdotool("key", "Down")
    wait_row(clips, "a11y alpha", pyatspi.STATE_FOCUSED, "alpha focused in the list")
    if item_named(clips, "a11y gamma").getState().contains(pyatspi.STATE_FOCUSED):
        raise Failure("a row other than the selected one has the focus")
    session.xdotool("type", "gam")
    wait_for("typing in the list to search", lambda: field.getState().contains(
        pyatspi.STATE_FOCUSED) and field.queryText().getText(0, -1) == "gam"
        and listener.focus() == "text")
    print("ok: the list takes the keyboard with Tab and passes typing to the search field")

    # No match is told once however the search grows; rows coming back are
    # told with the selected one.
    told = lambda: [event.name for event in listener.events if event.role == "notification"
                    and event.type == "object:state-changed:showing"]
    before = len(told())
    session.xdotool("type", "zz")
    wait_for("no matches told", lambda: listener.seen("object:state-changed:showing", "No matches"))
    session.xdotool("type", "z")
    session.xdotool("key", "BackSpace", "BackSpace", "BackSpace")
    wait_for("the rows back told", lambda: listener.seen(
        "object:state-changed:showing", "1 match, a11y gamma") and len(told()) - before == 2)
    close_popup(session)
    print("ok: no match and the rows coming back are each told once")

    # The whole flow through the accessibility tree alone: search, then the
    # row's default action pastes into the window that was in front.
    session.xdotool("windowfocus", "--sync", target)
    dialog, clips = open_popup(session)
    find(dialog, "text", "Search clips").queryEditableText().setTextContents("alpha")
    alpha = wait_for("only alpha listed", lambda: clips.childCount == 1 and
                     item_named(clips, "a11y alpha"))
    alpha.queryAction().doAction(0)
    wait_for("the paste in the target window", lambda: read(target_file) == "a11y alpha")
    wait_for("the popup to hide after the paste", lambda: session.popup() is None)
    print("ok: searching and pasting through the accessibility tree alone")

    session.xdotool("windowfocus", "--sync", target)
    dialog, clips = open_popup(session)
    session.xdotool("key", "Tab", "Tab", "Return")
    wait_for("Cancel focused", lambda: find(dialog, "push button", "Cancel").getState().contains(
        pyatspi.STATE_FOCUSED))
    session.xdotool("key", "Tab", "Return")
    wait_for("an empty history", lambda: session.history() == [])
    wait_for("the no-clips notification", lambda: (
        note := find(dialog, "notification")) and note.name.startswith("No clips yet."))
    print("ok: Clear all is confirmed from the keyboard and the empty state announced")

    close_popup(session)
    with open(menu, "w", encoding="utf-8") as pipe:
        pipe.write("About Pellimore Clip\n")
    about = wait_for("the About window", lambda: (root := app_root()) and find(
        root, "frame", "About Pellimore Clip"))
    texts = [(node.getRoleName(), node.name) for node in pyatspi.findAllDescendants(
        about, lambda node: node.getRoleName() in ("label", "image", "push button"))]
    if texts[:3] != [("image", "Pellimore"), ("label", "Pellimore Clip"),
                     ("label", "Version 1.0.0")] or ("push button", "Visit pellimore.example") \
            not in texts or len(texts) != 6:
        raise Failure("the About window reads %r" % texts)
    print("ok: the About window's texts are readable and its button named")

    # A full history, ten openings, every event listened to.
    for number in range(14):
        session.copy_with_xclip("a11y filler %02d" % number)
        session.wait_for_text("a11y filler %02d" % number)
    dialog, _ = open_popup(session)
    # The search kept from the last opening is selected whole: one key replaces it.
    session.xdotool("key", "BackSpace")
    wait_for("the kept search replaced", lambda: find(
        dialog, "text", "Search clips").queryText().getText(0, -1) == "")
    close_popup(session)
    for _ in range(10):
        open_popup(session)
        close_popup(session)
    print("ok: ten openings with every screen reader event listened to")

    # A copy lands under the open popup: its row is told at its place, and
    # the selection stays on the entry chosen.
    session.xdotool("windowfocus", "--sync", target)
    dialog, clips = open_popup(session)
    session.xdotool("key", "Down", "Down")
    wait_row(clips, "a11y filler 11", pyatspi.STATE_SELECTED, "filler 11 selected")
    session.copy_with_xclip("a11y live copy")
    added = wait_for("the new row told", lambda: listener.seen(
        "object:children-changed:add", data="a11y live copy"))
    if not clips.getChildAtIndex(added.detail1).name.startswith("a11y live copy"):
        raise Failure("the new row is told at %d, not where it is" % added.detail1)
    session.xdotool("key", "Return")
    wait_for("the chosen entry pasted", lambda: (read(target_file) or "").endswith(
        "a11y filler 11"))
    print("ok: a copy under the open popup is told, and the selection stays on its entry")


if __name__ == "__main__":
    sys.exit(main(run, "accessibility", ("Xvfb", "xclip", "xdotool", "dbus-daemon", LAUNCHER,
                                         "pyatspi" if pyatspi is None else None)))
