"""Dunmerrow for Windows running under Wine, operated as a person does:
X input only, at places worked out from the dialog's layout in dialog units
and the window's size on screen. Wine has no bridge to the accessibility
tree, so a box is read the way a Windows user copies one: Ctrl+C on it puts
its caption and text on the clipboard, which Wine shares with X."""

import subprocess
import time

import xinput
from desktop import wait_until
from program import BOX_TIMEOUT, BoxAnswering

# The dialog's client area in dialog units.
DIALOG_WIDTH, DIALOG_HEIGHT = 362, 206
ROW_Y = [27, 45, 63, 81]
# Where the controls of a unit's row are, (x, width) at its row's y, 12 high.
ROW = {"check box": (10, 35), "GPS maker": (47, 47), "battery manufacturer": (106, 55),
       "battery type": (167, 48), "battery capacity in mAh": (220, 30), "comments": (253, 95)}
BUTTON_X = {"Start Test": 56, "OK": 122, "Cancel": 188, "About": 254}
BUTTON_Y, BUTTON_WIDTH, BUTTON_HEIGHT = 188, 50, 14
SEPARATOR = "---------------------------"


def _xdotool(*args):
    return subprocess.run(["xdotool", *args], stdout=subprocess.PIPE,
                          stderr=subprocess.DEVNULL).stdout.decode()


def window_name(window):
    return _xdotool("getwindowname", window).strip()


def geometry(window):
    """x, y, width and height of a window's inside on screen. xwininfo's
    absolute position is the window's own; xdotool's counts the window
    manager's frame in."""
    info = subprocess.run(["xwininfo", "-id", window], stdout=subprocess.PIPE,
                          stderr=subprocess.DEVNULL).stdout.decode()
    values = {}
    for line in info.splitlines():
        key, _, value = line.strip().partition(":")
        values[key] = value.strip()
    return tuple(int(values[key]) for key in ("Absolute upper-left X", "Absolute upper-left Y",
                                              "Width", "Height"))


class Box:
    """A message box on screen: its window and what Ctrl+C copied of it."""

    def __init__(self, program, window, caption, text):
        self.program, self.window, self.name, self.text = program, window, caption, text

    def message(self):
        return self.text

    def press(self, button="OK", by="key"):
        """From the keyboard: Return on the default button (OK, or Yes to a
        question), else the button's underlined letter."""
        xinput.key("Return" if button in ("OK", "Yes") else "alt+" + button[0].lower())
        wait_until(lambda: self.window not in self.program.windows(), 10,
                   "the box %r to close" % self.text)


class WineProgram(BoxAnswering):
    # Wine names a program's windows' class after its executable.
    window_class = "dunmerrow.exe"

    def __init__(self, desktop, prefix, argv, cwd, name="dunmerrow", by_shell=False):
        """by_shell: argv is a launcher that hands the program to the shell
        and ends; the program is then followed by its window alone."""
        self.desktop = desktop
        self.caption = "Dunmerrow"
        self.prefix = prefix
        self.by_shell = by_shell
        self.process = prefix.start(argv, cwd, name)
        self.window = None
        self.window = wait_until(self._main_window, 60, "Dunmerrow's window under Wine")

    # --- where things are ---------------------------------------------------

    def windows(self):
        """Every window of the program that is on screen, oldest first."""
        found = _xdotool("search", "--onlyvisible", "--class", self.window_class).split()
        return sorted(found, key=int)

    def window_named(self, name):
        return next((w for w in self.windows() if window_name(w) == name), None)

    def place(self, x, y, width, height):
        """The centre on screen of a rectangle given in dialog units. The
        window's client area is the whole dialog, DIALOG_WIDTH by
        DIALOG_HEIGHT units, so its size gives the units' size in pixels."""
        left, top, pixels_wide, pixels_high = geometry(self.window)
        centre_x = (x + width / 2) * pixels_wide / DIALOG_WIDTH
        centre_y = (y + height / 2) * pixels_high / DIALOG_HEIGHT
        return left + round(centre_x), top + round(centre_y)

    def row_control(self, port, name):
        x, width = ROW[name]
        return self.place(x, ROW_Y[port - 1], width, 12)

    def button(self, name):
        return self.place(BUTTON_X[name], BUTTON_Y, BUTTON_WIDTH, BUTTON_HEIGHT)

    # --- what an operator does ---------------------------------------------

    def tick(self, port, by="click"):
        xinput.click_at(*self.row_control(port, "check box"))

    def choose(self, port, list_name, item):
        """Opens the list with the mouse and picks the item by its first
        letters and Return."""
        shown = len(self.windows())
        xinput.click_at(*self.row_control(port, list_name))
        time.sleep(0.5)
        xinput.type_text(item[:4])
        xinput.key("Return")
        # The closing list takes the next click with it: on a loaded machine
        # it closes later than any pause, and a battery's maker typed next
        # was lost once. Its window gone, a moment more lets it finish.
        wait_until(lambda: len(self.windows()) <= shown, 10, "the list to close")
        time.sleep(0.5)

    def type_into(self, port, name, text):
        xinput.click_at(*self.row_control(port, name))
        time.sleep(0.3)
        xinput.type_text(text)
        time.sleep(0.2)

    def press(self, name, by="click"):
        xinput.click_at(*self.button(name))

    # --- boxes ----------------------------------------------------------------

    def boxes(self):
        return [window for window in self.windows() if window != self.window]

    def next_box(self, timeout=BOX_TIMEOUT):
        window = super().next_box(timeout)
        # The box is painted and takes keys once the window manager has
        # given it the focus.
        _xdotool("windowactivate", "--sync", window)
        time.sleep(0.3)
        return Box(self, window, *self._copy_box(window))

    def _copy_box(self, window):
        """Qt's boxes copy themselves on Ctrl+C as Windows' own do: caption,
        text and buttons between lines of dashes."""
        xinput.put_on_clipboard("(nothing copied)")
        for _ in range(3):
            xinput.key("ctrl+c")
            copied = wait_until(lambda: xinput.clipboard(), 5, "the clipboard")
            if SEPARATOR in copied:
                parts = [part.strip() for part in copied.replace("\r", "").split(SEPARATOR)]
                parts = [part for part in parts if part]
                return parts[0], parts[1]
            time.sleep(0.5)
        self.desktop.screenshot("box-not-copied")
        return window_name(window), None

    # --- ending -------------------------------------------------------------

    def running(self):
        if self.by_shell:
            return self.window is None or self.window in self.windows()
        return self.process.poll() is None

    def wait_exit(self, timeout=30):
        """The exit status; a program started through the shell leaves
        only its window to follow, and none."""
        wait_until(lambda: not self.running(), timeout, "Dunmerrow to end")
        return 0 if self.by_shell else self.process.wait(10)

    def kill(self):
        if self.by_shell:
            self.prefix.kill()
        elif self.running():
            self.process.kill()
            self.process.wait(10)

    def _main_window(self):
        if not self.running() and not self.by_shell:
            raise RuntimeError("Dunmerrow ended with status %d" % self.process.returncode)
        for window in self.windows():
            if window_name(window) == "Dunmerrow":
                left, top, width, height = geometry(window)
                # The dialog is wider than tall, as no box of it is.
                if width > 1.5 * height:
                    return window
        return None
