#!/usr/bin/env python3
"""Draws the diagram's pictogram strip: 30 cells of 16 x 16 pixels in one row,
RGBA with transparency, written as resources/pictograms.png.

Cells: 0-2 pennants A, B, C; 3 degree sign over an angle; 4 bulb; 5 two bulbs;
6 bulb with MAX; 7 bulb with rays; 8 sun; 9 question mark; 10 lightning bolt;
11 smaller bolt; 12 ring of arrows; 13 C-shaped arrow; 14 ring; 15-25 the
luminous shapes (disc, flat ellipse, upright ellipse, rectangle, sphere, flat
ellipsoid, upright ellipsoid, box, upright cylinder, cylinder along the
length, cylinder along the width); 26 point source; 27-29 blank.

Shapes are sampled 4 x 4 times per pixel so edges get partial alpha.
"""
import math
import os
import struct
import sys
import zlib

CELL = 16
CELLS = 30
SUB = 4

YELLOW = (250, 208, 0)
YELLOW_DARK = (150, 105, 0)
RED = (220, 0, 0)
BLUE = (20, 70, 190)
BLACK = (0, 0, 0)
GLASS = (255, 242, 140)
GLASS_EDGE = (130, 105, 10)
METAL = (150, 150, 150)
METAL_DARK = (80, 80, 80)
SHAPE = (130, 180, 235)
SHAPE_LIGHT = (200, 225, 250)
SHAPE_DARK = (70, 120, 190)
SHAPE_EDGE = (20, 50, 120)


class Cell:
    def __init__(self):
        self.px = [[(0, 0, 0, 0.0) for _ in range(CELL)] for _ in range(CELL)]

    def blend(self, x, y, color, alpha):
        if alpha <= 0 or not (0 <= x < CELL and 0 <= y < CELL):
            return
        r, g, b, a = self.px[y][x]
        out = alpha + a * (1 - alpha)
        if out <= 0:
            return
        mix = lambda c0, c1: (c1 * alpha + c0 * a * (1 - alpha)) / out
        self.px[y][x] = (mix(r, color[0]), mix(g, color[1]), mix(b, color[2]), out)

    def paint(self, inside, color):
        """Paints `color` where inside(x, y) holds, x and y in pixel units."""
        for y in range(CELL):
            for x in range(CELL):
                hits = 0
                for sy in range(SUB):
                    for sx in range(SUB):
                        if inside(x + (sx + 0.5) / SUB, y + (sy + 0.5) / SUB):
                            hits += 1
                self.blend(x, y, color, hits / (SUB * SUB))

    def shade(self, inside, color_at):
        """Like paint, with a colour that depends on the place."""
        for y in range(CELL):
            for x in range(CELL):
                hits = 0
                for sy in range(SUB):
                    for sx in range(SUB):
                        if inside(x + (sx + 0.5) / SUB, y + (sy + 0.5) / SUB):
                            hits += 1
                self.blend(x, y, color_at(x + 0.5, y + 0.5), hits / (SUB * SUB))

    def glyph(self, rows, x0, y0, color):
        for dy, row in enumerate(rows):
            for dx, ch in enumerate(row):
                if ch != '.':
                    self.blend(x0 + dx, y0 + dy, color, 1.0)


