"""What the operator types or pastes is what the log gets, one line a unit."""

from scenario import COMPLETED, Scenario
import xinput


class Editing(Scenario):
    def test_pasted_line_breaks(self):
        simulator = self.receivers({1: "garmin,life=1"})
        dun = self.start(env=simulator.environment())
        dun.tick(1)
        pasted = {"Com1 comments": ("first line\nsecond line", "first line second line"),
                  "Com1 battery manufacturer": ("Ac\tme\r\n", "Ac me "),
                  "Com1 battery capacity in mAh": ("\n2000", " 2000")}
        for name, (clipboard, shown) in pasted.items():
            xinput.put_on_clipboard(clipboard)
            edit = dun.control(name, "text")
            edit.mouse_click()
            xinput.key("ctrl+v")
            self.assertEqual(edit.text(), shown)
        self.start_test(dun)
        dun.answer(COMPLETED, timeout=30)
        start, last, endurance = self.displays(dun, 1)
        self.assertEqual(self.log_text(),
                         "COM1, Garmin eTrex (Product ID=130), Ac me , Ni-MH,  2000, %s, %s, %s, "
                         "first line second line\n" % (start, last, endurance))
        self.leave(dun)
