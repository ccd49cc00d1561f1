"""A Windows of its own for each scenario: a Wine prefix with Dunmerrow
installed by its real installer, and COM1 to COM4 led to pseudo-terminals
through the registry, as Wine maps serial ports."""

import os
import shutil
import subprocess
import time

WINE_DIR = "/usr/lib/wine"
WINE = os.path.join(WINE_DIR, "wine64")
WINESERVER = os.path.join(WINE_DIR, "wineserver")
INSTALL_DIR = r"C:\Program Files\Dunmerrow"
PROGRAM = INSTALL_DIR + r"\Dunmerrow.exe"
START_MENU = r"C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Dunmerrow"


class WinePrefix:
    def __init__(self, path, artifacts):
        self.path = path
        self.artifacts = artifacts
        # Wine links the user's Documents, Desktop and the like to the Linux
        # home: a home of the prefix's own keeps what a scenario writes there
        # out of the real one.
        home = path + "-home"
        os.makedirs(home, exist_ok=True)
        self.env = dict(os.environ, WINEPREFIX=path, WINEARCH="win64", WINEDEBUG="-all",
                        HOME=home,
                        # No offer to download Mono or Gecko, which would
                        # wait for an answer nobody gives.
                        WINEDLLOVERRIDES="mscoree,mshtml=")

    # --- the prefix ---------------------------------------------------------

    def create(self):
        # Now and then, with other desktops starting beside it, a first
        # wineboot gives up at once; a second one in a clean folder works.
        for attempt in range(3):
            if self.run(["wineboot", "--init"], timeout=180, check=False).returncode == 0:
                self.wait_idle()
                return
            self.kill()
            shutil.rmtree(self.path, ignore_errors=True)
            time.sleep(2)
        raise RuntimeError("wineboot could not make a prefix at " + self.path)

    def copy_to(self, path, artifacts):
        """Another prefix with everything this one holds, for a scenario of
        its own: a prefix is a folder, and its wineserver is found by it.
        Its files are links to this prefix's, which nothing changes in
        place, but for the registry, which the scenario's Wine rewrites."""
        self.wait_idle()
        shutil.copytree(self.path, path, symlinks=True, copy_function=os.link)
        for name in os.listdir(self.path):
            if name.endswith(".reg"):
                os.unlink(os.path.join(path, name))
                shutil.copy2(os.path.join(self.path, name), os.path.join(path, name))
        # The user's folders lead to the home of the copy, not the original's.
        users = os.path.join(path, "drive_c", "users")
        for user in os.listdir(users):
            for name in os.listdir(os.path.join(users, user)):
                folder = os.path.join(users, user, name)
                if os.path.islink(folder) and os.readlink(folder) == self.env["HOME"]:
                    os.unlink(folder)
                    os.symlink(path + "-home", folder)
        return WinePrefix(path, artifacts)

    def drive_c(self, windows_path=""):
        """The Linux path of a path on drive C:."""
        relative = windows_path.replace("C:\\", "").replace("\\", "/")
        return os.path.join(self.path, "drive_c", relative)

    def wait_idle(self, timeout=60):
        """Until every Wine process of the prefix has ended."""
        subprocess.run([WINESERVER, "--wait"], env=self.env, timeout=timeout, check=False)

    def kill(self):
        subprocess.run([WINESERVER, "--kill"], env=self.env, timeout=30, check=False)

    # --- running Windows programs ------------------------------------------

    def run(self, argv, timeout=120, cwd=None, check=True):
        """A Windows program to its end; its output, decoded."""
        name = os.path.basename(argv[0]).split("\\")[-1]
        result = subprocess.run([WINE, *argv], env=self.env, cwd=cwd, timeout=timeout,
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        with open(os.path.join(self.artifacts, "wine-%s.log" % name), "ab") as log:
            log.write(b"$ %s\n%s\n%s\n" % (" ".join(argv).encode(), result.stdout,
                                           result.stderr))
        if check and result.returncode != 0:
            raise RuntimeError("%s ended with status %d" % (" ".join(argv), result.returncode))
        return result

    def start(self, argv, cwd, log_name):
        with open(os.path.join(self.artifacts, log_name + ".log"), "ab") as log:
            return subprocess.Popen([WINE, *argv], env=self.env, cwd=cwd, stdout=log,
                                    stderr=log)

    # --- the registry ------------------------------------------------------

    def value(self, key, name):
        """A value's data, or None when the key or the value is not there."""
        result = self.run(["reg", "query", key, "/v", name], check=False)
        for line in result.stdout.decode(errors="replace").splitlines():
            parts = line.split(None, 2)
            if len(parts) == 3 and parts[0] == name and parts[1].startswith("REG_"):
                return parts[2].strip()
        return None

    def lead_ports(self, devices):
        """COMn opens devices[n], a Linux path: {1: "/tmp/x/COM1"}. Wine makes
        its dosdevices links from these values when it starts, so the prefix
        is let go idle first."""
        for port, device in sorted(devices.items()):
            argv = ["reg", "add", r"HKLM\Software\Wine\Ports", "/v", "COM%d" % port, "/t",
                    "REG_SZ", "/d", device, "/f"]
            # The first Wine program in a fresh copy of the prefix, on a loaded
            # machine, once ended with status 1 before the scenario began;
            # it is run once more, after the prefix has gone idle.
            if self.run(argv, check=False).returncode != 0:
                self.wait_idle()
                self.run(argv)
        self.wait_idle()

    # --- Dunmerrow ---------------------------------------------------------

    def documents(self):
        """The Linux path of the Windows user's Documents folder."""
        users = os.path.join(self.path, "drive_c", "users")
        user = next(name for name in os.listdir(users) if name != "Public")
        return os.path.realpath(os.path.join(users, user, "Documents"))

    def installed(self, name=""):
        return self.drive_c(INSTALL_DIR + ("\\" + name if name else ""))
