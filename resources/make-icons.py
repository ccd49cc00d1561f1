#!/usr/bin/env python3
"""Draws Dunmerrow's pictures: a hand-held GPS receiver whose screen shows a
battery gauge, with its signal arcs beside the antenna; and for Dunmerrow
Results, the same blue and screen colours holding a chart of three bars.

Writes, into images/ beside this script:
  dunmerrow-16.png, dunmerrow-32.png, dunmerrow-48.png  window and menu icons
  dunmerrow.svg                                         the scalable icon
  emblem.png                                            72 x 72, for the About box
  dunmerrow.ico                                         16, 32 and 48 for Windows
  dunmerrow-results-16.png, -32.png, -48.png            Dunmerrow Results' icons
  dunmerrow-results.svg                                 its scalable icon
  dunmerrow-results.ico                                 its 16, 32 and 48 for Windows

Standard library only, and no randomness, so every machine draws the same
pixels. With --check it draws in memory and compares with the files in
images/ instead, so a picture edited by hand or a script changed without
running it again is noticed.

The drawing is a list of simple shapes in a 48-unit square. Each size snaps
the shape edges to its own pixel grid, and the smaller sizes leave details
out, because a 16-pixel icon scaled down from the 48-pixel one turns to mud.
"""
import os
import struct
import sys
import zlib

from iconkit import Arc, Circle, RoundRect, ico, png, png_rows, rasterise, svg

HERE = os.path.dirname(os.path.abspath(__file__))
IMAGES = os.path.join(HERE, "images")

BODY = (0x2B, 0x6C, 0xB0)
BODY_EDGE = (0x17, 0x3B, 0x63)
DARK = (0x1E, 0x27, 0x30)
ANTENNA = (0x3A, 0x44, 0x4E)
LCD = (0xDD, 0xEB, 0xD0)
CHARGE = (0x2E, 0xB8, 0x3E)
KEY = (0xD9, 0xE3, 0xEE)
SIGNAL = (0xF2, 0x9A, 0x1F)


# The drawing.


def receiver(size):
    """Shapes for an icon of size x size pixels, back to front."""
    if size < 24:
        return receiver_small(size)
    k = size / 48.0

    def p(v):
        # Snap a design coordinate to this size's pixel grid.
        return round(v * k)

    line = max(1, round(k))  # outline width in pixels
    shapes = []

    # Stub antenna at the top left, and the body with a darker rim.
    shapes.append(RoundRect(p(12), p(3), p(18), p(16), 3 * k, ANTENNA))
    shapes.append(RoundRect(p(8), p(13), p(40), p(47), 6 * k, BODY_EDGE))
    shapes.append(RoundRect(p(8) + line, p(13) + line, p(40) - line, p(47) - line,
                            6 * k - line, BODY))

    # The screen, with a battery on it whose bars show the charge left.
    sx0, sy0, sx1, sy1 = p(12), p(17), p(36), p(34)
    shapes.append(RoundRect(sx0, sy0, sx1, sy1, 2 * k, DARK))
    shapes.append(RoundRect(sx0 + line, sy0 + line, sx1 - line, sy1 - line, 1 * k, LCD))
    bx0, by0, bx1, by1 = p(16), p(21), p(31), p(30)
    shapes.append(RoundRect(bx1, p(23.5), p(33), p(27.5), 0.5 * k, DARK))
    shapes.append(RoundRect(bx0, by0, bx1, by1, 1.5 * k, DARK))
    shapes.append(RoundRect(bx0 + line, by0 + line, bx1 - line, by1 - line, 0.5 * k, LCD))
    # Three of four bars lit: a battery part way through a test. Bars
    # narrower than two pixels only blur, so small sizes get one block.
    x0, y0, x1, y1 = bx0 + line + 1, by0 + line + 1, bx1 - line - 1, by1 - line - 1
    bar = (x1 - x0 - 3) // 4
    if bar < 2:
        shapes.append(RoundRect(x0, y0, x0 + round((x1 - x0) * 0.75), y1, 0, CHARGE))
    else:
        for i in range(3):
            x = x0 + i * (bar + 1)
            shapes.append(RoundRect(x, y0, x + bar, y1, 0, CHARGE))

    # Keys below the screen.
    shapes.append(Circle(p(24), p(40.5), 3.5 * k, KEY))
    shapes.append(RoundRect(p(12), p(38.5), p(18), p(42.5), 1.5 * k, KEY))
    shapes.append(RoundRect(p(30), p(38.5), p(36), p(42.5), 1.5 * k, KEY))

    # Radio waves from the antenna tip, in the free corner at the top right.
    width = 2.5 * k
    shapes.append(Arc(15 * k, 6 * k, 6 * k, -32, 32, width, SIGNAL))
    shapes.append(Arc(15 * k, 6 * k, 11 * k, -30, 30, width, SIGNAL))
    return shapes