def ellipse(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1


def ring(cx, cy, outer, inner, a0=None, a1=None):
    def inside(x, y):
        d = math.hypot(x - cx, y - cy)
        if not inner <= d <= outer:
            return False
        if a0 is None:
            return True
        # Angles in degrees, counter-clockwise on screen (y grows downward).
        a = math.degrees(math.atan2(cy - y, x - cx)) % 360
        return (a0 <= a <= a1) if a0 <= a1 else (a >= a0 or a <= a1)
    return inside


def polygon(points):
    def inside(x, y):
        result = False
        n = len(points)
        for i in range(n):
            x1, y1 = points[i]
            x2, y2 = points[(i + 1) % n]
            if (y1 > y) != (y2 > y) and x < (x2 - x1) * (y - y1) / (y2 - y1) + x1:
                result = not result
        return result
    return inside


def segment(x1, y1, x2, y2, width):
    def inside(x, y):
        dx, dy = x2 - x1, y2 - y1
        t = max(0.0, min(1.0, ((x - x1) * dx + (y - y1) * dy) / (dx * dx + dy * dy)))
        return math.hypot(x - (x1 + t * dx), y - (y1 + t * dy)) <= width / 2
    return inside


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def minus(a, b):
    return lambda x, y: a(x, y) and not b(x, y)


def scaled(points, factor, cx=8, cy=8, dx=0, dy=0):
    return [((x - cx) * factor + cx + dx, (y - cy) * factor + cy + dy) for x, y in points]


LETTERS = {
    'A': [".kkk.", "k...k", "k...k", "kkkkk", "k...k", "k...k", "k...k"],
    'B': ["kkkk.", "k...k", "k...k", "kkkk.", "k...k", "k...k", "kkkk."],
    'C': [".kkk.", "k...k", "k....", "k....", "k....", "k...k", ".kkk."],
}
SMALL = {
    'M': ["k...k", "kk.kk", "k.k.k", "k...k", "k...k"],
    'A': [".k.", "k.k", "kkk", "k.k", "k.k"],
    'X': ["k.k", "k.k", ".k.", "k.k", "k.k"],
}


def pennant(letter):
    c = Cell()
    c.paint(polygon([(0.3, 0.8), (15.7, 0.8), (8, 15.8)]), YELLOW_DARK)
    c.paint(polygon([(1.9, 1.8), (14.1, 1.8), (8, 13.6)]), YELLOW)
    c.glyph(LETTERS[letter], 6, 2, BLACK)
    return c


def angle_mark():
    c = Cell()
    c.paint(segment(1.5, 14, 15, 14, 1.6), BLUE)
    c.paint(segment(1.5, 14, 9.5, 4.5, 1.6), BLUE)
    c.paint(ring(1.5, 14, 7.2, 6.2, 0, 50), BLUE)
    c.paint(ring(12.3, 3.8, 2.9, 1.4), RED)
    return c


def bulb(c, factor=1.0, dx=0.0, dy=0.0):
    glass = ellipse(8 + dx, 6.2 * factor + (1 - factor) * 8 + dy, 5.3 * factor, 5.3 * factor)
    neck = polygon(scaled([(4.8, 9.5), (11.2, 9.5), (10.3, 11.6), (5.7, 11.6)], factor, dx=dx, dy=dy))
    c.paint(union(glass, neck), GLASS_EDGE)
    inner_glass = ellipse(8 + dx, 6.2 * factor + (1 - factor) * 8 + dy, 4.3 * factor, 4.3 * factor)
    inner_neck = polygon(scaled([(5.9, 9.4), (10.1, 9.4), (9.5, 10.8), (6.5, 10.8)], factor, dx=dx, dy=dy))
    c.paint(union(inner_glass, inner_neck), GLASS)
    c.paint(ellipse(6.3 * factor + (1 - factor) * 8 + dx, 4.5 * factor + (1 - factor) * 8 + dy,
                    1.2 * factor, 1.6 * factor), (255, 255, 235))
    c.paint(polygon(scaled([(5.8, 11.6), (10.2, 11.6), (10.2, 14.2), (5.8, 14.2)], factor, dx=dx, dy=dy)), METAL)
    c.paint(segment(*[v for p in scaled([(5.8, 12.9), (10.2, 12.9)], factor, dx=dx, dy=dy) for v in p],
                    0.7 * factor), METAL_DARK)
    c.paint(polygon(scaled([(6.8, 14.2), (9.2, 14.2), (8.6, 15.6), (7.4, 15.6)], factor, dx=dx, dy=dy)), METAL_DARK)


def bulbs_two():
    c = Cell()
    bulb(c, 0.72, -2.6, -1.6)
    bulb(c, 0.72, 2.6, 1.2)
    return c


def bulb_max():
    c = Cell()
    bulb(c)
    c.glyph(SMALL['M'], 1, 4, RED)
    c.glyph(SMALL['A'], 7, 4, RED)
    c.glyph(SMALL['X'], 11, 4, RED)
    return c


def rays(c, cx, cy, r0, r1, count, color, width=1.3, start=0.0):
    for i in range(count):
        a = math.radians(start + i * 360 / count)
        c.paint(segment(cx + r0 * math.cos(a), cy - r0 * math.sin(a),
                        cx + r1 * math.cos(a), cy - r1 * math.sin(a), width), color)


def bulb_rays():
    c = Cell()
    for a in (0, 35, 70, 110, 145, 180):
        rays(c, 8, 7.5, 5.3, 7.6, 1, (240, 170, 0), 1.4, a)
    bulb(c, 0.7, 0, 0.9)
    return c


def sun():
    c = Cell()
    rays(c, 8, 8, 4.8, 7.6, 8, (240, 160, 0), 1.5, 22.5)
    c.paint(ellipse(8, 8, 4.2, 4.2), (240, 160, 0))
    c.paint(ellipse(8, 8, 3.3, 3.3), YELLOW)
    return c


def question():
    c = Cell()
    c.paint(ring(8, 5.3, 4.3, 2.3, 300, 200), RED)
    c.paint(segment(10.4, 8.4, 8, 10, 2.0), RED)
    c.paint(segment(8, 10, 8, 11.2, 2.0), RED)
    c.paint(ellipse(8, 14, 1.3, 1.3), RED)
    return c


BOLT = [(10.5, 0.3), (3.2, 9.0), (7.6, 9.0), (5.0, 15.7), (13.0, 6.2), (8.6, 6.2), (12.0, 0.3)]


def bolt(factor):
    c = Cell()
    c.paint(polygon(scaled(BOLT, factor)), (140, 0, 0))
    c.paint(polygon(scaled(BOLT, factor * 0.82, dx=0.1)), RED)
    return c


def arrow_head(c, cx, cy, r, angle, width, color, clockwise=False):
    """A triangle at angle `angle` on the circle, pointing along the circle."""
    a = math.radians(angle)
    px, py = cx + r * math.cos(a), cy - r * math.sin(a)
    tx, ty = -math.sin(a), -math.cos(a)  # counter-clockwise tangent on screen
    if clockwise:
        tx, ty = -tx, -ty
    nx, ny = math.cos(a), -math.sin(a)
    c.paint(polygon([(px + nx * width, py + ny * width), (px - nx * width, py - ny * width),
                     (px + tx * width * 1.2, py + ty * width * 1.2)]), color)


def ring_of_arrows():
    c = Cell()
    for start in (15, 195):
        c.paint(ring(8, 8, 6.4, 4.2, start, start + 125), YELLOW_DARK)
        c.paint(ring(8, 8, 5.8, 4.8, start + 2, start + 124), YELLOW)
        arrow_head(c, 8, 8, 5.3, start + 125, 3.0, YELLOW_DARK)
        arrow_head(c, 8, 8, 5.3, start + 125, 2.0, YELLOW)
    return c


def c_arrow():
    c = Cell()
    c.paint(ring(8, 8, 6.6, 4.2, 50, 310), YELLOW_DARK)
    c.paint(ring(8, 8, 6.0, 4.8, 52, 308), YELLOW)
    arrow_head(c, 8, 8, 5.4, 310, 3.2, YELLOW_DARK, clockwise=True)
    arrow_head(c, 8, 8, 5.4, 310, 2.1, YELLOW, clockwise=True)
    return c


def black_ring():
    c = Cell()
    c.paint(ring(8, 8, 6.8, 4.6), BLACK)
    return c


def flat(shape):
    c = Cell()
    c.paint(shape(1.0), SHAPE_EDGE)
    c.paint(shape(-1.0), SHAPE)
    return c


def shaded(cx, cy, rx, ry):
    def color_at(x, y):
        # Light from the upper left.
        t = max(0.0, min(1.0, math.hypot((x - (cx - rx * 0.4)) / rx, (y - (cy - ry * 0.4)) / ry) / 1.5))
        return tuple(int(SHAPE_LIGHT[i] * (1 - t) + SHAPE_DARK[i] * t) for i in range(3))
    c = Cell()
    c.paint(ellipse(cx, cy, rx + 0.9, ry + 0.9), SHAPE_EDGE)
    c.shade(ellipse(cx, cy, rx, ry), color_at)
    return c


def box():
    c = Cell()
    front = [(1.5, 6), (11, 6), (11, 14.5), (1.5, 14.5)]
    top = [(1.5, 6), (5.5, 1.5), (15, 1.5), (11, 6)]
    side = [(11, 6), (15, 1.5), (15, 10), (11, 14.5)]
    c.paint(union(polygon(front), polygon(top), polygon(side)), SHAPE_EDGE)
    c.paint(polygon(scaled(front, 0.85, 6.25, 10.25)), SHAPE)
    c.paint(polygon(scaled(top, 0.7, 8.25, 3.75)), SHAPE_LIGHT)
    c.paint(polygon(scaled(side, 0.7, 13, 8)), SHAPE_DARK)
    return c


def upright_cylinder():
    c = Cell()
    body = union(polygon([(3, 3.5), (13, 3.5), (13, 12.5), (3, 12.5)]), ellipse(8, 12.5, 5, 2.5),
                 ellipse(8, 3.5, 5, 2.5))
    c.paint(union(body, lambda x, y: False), SHAPE_EDGE)
    c.paint(union(polygon([(4, 3.5), (12, 3.5), (12, 12.5), (4, 12.5)]), ellipse(8, 12.5, 4, 1.7)), SHAPE)
    c.paint(ellipse(8, 3.5, 4, 1.6), SHAPE_LIGHT)
    return c


def cylinder_along_length():
    c = Cell()
    body = union(polygon([(3, 3), (13, 3), (13, 13), (3, 13)]), ellipse(3, 8, 2.5, 5), ellipse(13, 8, 2.5, 5))
    c.paint(body, SHAPE_EDGE)
    c.paint(union(polygon([(3, 4), (13, 4), (13, 12), (3, 12)]), ellipse(3, 8, 1.7, 4)), SHAPE)
    c.paint(ellipse(13, 8, 1.6, 4), SHAPE_DARK)
    return c


def cylinder_along_width():
    c = Cell()
    back, front = (10.5, 5.5), (5.5, 10.5)
    r = 4.4
    hull = polygon([(back[0] - r * 0.7, back[1] - r * 0.7), (back[0] + r * 0.7, back[1] + r * 0.7),
                    (front[0] + r * 0.7, front[1] + r * 0.7), (front[0] - r * 0.7, front[1] - r * 0.7)])
    c.paint(union(hull, ellipse(*back, r, r), ellipse(*front, r, r)), SHAPE_EDGE)
    inner_hull = polygon([(back[0] - (r - 1) * 0.7, back[1] - (r - 1) * 0.7),
                          (back[0] + (r - 1) * 0.7, back[1] + (r - 1) * 0.7),
                          (front[0] + (r - 1) * 0.7, front[1] + (r - 1) * 0.7),
                          (front[0] - (r - 1) * 0.7, front[1] - (r - 1) * 0.7)])
    c.paint(union(inner_hull, ellipse(*back, r - 1, r - 1)), SHAPE)
    c.paint(ellipse(*front, r - 0.2, r - 0.2), SHAPE_EDGE)
    c.paint(ellipse(*front, r - 1.1, r - 1.1), SHAPE_LIGHT)
    return c


def point_source():
    c = Cell()
    c.paint(ring(8, 8, 6.2, 5.2), SHAPE)
    rays(c, 8, 8, 2.6, 4.4, 8, SHAPE, 1.0, 0)
    c.paint(ellipse(8, 8, 1.9, 1.9), SHAPE_EDGE)
    return c


def cells():
    out = [pennant('A'), pennant('B'), pennant('C'), angle_mark(), Cell(), bulbs_two(), bulb_max(),
           bulb_rays(), sun(), question(), bolt(1.0), bolt(0.72), ring_of_arrows(), c_arrow(), black_ring()]
    bulb(out[4])
    out.append(flat(lambda grow: ellipse(8, 8, 6.5 + grow, 6.5 + grow)))        # 15 disc
    out.append(flat(lambda grow: ellipse(8, 8, 7 + grow * 0.8, 4 + grow * 0.8)))  # 16 flat ellipse
    out.append(flat(lambda grow: ellipse(8, 8, 4 + grow * 0.8, 7 + grow * 0.8)))  # 17 upright ellipse
    out.append(flat(lambda grow: polygon([(1.5 - grow, 4 - grow), (14.5 + grow, 4 - grow),
                                          (14.5 + grow, 12 + grow), (1.5 - grow, 12 + grow)])))  # 18
    out.append(shaded(8, 8, 6.2, 6.2))    # 19 sphere
    out.append(shaded(8, 8, 6.6, 4.0))    # 20 flat ellipsoid
    out.append(shaded(8, 8, 4.0, 6.6))    # 21 upright ellipsoid
    out.append(box())                     # 22
    out.append(upright_cylinder())        # 23
    out.append(cylinder_along_length())   # 24
    out.append(cylinder_along_width())    # 25
    out.append(point_source())            # 26
    while len(out) < CELLS:
        out.append(Cell())
    return out


def png(width, height, rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xffffffff)
    raw = b"".join(b"\x00" + bytes(row) for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    strip = cells()
    rows = []
    for y in range(CELL):
        row = []
        for cell in strip:
            for x in range(CELL):
                r, g, b, a = cell.px[y][x]
                row += [round(r), round(g), round(b), round(a * 255)]
        rows.append(row)
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "resources", "pictograms.png")
    with open(target, "wb") as f:
        f.write(png(CELL * CELLS, CELL, rows))


if __name__ == "__main__":
    main()
