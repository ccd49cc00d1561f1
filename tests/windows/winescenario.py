"""A Windows scenario: the shared frame (scenario.py) with Wine's start-up,
a prefix of its own with Dunmerrow installed and COM1 to COM4 led to the
simulated receivers. BATTERY.TXT lands in the working directory on the Linux
side."""

import os
import re

from scenario import Scenario, battery_texts, check_found_silent
from wineprefix import PROGRAM, START_MENU, WinePrefix
from wineprogram import WineProgram

# ctime's text: day, month, day of the month, time and year.
CTIME = r"[A-Z][a-z]{2} [A-Z][a-z]{2} \d\d \d\d:\d\d:\d\d \d{4}"


class WineScenario(Scenario):
    template = os.environ.get("WINE_TEMPLATE_PREFIX", "")
    accessibility = False

    def setUp(self):
        super().setUp()
        if not os.path.isdir(self.template):
            self.fail("no prefix with Dunmerrow installed at %r" % self.template)
        self.prefix = WinePrefix(self.template, self.artifacts).copy_to(
            os.path.join(self.scratch, "prefix"), self.artifacts)
        self.addCleanup(self.prefix.kill)

    def window_manager_config(self):
        """openbox as it comes, but for Alt+Space: openbox would show its own
        window menu there, where Windows programs show their system menu."""
        with open("/etc/xdg/openbox/rc.xml", encoding="utf-8") as default:
            config = default.read()
        config = re.sub(r'<keybind key="A-space">.*?</keybind>', "", config, flags=re.S)
        path = os.path.join(self.scratch, "openbox-rc.xml")
        with open(path, "w", encoding="utf-8") as copy:
            copy.write(config)
        return path

    def receivers(self, receivers, directory="ports"):
        """gpssim's receivers, each on its COMn."""
        simulator = super().receivers(receivers, directory)
        self.prefix.lead_ports(simulator.devices)
        return simulator

    def start(self, args=(), from_menu=False):
        """Dunmerrow started in the working directory, or as the Start-menu
        entry starts it, through the shell."""
        argv = ["start", START_MENU + r"\Dunmerrow.lnk"] if from_menu else [PROGRAM, *args]
        program = WineProgram(self.desktop, self.prefix, argv, self.workdir, by_shell=from_menu)
        self.programs.append(program)
        return program

    def check_line(self, line, port, receiver, battery, life):
        """One unit's line as Windows writes text, field for field: the texts
        as typed, two times, and the endurance of a unit found silent after
        its battery's life."""
        pattern = r"COM%d, %s, %s%s, %s, (\d\d:\d\d:\d\d), %s\r\n" % (
            port, re.escape(receiver), re.escape(battery_texts(battery)), CTIME, CTIME,
            re.escape(battery[3]))
        found = re.fullmatch(pattern, line)
        self.assertIsNotNone(found, "COM%d's line is %r" % (port, line))
        check_found_silent(self, found.group(1), life, "COM%d" % port)

    def winetool(self, *args):
        """The lines a Windows program of the tests' own prints (winetool.c)."""
        tool = os.environ.get("WINETOOL", "winetool.exe")
        return self.prefix.run([tool, *args], timeout=60).stdout.decode().splitlines()