def receiver_small(size):
    """The 16-pixel icon, placed pixel by pixel: no waves, one key, and a
    battery just big enough to show a green charge."""
    assert size == 16
    return [
        RoundRect(4, 0, 7, 5, 1.5, ANTENNA),
        RoundRect(2, 3, 14, 16, 2.5, BODY_EDGE),
        RoundRect(3, 4, 13, 15, 1.5, BODY),
        RoundRect(3, 4, 13, 11, 1, DARK),
        RoundRect(4, 5, 12, 10, 0, LCD),
        RoundRect(5, 6, 10, 9, 0, DARK),
        RoundRect(10, 7, 11, 8, 0, DARK),
        RoundRect(6, 7, 9, 8, 0, CHARGE),
        RoundRect(7, 12, 9, 14, 0, KEY),
    ]


def results_chart(size):
    """Shapes for the Dunmerrow Results icon: a blue frame around a screen
    with a bar chart on it, longest bar first, as the results window draws
    its batteries."""
    if size < 24:
        return results_chart_small(size)
    k = size / 48.0

    def p(v):
        return round(v * k)

    line = max(1, round(k))
    shapes = [
        RoundRect(p(3), p(4), p(45), p(44), 6 * k, BODY_EDGE),
        RoundRect(p(3) + line, p(4) + line, p(45) - line, p(44) - line, 6 * k - line, BODY),
        RoundRect(p(8), p(9), p(40), p(39), 2 * k, DARK),
        RoundRect(p(8) + line, p(9) + line, p(40) - line, p(39) - line, 1 * k, LCD),
        # The axis the bars grow from.
        RoundRect(p(12), p(13), p(12) + 2 * line, p(35), 0, DARK),
    ]
    x0 = p(12) + 2 * line
    for top, end, rgb in ((14, 36, CHARGE), (21.5, 30, SIGNAL), (29, 22, BODY)):
        shapes.append(RoundRect(x0, p(top), p(end), p(top + 5), 1 * k, rgb))
    return shapes


def results_chart_small(size):
    """The 16-pixel Results icon, placed pixel by pixel."""
    assert size == 16
    return [
        RoundRect(0, 1, 16, 15, 2.5, BODY_EDGE),
        RoundRect(1, 2, 15, 14, 1.5, BODY),
        RoundRect(2, 3, 14, 13, 0, LCD),
        RoundRect(3, 4, 4, 12, 0, DARK),
        RoundRect(4, 4, 13, 6, 0, CHARGE),
        RoundRect(4, 7, 11, 9, 0, SIGNAL),
        RoundRect(4, 10, 8, 12, 0, BODY),
    ]


def draw():
    """File name -> (bytes to write, rows to compare with or None)."""
    out = {}
    icons = []
    for size in (16, 32, 48):
        rows = rasterise(receiver(size), size)
        icons.append(rows)
        out["dunmerrow-%d.png" % size] = (png(rows), rows)
    emblem = rasterise(receiver(72), 72)
    out["emblem.png"] = (png(emblem), emblem)
    out["dunmerrow.svg"] = (svg(receiver(48)), None)
    out["dunmerrow.ico"] = (ico(icons), None)
    results_icons = []
    for size in (16, 32, 48):
        rows = rasterise(results_chart(size), size)
        results_icons.append(rows)
        out["dunmerrow-results-%d.png" % size] = (png(rows), rows)
    out["dunmerrow-results.svg"] = (svg(results_chart(48), "Dunmerrow Results"), None)
    out["dunmerrow-results.ico"] = (ico(results_icons), None)
    return out


def same_pixels(a, b):
    # A different libm may move a sample across an edge now and then; that
    # is not a change of picture.
    return len(a) == len(b) and all(
        len(ra) == len(rb) and all(abs(x - y) <= 8 for x, y in zip(ra, rb)) for ra, rb in zip(a, b))


def main():
    check = sys.argv[1:] == ["--check"]
    stale = []
    for name, (data, rows) in sorted(draw().items()):
        path = os.path.join(IMAGES, name)
        if not check:
            with open(path, "wb") as f:
                f.write(data)
            continue
        try:
            with open(path, "rb") as f:
                kept = f.read()
        except OSError:
            stale.append(name)
            continue
        if rows is not None:
            try:
                same = same_pixels(png_rows(kept), rows)
            except (struct.error, zlib.error, ValueError):
                same = False
            if not same:
                stale.append(name)
        elif name.endswith(".ico"):
            if len(kept) != len(data) or any(abs(x - y) > 8 for x, y in zip(kept, data)):
                stale.append(name)
        elif kept != data:
            stale.append(name)
    if stale:
        print("Out of date (run resources/make-icons.py): " + ", ".join(stale))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
