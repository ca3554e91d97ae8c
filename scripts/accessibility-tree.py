#!/usr/bin/python3
"""Prints the accessibility tree of the running Pellimore Clip as a screen
reader reads it over AT-SPI: role, name, description, actions and the states
that matter to a listener, one object per line, indented by depth.

Run it with Debian's python3 (pyatspi) in the app's session bus.
"""

import sys

import pyatspi

STATES = {pyatspi.STATE_FOCUSED: "focused", pyatspi.STATE_SELECTED: "selected",
          pyatspi.STATE_SHOWING: "showing"}


def line(node):
    parts = [node.getRoleName(), repr(node.name)]
    if node.description:
        parts.append("description=%r" % node.description)
    try:
        actions = node.queryAction()
        names = [actions.getName(i) for i in range(actions.nActions)]
        if names:
            parts.append("actions=%s" % ",".join(names))
    except NotImplementedError:
        pass
    states = [label for state, label in STATES.items() if node.getState().contains(state)]
    if states:
        parts.append("[%s]" % " ".join(states))
    return " ".join(parts)


def dump(node, depth=0):
    # Hidden parts (the footer's other form, the empty state while rows
    # show) are left out, as a screen reader passes over them.
    if depth > 1 and not node.getState().contains(pyatspi.STATE_SHOWING):
        return
    print("  " * depth + line(node))
    for index in range(node.childCount):
        dump(node.getChildAtIndex(index), depth + 1)


def main():
    for application in pyatspi.Registry.getDesktop(0):
        if application is not None and application.name == "Pellimore Clip":
            application.clearCache()
            dump(application)
            return 0
    print("Pellimore Clip is not on the accessibility bus", file=sys.stderr)
    return 1


if __name__ == "__main__":
    sys.exit(main())
