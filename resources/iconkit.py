"""The means of make-icons.py: shapes that know whether a point lies inside
them and how to write themselves as SVG, anti-aliased rasterising, and the
PNG, ICO and SVG files. Standard library only."""
import math
import struct
import zlib


# Shapes. Each knows whether a point lies inside it and how to write itself
# as SVG; coordinates are in pixels of the image being drawn.


class RoundRect:
    def __init__(self, x0, y0, x1, y1, r, rgb):
        self.x0, self.y0, self.x1, self.y1 = x0, y0, x1, y1
        self.r = min(r, (x1 - x0) / 2, (y1 - y0) / 2)
        self.rgb = rgb

    def bounds(self):
        return self.x0, self.y0, self.x1, self.y1

    def inside(self, x, y):
        if x < self.x0 or x > self.x1 or y < self.y0 or y > self.y1:
            return False
        r = self.r
        cx = min(max(x, self.x0 + r), self.x1 - r)
        cy = min(max(y, self.y0 + r), self.y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r

    def svg(self):
        return '<rect x="%s" y="%s" width="%s" height="%s" rx="%s" fill="%s"/>' % (
            num(self.x0), num(self.y0), num(self.x1 - self.x0), num(self.y1 - self.y0),
            num(self.r), colour(self.rgb))


class Circle:
    def __init__(self, cx, cy, r, rgb):
        self.cx, self.cy, self.r, self.rgb = cx, cy, r, rgb

    def bounds(self):
        return self.cx - self.r, self.cy - self.r, self.cx + self.r, self.cy + self.r

    def inside(self, x, y):
        return (x - self.cx) ** 2 + (y - self.cy) ** 2 <= self.r * self.r

    def svg(self):
        return '<circle cx="%s" cy="%s" r="%s" fill="%s"/>' % (
            num(self.cx), num(self.cy), num(self.r), colour(self.rgb))


class Arc:
    """A stroke of the given width along a circle from angle a0 to a1
    (degrees, clockwise from the x axis as y grows downwards), round caps."""

    def __init__(self, cx, cy, r, a0, a1, width, rgb):
        self.cx, self.cy, self.r, self.w, self.rgb = cx, cy, r, width, rgb
        self.a0, self.a1 = math.radians(a0), math.radians(a1)
        self.ends = [(cx + r * math.cos(a), cy + r * math.sin(a)) for a in (self.a0, self.a1)]

    def bounds(self):
        e = self.r + self.w
        return self.cx - e, self.cy - e, self.cx + e, self.cy + e

    def inside(self, x, y):
        dx, dy = x - self.cx, y - self.cy
        half = self.w / 2
        if self.a0 <= math.atan2(dy, dx) <= self.a1:
            return abs(math.hypot(dx, dy) - self.r) <= half
        return any((x - ex) ** 2 + (y - ey) ** 2 <= half * half for ex, ey in self.ends)

    def svg(self):
        (x0, y0), (x1, y1) = self.ends
        return ('<path d="M%s %sA%s %s 0 0 1 %s %s" fill="none" stroke="%s" '
                'stroke-width="%s" stroke-linecap="round"/>') % (
            num(x0), num(y0), num(self.r), num(self.r), num(x1), num(y1),
            colour(self.rgb), num(self.w))


def num(v):
    return ("%.2f" % v).rstrip("0").rstrip(".")


def colour(rgb):
    return "#%02x%02x%02x" % rgb


def rasterise(shapes, size):
    """RGBA rows, each shape anti-aliased with an 8 x 8 grid per pixel and
    laid over the ones before it."""
    n = 8
    offsets = [(i + 0.5) / n for i in range(n)]
    pixels = [[0.0, 0.0, 0.0, 0.0] for _ in range(size * size)]  # premultiplied
    for shape in shapes:
        x0, y0, x1, y1 = shape.bounds()
        for py in range(max(0, math.floor(y0)), min(size, math.ceil(y1) + 1)):
            for px in range(max(0, math.floor(x0)), min(size, math.ceil(x1) + 1)):
                hits = sum(shape.inside(px + ox, py + oy) for oy in offsets for ox in offsets)
                if not hits:
                    continue
                a = hits / (n * n)
                dst = pixels[py * size + px]
                for c in range(3):
                    dst[c] = shape.rgb[c] / 255.0 * a + dst[c] * (1 - a)
                dst[3] = a + dst[3] * (1 - a)
    rows = []
    for py in range(size):
        row = bytearray()
        for px in range(size):
            r, g, b, a = pixels[py * size + px]
            if a <= 0:
                row += b"\0\0\0\0"
                continue
            row += bytes(min(255, round(c / a * 255)) for c in (r, g, b))
            row.append(round(a * 255))
        rows.append(bytes(row))
    return rows


# File formats.


def png(rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    size = len(rows)
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    raw = b"".join(b"\0" + row for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def png_rows(data):
    """Reads back what png() writes (8-bit RGBA, no filtering)."""
    pos, idat, size = 8, b"", 0
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        crc = struct.unpack(">I", data[pos + 8 + length:pos + 12 + length])[0]
        if crc != zlib.crc32(kind + body) & 0xFFFFFFFF:
            raise ValueError("damaged chunk")
        if kind == b"IHDR":
            size = struct.unpack(">I", body[:4])[0]
        elif kind == b"IDAT":
            idat += body
        elif kind == b"IEND":
            break
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride = 1 + 4 * size
    return [raw[y * stride + 1:(y + 1) * stride] for y in range(size)]


def ico(images):
    """A Windows icon file holding each image as a 32-bit DIB with its
    transparency mask, the form every version of Windows reads."""
    entries, blobs = b"", b""
    offset = 6 + 16 * len(images)
    for rows in images:
        size = len(rows)
        bgra = b"".join(bytes(row[i + j] for i in range(0, len(row), 4) for j in (2, 1, 0, 3))
                        for row in reversed(rows))
        mask_stride = ((size + 31) // 32) * 4
        mask = b""
        for row in reversed(rows):
            bits = bytearray(mask_stride)
            for x in range(size):
                if row[4 * x + 3] == 0:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bytes(bits)
        info = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0,
                           len(bgra) + len(mask), 0, 0, 0, 0)
        blob = info + bgra + mask
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        blobs += blob
        offset += len(blob)
    return struct.pack("<HHH", 0, 1, len(images)) + entries + blobs


def svg(shapes, title="Dunmerrow"):
    body = "\n".join("  " + s.svg() for s in shapes)
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            '<svg xmlns="http://www.w3.org/2000/svg" width="48" height="48" viewBox="0 0 48 48">\n'
            '  <title>' + title + '</title>\n' + body + "\n</svg>\n").encode("utf-8")
