#!/usr/bin/python3
"""What a screen reader sees, through AT-SPI on the session bus.

    atspi.py enable         turn accessibility on, as a screen reader does
    atspi.py dump APP       print "role|name|description" for every object of
                            the application named APP, waiting for it to appear
"""
import sys
import time

from gi.repository import Gio, GLib


def enable():
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    bus.call_sync('org.a11y.Bus', '/org/a11y/bus', 'org.freedesktop.DBus.Properties', 'Set',
                  GLib.Variant('(ssv)', ('org.a11y.Status', 'IsEnabled', GLib.Variant('b', True))),
                  None, Gio.DBusCallFlags.NONE, 5000, None)


def walk(accessible, depth=0):
    if depth > 20:
        return
    print('%s|%s|%s' % (accessible.getRoleName(), accessible.name or '',
                        accessible.description or ''))
    for i in range(accessible.childCount):
        child = accessible.getChildAtIndex(i)
        if child is not None:
            walk(child, depth + 1)


def dump(name):
    import pyatspi
    deadline = time.monotonic() + 15
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name.lower() == name.lower() and app.childCount:
                walk(app)
                return 0
        time.sleep(0.2)
    print('no application named %s' % name, file=sys.stderr)
    return 1


if __name__ == '__main__':
    if sys.argv[1:2] == ['enable']:
        enable()
    elif sys.argv[1:2] == ['dump'] and len(sys.argv) == 3:
        sys.exit(dump(sys.argv[2]))
    else:
        print(__doc__, file=sys.stderr)
        sys.exit(2)
