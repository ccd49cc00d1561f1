"""Whole tests as an operator runs them, against simulated receivers:
BATTERY.TXT gets exactly the lines the displays showed, and only when it
should."""

import os
import shutil
import time

import xinput
from desktop import wait_until
from scenario import COMPLETED, EARLIER, ETREX, Scenario, seconds

FAKETIME = "/usr/lib/x86_64-linux-gnu/faketime/libfaketimeMT.so.1"


class Runs(Scenario):
    def test_four_units(self):
        """Four units to the end, and what a long test meets besides flat
        batteries. Com1's adapter goes away for four seconds and comes back
        at the same link: it is opened again, and its unit goes on. Com2's
        adapter is pulled out for good, which ends its unit like a flat
        battery while the others go on. Com3 sends packets all the time and
        ends as quiet ones do. Com4 names no device, the commonest mistake
        with a USB adapter: every box of the set-up is answered from the
        keyboard, the ownerless "Error" boxes too, and the unit is logged as
        silent at once; what the operator pasted into its row is one line.
        The wall clock is set back an hour, then forward two, early in the run
        (NTP, or a person at the clock): the times shown and logged go on from
        the start as if nobody had touched it. The program is a copy called
        my.tester.exe, which captions its boxes "my.tester": its name without
        the directory and the last extension."""
        if not os.path.exists(FAKETIME):
            self.skipTest("needs libfaketime")
        receivers = {1: "garmin,life=20,id=130,desc=eTrex,vanish=10+4",
                     2: "magellan,life=3,id=7,version=3.05,desc=SporTrak,fault=unplug",
                     3: "garmin,life=4,id=0x10F0,version=3.10,desc=GPS 12,stream"}
        batteries = {1: ("Acme", "Alkaline", "2500", "spare set"),
                     2: ("Voltix", "Li-ion", "3000", "new, from the shop"),
                     3: ("Brightcell", "Ni-MH", "1800", "second charge"),
                     4: ("Ac me ", "Ni-Cd", " 2500", "first second")}
        versions = {1: "Garmin eTrex (Product ID=130)",
                    2: "Magellan SporTrak Software Version 3.05 (Product ID=7)",
                    3: "Garmin GPS 12 (Product ID=4336)", 4: "Garmin "}
        self.seed_log(EARLIER)
        simulator = self.receivers(receivers)
        offset = os.path.join(self.workdir, "clock-offset")
        with open(offset, "w") as out:
            out.write("+0\n")
        copy = os.path.join(self.workdir, "my.tester.exe")
        shutil.copy(self.program_path, copy)
        dun = self.start(program=copy, env=dict(
            simulator.environment(), DUNMERROW_COM4="/nonexistent/ttyX", LD_PRELOAD=FAKETIME,
            FAKETIME_NO_CACHE="1", FAKETIME_TIMESTAMP_FILE=offset, FAKETIME_DONT_FAKE_MONOTONIC="1"))
        for port in receivers:
            self.describe(dun, port, versions[port].split()[0], batteries[port])
        # Com4 is ticked as a screen reader's user ticks it, through the box's
        # Toggle action, which is no click: its row must open all the same.
        self.describe(dun, 4, "Garmin", ("", "Ni-Cd", "", ""), by="action")
        for name, pasted in (("battery manufacturer", "Ac\tme\r\n"),
                             ("battery capacity in mAh", "\n2500"), ("comments", "first\nsecond")):
            xinput.put_on_clipboard(pasted)
            dun.control("Com4 " + name, "text").mouse_click()
            xinput.key("ctrl+v")
        self.start_test(dun)
        self.answer_unopened_port(dun, "Bad file descriptor", by="key")
        for step in ("-1h", "+1h"):
            shown = self.displays(dun, 1)[1]
            wait_until(lambda: self.displays(dun, 1)[1] != shown, 10, "Com1 to answer")
            with open(offset, "w") as out:
                out.write(step + "\n")
        dun.answer(COMPLETED, timeout=60)
        self.check_logged(dun, {**receivers, 4: "life=0"}, versions, batteries, EARLIER)
        for port in receivers:
            start, last, endurance = self.displays(dun, port)
            shown = [time.mktime(time.strptime(text, "%a %b %d %H:%M:%S %Y"))
                     for text in (start, last)]
            self.assertEqual(shown[1] - shown[0], seconds(endurance), (port, start, last))
        self.leave(dun)


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
