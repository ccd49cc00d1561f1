"""The program under test as a person or a screen reader meets it: its
windows and controls are found through the accessibility tree, by role and
accessible name, and operated through X input (xinput.py). Only where
assistive technology is what is tried, and on Wayland, where no X input
reaches the program, are they operated through their accessibility actions
(by="action"), as a screen reader or voice control does: those bypass
modality just as pressing a button from inside the program would, so a
scenario presses only what a person could reach."""

import os
import signal
import subprocess

import xinput
from desktop import wait_until

BOX_TIMEOUT = 30


def _atspi():
    import pyatspi
    return pyatspi


class Element:
    """One accessible object: a window, a control or a box."""

    def __init__(self, obj):
        self.obj = obj

    @property
    def name(self):
        return self.obj.name

    @property
    def role(self):
        return self.obj.getRoleName()

    def state(self, state_name):
        return self.obj.getState().contains(getattr(_atspi(), "STATE_" + state_name.upper()))

    def showing(self):
        try:
            return self.state("showing")
        except Exception:
            return False  # the window has gone, and its objects with it

    def text(self):
        """What the control shows: an edit box's or a display's text, else its name."""
        try:
            return self.obj.queryText().getText(0, -1)
        except NotImplementedError:
            return self.obj.name

    def extents(self):
        box = self.obj.queryComponent().getExtents(_atspi().DESKTOP_COORDS)
        return box.x, box.y, box.width, box.height

    def centre(self):
        x, y, width, height = self.extents()
        return x + width // 2, y + height // 2

    def mouse_click(self):
        xinput.click_at(*self.centre())

    def operate(self, by="click"):
        """A click, or the control's own accessibility action, which Qt names
        first: Press for a button, Toggle for a check box."""
        if by == "click":
            self.mouse_click()
        else:
            self.obj.queryAction().doAction(0)

    def children(self):
        return [Element(child) for child in self.obj if child is not None]

    def descendants(self):
        for child in self.children():
            yield child
            yield from child.descendants()

    def labels(self):
        """What names the control: its own name, and the labels a screen
        reader reads for it (a list's name is the item it shows)."""
        names = [self.name]
        for relation in self.obj.getRelationSet():
            if relation.getRelationType() == _atspi().RELATION_LABELLED_BY:
                names += [relation.getTarget(i).name for i in range(relation.getNTargets())]
        return names

    def find(self, name, role=None):
        for element in self.descendants():
            if (role is None or element.role == role) and name in element.labels():
                return element
        raise LookupError("no %s named %r" % (role or "control", name))


class Box(Element):
    """A message box: its caption, its text and its buttons."""

    def message(self):
        texts = [e.text() for e in self.descendants() if e.role == "label" and e.name]
        return "\n".join(texts)

    def press(self, button="OK", by="click"):
        """Answers the box as a person would: a click on the button, or the
        keyboard ("key": the box is clicked on to focus it, then Return on
        its default button, or the button's underlined letter otherwise;
        "action": the button's Press action)."""
        target = self.find(button, "push button")
        # Read now: once the box has closed, its objects are gone.
        what = "the %r box to close after %s on %s" % (self.message(), by, button)
        if by in ("click", "action"):
            target.operate(by)
        else:
            xinput.click_at(*self._title_area())
            if target.state("is_default"):
                xinput.key("Return")
            else:
                xinput.key("alt+" + button[0].lower())
        wait_until(lambda: not self.showing(), 10, what)

    def _title_area(self):
        # A spot inside the box that is no button: left of its text.
        x, y, width, height = self.extents()
        return x + 8, y + height // 2


class BoxAnswering:
    """What both tiers' programs do with a box, whatever finds it: boxes()
    lists the boxes up, each with its caption (name), message() and press()."""

    def next_box(self, timeout=BOX_TIMEOUT):
        return wait_until(lambda: (self.boxes() or [None])[0], timeout, "a message box")

    def answer(self, text, button="OK", by="click", caption=None, timeout=BOX_TIMEOUT):
        """Waits for the next box, checks that it says `text` under its
        caption (by default the program's own), keeps a picture of it,
        answers it, and returns the box, gone by then."""
        box = self.next_box(timeout)
        self.desktop.screenshot("box")
        seen, expected = (box.name, box.message()), (caption or self.caption, text)
        if seen != expected:
            raise AssertionError("expected the box %r, saw %r" % (expected, seen))
        box.press(button, by)
        return box


class Program(BoxAnswering):
    def __init__(self, desktop, argv, cwd, env=None, name="program", preexec=None):
        self.desktop = desktop
        # The caption of its boxes: its file name without the last extension.
        self.caption = os.path.basename(argv[0]).rsplit(".", 1)[0]
        full_env = dict(os.environ)
        full_env.update(env or {})
        with open(os.path.join(desktop.artifacts, name + ".log"), "ab") as log:
            self.process = subprocess.Popen(argv, cwd=cwd, env=full_env, stdout=log,
                                            stderr=subprocess.STDOUT, preexec_fn=preexec)
        self.app = Element(wait_until(self._find_app, 30, "the program's accessible tree"))
        self.window = wait_until(self._main_window, 30, "the main window")
        self._controls = {}

    # --- reading ---------------------------------------------------------

    def windows(self):
        return [w for w in self.app.children() if w.showing()]

    def control(self, name, role=None):
        # Every question to the tree is a round trip to the program: a
        # control, once found, is kept.
        if (name, role) not in self._controls:
            self._controls[(name, role)] = self.window.find(name, role)
        return self._controls[(name, role)]

    def window_named(self, name):
        return next((w for w in self.windows() if w.name == name), None)

    def boxes(self):
        return [Box(w.obj) for w in self.windows() if w.role == "alert"]

    # --- what an operator does -----------------------------------------

    def tick(self, port, by="click"):
        box = self.control("Test on Com%d" % port, "check box")
        box.operate(by)
        wait_until(lambda: box.state("checked"), 5, "Com%d to be ticked" % port)

    def choose(self, port, list_name, item):
        """Opens a drop-down list with the mouse and picks the item by typing
        its first letters, as a person at a keyboard does."""
        combo = self.control("Com%d %s" % (port, list_name), "combo box")
        combo.mouse_click()
        xinput.type_text(item[:4])
        xinput.key("Return")
        wait_until(lambda: combo.name == item, 5, "%s to show %s" % (list_name, item))

    def type_into(self, port, name, text):
        edit = self.control("Com%d %s" % (port, name), "text")
        edit.mouse_click()
        wait_until(lambda: edit.state("focused"), 5, name + " to take the focus")
        xinput.type_text(text)
        wait_until(lambda: edit.text() == text, 5, "%s to hold %r" % (name, text))

    def press(self, name, by="click"):
        self.control(name, "push button").operate(by)

    # --- ending ----------------------------------------------------------

    def wait_exit(self, timeout=20):
        return self.process.wait(timeout)

    def kill(self):
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGKILL)
            self.process.wait(10)

    # --- finding ---------------------------------------------------------

    def _find_app(self):
        try:
            for app in self.desktop.registry.getDesktop(0):
                if app is not None and app.get_process_id() == self.process.pid:
                    return app
        except Exception:
            pass
        if self.process.poll() is not None:
            raise RuntimeError("the program ended with status %d" % self.process.returncode)
        return None

    def _main_window(self):
        return next((w for w in self.windows() if w.role == "dialog" and w.name == "Dunmerrow"),
                    None)

