"""The boxes that are Windows' own: the system's texts in the "Error" box,
and the About item that the program adds to the window's system menu."""

import re

import xinput
from desktop import wait_until
from scenario import COMPLETED, check_found_silent
from winescenario import CTIME, WineScenario
from wineprogram import geometry, window_name

# What a call on a port whose opening failed fails with.
ERROR_INVALID_HANDLE = 6


class WineBoxes(WineScenario):
    def test_missing_port(self):
        """COM2 is set to a port the system does not have, as after an
        adapter was unplugged: every box of the set-up in its order, the
        "Error" boxes with Windows' own text, and the unit logged as silent
        at once while COM1 runs its course."""
        self.receivers({1: "garmin,life=3"})
        dun = self.start(["--com2", "COM9"])
        self.describe(dun, 1, "Garmin")
        self.describe(dun, 2, "Garmin", ("Acme", "Alkaline", "2500", ""))
        invalid_handle = self.winetool("message", str(ERROR_INVALID_HANDLE))[0].strip()
        self.start_test(dun)
        dun.answer("Could not open com port")
        dun.answer("Problem setting com ports receive and transmit buffers")
        dun.answer(invalid_handle, caption="Error")
        dun.answer("Could not get comm state")
        dun.answer(invalid_handle, caption="Error")
        # The time-outs of the run's own set-up fail on the same port.
        dun.answer(invalid_handle, caption="Error")
        dun.answer(COMPLETED, timeout=50)
        lines = self.log_bytes().decode().splitlines(keepends=True)
        self.assertEqual(len(lines), 2, lines)
        self.assertTrue(lines[0].startswith("COM1, Garmin eTrex (Product ID=130), "), lines[0])
        found = re.fullmatch(r"COM2, Garmin , Acme, Alkaline, 2500, %s, %s, (\d\d:\d\d:\d\d), "
                             r"\r\n" % (CTIME, CTIME), lines[1])
        self.assertIsNotNone(found, lines[1])
        check_found_silent(self, found.group(1), what="COM2")
        self.leave(dun)

    def test_about_from_system_menu(self):
        """Alt+Space opens the window's system menu, whose last item is the
        program's own "About Dunmerrow..." (Up from the first item reaches
        it); it opens the box, centred over the dialog, and Esc closes it."""
        dun = self.start()
        xinput.click_at(*dun.place(86, 125, 87, 8))  # a display: it does nothing else
        xinput.key("alt+space")
        self.desktop.screenshot("system-menu")
        xinput.key("Up", "Return")
        about = wait_until(lambda: self.about_window(dun), 10, "the About box")
        self.desktop.screenshot("about")
        box_x, box_y, box_width, box_height = geometry(about)
        x, y, width, height = geometry(dun.window)
        # Qt centres the box's frame, as it guesses it, over the dialog's.
        self.assertLessEqual(abs((box_x + box_width / 2) - (x + width / 2)), width / 20)
        self.assertLess(box_width, width)
        xinput.key("Escape")
        wait_until(lambda: about not in dun.windows(), 10, "the About box to close")
        self.assertTrue(dun.running())
        self.leave(dun)

    @staticmethod
    def about_window(dun):
        for window in dun.boxes():
            if window_name(window) == "About Dunmerrow":
                return window
        return None

