#!/usr/bin/python3
"""Reads the program's window as a screen reader does, over AT-SPI.

Controls are found by where they stand in the window, in window pixels, because the toolkit
does not publish their object names.

  atspi_read.py expect X Y FIELD TEXT   waits until the control's FIELD (name, description,
                                        role or text) reads TEXT; fails after five seconds
  atspi_read.py act X Y ACTION          performs the named action of the control
  atspi_read.py absent X Y              no control is offered there

X Y of -1 -1 stand for the window itself.
"""
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

TITLE = "Orvane Zelkis"


def fail(message):
    print("atspi_read: " + message, file=sys.stderr)
    sys.exit(1)


def find_window():
    desktop = Atspi.get_desktop(0)
    desktop.clear_cache()
    for i in range(desktop.get_child_count()):
        application = desktop.get_child_at_index(i)
        if application is None:
            continue
        for j in range(application.get_child_count()):
            window = application.get_child_at_index(j)
            if window is not None and window.get_name() == TITLE:
                return window
    return None


def control_at(window, x, y):
    origin = window.get_extents(Atspi.CoordType.SCREEN)
    for i in range(window.get_child_count()):
        control = window.get_child_at_index(i)
        box = control.get_extents(Atspi.CoordType.SCREEN)
        left, top = box.x - origin.x, box.y - origin.y
        if left <= x < left + box.width and top <= y < top + box.height:
            return control
    return None


def field_of(control, field):
    if field == "name":
        return control.get_name()
    if field == "description":
        return control.get_description()
    if field == "role":
        return control.get_role_name()
    if field == "text":
        text = control.get_text_iface()
        return None if text is None else text.get_text(0, text.get_character_count())
    fail("unknown field " + field)


def poll(check, what):
    deadline = time.monotonic() + 5
    seen = None
    while time.monotonic() < deadline:
        window = find_window()
        if window is not None:
            done, seen = check(window)
            if done:
                return
        time.sleep(0.1)
    fail("%s: last seen %r" % (what, seen))


def main(arguments):
    command, x, y = arguments[0], int(arguments[1]), int(arguments[2])
    if command == "expect":
        field, want = arguments[3], arguments[4]

        def check(window):
            control = window if (x, y) == (-1, -1) else control_at(window, x, y)
            seen = None if control is None else field_of(control, field)
            return seen == want, seen

        poll(check, "%s at %d,%d is not %r" % (field, x, y, want))
    elif command == "act":
        action = arguments[3]

        def check(window):
            control = control_at(window, x, y)
            if control is None:
                return False, None
            names = [control.get_action_name(i) for i in range(control.get_n_actions())]
            if action not in names:
                return False, names
            control.do_action(names.index(action))
            return True, names

        poll(check, "no action %r at %d,%d" % (action, x, y))
    elif command == "absent":

        def check(window):
            control = control_at(window, x, y)
            return control is None, None if control is None else control.get_name()

        poll(check, "a control is offered at %d,%d" % (x, y))
    else:
        fail("unknown command " + command)


if __name__ == "__main__":
    main(sys.argv[1:])
