"""One isolated desktop per scenario: an X server of its own (Xvfb picks a
free display), a window manager, and the accessibility bus that screen
readers use; or, as a Wayland session, weston's headless compositor and a
stand-in for the desktop portal that GNOME and KDE run there. Run inside
`dbus-run-session`, so the buses are private. The Windows tier uses the X
desktop without the accessibility bus, which the Windows program under Wine
cannot reach."""

import glob
import os
import select
import shutil
import subprocess
import tempfile
import time

PORTAL_MOCK = os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, "support",
                           "portalmock.py")


def wait_until(condition, timeout, what):
    """Polls condition() until it returns something true; fails after timeout
    seconds, so that a hung program fails the scenario instead of CI."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise TimeoutError("gave up waiting for " + what)
        time.sleep(0.05)


class Desktop:
    def __init__(self, artifacts, accessibility=True, window_manager_config=None, wayland=False):
        self.artifacts = artifacts
        self.accessibility = accessibility
        self.window_manager_config = window_manager_config
        self.wayland = wayland
        self.processes = []
        self.shots = 0

    def start(self):
        if self.wayland:
            self._start_wayland()
        else:
            self._start_x()
            self._start_window_manager()
        if not self.accessibility:
            return
        self._spawn(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
        os.environ["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        os.environ["QT_QPA_PLATFORM"] = "wayland" if self.wayland else "xcb"
        os.environ["NO_AT_BRIDGE"] = "0"
        # Imported only now: it finds the accessibility bus when imported.
        import pyatspi
        self.registry = pyatspi.Registry
        wait_until(self._registry_answers, 15, "the accessibility registry")

    def stop(self):
        for process in reversed(self.processes):
            process.terminate()
        for process in reversed(self.processes):
            try:
                process.wait(5)
            except subprocess.TimeoutExpired:
                process.kill()
        if self.wayland:
            shutil.rmtree(os.environ["XDG_RUNTIME_DIR"], ignore_errors=True)

    def stop_display(self):
        """The X server goes, as at the end of a session: its clients lose
        their connection."""
        self.processes[0].terminate()
        self.processes[0].wait(10)

    def screenshot(self, name):
        """The whole screen as a person sees it, kept with the test's output."""
        self.shots += 1
        path = os.path.join(self.artifacts, "%02d-%s.png" % (self.shots, name))
        if not self.wayland:
            subprocess.run(["import", "-window", "root", path], check=False,
                           stderr=subprocess.DEVNULL)
            return path
        # weston-screenshooter names its file after the time, where it runs.
        subprocess.run(["weston-screenshooter"], cwd=self.artifacts, check=False, timeout=10,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for shot in glob.glob(os.path.join(self.artifacts, "wayland-screenshot-*.png")):
            os.rename(shot, path)
        return path

    def _start_x(self):
        read_end, write_end = os.pipe()
        self._spawn(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
                     "-nolisten", "tcp"], pass_fds=(write_end,))
        os.close(write_end)
        # Xvfb writes the number and the newline separately, and dies if the
        # pipe is gone before the newline: read the whole line.
        display = b""
        while not display.endswith(b"\n"):
            ready, _, _ = select.select([read_end], [], [], 15)
            chunk = os.read(read_end, 64) if ready else b""
            if not chunk:
                raise RuntimeError("Xvfb did not start")
            display += chunk
        os.close(read_end)
        display = display.decode().strip()
        os.environ["DISPLAY"] = ":" + display
        wait_until(lambda: subprocess.run(["xdpyinfo"], stdout=subprocess.DEVNULL,
                                          stderr=subprocess.DEVNULL).returncode == 0,
                   10, "the X server")

    def _start_wayland(self):
        """weston's headless backend, drawing with pixman so that screenshots
        show something; its debug protocol lets weston-screenshooter take
        them. The desktop portal is a stand-in of its Inhibit, which logs
        every call."""
        os.environ["XDG_RUNTIME_DIR"] = tempfile.mkdtemp(prefix="dunmerrow-wayland-")
        os.environ["WAYLAND_DISPLAY"] = "wayland-gui"
        os.environ.pop("DISPLAY", None)
        self._spawn(["weston", "--backend=headless-backend.so", "--socket=wayland-gui",
                     "--idle-time=0", "--use-pixman", "--debug", "--width=1280",
                     "--height=1024"])
        socket = os.path.join(os.environ["XDG_RUNTIME_DIR"], "wayland-gui")
        wait_until(lambda: os.path.exists(socket), 15, "weston")
        # dbusmock opens its log once it has its name on the bus.
        log = os.path.join(self.artifacts, "portal.log")
        self._spawn(["/usr/bin/python3", "-m", "dbusmock", "--template", PORTAL_MOCK,
                     "--logfile", log])
        wait_until(lambda: os.path.exists(log), 15, "the portal")

    def _start_window_manager(self):
        # A window manager announces itself on the root window; before that,
        # new windows are neither placed nor focused as on a real desktop.
        # While other desktops start beside this one, openbox now and then
        # fails to open a display that already answers: it gets three tries.
        command = ["openbox", "--sm-disable"]
        if self.window_manager_config:
            command += ["--config-file", self.window_manager_config]
        for attempt in range(3):
            openbox = self._spawn(command)
            started = wait_until(lambda: openbox.poll() is not None or b"window id" in self._run(
                ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"]), 30, "openbox")
            if openbox.poll() is None:
                return started
            self.processes.remove(openbox)
            time.sleep(1)
        raise RuntimeError("openbox did not start")

    def _registry_answers(self):
        try:
            return self.registry.getDesktop(0) is not None
        except Exception:
            return False

    def _spawn(self, argv, **kwargs):
        with open(os.path.join(self.artifacts, os.path.basename(argv[0]) + ".log"), "ab") as log:
            process = subprocess.Popen(argv, stdout=log, stderr=log, **kwargs)
        self.processes.append(process)
        return process

    @staticmethod
    def _run(argv):
        return subprocess.run(argv, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL).stdout
