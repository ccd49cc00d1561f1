"""Every box the program shows can be answered with the mouse and with the
keyboard, whatever window it belongs to, and says who is speaking."""

import os
import shutil

import xinput
from desktop import wait_until
from program import Element
from scenario import COMPLETED, Scenario, check_found_silent


class Boxes(Scenario):
    def test_missing_port(self):
        """The commonest mistake with a USB adapter: a COMn that names no
        device. Every box of the set-up is answered, the ownerless "Error"
        box too, the unit is logged as silent at once, and a second run goes
        the same way. The first run is answered by clicks, the second by keys.
        A copy of the program called my.tester.exe captions its boxes
        "my.tester": its name without the directory and the last extension."""
        copy = os.path.join(self.workdir, "my.tester.exe")
        shutil.copy(self.program_path, copy)
        dun = self.start(env={"DUNMERROW_COM2": "/nonexistent/ttyX"}, program=copy)
        self.describe(dun, 2, "Garmin", ("", "Alkaline", "", ""))
        # What the operator pastes is one line: breaks and tabs become blanks.
        for name, pasted, shown in (("battery manufacturer", "Ac\tme\r\n", "Ac me "),
                                    ("battery capacity in mAh", "\n2500", " 2500"),
                                    ("comments", "first\nsecond", "first second")):
            xinput.put_on_clipboard(pasted)
            edit = dun.control("Com2 " + name, "text")
            edit.mouse_click()
            xinput.key("ctrl+v")
            self.assertEqual(edit.text(), shown)
        for run, by in enumerate(("click", "key")):
            self.start_test(dun, by)
            self.answer_unopened_port(dun, "Bad file descriptor", by)
            dun.answer(COMPLETED, by=by)
            check_found_silent(self, self.displays(dun, 2)[2], what="Com2")
            lines = self.log_text().splitlines(keepends=True)
            self.assertEqual(len(lines), run + 1)
            self.assertEqual(lines[-1], self.logged_line(dun, 2, "Garmin ", (
                "Ac me ", "Alkaline", " 2500", "first second")))
        self.leave(dun)

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
            about = Element(wait_until(lambda: self.about_window(dun), 10, "the About box"))
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

    @staticmethod
    def about_window(dun):
        for window in dun.windows():
            if window.name == "About Dunmerrow":
                return window.obj
        return None
