"""Whole tests with the Windows program: BATTERY.TXT as Windows writes text
files, with CR LF line ends, and the boxes of the run in their order; and
what the Windows shell gives it, the Start menu and the system menu."""

import os
import time

import xinput
from desktop import wait_until
from scenario import COMPLETED, NO_BATTERY, OFFER, RECOVERY
from wineprefix import START_MENU
from wineprogram import WineProgram, geometry
from winescenario import WineScenario

RESULTS_ENTRY = r"\Dunmerrow Results.lnk"
# Two units' lines that a test left for the next start.
KEPT = ["COM2, Garmin eTrex (Product ID=130), Acme, Alkaline, 2500, Sat Oct 03 09:12:00 2026, "
        "Sat Oct 03 14:12:00 2026, 05:00:00, spare set\n",
        "COM3, Magellan SporTrak Software Version 3.05 (Product ID=7), Voltix, Ni-MH, 2000, "
        "Sat Oct 03 09:12:00 2026, Sat Oct 03 16:12:00 2026, 07:00:00, \n"]

# What a call on a port whose opening failed fails with.
ERROR_INVALID_HANDLE = 6


class WineResults(WineProgram):
    """Dunmerrow Results' window, once it shows the log."""
    window_class = "dunmerrow-results.exe"

    def _main_window(self):
        return self.window_named("BATTERY.TXT - Dunmerrow Results")


class WineRuns(WineScenario):
    def test_garmin_and_streaming_magellan(self):
        """A Garmin and a Magellan that talks all the time: the Magellan's
        version answer is found amid its stream, its silence is seen once the
        stream ends, and the lines end as Windows text does. COM2 is set to a
        port the system does not have, as after an adapter was unplugged:
        every box of the set-up in its order, the "Error" boxes with Windows'
        own text, and the unit logged as silent at once."""
        self.receivers({1: "garmin,life=4,id=0x10F0,version=3.10,desc=GPS 12",
                        3: "magellan,life=6,id=7,version=3.05,desc=SporTrak,stream"})
        dun = self.start(["--com2", "COM9"])
        batteries = {1: ("Acme", "Alkaline", "2500", "spare set"), 2: NO_BATTERY,
                     3: ("Voltix", "Ni-MH", "", "new, from the shop")}
        for port, gps in ((1, "Garmin"), (2, "Garmin"), (3, "Magellan")):
            self.describe(dun, port, gps, batteries[port])
        self.desktop.screenshot("described")
        invalid_handle = self.winetool("message", str(ERROR_INVALID_HANDLE))[0].strip()
        self.start_test(dun)
        self.answer_unopened_port(dun, invalid_handle)
        self.desktop.screenshot("running")
        dun.answer(COMPLETED, timeout=50)
        lines = self.log_text().splitlines(keepends=True)
        self.assertEqual(len(lines), 3, lines)
        self.check_line(lines[0], 1, "Garmin GPS 12 (Product ID=4336)", batteries[1], 4)
        self.check_line(lines[1], 2, "Garmin ", batteries[2], 0)
        self.check_line(lines[2], 3, "Magellan SporTrak Software Version 3.05 (Product ID=7)",
                        batteries[3], 6)
        self.leave(dun)

    def test_from_start_menu(self):
        """The Start-menu entries start the programs in the user's Documents,
        never in their own folder under Program Files, which is not the
        user's to write in: Dunmerrow there offers the lines a test left
        beside it and appends them to the BATTERY.TXT beside them, and
        Dunmerrow Results, shipped beside it, opens that log. (Its exports
        are the gui results scenario's.) Alt+Space opens the window's system
        menu, whose last item is the program's own "About Dunmerrow..." (Up
        from the first item reaches it); it opens the box, centred over the
        dialog, and Esc closes it."""
        documents = self.prefix.documents()
        with open(os.path.join(documents, RECOVERY), "w", encoding="utf-8") as kept:
            kept.writelines(KEPT)
        dun = self.start(from_menu=True)
        dun.answer(OFFER % "".join(KEPT).rstrip("\n"), "Yes")
        xinput.click_at(*dun.place(86, 125, 87, 8))  # a display: it does nothing else
        xinput.key("alt+space")
        self.desktop.screenshot("system-menu")
        xinput.key("Up", "Return")
        about = wait_until(lambda: dun.window_named("About Dunmerrow"), 10, "the About box")
        self.desktop.screenshot("about")
        box_x, _, box_width, _ = geometry(about)
        x, _, width, _ = geometry(dun.window)
        # Qt centres the box's frame, as it guesses it, over the dialog's.
        self.assertLessEqual(abs((box_x + box_width / 2) - (x + width / 2)), width / 20)
        self.assertLess(box_width, width)
        xinput.key("Escape")
        wait_until(lambda: about not in dun.windows(), 10, "the About box to close")
        self.leave(dun)
        with open(os.path.join(documents, "BATTERY.TXT"), "rb") as log:
            self.assertEqual(log.read(), "".join(KEPT).replace("\n", "\r\n").encode())
        self.assertIsNone(self.log_text())
        results = WineResults(self.desktop, self.prefix, ["start", START_MENU + RESULTS_ENTRY],
                              self.workdir, by_shell=True)
        self.programs.append(results)
        time.sleep(2)
        self.desktop.screenshot("results")
