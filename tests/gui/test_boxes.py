"""The About box, as a person opens and closes it. (The boxes of a run, by
mouse and by keyboard, are the four units' of test_runs.)"""

import xinput
from desktop import wait_until
from scenario import Scenario


class Boxes(Scenario):
    def test_about_box(self):
        """The About box opens from its button and from F1, and closes
        from its OK button, from Esc and from the window manager's close."""
        dun = self.start()
        for opener, closer in (("About", "click"), ("F1", "Escape"), ("F1", "alt+F4")):
            if opener == "F1":
                # F1 goes to the active window: a click on a display, which
                # does nothing else, makes it the dialog.
                xinput.click_at(*dun.control("Com1 start time").centre())
                wait_until(lambda: dun.window.state("active"), 10, "the dialog to be active")
                xinput.key("F1")
            else:
                dun.button("About").mouse_click()
            about = wait_until(lambda: dun.window_named("About Dunmerrow"), 10, "the About box")
            self.assertIn("Dunmerrow Version 0.01 Alpha",
                          [e.name for e in about.descendants() if e.role == "label"])
            if closer == "click":
                about.find("OK", "push button").mouse_click()
            else:
                # Keys go to the active window, which on a loaded machine the
                # window manager makes of the new box a moment after it shows.
                wait_until(lambda: about.state("active"), 10, "the About box to be active")
                xinput.key(closer)
            wait_until(lambda: not about.showing(), 10, "the About box to close by " + closer)
            self.assertTrue(dun.window.showing())
        self.leave(dun)
