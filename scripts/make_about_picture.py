#!/usr/bin/env python3
"""Draws the About box picture: two meshing spur gears with their line of
action, 256 x 256 pixels, 8-bit RGBA on a transparent background.

Writes a plain PNG with the chunks IHDR, pHYs, one IDAT and IEND, so the file
is the same on every machine (no time or text chunks). Pure Python (zlib and
struct only). Run from the repository root:

    python3 scripts/make_about_picture.py app/about_picture.png

The teeth are true involutes of the basic rack ISO 53 profile A (alpha 20 deg,
ha* 1, hf* 1.25) without profile shift; below the base circle the flank runs
radially down to the root circle (no trochoid: a picture, not a drawing).
"""

import math
import struct
import sys
import zlib

SIZE = 256
SUPER = 4  # sub-samples per pixel along each axis (16 per pixel)


def inv(a):
    """Involute function inv(a) = tan a - a."""
    return math.tan(a) - a


def gear_polygon(cx, cy, module, teeth, turn):
    """Closed outline of a spur gear (pixels, y down) centred at (cx, cy),
    turned by `turn` radians."""
    alpha = math.radians(20.0)
    r = module * teeth / 2.0
    rb = r * math.cos(alpha)
    ra = r + module
    rf = r - 1.25 * module
    psi = math.pi / (2.0 * teeth)  # half tooth angle on the pitch circle
    flank = []  # (radius, half angle) from the root up to the tip
    lower = max(rb, rf)
    for i in range(13):
        rho = lower + (ra - lower) * i / 12.0
        a_rho = math.acos(min(1.0, rb / rho))
        flank.append((rho, psi + inv(alpha) - inv(a_rho)))
    if rf < rb:
        flank.insert(0, (rf, flank[0][1]))
    points = []
    for k in range(teeth):
        centre = turn + 2.0 * math.pi * k / teeth
        # Root arc before the tooth, then the flank up, the tip, the flank down.
        gap_half = math.pi / teeth - flank[0][1]
        for j in range(4):
            ang = centre - flank[0][1] - gap_half * (1.0 - j / 4.0)
            points.append((rf, ang))
        for rho, half in flank:
            points.append((rho, centre - half))
        tip_half = flank[-1][1]
        for j in range(1, 4):
            points.append((ra, centre - tip_half + 2.0 * tip_half * j / 4.0))
        for rho, half in reversed(flank):
            points.append((rho, centre + half))
    return [(cx + rho * math.cos(a), cy - rho * math.sin(a)) for rho, a in points]


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


def main():
    path = sys.argv[1] if len(sys.argv) > 1 else "app/about_picture.png"
    image = [(0.0, 0.0, 0.0, 0.0)] * (SIZE * SIZE)

    m, z1, z2 = 8.0, 12, 18
    a = m * (z1 + z2) / 2.0  # centre distance 120 px
    direction = math.radians(-40.0)  # from gear 1 to gear 2, model angle (y up)
    c1 = (72.0, 80.0)
    c2 = (c1[0] + a * math.cos(direction), c1[1] - a * math.sin(direction))
    # Gear 1: a tooth on the line of centres; gear 2: a tooth space facing it.
    turn1 = direction
    turn2 = direction + math.pi + math.pi / z2

    dark = (30, 30, 40, 255)
    blue = (140, 175, 220, 255)
    orange = (235, 185, 110, 255)
    for (cx, cy), z, turn, fill in ((c1, z1, turn1, blue), (c2, z2, turn2, orange)):
        bore = m * z * 0.12
        body = [gear_polygon(cx, cy, m, z, turn), circle_polygon(cx, cy, bore)]
        paint(image, coverage(body), fill)
        paint(image, coverage(outline_strokes(body, 1.3), even_odd=False), dark)
        paint(image, coverage([circle_polygon(cx, cy, m * z / 2.0 + 0.5),
                               circle_polygon(cx, cy, m * z / 2.0 - 0.5)]), (0, 60, 200, 200))

    # Line of action through the pitch point, tangent to both base circles.
    alpha = math.radians(20.0)
    r1 = m * z1 / 2.0
    px, py = c1[0] + r1 * math.cos(direction), c1[1] - r1 * math.sin(direction)
    ang = direction - math.pi / 2.0 + alpha  # model angle of the line
    ux, uy = math.cos(ang), -math.sin(ang)
    half = a * math.sin(alpha) / 2.0 + 14.0
    paint(image, coverage([thick_line(px - half * ux, py - half * uy, px + half * ux, py + half * uy, 3.0)]),
          (220, 40, 150, 230))
    paint(image, coverage([circle_polygon(px, py, 4.0)]), (40, 40, 50, 255))

    write_png(path, image)


if __name__ == "__main__":
    main()
