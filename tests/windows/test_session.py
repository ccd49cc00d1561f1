"""The end of the Windows session during a test. Windows first asks every
program whether it may end (WM_QUERYENDSESSION): Dunmerrow says no while a
test runs and names the test as the reason, and the test goes on. When the
session ends all the same (WM_ENDSESSION), the finished units' lines are
appended before the program goes, and nothing waits for a click. (The
reason is taken back when the inhibitor that named it goes, whose life over
a run is the one tst_sleepinhibitor heldThroughRun follows on Linux.)"""

import os

from desktop import wait_until
from scenario import ETREX, NO_BATTERY
from winescenario import WineScenario

NOTE = ("A battery endurance test is running, so the desktop was asked not to end the session. "
        "The test goes on: log out or shut down once it has ended.")
REASON = 'L"Battery endurance test in progress"'
# Wine reports each call of these unfinished functions on its "graphics"
# channel, with its arguments: proof that the program named its reason.
WINE_REPORTS = "-all,fixme+graphics"


class WineSession(WineScenario):
    def reports(self):
        with open(self.artifacts + "/dunmerrow.log", errors="replace") as log:
            return [line for line in log if "ShutdownBlockReason" in line]

    def test_session_end_during_test(self):
        """Wine's own end of the session, as a logoff: refused while the test
        runs, with the reason named once and a note that holds up nothing; the
        test goes on. When the session ends all the same, as after "Sign out
        anyway", the unit that had finished is logged, the one still running
        is not, and the program is gone without a click."""
        self.prefix.env["WINEDEBUG"] = WINE_REPORTS
        self.receivers({1: "garmin,life=2", 2: "magellan,life=600"})
        dun = self.start()
        self.describe(dun, 1, "Garmin")
        self.describe(dun, 2, "Magellan")
        self.start_test(dun)
        wait_until(lambda: any(REASON in line for line in self.reports()), 10,
                   "the shutdown block reason")
        ended = self.prefix.run(["wineboot", "--end-session"], timeout=60, check=False)
        self.assertTrue(dun.running(), "the program ended: %r" % ended.stdout)
        dun.answer(NOTE)
        # COM1's battery runs out two seconds in; its silence begins at the
        # read of the cycle after and is confirmed eight seconds later, when
        # its line is kept for a crash.
        kept = os.path.join(self.workdir, "BATTERY.TXT.recovery")
        wait_until(lambda: os.path.exists(kept), 30, "COM1 to finish")
        answers = self.winetool("end-session", "Dunmerrow")
        self.desktop.screenshot("after-session")
        # Asked first, the program objected: a test is running.
        self.assertIn("query 0", answers)
        wait_until(lambda: not dun.running(), 10, "Dunmerrow to be gone")
        self.assertEqual(sum(REASON in line for line in self.reports()), 1)
        self.check_line(self.log_text(), 1, ETREX, NO_BATTERY, 2)
