"""The frame of every Windows scenario: a desktop of its own, a Wine prefix
of its own with Dunmerrow installed, simulated receivers on COM1 to COM4,
and a working directory on the Linux side where BATTERY.TXT lands."""

import os
import re
import shutil
import tempfile
import unittest

from desktop import Desktop, wait_until
from receivers import Receivers
from scenario import ADVISORIES, CANCELLED, COMPLETED, EXIT_QUESTION, artifacts_of
from wineprefix import PROGRAM, START_MENU, WinePrefix
from wineprogram import WineProgram

# ctime's text: day, month, day of the month, time and year.
CTIME = r"[A-Z][a-z]{2} [A-Z][a-z]{2} \d\d \d\d:\d\d:\d\d \d{4}"


def window_manager_config(directory):
    """openbox as it comes, but for Alt+Space: openbox would show its own
    window menu there, where Windows programs show their system menu."""
    with open("/etc/xdg/openbox/rc.xml", encoding="utf-8") as default:
        config = default.read()
    config = re.sub(r'<keybind key="A-space">.*?</keybind>', "", config, flags=re.S)
    path = os.path.join(directory, "openbox-rc.xml")
    with open(path, "w", encoding="utf-8") as copy:
        copy.write(config)
    return path


class WineScenario(unittest.TestCase):
    gpssim_path = os.environ.get("GPSSIM", "gpssim")
    template = os.environ.get("WINE_TEMPLATE_PREFIX", "")

    def setUp(self):
        self.artifacts = artifacts_of(self)
        self.scratch = tempfile.mkdtemp(prefix="dunmerrow-wine-")
        self.addCleanup(shutil.rmtree, self.scratch, ignore_errors=True)
        self.workdir = os.path.join(self.scratch, "work")
        os.makedirs(self.workdir)
        self.desktop = Desktop(self.artifacts, accessibility=False,
                               window_manager_config=window_manager_config(self.scratch))
        self.addCleanup(self.desktop.stop)
        self.desktop.start()
        if not os.path.isdir(self.template):
            self.fail("no prefix with Dunmerrow installed at %r" % self.template)
        self.prefix = WinePrefix(self.template, self.artifacts).copy_to(
            os.path.join(self.scratch, "prefix"), self.artifacts)
        self.addCleanup(self.prefix.kill)
        self.simulators = []
        self.programs = []

    def tearDown(self):
        self.desktop.screenshot("last")
        for program in self.programs:
            program.kill()
        for simulator in self.simulators:
            simulator.stop()

    # --- setting the scene -------------------------------------------------

    def receivers(self, receivers):
        """gpssim's receivers, each on its COMn."""
        simulator = Receivers(self.gpssim_path, os.path.join(self.scratch, "ports"), receivers,
                              self.artifacts)
        self.simulators.append(simulator)
        self.prefix.lead_ports(simulator.devices)
        return simulator

    def start(self, args=(), from_menu=False):
        """Dunmerrow started in the working directory, or as the Start-menu
        entry starts it, through the shell."""
        argv = ["start", START_MENU + r"\Dunmerrow.lnk"] if from_menu else [PROGRAM, *args]
        program = WineProgram(self.desktop, self.prefix, argv, self.workdir, by_shell=from_menu)
        self.programs.append(program)
        return program

    def winetool(self, *args):
        """The lines a Windows program of the tests' own prints (winetool.c)."""
        tool = os.environ.get("WINETOOL", "winetool.exe")
        return self.prefix.run([tool, *args], timeout=60).stdout.decode().splitlines()

    def system_text(self, code):
        """What this Windows says for an error code."""
        return self.winetool("message", str(code))[0].strip()

    def log_bytes(self):
        path = os.path.join(self.workdir, "BATTERY.TXT")
        if not os.path.exists(path):
            return None
        with open(path, "rb") as log:
            return log.read()

    # --- what an operator does ---------------------------------------------

    def describe(self, dun, port, gps, battery=("", "Ni-MH", "", "")):
        maker, kind, capacity, comments = battery
        dun.tick(port)
        if gps != "Garmin":
            dun.choose(port, "GPS maker", gps)
        if kind != "Ni-MH":
            dun.choose(port, "battery type", kind)
        for name, text in (("battery manufacturer", maker), ("battery capacity in mAh", capacity),
                           ("comments", comments)):
            if text:
                dun.type_into(port, name, text)

    def start_test(self, dun):
        dun.press("Start Test")
        for advisory in ADVISORIES:
            dun.answer(advisory)

    def leave(self, dun):
        dun.press("OK")
        dun.answer(EXIT_QUESTION)
        wait_until(lambda: not dun.running(), 30, "Dunmerrow to end after Yes")
