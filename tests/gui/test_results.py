"""Dunmerrow Results as a person uses it beside a running test: it shows
every line of BATTERY.TXT, sums up each battery, follows the file as it
grows and exports the table, and never writes the log."""

import csv as csvfile
import os

import xinput
from desktop import wait_until
from program import Element, Program
from scenario import Scenario

BATTERIES = [("Acme", "Alkaline", "2500"), ("Harbor Cells, Inc.", "Ni-MH", "2000"),
             ("Voltix", "Li-ion", "3000"), ("Brightcell", "Ni-Cd", "800")]
HEADERS = ["Line", "Port", "Receiver", "Battery maker", "Type", "mAh", "Start", "End",
           "Endurance", "Comments"]


def clock(seconds):
    return "%02d:%02d:%02d" % (seconds // 3600, seconds // 60 % 60, seconds % 60)


def run_line(number):
    """A unit's line as the program writes it; the endurances differ by
    battery and by run, one comment holds commas, one field is empty."""
    maker, kind, capacity = BATTERIES[number % 4]
    seconds = 3600 * (4 + number % 4) + 61 * number
    comments = "run %d, indoors" % number if number % 3 else ""
    fields = ["COM%d" % (number % 4 + 1), "Garmin eTrex (Product ID=130)", maker, kind, capacity,
              "Sat Oct 03 09:12:%02d 2026" % number, "Sat Oct 03 21:00:%02d 2026" % number,
              clock(seconds)]
    return ", ".join(fields) + ", " + comments + "\n", fields + [comments], seconds


class ResultsWindow(Program):
    def _main_window(self):
        for window in self.windows():
            if window.role == "frame" and window.name.endswith("Dunmerrow Results"):
                return window
        return None


class Results(Scenario):
    def open(self, args):
        results = ResultsWindow(self.desktop, args, self.workdir, name="results")
        self.programs.append(results)
        return results

    @staticmethod
    def rows(window, name):
        """The cells of a table, row by row, as a screen reader reads them."""
        table = window.control(name, "table").obj.queryTable()
        return [[table.getAccessibleAt(r, c).name for c in range(table.nColumns)]
                for r in range(table.nRows)]

    def test_reads_follows_and_exports(self):
        lines = [run_line(n) for n in range(20)]
        log = os.path.join(self.workdir, "BATTERY.TXT")
        with open(log, "w", encoding="utf-8") as out:
            out.writelines(text for text, _, _ in lines)
        # The main program opens the same window with --results.
        results = self.open([self.program_path, "--results", log])
        expected = [[str(n + 1)] + fields for n, (_, fields, _) in enumerate(lines)]
        self.assertEqual(self.rows(results, "Runs"), expected)

        # Each battery: its runs, their mean, the shortest and the longest.
        self.tab(results, "Batteries")
        summary = {tuple(row[:3]): row[3:] for row in self.rows(results, "Batteries")}
        for k, battery in enumerate(BATTERIES):
            times = [s for n, (_, _, s) in enumerate(lines) if n % 4 == k]
            self.assertEqual(summary[battery], [str(len(times)), clock(round(sum(times) / len(times))),
                                                clock(min(times)), clock(max(times))])

        # The chart tells a screen reader what it draws, longest mean first.
        self.assertTrue(results.control("Endurance chart").obj.description.startswith(
            "4 batteries, longest mean first: Brightcell \u00b7 Ni-Cd \u00b7 800 mAh"))

        # A test appends a line: it appears without a reload.
        extra, fields, _ = run_line(20)
        with open(log, "a", encoding="utf-8") as out:
            out.write(extra)
        wait_until(lambda: len(self.rows(results, "Runs")) == 21, 10, "the appended line")
        self.assertEqual(self.rows(results, "Runs")[-1], ["21"] + fields)

        # File > Export Table as CSV, the suggested name taken with Return.
        self.tab(results, "Runs")
        xinput.key("alt+f")
        wait_until(lambda: self.menu_item(results, "Export Table as CSV..."), 10, "the File menu")
        self.menu_item(results, "Export Table as CSV...").mouse_click()
        wait_until(lambda: self.dialog(results, "Export Table as CSV"), 10, "the save dialog")
        xinput.key("Return")
        csv = os.path.join(self.workdir, "BATTERY.csv")
        wait_until(lambda: os.path.exists(csv), 10, "the exported table")
        # Read back by Python's own reader: quoting is tst_csvwriter's.
        rows = [HEADERS] + [[str(n + 1)] + f for n, (_, f, _) in enumerate(lines + [run_line(20)])]
        with open(csv, encoding="utf-8", newline="") as exported:
            self.assertEqual(list(csvfile.reader(exported)), rows)
        with open(log, encoding="utf-8") as back:
            self.assertEqual(back.read(), "".join(t for t, _, _ in lines) + extra)

    @staticmethod
    def tab(window, name):
        window.control(name, "page tab").mouse_click()
        table = window.control(name, "table")
        wait_until(table.showing, 5, "the %s table to show" % name)

    @staticmethod
    def menu_item(window, name):
        for item in window.app.descendants():
            if item.role == "menu item" and item.name == name and item.showing():
                return item
        return None

    @staticmethod
    def dialog(window, title):
        for w in window.windows():
            if w.role in ("dialog", "file chooser") and w.name == title:
                return Element(w.obj)
        return None
