"""Simulated receivers: gpssim in a process of its own, its pseudo-terminals
linked as <dir>/COM1..COM4."""

import os
import select
import subprocess
import time


class Receivers:
    def __init__(self, gpssim, directory, receivers, artifacts):
        """receivers: {port number: gpssim RECEIVER argument}, e.g.
        {1: "garmin,life=3", 3: "magellan,life=5"}."""
        args = [gpssim, "--dir", directory, "--linger", "60"]
        for port, receiver in sorted(receivers.items()):
            args += ["--com%d" % port, receiver]
        self.log = open(os.path.join(artifacts, "gpssim.log"), "ab")
        self.process = subprocess.Popen(args, stdout=subprocess.PIPE, stderr=self.log)
        self.devices = {}
        # Read unbuffered: gpssim prints its links together, and a buffered
        # readline would keep the later ones where select cannot see them.
        pending = b""
        deadline = time.monotonic() + 30
        while len(self.devices) < len(receivers):
            if time.monotonic() > deadline or self.process.poll() is not None:
                raise RuntimeError("gpssim did not start its receivers")
            ready, _, _ = select.select([self.process.stdout], [], [], 1)
            if not ready:
                continue
            pending += os.read(self.process.stdout.fileno(), 4096)
            *lines, pending = pending.split(b"\n")
            for line in lines:
                line = line.decode().strip()
                if line.startswith("DUNMERROW_COM"):
                    variable, link = line.split("=", 1)
                    self.devices[int(variable[-1])] = link

    def environment(self):
        """The variables that point the program's COMn at the receivers."""
        return {"DUNMERROW_COM%d" % port: link for port, link in self.devices.items()}

    def stop(self):
        """Ends gpssim as Ctrl-C would."""
        if self.process.poll() is None:
            self.process.terminate()
        self.process.communicate(timeout=15)
        self.log.close()
