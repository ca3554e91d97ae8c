#!/usr/bin/python3
"""A stand-in for the desktop portal's global shortcuts on the session bus:
answers through Request objects named as the portal names them, binds the
shortcut asked for, printing "bound ID TRIGGER", and emits Activated for it
on each line read. Prints "ready" once it owns its name. Needs Debian's
python3-gi, hence the system interpreter."""

import sys

from gi.repository import Gio, GLib

PATH = "/org/freedesktop/portal/desktop"
SHORTCUTS = "org.freedesktop.portal.GlobalShortcuts"
INTERFACE = Gio.DBusNodeInfo.new_for_xml("""<node><interface name="%s">
  <method name="CreateSession"><arg type="a{sv}"/><arg type="o" direction="out"/></method>
  <method name="BindShortcuts"><arg type="o"/><arg type="a(sa{sv})"/><arg type="s"/>
    <arg type="a{sv}"/><arg type="o" direction="out"/></method>
  <property name="version" type="u" access="read"/></interface></node>""" % SHORTCUTS)
bound = []


def call(bus, sender, path, interface, method, args, invocation):
    # PATH/KIND/SENDER/TOKEN, SENDER being the caller's unique name without
    # its colon and with underscores for dots.
    def named(kind, token):
        return "%s/%s/%s/%s" % (PATH, kind, sender[1:].replace(".", "_"), token)
    if method == "CreateSession":
        results = {"session_handle": GLib.Variant("s", named("session", args[0][
            "session_handle_token"]))}
    else:
        (shortcut, properties), = args[1]
        bound[:] = [args[0], shortcut]
        print("bound", shortcut, properties["preferred_trigger"], flush=True)
        results = {"shortcuts": GLib.Variant("a(sa{sv})", [
            (shortcut, {"trigger_description": GLib.Variant("s", "Shift+Logo+V")})])}
    request = named("request", args[-1]["handle_token"])
    invocation.return_value(GLib.Variant("(o)", (request,)))
    GLib.idle_add(lambda: bus.emit_signal(None, request, "org.freedesktop.portal.Request",
                                          "Response", GLib.Variant("(ua{sv})", (0, results))))


def activate(bus):
    if not sys.stdin.readline():
        loop.quit()
        return False
    bus.emit_signal(None, PATH, SHORTCUTS, "Activated",
                    GLib.Variant("(osta{sv})", (bound[0], bound[1], 0, {})))
    return True


loop = GLib.MainLoop()
bus = Gio.bus_get_sync(Gio.BusType.SESSION)
bus.register_object(PATH, INTERFACE.interfaces[0], call, lambda *_: GLib.Variant("u", 1))
Gio.bus_own_name_on_connection(bus, "org.freedesktop.portal.Desktop", 0,
                               lambda *_: print("ready", flush=True))
GLib.io_add_watch(sys.stdin, GLib.IO_IN | GLib.IO_HUP, lambda *_: activate(bus))
loop.run()
