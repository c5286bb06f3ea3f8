#!/usr/bin/python3
"""What a screen reader sees, through AT-SPI on the session bus.

    atspi.py enable         turn accessibility on, as a screen reader does
    atspi.py dump APP       print "role|name|description" for every object of
                            the application named APP, waiting for it to appear
    atspi.py events APP S   print "event|role|name|description" for each window
                            activation and focus change in APP, for S seconds;
                            "listening" first, once it listens
    atspi.py press APP NAME press the button named NAME in APP, as a screen
                            reader's user does, without input events
"""
import sys
import time

from gi.repository import Gio, GLib


def enable():
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    bus.call_sync('org.a11y.Bus', '/org/a11y/bus', 'org.freedesktop.DBus.Properties', 'Set',
                  GLib.Variant('(ssv)', ('org.a11y.Status', 'IsEnabled', GLib.Variant('b', True))),
                  None, Gio.DBusCallFlags.NONE, 5000, None)


# at-spi2-core 2.56 calls the push button's role "button": the same role,
# known by its value, is given one name on every release.
def role_name(accessible):
    import pyatspi
    if accessible.getRole() == pyatspi.ROLE_PUSH_BUTTON:
        return 'push button'
    return accessible.getRoleName()


def describe(accessible):
    return '%s|%s|%s' % (role_name(accessible), accessible.name or '',
                         accessible.description or '')


def walk(accessible, depth=0):
    if depth > 20:
        return
    print(describe(accessible))
    for i in range(accessible.childCount):
        child = accessible.getChildAtIndex(i)
        if child is not None:
            walk(child, depth + 1)


def application(name):
    import pyatspi
    deadline = time.monotonic() + 15
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name.lower() == name.lower() and app.childCount:
                return app
        time.sleep(0.2)
    print('no application named %s' % name, file=sys.stderr)
    return None


def dump(name):
    app = application(name)
    if app is None:
        return 1
    walk(app)
    return 0


def find(accessible, role, name, depth=0):
    if depth > 20 or accessible is None:
        return None
    if role_name(accessible) == role and accessible.name == name:
        return accessible
    for i in range(accessible.childCount):
        found = find(accessible.getChildAtIndex(i), role, name, depth + 1)
        if found is not None:
            return found
    return None


def press(name, button):
    app = application(name)
    found = find(app, 'push button', button) if app is not None else None
    if found is None:
        print('no button named %s' % button, file=sys.stderr)
        return 1
    action = found.queryAction()
    for i in range(action.nActions):
        if action.getName(i) in ('press', 'click', 'Press'):
            return 0 if action.doAction(i) else 1
    return 0 if action.doAction(0) else 1


def events(name, seconds):
    import pyatspi

    def heard(event):
        try:
            if event.source.getApplication().name.lower() != name.lower():
                return
            if event.type.startswith('object:state-changed') and not event.detail1:
                return
            print('%s|%s' % (event.type, describe(event.source)), flush=True)
        except Exception:  # the object may be gone already
            pass

    pyatspi.Registry.registerEventListener(heard, 'window:activate',
                                           'object:state-changed:focused')
    GLib.timeout_add(int(seconds * 1000), pyatspi.Registry.stop)
    GLib.idle_add(lambda: print('listening', flush=True))
    pyatspi.Registry.start()
    return 0


if __name__ == '__main__':
    if sys.argv[1:2] == ['enable']:
        enable()
    elif sys.argv[1:2] == ['dump'] and len(sys.argv) == 3:
        sys.exit(dump(sys.argv[2]))
    elif sys.argv[1:2] == ['press'] and len(sys.argv) == 4:
        sys.exit(press(sys.argv[2], sys.argv[3]))
    elif sys.argv[1:2] == ['events'] and len(sys.argv) == 4:
        sys.exit(events(sys.argv[2], float(sys.argv[3])))
    else:
        print(__doc__, file=sys.stderr)
        sys.exit(2)
