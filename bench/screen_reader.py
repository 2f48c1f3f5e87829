#!/usr/bin/python3
# Stands in for a screen reader during the waiting benchmark: asks the
# accessibility registry for every object, window and focus event, and takes
# them, so the editor's bridge has somewhere to send them.
import dbus, dbus.mainloop.glib, sys
from gi.repository import GLib
dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
session = dbus.SessionBus()
addr = session.get_object('org.a11y.Bus', '/org/a11y/bus').GetAddress(dbus_interface='org.a11y.Bus')
bus = dbus.bus.BusConnection(addr)
registry = bus.get_object('org.a11y.atspi.Registry', '/org/a11y/atspi/registry')
for ev in ['object:', 'window:', 'focus:']:
    registry.RegisterEvent(ev, dbus.Array([], signature='s'), '', dbus_interface='org.a11y.atspi.Registry')
count = [0]
def on_signal(*args, **kw): count[0] += 1
bus.add_signal_receiver(on_signal, interface_keyword='iface', member_keyword='member', path_keyword='path')
print('listening', flush=True)
loop = GLib.MainLoop()
GLib.timeout_add_seconds(120, loop.quit)
loop.run()
