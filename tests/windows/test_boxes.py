"""The About item that the program adds to the window's system menu, which
only Windows has."""

import xinput
from desktop import wait_until
from winescenario import WineScenario
from wineprogram import geometry


class WineBoxes(WineScenario):
    def test_about_from_system_menu(self):
        """Alt+Space opens the window's system menu, whose last item is the
        program's own "About Dunmerrow..." (Up from the first item reaches
        it); it opens the box, centred over the dialog, and Esc closes it."""
        dun = self.start()
        xinput.click_at(*dun.place(86, 125, 87, 8))  # a display: it does nothing else
        xinput.key("alt+space")
        self.desktop.screenshot("system-menu")
        xinput.key("Up", "Return")
        about = wait_until(lambda: dun.window_named("About Dunmerrow"), 10, "the About box")
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

