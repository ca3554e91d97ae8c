#!/usr/bin/env python3
"""A GTK window titled "Wayland target" whose entry's text goes to the file
named by its argument; stdin's lines "text WORDS" and "image PNG" copy."""
import os
import sys

import gi

gi.require_version("Gdk", "3.0")
gi.require_version("Gtk", "3.0")
from gi.repository import Gdk, GdkPixbuf, GLib, Gtk  # noqa: E402


def changed(entry):
    with open(sys.argv[1] + ".tmp", "w", encoding="utf-8") as file:
        file.write(entry.get_text())
    os.replace(sys.argv[1] + ".tmp", sys.argv[1])


def command(source, _condition):
    verb, _, argument = source.readline().strip().partition(" ")
    clipboard = Gtk.Clipboard.get(Gdk.SELECTION_CLIPBOARD)
    if verb == "text":
        clipboard.set_text(argument, -1)
    elif verb == "image":
        clipboard.set_image(GdkPixbuf.Pixbuf.new_from_file(argument))
    return bool(verb)


window = Gtk.Window(title="Wayland target")
window.add(Gtk.Entry())
window.get_child().connect("changed", changed)
GLib.io_add_watch(sys.stdin, GLib.IO_IN | GLib.IO_HUP, command)
window.show_all()
Gtk.main()
