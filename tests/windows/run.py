"""Runs Windows scenarios, each in a process of its own: `run.py
test_runs.WineRuns.test_whole_run`. Unlike the gui tier it never skips:
a tool that is missing fails the scenario, since the Windows program is
proven nowhere else."""

import os
import shutil
import sys
import unittest
import warnings

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path[:0] = [HERE, os.path.join(HERE, "..", "gui")]

REQUIRED = ["/usr/lib/wine/wine64", "/usr/lib/wine/wineserver", "Xvfb", "openbox", "xdotool",
            "xclip", "xdpyinfo", "xprop", "import", "wrestool", "icotool"]


def main(names):
    missing = [tool for tool in REQUIRED if shutil.which(tool) is None]
    if missing:
        print("Windows scenarios need: " + ", ".join(missing) + " (make deps-test installs them)")
        return 1
    warnings.filterwarnings("ignore", category=DeprecationWarning)
    result = unittest.main(module=None, argv=["run.py", "-v", *names], exit=False).result
    return 0 if result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
