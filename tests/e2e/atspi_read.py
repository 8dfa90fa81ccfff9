#!/usr/bin/python3
"""Reads the program's window as a screen reader does, over AT-SPI.

Controls are found by where they stand in the window, in window pixels, because the toolkit
does not publish their object names.

  atspi_read.py expect X Y FIELD TEXT   waits until the control's FIELD (name, role or text)
                                        reads TEXT; fails after five seconds
  atspi_read.py act X Y ACTION [LX LY]  performs the named action of the control; with LX LY,
                                        the control there must announce a new name then
  atspi_read.py absent X Y              no control is offered there
"""
import sys
import time
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

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


def stands_at(window, control, x, y):
    origin = window.get_extents(Atspi.CoordType.SCREEN)
    box = control.get_extents(Atspi.CoordType.SCREEN)
    left, top = box.x - origin.x, box.y - origin.y
    return left <= x < left + box.width and top <= y < top + box.height


def control_at(window, x, y):
    for i in range(window.get_child_count()):
        control = window.get_child_at_index(i)
        if stands_at(window, control, x, y):
            return control
    return None


def field_of(control, field):
    if field == "name":
        return control.get_name()
    if field == "role":
        return control.get_role_name()
    if field == "text":
        if "Text" not in control.get_interfaces():
            return None
        return Atspi.Text.get_text(control, 0, Atspi.Text.get_character_count(control))
    fail("unknown field " + field)


def poll(check, what):
    deadline = time.monotonic() + 30
    seen = None
    while time.monotonic() < deadline:
        window = find_window()
        if window is not None:
            done, seen = check(window)
            if done:
                return
        time.sleep(0.1)
    fail("%s: last seen %r" % (what, seen))


def run_events(seconds, until=lambda: False):
    context = GLib.MainContext.default()
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline and not until():
        while context.pending():
            context.iteration(False)
        time.sleep(0.02)


class NameChanges:
    """Collects the sources of name-change announcements from the moment it is made."""

    def __init__(self):
        self.sources = []
        self.listener = Atspi.EventListener.new(lambda event: self.sources.append(event.source))
        self.listener.register("object:property-change:accessible-name")
        # The program learns of the new listener through the registry before it sends to it.
        run_events(0.5)

    def heard_at(self, window, x, y):
        return any(stands_at(window, source, x, y) for source in self.sources)


def main(arguments):
    command, x, y = arguments[0], int(arguments[1]), int(arguments[2])
    if command == "expect":
        field, want = arguments[3], arguments[4]

        def check(window):
            control = control_at(window, x, y)
            seen = None if control is None else field_of(control, field)
            return seen == want, seen

        poll(check, "%s at %d,%d is not %r" % (field, x, y, want))
    elif command == "act":
        action = arguments[3]
        announcer = (int(arguments[4]), int(arguments[5])) if len(arguments) > 5 else None
        changes = NameChanges() if announcer else None

        def check(window):
            control = control_at(window, x, y)
            if control is None:
                return False, None
            count = Atspi.Action.get_n_actions(control)
            with warnings.catch_warnings():
                # Its replacement is not in the bindings of this libatspi.
                warnings.simplefilter("ignore", DeprecationWarning)
                names = [Atspi.Action.get_action_name(control, i) for i in range(count)]
            if action not in names:
                return False, names
            Atspi.Action.do_action(control, names.index(action))
            return True, names

        poll(check, "no action %r at %d,%d" % (action, x, y))
        if announcer:
            window = find_window()
            run_events(30, lambda: changes.heard_at(window, *announcer))
            if not changes.heard_at(window, *announcer):
                fail("no new name announced at %d,%d" % announcer)
    elif command == "absent":

        def check(window):
            control = control_at(window, x, y)
            return control is None, None if control is None else control.get_name()

        poll(check, "a control is offered at %d,%d" % (x, y))
    else:
        fail("unknown command " + command)


if __name__ == "__main__":
    main(sys.argv[1:])
