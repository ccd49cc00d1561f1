"""Whole tests as an operator runs them, against simulated receivers:
BATTERY.TXT gets exactly the lines the displays showed, and only when it
should."""

import os
import re

from scenario import COMPLETED, EARLIER, ETREX, Scenario


class Runs(Scenario):
    def test_four_units(self):
        """Four units to the end. Com1's adapter goes away for four seconds and
        comes back at the same link: it is opened again, as the trace says,
        and its unit goes on. Com2's adapter is pulled out for good, which
        ends its unit like a flat battery while the others go on. Com3 sends
        packets all the time and ends as quiet ones do; Com4 answers three to
        six seconds late and is not taken for dead. --trace writes every
        exchange, silences too."""
        receivers = {1: "garmin,life=20,id=130,desc=eTrex,vanish=10+4",
                     2: "magellan,life=3,id=7,version=3.05,desc=SporTrak,fault=unplug",
                     3: "garmin,life=4,id=0x10F0,version=3.10,desc=GPS 12,stream",
                     4: "magellan,life=20,delay=3-6"}
        batteries = {1: ("Acme", "Alkaline", "2500", "spare set"),
                     2: ("Voltix", "Li-ion", "3000", "new, from the shop"),
                     3: ("Brightcell", "Ni-MH", "1800", "second charge"),
                     4: ("", "Ni-Cd", "", "")}
        versions = {1: "Garmin eTrex (Product ID=130)",
                    2: "Magellan SporTrak Software Version 3.05 (Product ID=7)",
                    3: "Garmin GPS 12 (Product ID=4336)",
                    4: "Magellan Meridian Color Software Version 1.50 (Product ID=31)"}
        self.seed_log(EARLIER)
        simulator = self.receivers(receivers)
        # The ports on the command line; the other scenarios give them in the environment.
        trace = os.path.join(self.workdir, "trace.txt")
        dun = self.start(args=simulator.arguments() + ["--trace", trace])
        # Com4 is ticked as a screen reader's user ticks it, through the box's
        # Toggle action, which is no click: its row must open all the same.
        for port, version in versions.items():
            self.describe(dun, port, version.split()[0], batteries[port],
                          by="action" if port == 4 else "click")
        self.start_test(dun)
        dun.answer(COMPLETED, timeout=60)
        self.check_logged(dun, receivers, versions, batteries, EARLIER)
        self.leave(dun)
        with open(trace, encoding="utf-8") as text:
            lines = text.readlines()
        self.assertIn("COM4 < nothing waiting", "".join(lines))
        com1 = "".join(line for line in lines if " COM1 " in line)
        # The link is named as it is followed, or alone when gpssim had not
        # yet put it back in place when the reopen looked it up.
        link = re.escape(simulator.devices[1])
        self.assertRegex(com1, r"COM1 read failed: .+\n(.*\n)*?.*COM1 reopen %s failed: .+\n"
                                r"(.*\n)*?.*COM1 reopen %s( -> /dev/pts/\d+)?\n" % (link, link))


class Wayland(Scenario):
    """The program as a native Wayland client of weston, where no X input
    exists: a whole test operated through the controls' accessibility actions
    alone, as a screen reader or voice control does. (What the desktop
    portal is asked is tst_sleepinhibitor's.)"""
    wayland = True

    def test_wayland(self):
        receivers = {1: "garmin,life=2", 3: "garmin,life=4"}
        versions = {port: ETREX for port in receivers}
        simulator = self.receivers(receivers)
        dun = self.start(env=simulator.environment())
        for port in receivers:
            dun.tick(port, by="action")
        self.start_test(dun, by="action")
        self.desktop.screenshot("running")
        dun.answer(COMPLETED, by="action")
        self.check_logged(dun, receivers, versions)
        self.leave(dun, by="action")
