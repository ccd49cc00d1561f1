"""Dunmerrow Results as a person uses it beside a running test: it shows
every line of BATTERY.TXT, sums up each battery, follows the file as it
grows and exports the table and the chart, and never writes the log."""

import csv as csvfile
import os
import re
import struct
import subprocess

import xinput
from desktop import wait_until
from program import Program
from scenario import Scenario

BATTERIES = [("Acme", "Alkaline", "2500"), ("Harbor Cells, Inc.", "Ni-MH", "2000"),
             ("Voltix", "Li-ion", "3000"), ("Brightcell", "Ni-Cd", "800")]
HEADERS = ["Line", "Port", "Receiver", "Battery maker", "Type", "mAh", "Start", "End",
           "Endurance", "Comments"]


def run_line(number):
    """A unit's line as the program writes it; the endurances differ by
    battery and by run, one comment holds commas, one field is empty."""
    maker, kind, capacity = BATTERIES[number % 4]
    seconds = 3600 * (4 + number % 4) + 61 * number
    comments = "run %d, indoors" % number if number % 3 else ""
    fields = ["COM%d" % (number % 4 + 1), "Garmin eTrex (Product ID=130)", maker, kind, capacity,
              "Sat Oct 03 09:12:%02d 2026" % number, "Sat Oct 03 21:00:%02d 2026" % number,
              "%02d:%02d:%02d" % (seconds // 3600, seconds // 60 % 60, seconds % 60)]
    return ", ".join(fields) + ", " + comments + "\n", fields + [comments]


class ResultsWindow(Program):
    def _main_window(self):
        return self.window_named("BATTERY.TXT - Dunmerrow Results")


class Results(Scenario):
    @staticmethod
    def rows(window, name):
        """The cells of a table, row by row, as a screen reader reads them."""
        table = window.control(name, "table").obj.queryTable()
        return [[table.getAccessibleAt(r, c).name for c in range(table.nColumns)]
                for r in range(table.nRows)]

    def test_reads_follows_and_exports(self):
        """Every line in the Runs table, each battery in the Batteries table
        and in what the chart tells a screen reader, longest mean first; a
        line a test appends shows without a reload; the table exported as CSV
        and the chart as PNG and as PDF beside the log, which is never
        written."""
        lines = [run_line(n) for n in range(20)]
        log = os.path.join(self.workdir, "BATTERY.TXT")
        with open(log, "w", encoding="utf-8") as out:
            out.writelines(text for text, _ in lines)
        # The main program opens the same window with --results.
        results = ResultsWindow(self.desktop, [self.program_path, "--results", log], self.workdir,
                                name="results")
        self.programs.append(results)
        expected = [[str(n + 1)] + fields for n, (_, fields) in enumerate(lines)]
        self.assertEqual(self.rows(results, "Runs"), expected)
        # What each battery sums up to is tst_batterysummary's.
        self.tab(results, "Batteries")
        self.assertCountEqual([tuple(row[:3]) for row in self.rows(results, "Batteries")],
                              BATTERIES)
        self.assertTrue(results.control("Endurance chart").obj.description.startswith(
            "4 batteries, longest mean first: Brightcell \u00b7 Ni-Cd \u00b7 800 mAh"))

        # A test appends a line: it appears without a reload.
        extra, fields = run_line(20)
        with open(log, "a", encoding="utf-8") as out:
            out.write(extra)
        wait_until(lambda: len(self.rows(results, "Runs")) == 21, 10, "the appended line")
        self.assertEqual(self.rows(results, "Runs")[-1], ["21"] + fields)

        # Each from the File menu, the suggested name taken with Return.
        self.tab(results, "Runs")
        for what, name in (("Table as CSV", "BATTERY.csv"), ("Chart as PNG", "BATTERY-chart.png"),
                           ("Chart as PDF", "BATTERY-chart.pdf")):
            xinput.key("alt+f")
            item = wait_until(lambda: self.menu_item(results, "Export %s..." % what), 10, "File")
            item.mouse_click()
            wait_until(lambda: results.window_named("Export " + what), 10, "the save dialog")
            xinput.key("Return")
            path = os.path.join(self.workdir, name)
            wait_until(lambda: os.path.isfile(path) and os.path.getsize(path) > 0, 10, name)
        # Read back by Python's own reader: quoting is tst_csvwriter's.
        rows = [HEADERS] + [[str(n + 1)] + f for n, (_, f) in enumerate(lines + [run_line(20)])]
        with open(os.path.join(self.workdir, "BATTERY.csv"), encoding="utf-8", newline="") as csv:
            self.assertEqual(list(csvfile.reader(csv)), rows)
        # Twice the chart's pixels, with bars in their types' colours below
        # the legend, which has the colours too.
        png = os.path.join(self.workdir, "BATTERY-chart.png")
        with open(png, "rb") as picture:
            width, height = struct.unpack(">II", picture.read(24)[16:24])
        self.assertGreater(width, 1000)
        self.assertGreater(width, height)
        colours = subprocess.run(["convert", png, "-gravity", "south", "-crop", "100%x70%+0+0",
                                  "-format", "%c", "histogram:info:-"],
                                 stdout=subprocess.PIPE, check=True).stdout.decode()
        for colour in ("#E69F00", "#0072B2"):
            self.assertTrue(colour in colours, colour)
        with open(os.path.join(self.workdir, "BATTERY-chart.pdf"), "rb") as pdf:
            document = pdf.read()
        self.assertTrue(document.startswith(b"%PDF-"), document[:20])
        self.assertEqual(len(re.findall(rb"/Type\s*/Page\b", document)), 1)
        with open(log, encoding="utf-8") as back:
            self.assertEqual(back.read(), "".join(t for t, _ in lines) + extra)

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
