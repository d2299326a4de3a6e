#!/usr/bin/env python3
"""Draws the About box picture: two meshing spur gears with their line of
action, 256 x 256 pixels, 8-bit RGBA on a transparent background.

Writes a plain PNG with the chunks IHDR, pHYs, one IDAT and IEND, so the file
is the same on every machine (no time or text chunks). Pure Python (zlib and
struct only). The gears are the program's own: the outlines come from the
tool about_pair_outlines (tests/about_picture), which builds the pair with the
program's geometry and places gear 2 in mesh as the view does. After a build
in build/:

    python3 scripts/make_about_picture.py app/about_picture.png

runs that tool itself (or the one named by the environment variable
NORVALE_ABOUT_TOOL). The outlines may also be given as a file the tool wrote:

    build/tests/about_picture/about_pair_outlines > pair.txt
    python3 scripts/make_about_picture.py app/about_picture.png pair.txt
"""

import math
import os
import struct
import subprocess
import sys
import tempfile
import zlib

# The outline tool of a build in build/ beside this script's folder.
DEFAULT_TOOL = os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, "build", "tests",
                            "about_picture", "about_pair_outlines")

SIZE = 256
SUPER = 4  # sub-samples per pixel along each axis (16 per pixel)


def read_pair(path):
    """The pair record and the two outlines (mm, y up, mesh frame) of the
    tool's output."""
    with open(path) as f:
        words = [line.split() for line in f if line.strip()]
    pair = [float(v) for v in words[0][1:]]
    outlines = []
    i = 1
    while i < len(words):
        n = int(words[i][1])
        outlines.append([(float(x), float(y)) for x, y in words[i + 1:i + 1 + n]])
        i += 1 + n
    return pair, outlines


def circle_polygon(cx, cy, radius, n=96):
    return [(cx + radius * math.cos(2 * math.pi * i / n), cy + radius * math.sin(2 * math.pi * i / n))
            for i in range(n)]


def thick_line(x0, y0, x1, y1, width):
    """A straight stroke as a quadrilateral."""
    dx, dy = x1 - x0, y1 - y0
    length = math.hypot(dx, dy)
    nx, ny = -dy / length * width / 2.0, dx / length * width / 2.0
    return [(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)]


def coverage(polygons, even_odd=True):
    """Coverage of a set of closed polygons, one value 0..1 per pixel, by
    scanlines through the sub-sample centres; the even-odd rule (holes), or
    the non-zero rule (the union of equally oriented strokes)."""
    cover = [0.0] * (SIZE * SIZE)
    edges = []
    for poly in polygons:
        for i in range(len(poly)):
            (x0, y0), (x1, y1) = poly[i], poly[(i + 1) % len(poly)]
            if y0 != y1:
                edges.append((x0, y0, x1, y1))
    weight = 1.0 / (SUPER * SUPER)
    for sy in range(SIZE * SUPER):
        y = (sy + 0.5) / SUPER
        xs = []
        for x0, y0, x1, y1 in edges:
            if (y0 <= y < y1) or (y1 <= y < y0):
                xs.append((x0 + (y - y0) * (x1 - x0) / (y1 - y0), 1 if y1 > y0 else -1))
        xs.sort()
        row = (sy // SUPER) * SIZE
        winding = 0
        for i in range(len(xs) - 1):
            winding += 1 if even_odd else xs[i][1]
            inside = (winding % 2 == 1) if even_odd else (winding != 0)
            if not inside:
                continue
            # Sub-sample columns whose centres lie in [xs[i], xs[i+1]).
            first = max(0, math.ceil(xs[i][0] * SUPER - 0.5))
            last = min(SIZE * SUPER - 1, math.ceil(xs[i + 1][0] * SUPER - 0.5) - 1)
            for sx in range(first, last + 1):
                cover[row + sx // SUPER] += weight
    return cover


def outline_strokes(polygons, width):
    """Every edge of the closed polygons as a stroke of the given width."""
    quads = []
    for poly in polygons:
        for i in range(len(poly)):
            (x0, y0), (x1, y1) = poly[i], poly[(i + 1) % len(poly)]
            if (x0, y0) != (x1, y1):
                quads.append(thick_line(x0, y0, x1, y1, width))
    return quads


def paint(image, cover, colour):
    """Source-over of a colour with the given coverage onto straight RGBA."""
    r, g, b, a = colour
    for i, c in enumerate(cover):
        if c <= 0.0:
            continue
        sa = a / 255.0 * min(1.0, c)
        dr, dg, db, da = image[i]
        out_a = sa + da * (1.0 - sa)
        if out_a <= 0.0:
            continue
        image[i] = ((r * sa + dr * da * (1.0 - sa)) / out_a,
                    (g * sa + dg * da * (1.0 - sa)) / out_a,
                    (b * sa + db * da * (1.0 - sa)) / out_a,
                    out_a)


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def write_png(path, image):
    raw = bytearray()
    for y in range(SIZE):
        raw.append(0)  # filter: none
        for x in range(SIZE):
            r, g, b, a = image[y * SIZE + x]
            raw += bytes((round(r), round(g), round(b), round(a * 255.0)))
    ihdr = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)
    phys = struct.pack(">IIB", 3780, 3780, 1)  # 96 dpi in pixels per metre
    data = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"pHYs", phys) + \
        chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(data)


