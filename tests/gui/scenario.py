"""The frame of every gui and Windows scenario: a desktop of its own, a
scratch working directory, the program and simulated receivers, and the few
things an operator does with Dunmerrow's dialog again and again."""

import os
import re
import shutil
import tempfile
import unittest

from desktop import Desktop
from program import Program
from receivers import Receivers

ADVISORIES = [
    "If you are testing a Magellan, please set the baud rate to 4800 and message type to "
    "NEMA V2.x",
    "If you are testing a Garmin, please set the Interface I/O type to Garmin",
]
COMPLETED = "Test completed... all units did not reply"
EXIT_QUESTION = "Are you sure you want to exit?"
ETREX = "Garmin eTrex (Product ID=130)"
NO_BATTERY = ("", "Ni-MH", "", "")
EARLIER = "COM1, Garmin eTrex (Product ID=130), from an earlier test\n"
RECOVERY = "BATTERY.TXT.recovery"
# What the next start asks of the lines in RECOVERY.
OFFER = ("A test that ended before it could write its results left these lines in " + RECOVERY
         + ":\n\n%s\n\nAppend them to BATTERY.TXT? No discards them.")


def seconds(endurance):
    hours, minutes, secs = (int(part) for part in endurance.split(":"))
    return hours * 3600 + minutes * 60 + secs


def battery_texts(battery):
    """A battery's maker, type and capacity as its unit's line holds them."""
    return "".join(text + ", " if text else " ," for text in battery[:3])


def check_found_silent(test, endurance, life=0, what="", earliest=2):
    """A unit found silent at the first read after its battery's life ran
    out: the read comes one wait after a query, and the wait lasts until the
    run's whole-second clock has moved on by two. A second that ticks over
    between the start stamp and the wait, or between the wait and the read,
    adds one; a machine loaded enough to hold the program up for a second
    (-j 2, a sanitizer build beside it, Wine) adds another. An adapter
    pulled out takes the answer still waiting in it along: the read right
    after, up to two seconds sooner, finds nothing (earliest 0)."""
    ran = seconds(endurance)
    test.assertTrue(life + earliest <= ran <= life + 4,
                    "%s ran %s, not %d to 4 s past its life of %d s"
                    % (what, endurance, earliest, life))


