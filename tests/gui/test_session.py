"""A test in a desktop session with a real session manager (xsm): a
checkpoint or a logout that the program calls off leaves the test running
to its normal end, and a logout that goes through still logs the units that
had finished."""

import os

from desktop import wait_until
from scenario import COMPLETED, RECOVERY, Scenario
from sessionmanager import SessionManager

RECEIVERS = {1: "garmin,life=2", 2: "magellan,life=20"}
VERSIONS = {1: "Garmin eTrex (Product ID=130)",
            2: "Magellan Meridian Color Software Version 1.50 (Product ID=31)"}
NOTE = ("A battery endurance test is running, so the desktop was asked not to end the session. "
        "The test goes on: log out or shut down once it has ended.")


class Session(Scenario):
    def running_in_session(self):
        """A test in xsm's session, once Com1 has finished and Com2 still answers."""
        self.manager = SessionManager(self.workdir, self.artifacts)
        self.addCleanup(self.manager.stop)
        simulator = self.receivers(RECEIVERS)
        dun = self.start(env=dict(simulator.environment(), **self.manager.environment()))
        self.describe(dun, 1, "Garmin")
        self.describe(dun, 2, "Magellan")
        self.start_test(dun)
        wait_until(lambda: self.displays(dun, 1)[2], 40, "Com1 to finish")
        return dun

    def finish(self, dun):
        dun.answer(COMPLETED, timeout=40)
        self.check_logged(dun, RECEIVERS, VERSIONS)
        self.leave(dun)

    def test_logout_called_off(self):
        """A checkpoint, every client asked to commit all its data as
        desktops do now and then: the test is no thing to save, and goes on.
        Then a logout that lets clients speak: the program asks xsm to call
        it off, says why, and the test goes on."""
        dun = self.running_in_session()
        self.manager.checkpoint("Both", "None")
        self.desktop.screenshot("checkpoint")
        self.assertIsNone(dun.process.poll(), "the program ended with the checkpoint")
        self.manager.log_out("Both", "Any")
        dun.answer(NOTE)
        # xsm names the client that would not let the session end.
        self.manager.dismiss_save_failures()
        self.finish(dun)

    def test_logout_goes_through(self):
        """A logout that lets no client speak ends the program: Com1's line
        is logged, Com2, still running, gets none."""
        dun = self.running_in_session()
        line = self.logged_line(dun, 1)
        self.manager.log_out("Both", "None")
        self.assertEqual(dun.wait_exit(30), 0)
        self.assertEqual(self.log_text(), line)
        self.assertFalse(os.path.exists(os.path.join(self.workdir, RECOVERY)))
        self.assertEqual(self.manager.wait_exit(30), 0)
