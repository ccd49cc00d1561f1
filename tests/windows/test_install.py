"""The installer as a Windows user meets it, silent (/S): what it puts where,
the Start-menu entry, the entry to uninstall it, and the uninstaller. The
first scenario also leaves the prefix every other scenario starts from."""

import os
import re
import shutil
import struct
import subprocess

from scenario import Scenario
from wineprefix import INSTALL_DIR, PROGRAM, START_MENU, WinePrefix
from winescenario import WineScenario

MENU_ENTRIES = [r"\Dunmerrow.lnk", r"\Dunmerrow Results.lnk"]
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Dunmerrow"
SHIPPED = ["Dunmerrow.exe", "Dunmerrow-results.exe", "Qt6Core.dll", "Qt6Gui.dll", "Qt6Widgets.dll",
           r"platforms\qwindows.dll", "libstdc++-6.dll", "libgcc_s_seh-1.dll",
           "libwinpthread-1.dll", "README.txt", "LICENSE.txt",
           r"licenses\Qt\LGPL-3.0-only.txt", r"licenses\gcc-runtime\copyright"]


class Install(WineScenario):
    installer = os.environ.get("DUNMERROW_INSTALLER", "")

    def setUp(self):
        # The first scenario makes the prefix that the others copy.
        if self._testMethodName == "test_install":
            Scenario.setUp(self)
        else:
            super().setUp()

    def test_install(self):
        """A new prefix, the installer run in it; every scenario copies it.
        What Explorer shows of the installed Dunmerrow.exe: its version
        record, its icon in three sizes and the manifest it starts with."""
        self.assertTrue(os.path.isfile(self.installer), "no installer at %r" % self.installer)
        shutil.rmtree(self.template, ignore_errors=True)
        prefix = WinePrefix(self.template, self.artifacts)
        self.addCleanup(prefix.kill)
        prefix.create()
        # Silent (/S): every default taken, nothing asked.
        prefix.run([self.installer, "/S"], timeout=300)
        prefix.wait_idle()
        for name in SHIPPED:
            self.assertTrue(os.path.isfile(prefix.installed(name)), name + " not installed")
        for entry in MENU_ENTRIES:
            self.assertTrue(os.path.isfile(prefix.drive_c(START_MENU + entry)), entry)
        self.assertEqual(prefix.value(UNINSTALL_KEY, "DisplayName"), "Dunmerrow")
        self.assertEqual(prefix.value(UNINSTALL_KEY, "UninstallString"),
                         '"%s\\Uninstall.exe"' % INSTALL_DIR)
        program = prefix.installed("Dunmerrow.exe")

        def resource(kind, name, raw=True):
            return subprocess.run(["wrestool", "-x", *(["--raw"] if raw else []),
                                   "--type=%d" % kind, "--name=%d" % name, program],
                                  stdout=subprocess.PIPE, check=True).stdout
        version = resource(16, 1)
        fixed = struct.unpack_from("<13I", version, version.find(b"\xbd\x04\xef\xfe"))
        # File and product version 0.0.0.1, no flags, an application for
        # 32-bit Windows.
        self.assertEqual(fixed[2:6], (0, 1, 0, 1))
        self.assertEqual(fixed[7:10], (0, 4, 1))
        # The texts Explorer shows, each name followed by its value.
        texts = version.decode("utf-16-le", "ignore")
        for name, value in (("FileVersion", "0, 0, 0, 1"), ("ProductVersion", "0, 0, 0, 1"),
                            ("ProductName", "Dunmerrow"), ("FileDescription", "Dunmerrow"),
                            ("InternalName", "Dunmerrow"), ("OriginalFilename", "Dunmerrow.EXE")):
            self.assertRegex(texts, "%s\0+%s\0" % (name, re.escape(value)))
        # Icon 128 as an icon file: the group and the images it names.
        icons = subprocess.run(["icotool", "-l", "-"], input=resource(14, 128, raw=False),
                               stdout=subprocess.PIPE, check=True).stdout.decode()
        self.assertEqual(sorted(map(int, re.findall(r"--width=(\d+)", icons))), [16, 32, 48])
        self.assertIn(b'level="asInvoker"', resource(24, 1))

    def test_console_and_uninstall(self):
        """A program with a window still answers on the terminal, and the
        ports it saves go to the registry key the README names. Then the
        uninstaller takes away what the installer put in place."""
        prefix, scratch = self.prefix, self.scratch
        version = prefix.run([PROGRAM, "--version"], cwd=scratch)
        self.assertEqual(version.stdout.decode().strip(), "Dunmerrow Version 0.01 Alpha")
        # In a command prompt, a message written once the window's program is
        # under way reaches it too: a trace file it cannot write.
        trace = r"C:\no\such\folder\trace.txt"
        bad = prefix.run(["cmd", "/c", PROGRAM, "--trace", trace], cwd=scratch, check=False)
        self.assertIn("Dunmerrow: cannot write the traffic trace " + trace,
                      (bad.stdout + bad.stderr).decode(errors="replace"))
        saved = prefix.run([PROGRAM, "--com1", "COM7", "--save-ports"], cwd=scratch)
        self.assertIn("COM1 = COM7", saved.stdout.decode())
        self.assertEqual(prefix.value(r"HKCU\Software\dunmerrow\dunmerrow\ports", "COM1"), "COM7")
        prefix.run([INSTALL_DIR + r"\Uninstall.exe", "/S"])
        prefix.wait_idle()
        for name in SHIPPED:
            self.assertFalse(os.path.exists(prefix.installed(name)), name + " left behind")
        for entry in MENU_ENTRIES:
            self.assertFalse(os.path.exists(prefix.drive_c(START_MENU + entry)), entry)
        self.assertIsNone(prefix.value(UNINSTALL_KEY, "DisplayName"))
