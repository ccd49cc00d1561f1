"""What a long test meets besides flat batteries: a log that cannot be
written, and a second copy of the program and the end of the display
mid-test. (A clock set mid-test is the four units' of test_runs.)"""

import os
import resource
import signal
import time

import xinput

from desktop import wait_until
from scenario import COMPLETED, EARLIER, OFFER, RECOVERY, Scenario


class Faults(Scenario):
    def test_disk_full(self):
        """The disk fills up in the middle of the lines: the box gives the
        system's reason and the line that did not get written, which can be
        copied out; only that line is kept, and the next start offers it."""
        earlier = EARLIER * 200
        self.seed_log(earlier)
        battery = ("Acme", "Alkaline", "2500", "spare set")
        # The file may grow by the first line and a part of the second.
        width = len(self.logged_line(None, 1, battery=battery))
        full = len(earlier.encode()) + width + 30

        def disk_fills():
            signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
            resource.setrlimit(resource.RLIMIT_FSIZE, (full, full))

        simulator = self.receivers({1: "garmin,life=1", 2: "garmin,life=2"})
        dun = self.start(env=simulator.environment(), preexec=disk_fills)
        for port in (1, 2):
            self.describe(dun, port, "Garmin", battery)
        self.start_test(dun)
        box = dun.next_box(40)
        wait_until(lambda: "spare set" in box.message(), 10, "the unwritten results")
        first, second = (self.logged_line(dun, port, battery=battery)
                         for port in (1, 2))
        text = [e for e in box.descendants() if e.role == "label" and "spare set" in e.name][0]
        text.mouse_click()
        xinput.key("ctrl+a", "ctrl+c")
        wait_until(lambda: second.rstrip("\n") in xinput.clipboard(), 10, "the line to be copied")
        dun.answer("Could not write the results to BATTERY.TXT: File too large\n\n"
                   "These results were not written:\n" + second.rstrip("\n"))
        dun.answer(COMPLETED)
        self.leave(dun)
        again = self.start()
        again.answer(OFFER % second.rstrip("\n"), "Yes")
        log = self.log_text()
        self.assertTrue(log.startswith(earlier + first) and log.endswith("\n" + second), log)
        self.assertEqual(log.count(second), 1)
        self.leave(again)

    def test_display_gone(self):
        """The X server gone with the session ends the program where it
        stands, in the middle of its run; the line of the unit that had
        finished, kept for a crash since it finished, is appended on its way
        out all the same. A second copy run in the same folder meanwhile, as
        two menu starts are, keeps off that line: it offers nothing, and its
        own test logs its own line alone."""
        simulator = self.receivers({1: "garmin,life=1", 2: "magellan,life=120"})
        dun = self.start(env=simulator.environment())
        self.describe(dun, 1, "Garmin")
        self.describe(dun, 2, "Magellan")
        self.start_test(dun)
        wait_until(lambda: self.displays(dun, 1)[2], 40, "Com1 to finish")
        line = self.logged_line(dun, 1)
        kept = os.path.join(self.workdir, RECOVERY)
        wait_until(lambda: os.path.exists(kept), 10, "the finished unit to be kept")
        simulator = self.receivers({3: "garmin,life=1"}, "ports-2")
        other = self.start(env=simulator.environment())
        time.sleep(2)
        self.assertEqual(other.boxes(), [])
        self.describe(other, 3, "Garmin")
        self.start_test(other)
        other.answer(COMPLETED, timeout=40)
        other_line = self.logged_line(other, 3)
        self.leave(other)
        with open(kept, encoding="utf-8") as text:
            self.assertEqual(text.read(), line)
        self.desktop.stop_display()
        dun.wait_exit(20)
        self.assertEqual(self.log_text(), other_line + line)
        self.assertFalse(os.path.exists(kept))