def read_pair_from_tool():
    """The pair record and outlines as the outline tool prints them now."""
    tool = os.environ.get("NORVALE_ABOUT_TOOL", DEFAULT_TOOL)
    if not os.path.isfile(tool):
        sys.exit("make_about_picture.py: the outline tool %s is not there; build the program first "
                 "(cmake --build build) or give the outlines file as the second argument" % tool)
    result = subprocess.run([tool], stdout=subprocess.PIPE, check=False)
    if result.returncode != 0:
        sys.exit("make_about_picture.py: %s failed with exit code %d" % (tool, result.returncode))
    with tempfile.TemporaryDirectory() as folder:
        pair_path = os.path.join(folder, "pair.txt")
        with open(pair_path, "wb") as f:
            f.write(result.stdout)
        return read_pair(pair_path)


def main():
    path = sys.argv[1] if len(sys.argv) > 1 else "app/about_picture.png"
    if len(sys.argv) > 2:
        pair = read_pair(sys.argv[2])
    else:
        pair = read_pair_from_tool()
    (a, r1, r2, rb1, rb2, alpha), (outline1, outline2) = pair
    image = [(0.0, 0.0, 0.0, 0.0)] * (SIZE * SIZE)

    scale = 8.0  # pixels per mm
    direction = math.radians(-40.0)  # from gear 1 to gear 2, model angle (y up)
    c1 = (72.0, 80.0)
    cd, sd = math.cos(direction), math.sin(direction)

    def to_pixels(x, y):
        """A point of the mesh frame (mm, y up, gear 2 on +x), turned so that
        gear 2 lies along `direction`, in pixels (y down)."""
        return c1[0] + scale * (x * cd - y * sd), c1[1] - scale * (x * sd + y * cd)

    c2 = to_pixels(a, 0.0)
    dark = (30, 30, 40, 255)
    blue = (140, 175, 220, 255)
    orange = (235, 185, 110, 255)
    for (cx, cy), outline, r, fill in ((c1, outline1, r1, blue), (c2, outline2, r2, orange)):
        bore = scale * r * 0.24
        body = [[to_pixels(x, y) for x, y in outline], circle_polygon(cx, cy, bore)]
        paint(image, coverage(body), fill)
        paint(image, coverage(outline_strokes(body, 1.3), even_odd=False), dark)
        paint(image, coverage([circle_polygon(cx, cy, scale * r + 0.5),
                               circle_polygon(cx, cy, scale * r - 0.5)]), (0, 60, 200, 200))

    # Line of action through the pitch point C (on the line of centres at r1
    # from gear 1), tangent to both base circles: from T1 to T2.
    t1 = (rb1 * math.cos(alpha), rb1 * math.sin(alpha))
    t2 = (a - rb2 * math.cos(alpha), -rb2 * math.sin(alpha))
    (x0, y0), (x1, y1) = to_pixels(*t1), to_pixels(*t2)
    paint(image, coverage([thick_line(x0, y0, x1, y1, 3.0)]), (220, 40, 150, 230))
    px, py = to_pixels(r1, 0.0)
    paint(image, coverage([circle_polygon(px, py, 4.0)]), (40, 40, 50, 255))

    write_png(path, image)


if __name__ == "__main__":
    main()
