#!/usr/bin/env python3
"""A GTK 3 window for the GNOME test, Wayland-native under GDK_BACKEND=wayland.

Usage: gtk_window.py TITLE OUTPUT_FILE

Shows an entry and writes its text to OUTPUT_FILE on every change. Lines on
stdin copy from it: "text WORDS" or "image PNG_FILE"; end of input quits.
"""

import os
import sys

import gi

gi.require_version("Gdk", "3.0")
gi.require_version("Gtk", "3.0")
from gi.repository import Gdk, GdkPixbuf, GLib, Gtk  # noqa: E402


def main(title, output):
    window = Gtk.Window(title=title)
    window.set_default_size(400, 100)
    entry = Gtk.Entry()
    window.add(entry)

    def changed(field):
        with open(output + ".tmp", "w", encoding="utf-8") as file:
            file.write(field.get_text())
        os.replace(output + ".tmp", output)

    def command(source, _condition):
        line = source.readline()
        if not line:
            Gtk.main_quit()
            return False
        verb, _, argument = line.strip().partition(" ")
        clipboard = Gtk.Clipboard.get(Gdk.SELECTION_CLIPBOARD)
        if verb == "text":
            clipboard.set_text(argument, -1)
        elif verb == "image":
            clipboard.set_image(GdkPixbuf.Pixbuf.new_from_file(argument))
        return True

    entry.connect("changed", changed)
    window.connect("destroy", Gtk.main_quit)
    GLib.io_add_watch(sys.stdin, GLib.IO_IN | GLib.IO_HUP, command)
    window.show_all()
    Gtk.main()


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
