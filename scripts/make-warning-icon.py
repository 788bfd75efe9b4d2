#!/usr/bin/env python3
"""Draws the diagram's warning icon, a yellow triangle with a black
exclamation mark, 32 x 32 pixels RGBA, written as resources/warning.png.
Drawn on diagrams of records that are not type C.

The shapes and the PNG writer are those of make-pictograms.py; edges are
sampled 4 x 4 times per pixel so they get partial alpha.
"""
import importlib.util
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
_spec = importlib.util.spec_from_file_location("pictograms", os.path.join(HERE, "make-pictograms.py"))
pictograms = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(pictograms)

SIZE = 32
SUB = 4
EDGE = (120, 85, 0)
FILL = (250, 200, 20)
MARK = (0, 0, 0)


def coverage(inside, x, y):
    hits = sum(1 for sy in range(SUB) for sx in range(SUB)
               if inside(x + (sx + 0.5) / SUB, y + (sy + 0.5) / SUB))
    return hits / (SUB * SUB)


def layers():
    """Shapes from the bottom up, each with its colour."""
    outer = [(16, 1.5), (31, 29.5), (1, 29.5)]
    inner = [(16, 5.2), (27.6, 27.4), (4.4, 27.4)]
    return [
        (pictograms.polygon(outer), EDGE),
        (pictograms.polygon(inner), FILL),
        (pictograms.segment(16, 11.5, 16, 19.5, 3.4), MARK),
        (pictograms.ellipse(16, 23.6, 1.9, 1.9), MARK),
    ]


def pixels():
    rows = []
    shapes = layers()
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            r = g = b = a = 0.0
            for inside, color in shapes:
                alpha = coverage(inside, x, y)
                if alpha <= 0:
                    continue
                out = alpha + a * (1 - alpha)
                r, g, b = ((c1 * alpha + c0 * a * (1 - alpha)) / out for c0, c1 in zip((r, g, b), color))
                a = out
            row += [round(r), round(g), round(b), round(a * 255)]
        rows.append(row)
    return rows


def main():
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "resources", "warning.png")
    with open(target, "wb") as f:
        f.write(pictograms.png(SIZE, SIZE, pixels()))


if __name__ == "__main__":
    main()
