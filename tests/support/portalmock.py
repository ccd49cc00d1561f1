"""A python3-dbusmock template of the desktop portal's Inhibit, for
`python3 -m dbusmock --template portalmock.py --logfile LOG`: each Inhibit
hands out a Request object of its own, whose Close ends it and takes it off
the bus, as the portal's does. The log names every call with its arguments.
The parameter "delay" holds each answer back that many seconds, as a portal
that is slow to start."""

BUS_NAME = "org.freedesktop.portal.Desktop"
MAIN_OBJ = "/org/freedesktop/portal/desktop"
MAIN_IFACE = "org.freedesktop.portal.Inhibit"
SYSTEM_BUS = False

CLOSE = "del objects[self.path]; self.remove_from_connection()"
INHIBIT = """time.sleep(self.delay)
self.requests += 1
ret = "%%s/request/%%d" %% (self.path, self.requests)
self.AddObject(ret, "org.freedesktop.portal.Request", {}, [("Close", "", "", %r)])""" % CLOSE


def load(mock, parameters):
    mock.requests = 0
    mock.delay = parameters.get("delay", 0)
    mock.AddMethod(MAIN_IFACE, "Inhibit", "sua{sv}", "o", INHIBIT)
