"""The frame of every gui scenario: a desktop of its own, a scratch working
directory, the installed program and simulated receivers, and the few things
an operator does with Dunmerrow's dialog again and again."""

import os
import shutil
import tempfile
import unittest

import xinput
from desktop import Desktop, wait_until
from program import Program
from receivers import Receivers

ADVISORIES = [
    "If you are testing a Magellan, please set the baud rate to 4800 and message type to "
    "NEMA V2.x",
    "If you are testing a Garmin, please set the Interface I/O type to Garmin",
]
COMPLETED = "Test completed... all units did not reply"
CANCELLED = "Test cancelled by user"
EXIT_QUESTION = "Are you sure you want to exit?"


def seconds(endurance):
    hours, minutes, secs = (int(part) for part in endurance.split(":"))
    return hours * 3600 + minutes * 60 + secs


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


def artifacts_of(test):
    """A fresh folder for a scenario's screenshots and logs, named after it
    under $GUI_ARTIFACTS, which the tier keeps for a person to look at."""
    root = os.environ.get("GUI_ARTIFACTS", tempfile.gettempdir())
    path = os.path.join(root, test.id().split(".")[-1])
    shutil.rmtree(path, ignore_errors=True)
    os.makedirs(path)
    return path


class Scenario(unittest.TestCase):
    program_path = os.environ.get("DUNMERROW", "Dunmerrow")
    gpssim_path = os.environ.get("GPSSIM", "gpssim")
    # A Wayland session under weston instead of an X desktop.
    wayland = False

    def setUp(self):
        self.artifacts = artifacts_of(self)
        self.workdir = tempfile.mkdtemp(prefix="dunmerrow-gui-")
        self.addCleanup(shutil.rmtree, self.workdir, ignore_errors=True)
        self.desktop = Desktop(self.artifacts, wayland=self.wayland)
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

    def receivers(self, receivers, directory="ports"):
        simulator = Receivers(self.gpssim_path, os.path.join(self.workdir, directory), receivers,
                              self.artifacts)
        self.simulators.append(simulator)
        return simulator

    def start(self, env=None, program=None, args=(), preexec=None):
        dunmerrow = Program(self.desktop, [program or self.program_path, *args], self.workdir,
                            env, name="dunmerrow-%d" % (len(self.programs) + 1),
                            preexec=preexec)
        self.programs.append(dunmerrow)
        return dunmerrow

    def log_text(self):
        path = os.path.join(self.workdir, "BATTERY.TXT")
        if not os.path.exists(path):
            return None
        with open(path, encoding="utf-8", errors="replace") as log:
            return log.read()

    def seed_log(self, text):
        with open(os.path.join(self.workdir, "BATTERY.TXT"), "w", encoding="utf-8") as log:
            log.write(text)

    # --- what an operator does -------------------------------------------

    @staticmethod
    def tick(dun, port, by="click"):
        box = dun.control("Test on Com%d" % port, "check box")
        box.operate(by)
        wait_until(box.checked, 5, "Com%d to be ticked" % port)

    @staticmethod
    def choose(dun, list_name, item):
        """Opens a drop-down list with the mouse and picks the item by typing
        its first letters, as a person at a keyboard does."""
        combo = dun.control(list_name, "combo box")
        combo.mouse_click()
        xinput.type_text(item[:4])
        xinput.key("Return")
        wait_until(lambda: combo.name == item, 5, "%s to show %s" % (list_name, item))

    @staticmethod
    def type_into(dun, name, text):
        edit = dun.control(name, "text")
        edit.mouse_click()
        wait_until(lambda: edit.state("focused"), 5, name + " to take the focus")
        xinput.type_text(text)
        wait_until(lambda: edit.text() == text, 5, "%s to hold %r" % (name, text))

    def describe(self, dun, port, gps, battery=("", "Ni-MH", "", ""), by="click"):
        """Ticks the port (by a click, or by its accessibility action) and
        fills in its row: the GPS maker, then the battery's maker, type,
        capacity and comments."""
        maker, kind, capacity, comments = battery
        self.tick(dun, port, by)
        unit = "Com%d " % port
        if gps != "Garmin":
            self.choose(dun, unit + "GPS maker", gps)
        if kind != "Ni-MH":
            self.choose(dun, unit + "battery type", kind)
        for name, text in (("battery manufacturer", maker), ("battery capacity in mAh", capacity),
                           ("comments", comments)):
            if text:
                self.type_into(dun, unit + name, text)

    @staticmethod
    def start_test(dun, by="click"):
        dun.button("Start Test").operate("click" if by == "key" else by)
        for advisory in ADVISORIES:
            dun.answer(advisory, by=by)

    @staticmethod
    def displays(dun, port):
        """What the unit's three status displays show: start, last response,
        endurance, without the time texts' closing line break."""
        unit = "Com%d " % port
        return [dun.control(unit + what).text().rstrip("\n")
                for what in ("start time", "last response time", "endurance time")]

    def leave(self, dun, by="click"):
        """Ends the program through its exit question, as the operator must."""
        dun.button("OK").operate(by)
        dun.answer(EXIT_QUESTION, "Yes", by=by)
        self.assertEqual(dun.wait_exit(), 0)
