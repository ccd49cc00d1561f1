"""Runs one gui or Windows scenario in a private D-Bus session and on a
desktop of its own: `run.py gui test_faults.Faults.test_disk_full` or `run.py
windows test_runs.WineRuns.test_from_start_menu`. gui scenarios skip
(status 77) where the desktop tools are not installed; Windows scenarios
never skip, since the Windows program is proven nowhere else: a missing
tool fails them."""

import importlib.util
import os
import shutil
import subprocess
import sys
import unittest
import warnings

HERE = os.path.dirname(os.path.abspath(__file__))
SKIPPED = 77
DESKTOP = ["Xvfb", "openbox", "xdotool", "xclip", "xdpyinfo", "xprop", "import"]
REQUIRED = {"gui": DESKTOP + ["/usr/libexec/at-spi-bus-launcher", "weston", "weston-screenshooter"],
            "windows": DESKTOP + ["/usr/lib/wine/wine64", "/usr/lib/wine/wineserver", "wrestool",
                                  "icotool"]}
TIER = sys.argv[1]
# Both tiers have a test_runs: the Windows tier's modules come first in its own.
sys.path[:0] = [os.path.join(HERE, os.pardir, "windows")] * (TIER == "windows") + [HERE]


def run_outside(scenario):
    missing = [tool for tool in REQUIRED[TIER] if shutil.which(tool) is None]
    if TIER == "gui" and importlib.util.find_spec("pyatspi") is None:
        missing.append("python3-pyatspi")
    if missing:
        print("%s scenarios need: %s (make deps-test installs them)" % (TIER, ", ".join(missing)))
        return SKIPPED if TIER == "gui" else 1
    env = dict(os.environ, DUNMERROW_GUI_INNER="1", PYTHONDONTWRITEBYTECODE="1")
    # The accessibility library binds to the first bus it sees: one
    # process, one session and one desktop per scenario.
    return subprocess.call(["dbus-run-session", "--", sys.executable, __file__, TIER, scenario],
                           env=env)


def run_one(scenario):
    warnings.filterwarnings("ignore", category=DeprecationWarning)
    result = unittest.main(module=None, argv=["run.py", "-v", scenario], exit=False,
                           warnings="ignore").result
    return 1 if not result.wasSuccessful() else SKIPPED if result.skipped else 0


if __name__ == "__main__":
    if os.environ.get("DUNMERROW_GUI_INNER") == "1":
        sys.exit(run_one(sys.argv[2]))
    sys.exit(run_outside(sys.argv[2]))
