"""A real X session manager in the scenario's desktop: xsm, the X
Consortium's own, with a home of its own. Programs that get its
SESSION_MANAGER join its session as they would a desktop's. Its windows are
Athena widgets, which no accessibility tree knows: each button is an X
window of its own, found by its place in its window's rows and clicked with
X input, as a person would."""

import os
import re
import shlex
import subprocess

import xinput
from desktop import wait_until

INTERACT_STYLES = ("None", "Errors", "Any")


def _shown(class_name):
    """The shown window whose X class instance is class_name, or None."""
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--classname",
                            "^%s$" % class_name], stdout=subprocess.PIPE,
                           stderr=subprocess.DEVNULL).stdout.split()
    return int(found[0]) if found else None


WINDOW_LINE = re.compile(r"^(\s*)0x[0-9a-f]+ .*\s(\d+)x(\d+)[+-]\d+[+-]\d+\s+\+(-?\d+)\+(-?\d+)$")


def _tree(*args):
    """The windows xwininfo lists, as (depth, x, y, width, height) on screen."""
    lines = subprocess.run(["xwininfo", *args], stdout=subprocess.PIPE,
                           check=True).stdout.decode().splitlines()
    matches = (WINDOW_LINE.match(line) for line in lines)
    return [(len(m.group(1)), int(m.group(4)), int(m.group(5)), int(m.group(2)),
             int(m.group(3))) for m in matches if m]


def _rows(window):
    """The widgets of an Athena dialog as rows, top to bottom, each left to
    right: (x, y, width, height) on screen. The widgets are the children of
    the window's one child, its form."""
    windows = _tree("-tree", "-id", str(window))
    depth = windows[1][0]
    rows = {}
    for widget in sorted(w[1:] for w in windows[1:] if w[0] == depth):
        rows.setdefault(widget[1], []).append(widget)
    return [row for _, row in sorted(rows.items())]


def _click(widget):
    x, y, width, height = widget
    xinput.click_at(x + width // 2, y + height // 2)


class SessionManager:
    def __init__(self, directory, artifacts):
        self.home = os.path.join(directory, "xsm-home")
        os.makedirs(self.home)
        address = os.path.join(self.home, "address")
        # xsm starts the commands of this file in its session's environment.
        with open(os.path.join(self.home, ".xsmstartup"), "w") as startup:
            startup.write('echo "$SESSION_MANAGER" > %s\n' % shlex.quote(address))
        # Clients prove themselves with the cookies xsm writes here.
        self.iceauthority = os.path.join(self.home, ".ICEauthority")
        env = dict(os.environ, HOME=self.home, ICEAUTHORITY=self.iceauthority)
        with open(os.path.join(artifacts, "xsm.log"), "ab") as log:
            self.process = subprocess.Popen(["xsm", "-session", "gui"], env=env, stdout=log,
                                            stderr=log, cwd=self.home)

        def started():
            if self.process.poll() is not None:
                raise RuntimeError("xsm ended with status %d" % self.process.returncode)
            if not os.path.exists(address):
                return None
            with open(address) as text:
                return text.read().strip()
        self.address = wait_until(started, 20, "xsm to start its session")
        self.window = wait_until(lambda: _shown("xsm"), 20, "xsm's window")

    def environment(self):
        """What a program needs to join the session."""
        return {"SESSION_MANAGER": self.address, "ICEAUTHORITY": self.iceauthority}

    def checkpoint(self):
        """Asks every client to save its state, letting none speak, and
        returns once all have answered; the session goes on."""
        _click(self._buttons()[1][0])
        self._save("None")
        wait_until(lambda: not _shown("savePopup"), 30, "the checkpoint to end")

    def log_out(self, interact):
        """Shutdown, With Checkpoint: the clients save, and may object first
        if interact is "Any"."""
        button = self._buttons()[1][1]
        x, y, width, height = button
        # A menu button: pressed, its menu opens below it; released over the
        # first item, "With Checkpoint", it chooses that.
        subprocess.run(["xdotool", "mousemove", str(x + width // 2), str(y + height // 2),
                        "mousedown", "1"], check=True)
        menu = wait_until(lambda: self._menu_below(button), 10, "the Shutdown menu")
        subprocess.run(["xdotool", "mousemove", str(menu[0] + menu[2] // 2),
                        str(menu[1] + menu[3] // 4), "sleep", "0.2", "mouseup", "1"], check=True)
        self._save(interact)

    def dismiss_save_failures(self):
        """OK to xsm's box that lists the clients whose save failed."""
        box = wait_until(lambda: _shown("badSavePopup"), 20, "xsm's save failure box")
        _click(_rows(box)[-1][0])
        wait_until(lambda: not _shown("badSavePopup"), 10, "the save failure box to close")

    def wait_exit(self, timeout):
        return self.process.wait(timeout)

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait(10)

    def _buttons(self):
        """xsm's window brought to the front, as a person would, and its two
        rows of buttons: Client List, Session Log; Checkpoint, Shutdown."""
        subprocess.run(["xdotool", "windowactivate", "--sync", str(self.window)], check=True)
        return _rows(self.window)

    def _save(self, interact):
        """The dialog that Checkpoint and Shutdown open: the session's name on
        the first save, the interaction allowed, then its first button, which
        does it. It opens on the save type Both and Any; a choice clicked
        again would be unset, leaving none, which xsm does not survive."""
        rows = _rows(wait_until(lambda: _shown("savePopup"), 10, "xsm's save dialog"))
        if interact != "Any":
            _click(rows[2][1 + INTERACT_STYLES.index(interact)])
        # A session never saved needs a name; after whatever name the field
        # holds, a new one does as well.
        _click(rows[0][1])
        xinput.key("ctrl+e")
        xinput.type_text("gui")
        _click(rows[3][0])

    @staticmethod
    def _menu_below(button):
        # Athena's menus are override-redirect windows named by nothing: the
        # Shutdown menu is the window that opens just below its button.
        x, y, _, height = button
        for _, left, top, width, tall in _tree("-root", "-children"):
            if abs(left - x) < 10 and 0 <= top - (y + height) < 10:
                return left, top, width, tall
        return None
