"""What a long test meets besides flat batteries: a log that cannot be
written, a second copy of the program and the end of the display mid-test,
and a clock set mid-test."""

import os
import resource
import signal
import time

import xinput

from desktop import wait_until
from scenario import COMPLETED, EARLIER, OFFER, RECOVERY, Scenario, check_found_silent, seconds


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
        self.assertEqual(self.log_text(), other_line)
        with open(kept, encoding="utf-8") as text:
            self.assertEqual(text.read(), line)
        self.desktop.stop_display()
        dun.wait_exit(20)
        self.assertEqual(self.log_text(), other_line + line)
        self.assertFalse(os.path.exists(kept))

    def test_clock_steps(self):
        """The wall clock set back an hour, then forward two, mid-run (NTP,
        or a person at the clock): polling goes on at its pace, the endurance
        is the battery's, and the times shown and logged go on from the start
        as if nobody had touched the clock."""
        faketime = "/usr/lib/x86_64-linux-gnu/faketime/libfaketimeMT.so.1"
        if not os.path.exists(faketime):
            self.skipTest("needs libfaketime")
        offset = os.path.join(self.workdir, "clock-offset")
        with open(offset, "w") as out:
            out.write("+0\n")
        simulator = self.receivers({1: "garmin,life=10"})
        env = dict(simulator.environment(), LD_PRELOAD=faketime, FAKETIME_NO_CACHE="1",
                   FAKETIME_TIMESTAMP_FILE=offset, FAKETIME_DONT_FAKE_MONOTONIC="1")
        dun = self.start(env=env)
        self.describe(dun, 1, "Garmin")
        self.start_test(dun)
        for step in ("-1h", "+1h"):
            shown = self.displays(dun, 1)[1]
            wait_until(lambda: self.displays(dun, 1)[1] != shown, 10, "Com1 to answer")
            with open(offset, "w") as out:
                out.write(step + "\n")
        dun.answer(COMPLETED, timeout=40)
        start, last, endurance = self.displays(dun, 1)
        check_found_silent(self, endurance, 10, "Com1")
        shown = [time.mktime(time.strptime(text, "%a %b %d %H:%M:%S %Y")) for text in (start, last)]
        self.assertEqual(shown[1] - shown[0], seconds(endurance), (start, last))
        self.assertEqual(self.log_text(), self.logged_line(dun, 1))
        self.leave(dun)
