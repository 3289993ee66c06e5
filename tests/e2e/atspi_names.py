#!/usr/bin/python3
"""What a screen reader reads of velmaron-config's main window on the AT-SPI bus: every
focusable control and group has a name of its own (not empty, not the window's title, not a
group's around it). Which names and descriptions: tests/app/accessibility_test.cpp.

    atspi_names.py [SECONDS]

Waits up to SECONDS (default 20) for the program on the bus; exits 1 listing what is wrong.
"""
import sys
import time

import pyatspi
from gi.repository import GLib

APPLICATION = "velmaron-config"
WINDOW_TITLE = "Velmaron Configuration"
GROUP_ROLES = ("panel", "grouping")


def find_application(seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for application in desktop:
            if application is not None and application.name == APPLICATION:
                return application
        time.sleep(0.3)
    return None


class Node:
    """What the bus said of one node, read once: a list row may be gone a moment later."""

    def __init__(self, node, groups):
        self.role = node.getRoleName()
        self.name = node.name
        self.focusable = node.getState().contains(pyatspi.STATE_FOCUSABLE)
        self.groups = groups
        self.holds_focusable = False


def walk(node, groups, found):
    """Every node below node, with its groups' names; whether any is focusable. A node gone
    before it is read is left out."""
    holds = False
    try:
        children = [child for child in node if child is not None]
    except GLib.GError:
        return False
    for child in children:
        try:
            seen = Node(child, groups)
        except GLib.GError:
            continue
        found.append(seen)
        inner = groups
        if seen.role in GROUP_ROLES and seen.name:
            inner = groups + [seen.name]
        seen.holds_focusable = walk(child, inner, found)
        holds = holds or seen.focusable or seen.holds_focusable
    return holds


def main():
    application = find_application(float(sys.argv[1]) if len(sys.argv) > 1 else 20)
    if application is None:
        print("atspi: %s is not on the accessibility bus" % APPLICATION)
        return 1
    found = []
    walk(application, [], found)
    problems = []
    controls = groups = 0
    for node in found:
        role, around = node.role, node.groups
        is_group = role in GROUP_ROLES and node.holds_focusable
        if not (node.focusable or is_group):
            continue
        groups += is_group
        controls += not is_group
        name = node.name
        if not name or name == WINDOW_TITLE or name in around:
            problems.append("%s %r in %s has no name of its own" % (role, name, around))
    if controls < 26:  # the window's focusable controls, as AccessibilityTest counts them
        problems.append("only %d focusable controls on the bus" % controls)
    for problem in problems:
        print("atspi: " + problem)
    if problems:
        return 1
    print("atspi: %d focusable controls and %d groups, each named" % (controls, groups))
    return 0


if __name__ == "__main__":
    sys.exit(main())
