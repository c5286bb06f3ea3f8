#!/usr/bin/python3
"""A desktop portal on the session bus, as a desktop's xdg-desktop-portal is
seen by programs: its settings, and a file chooser that only notes each call.

    fakeportal.py LOG [GROUP KEY TYPE VALUE]...

Owns org.freedesktop.portal.Desktop, serves each setting given (TYPE is a
GVariant type: u, s, ...) through org.freedesktop.portal.Settings, and writes
"FileChooser.METHOD TITLE" to LOG for each file chooser asked for. Prints
"ready" once it owns the name.
"""
import sys

from gi.repository import Gio, GLib

INTERFACES = '''
<node>
  <interface name="org.freedesktop.portal.Settings">
    <method name="Read">
      <arg type="s" name="namespace" direction="in"/>
      <arg type="s" name="key" direction="in"/>
      <arg type="v" name="value" direction="out"/>
    </method>
    <method name="ReadOne">
      <arg type="s" name="namespace" direction="in"/>
      <arg type="s" name="key" direction="in"/>
      <arg type="v" name="value" direction="out"/>
    </method>
    <method name="ReadAll">
      <arg type="as" name="namespaces" direction="in"/>
      <arg type="a{sa{sv}}" name="value" direction="out"/>
    </method>
    <signal name="SettingChanged">
      <arg type="s" name="namespace"/>
      <arg type="s" name="key"/>
      <arg type="v" name="value"/>
    </signal>
    <property name="version" type="u" access="read"/>
  </interface>
  <interface name="org.freedesktop.portal.FileChooser">
    <method name="OpenFile">
      <arg type="s" name="parent_window" direction="in"/>
      <arg type="s" name="title" direction="in"/>
      <arg type="a{sv}" name="options" direction="in"/>
      <arg type="o" name="handle" direction="out"/>
    </method>
    <property name="version" type="u" access="read"/>
  </interface>
</node>'''

log = sys.argv[1]
settings = {}
arguments = sys.argv[2:]
for i in range(0, len(arguments) - 3, 4):
    group, key, kind, value = arguments[i:i + 4]
    parsed = GLib.Variant(kind, int(value) if kind in 'uiyn' else value)
    settings.setdefault(group, {})[key] = parsed


def called(connection, sender, path, interface, method, parameters, invocation):
    if interface.endswith('.FileChooser'):
        with open(log, 'a') as out:
            out.write('FileChooser.%s %s\n' % (method, parameters[1]))
        invocation.return_value(GLib.Variant('(o)', ('/org/freedesktop/portal/desktop/request/0',)))
        return
    if method == 'ReadAll':
        wanted = parameters[0]
        found = {group: values for group, values in settings.items()
                 if not wanted or group in wanted}
        invocation.return_value(GLib.Variant('(a{sa{sv}})', (found,)))
        return
    group, key = parameters[0], parameters[1]
    value = settings.get(group, {}).get(key)
    if value is None:
        invocation.return_dbus_error('org.freedesktop.portal.Error.NotFound',
                                     'no setting %s %s' % (group, key))
    elif method == 'Read':
        # The portal's first version wraps the value in a second variant.
        invocation.return_value(GLib.Variant('(v)', (GLib.Variant('v', value),)))
    else:
        invocation.return_value(GLib.Variant('(v)', (value,)))


def property_read(connection, sender, path, interface, name):
    return GLib.Variant('u', 3 if interface.endswith('.FileChooser') else 2)


def acquired(connection, name):
    print('ready', flush=True)


def bus_acquired(connection, name):
    for interface in Gio.DBusNodeInfo.new_for_xml(INTERFACES).interfaces:
        connection.register_object('/org/freedesktop/portal/desktop', interface, called,
                                   property_read, None)


Gio.bus_own_name(Gio.BusType.SESSION, 'org.freedesktop.portal.Desktop',
                 Gio.BusNameOwnerFlags.NONE, bus_acquired, acquired,
                 lambda *_: sys.exit('could not own org.freedesktop.portal.Desktop'))
GLib.MainLoop().run()
