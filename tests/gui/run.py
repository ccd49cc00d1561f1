"""Runs gui scenarios, each in a private D-Bus session and on a desktop of
its own: `run.py test_boxes` (a module), `run.py test_boxes.Boxes` or
`run.py test_boxes.Boxes.test_missing_port`. Exits 77 (skipped) when the
desktop tools are not installed."""

import importlib.util
import os
import subprocess
import sys
import unittest
import warnings

HERE = os.path.dirname(os.path.abspath(__file__))
SKIPPED = 77
sys.path.insert(0, HERE)


def scenario_ids(names):
    suite = unittest.defaultTestLoader.loadTestsFromNames(names)

    def flatten(tests):
        for test in tests:
            if isinstance(test, unittest.TestSuite):
                yield from flatten(test)
            else:
                yield test.id()
    return list(flatten(suite))


def run_each(names):
    from desktop import missing_tools
    missing = missing_tools()
    if importlib.util.find_spec("pyatspi") is None:
        missing.append("python3-pyatspi")
    if missing:
        print("gui scenarios skipped, not installed: " + ", ".join(missing))
        return SKIPPED
    env = dict(os.environ, DUNMERROW_GUI_INNER="1", PYTHONDONTWRITEBYTECODE="1")
    failed = []
    # The accessibility library binds to the first bus it sees: one
    # process, one session and one desktop per scenario.
    for scenario in scenario_ids(names):
        status = subprocess.call(["dbus-run-session", "--", sys.executable, __file__, scenario],
                                 env=env, cwd=HERE)
        if status != 0:
            failed.append(scenario)
    for scenario in failed:
        print("FAILED: " + scenario)
    return 1 if failed else 0


def run_one(scenario):
    warnings.filterwarnings("ignore", category=DeprecationWarning)
    result = unittest.main(module=None, argv=["run.py", "-v", scenario], exit=False,
                           warnings="ignore").result
    return 0 if result.wasSuccessful() else 1


if __name__ == "__main__":
    if os.environ.get("DUNMERROW_GUI_INNER") == "1":
        sys.exit(run_one(sys.argv[1]))
    sys.exit(run_each(sys.argv[1:]))