class Scenario(unittest.TestCase):
    """Program and WineProgram offer the same hands: tick, choose,
    type_into, press, answer and wait_exit."""
    program_path = os.environ.get("DUNMERROW", "Dunmerrow")
    gpssim_path = os.environ.get("GPSSIM", "gpssim")
    # A Wayland session under weston instead of an X desktop.
    wayland = False
    accessibility = True

    def setUp(self):
        # A fresh folder for its screenshots and logs, named after it under
        # $GUI_ARTIFACTS, which the tier keeps for a person to look at.
        self.artifacts = os.path.join(os.environ.get("GUI_ARTIFACTS", tempfile.gettempdir()),
                                      self.id().split(".")[-1])
        shutil.rmtree(self.artifacts, ignore_errors=True)
        os.makedirs(self.artifacts)
        self.scratch = tempfile.mkdtemp(prefix="dunmerrow-gui-")
        self.addCleanup(shutil.rmtree, self.scratch, ignore_errors=True)
        self.workdir = os.path.join(self.scratch, "work")
        os.makedirs(self.workdir)
        self.desktop = Desktop(self.artifacts, accessibility=self.accessibility,
                               window_manager_config=self.window_manager_config(),
                               wayland=self.wayland)
        self.addCleanup(self.desktop.stop)
        self.desktop.start()
        self.programs = []
        self.simulators = []

    def tearDown(self):
        self.desktop.screenshot("last")
        for program in self.programs:
            program.kill()
        for simulator in self.simulators:
            simulator.stop()

    # --- setting the scene -----------------------------------------------

    def window_manager_config(self):
        return None

    def receivers(self, receivers, directory="ports"):
        simulator = Receivers(self.gpssim_path, os.path.join(self.scratch, directory), receivers,
                              self.artifacts)
        self.simulators.append(simulator)
        return simulator

    def start(self, env=None, program=None, preexec=None):
        dunmerrow = Program(self.desktop, [program or self.program_path], self.workdir, env,
                            name="dunmerrow-%d" % (len(self.programs) + 1), preexec=preexec)
        self.programs.append(dunmerrow)
        return dunmerrow

    def log_text(self):
        """BATTERY.TXT as it is, line ends and all; None where there is none."""
        path = os.path.join(self.workdir, "BATTERY.TXT")
        if not os.path.exists(path):
            return None
        with open(path, "rb") as log:
            return log.read().decode("utf-8", "replace")

    def seed_log(self, text):
        with open(os.path.join(self.workdir, "BATTERY.TXT"), "w", encoding="utf-8") as log:
            log.write(text)

    # --- what an operator does -------------------------------------------

    def describe(self, dun, port, gps, battery=NO_BATTERY, by="click"):
        """Ticks the port (by a click, or by its accessibility action) and
        fills in its row: the GPS maker, then the battery's maker, type,
        capacity and comments."""
        maker, kind, capacity, comments = battery
        dun.tick(port, by)
        if gps != "Garmin":
            dun.choose(port, "GPS maker", gps)
        if kind != "Ni-MH":
            dun.choose(port, "battery type", kind)
        for name, text in (("battery manufacturer", maker), ("battery capacity in mAh", capacity),
                           ("comments", comments)):
            if text:
                dun.type_into(port, name, text)

    @staticmethod
    def start_test(dun, by="click"):
        dun.press("Start Test", "click" if by == "key" else by)
        for advisory in ADVISORIES:
            dun.answer(advisory, by=by)

    @staticmethod
    def displays(dun, port):
        """What the unit's three status displays show: start, last response,
        endurance, without the time texts' closing line break."""
        unit = "Com%d " % port
        return [dun.control(unit + what).text().rstrip("\n")
                for what in ("start time", "last response time", "endurance time")]

    @staticmethod
    def answer_unopened_port(dun, invalid_handle, by="click"):
        """The boxes of a port that could not be opened, in their order: each
        later step of the set-up, and the time-outs of the run's own, fail
        on it as an invalid handle, in the system's words."""
        for text in ("Could not open com port",
                     "Problem setting com ports receive and transmit buffers", invalid_handle,
                     "Could not get comm state", invalid_handle, invalid_handle):
            dun.answer(text, by=by, caption="Error" if text == invalid_handle else None)

    def leave(self, dun, by="click"):
        """Ends the program through its exit question, as the operator must."""
        dun.press("OK", by)
        dun.answer(EXIT_QUESTION, "Yes", by=by)
        self.assertEqual(dun.wait_exit(), 0)

    # --- what is logged ----------------------------------------------------

    def logged_line(self, dun, port, version=ETREX, battery=NO_BATTERY):
        """The line a unit gets, from its displays; without the program, one
        of the same width."""
        times = self.displays(dun, port) if dun else ("T" * 24,) * 2 + ("0" * 8,)
        return "COM%d, %s, %s%s, %s, %s, %s\n" % (port, version, battery_texts(battery), *times,
                                                   battery[3])

    def check_logged(self, dun, receivers, versions, batteries=None, before=""):
        """Each unit's line holds what its displays show, and its endurance
        is what a unit found silent after its battery's life shows."""
        expected = before
        for port in sorted(receivers):
            life = int(re.search(r"life=(\d+)", receivers[port]).group(1))
            earliest = 0 if "unplug" in receivers[port] else 2
            check_found_silent(self, self.displays(dun, port)[2], life, "COM%d" % port, earliest)
            expected += self.logged_line(dun, port, versions[port],
                                         (batteries or {}).get(port, NO_BATTERY))
        self.assertEqual(self.log_text(), expected)
