"""Shared pieces of our IES file generators: intensity models, flux
integration, number formatting and the LM-63 file layout.

Everything here is deterministic: the same inputs give byte-identical files.
"""

import math

DEG = math.pi / 180.0


# ---------------------------------------------------------------- directions

def dir_type_c(gamma, c):
    """Unit vector for type C angles: z points down (nadir), x along C 0, y along C 90."""
    g, cc = gamma * DEG, c * DEG
    return (math.sin(g) * math.cos(cc), math.sin(g) * math.sin(cc), math.cos(g))


def dir_type_b(v, h):
    """Unit vector for type B angles: y is the aiming axis, the planes (V)
    turn about the lateral x axis, H runs across each plane."""
    vv, hh = v * DEG, h * DEG
    return (math.sin(hh), math.cos(hh) * math.cos(vv), math.cos(hh) * math.sin(vv))


def dir_type_a(v, h):
    """Unit vector for type A angles: y is the aiming axis, the planes (H)
    turn about the vertical z axis, V is the elevation within each plane."""
    vv, hh = v * DEG, h * DEG
    return (math.cos(vv) * math.sin(hh), math.cos(vv) * math.cos(hh), math.sin(vv))


def angle_between(a, b):
    dot = max(-1.0, min(1.0, a[0] * b[0] + a[1] * b[1] + a[2] * b[2]))
    return math.acos(dot) / DEG


def smoothstep(edge0, edge1, x):
    """0 below edge0, 1 above edge1, a smooth ramp between."""
    if x <= edge0:
        return 0.0
    if x >= edge1:
        return 1.0
    t = (x - edge0) / (edge1 - edge0)
    return t * t * (3 - 2 * t)


# ---------------------------------------------------------------- flux

def flux(model, ptype, step=1.0):
    """Luminous flux of `model(v, h)` (relative candela) over the whole
    sphere, by the midpoint rule in the file type's own coordinates."""
    total = 0.0
    d = step * DEG
    if ptype == 1:
        n_g, n_c = int(round(180 / step)), int(round(360 / step))
        for i in range(n_g):
            g = (i + 0.5) * step
            w = math.sin(g * DEG) * d * d
            total += w * sum(model(g, (j + 0.5) * step) for j in range(n_c))
    else:
        n = int(round(180 / step))
        for i in range(n):
            a = -90 + (i + 0.5) * step
            w = math.cos(a * DEG) * d * d
            for j in range(n):
                b = -90 + (j + 0.5) * step
                # type B weighs by the cosine of H, type A by that of V
                total += w * (model(b, a) if ptype == 2 else model(a, b))
    return total


# ---------------------------------------------------------------- numbers

def fmt(value, decimals):
    """Fixed decimals without trailing zeros: 12.50 -> 12.5, 3.0 -> 3."""
    text = f"{value:.{decimals}f}"
    if "." in text:
        text = text.rstrip("0").rstrip(".")
    if text in ("-0", ""):
        text = "0"
    return text


def fmt_legacy(value, decimals):
    """The forms old writers used: 5000. for whole numbers, .85 below one."""
    text = f"{value:.{decimals}f}"
    if "." in text:
        text = text.rstrip("0")
    else:
        text += "."
    if text.startswith("0.") and len(text) > 2:
        text = text[1:]
    return text


def fmt_short(value):
    """Shortest general form, as a converting program writes it."""
    text = f"{value:.15g}"
    return "0" if text == "-0" else text


def wrap(tokens, per_line, sep):
    """Numbers `per_line` to a line, joined by `sep`."""
    lines = []
    for i in range(0, len(tokens), per_line):
        lines.append(sep.join(tokens[i:i + per_line]))
    return lines or [""]


# ---------------------------------------------------------------- grids

def steps(start, stop, step):
    n = int(round((stop - start) / step))
    return [start + i * step for i in range(n + 1)]


def joined(*parts):
    """Concatenates grid pieces, dropping repeated joints."""
    out = []
    for part in parts:
        for a in part:
            if not out or a > out[-1]:
                out.append(a)
    return out
