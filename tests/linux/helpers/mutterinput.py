#!/usr/bin/python3
"""Keys and clicks for GNOME's compositor, mutter, through its remote desktop
interface on the session bus: one session, created, started and kept on one
connection, so that the compositor sees a keyboard and a pointer that last.

    mutterinput.py      says "ready", then reads lines from standard input:
        keys CODE...    press and release each evdev key code in turn;
                        +CODE holds a key down, -CODE lets it go
        type TEXT       type TEXT on a US keyboard
        move DX DY      move the pointer by DX, DY
        click           press and release the left button
"""
import sys
import time

from gi.repository import Gio, GLib

SHIFT = 42
LEFT_BUTTON = 0x110
# US keyboard: the evdev code of each character, and whether it needs Shift.
CODES = {}
for row, codes in (('1234567890-=', range(2, 14)), ('qwertyuiop[]', range(16, 28)),
                   ("asdfghjkl;'", range(30, 41)), ('zxcvbnm,./', range(44, 54))):
    for char, code in zip(row, codes):
        CODES[char] = (code, False)
for row, codes in (('!@#$%^&*()_+', range(2, 14)), ('QWERTYUIOP{}', range(16, 28)),
                   ('ASDFGHJKL:"', range(30, 41)), ('ZXCVBNM<>?', range(44, 54))):
    for char, code in zip(row, codes):
        CODES[char] = (code, True)
CODES[' '] = (57, False)


class Session:
    def __init__(self):
        self.bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
        self.path = self.call('/org/gnome/Mutter/RemoteDesktop', 'org.gnome.Mutter.RemoteDesktop',
                              'CreateSession', None)[0]
        self.session('Start', None)

    def call(self, path, interface, method, args):
        reply = self.bus.call_sync('org.gnome.Mutter.RemoteDesktop', path, interface, method, args,
                                   None, Gio.DBusCallFlags.NONE, 5000, None)
        return reply.unpack() if reply else None

    def session(self, method, args):
        return self.call(self.path, 'org.gnome.Mutter.RemoteDesktop.Session', method, args)

    def key(self, code, down):
        self.session('NotifyKeyboardKeycode', GLib.Variant('(ub)', (code, down)))

    def press(self, code):
        self.key(code, True)
        self.key(code, False)
        time.sleep(0.02)

    def type(self, text):
        for char in text:
            code, shift = CODES[char]
            if shift:
                self.key(SHIFT, True)
            self.press(code)
            if shift:
                self.key(SHIFT, False)

    def move(self, dx, dy):
        self.session('NotifyPointerMotionRelative', GLib.Variant('(dd)', (dx, dy)))

    def click(self):
        self.session('NotifyPointerButton', GLib.Variant('(ib)', (LEFT_BUTTON, True)))
        time.sleep(0.05)
        self.session('NotifyPointerButton', GLib.Variant('(ib)', (LEFT_BUTTON, False)))


def main():
    session = Session()
    print('ready', flush=True)
    for line in sys.stdin:
        command, _, rest = line.rstrip('\n').partition(' ')
        if command == 'keys':
            for word in rest.split():
                if word[0] in '+-':
                    session.key(int(word[1:]), word[0] == '+')
                else:
                    session.press(int(word))
        elif command == 'type':
            session.type(rest)
        elif command == 'move':
            dx, dy = rest.split()
            session.move(float(dx), float(dy))
        elif command == 'click':
            session.click()
        print('done', flush=True)
    return 0


if __name__ == '__main__':
    sys.exit(main())
