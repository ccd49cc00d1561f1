"""A test in a desktop session with a real session manager (xsm): a
checkpoint or a logout that the program calls off leaves the test running,
and a logout that goes through still logs the units that had finished."""

import os

from desktop import wait_until
from scenario import RECOVERY, Scenario
from sessionmanager import SessionManager

NOTE = ("A battery endurance test is running, so the desktop was asked not to end the session. "
        "The test goes on: log out or shut down once it has ended.")


class Session(Scenario):
    def test_logout(self):
        """Once Com1 has finished and Com2 still answers: a checkpoint, every
        client asked to commit all its data as desktops do now and then, is
        no thing to save, and the test goes on. A logout that lets clients
        speak: the program asks xsm to call it off, says why, and Com2 goes
        on answering. A logout that lets no client speak ends the program:
        Com1's line is logged, Com2, still running, gets none."""
        manager = SessionManager(self.workdir, self.artifacts)
        self.addCleanup(manager.stop)
        simulator = self.receivers({1: "garmin,life=2", 2: "magellan,life=120"})
        dun = self.start(env=dict(simulator.environment(), **manager.environment()))
        self.describe(dun, 1, "Garmin")
        self.describe(dun, 2, "Magellan")
        self.start_test(dun)
        wait_until(lambda: self.displays(dun, 1)[2], 40, "Com1 to finish")
        manager.checkpoint()
        self.desktop.screenshot("checkpoint")
        self.assertIsNone(dun.process.poll(), "the program ended with the checkpoint")
        manager.log_out("Any")
        dun.answer(NOTE)
        # xsm names the client that would not let the session end.
        manager.dismiss_save_failures()
        shown = self.displays(dun, 2)[1]
        wait_until(lambda: self.displays(dun, 2)[1] != shown, 10, "Com2 to answer on")
        line = self.logged_line(dun, 1)
        manager.log_out("None")
        self.assertEqual(dun.wait_exit(30), 0)
        self.assertEqual(self.log_text(), line)
        self.assertFalse(os.path.exists(os.path.join(self.workdir, RECOVERY)))
        self.assertEqual(manager.wait_exit(30), 0)
