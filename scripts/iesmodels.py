"""Analytic intensity models of common luminaires. Each returns a function
(v, h) -> relative candela in its photometric type's angles; the type C
ones are defined over the whole sphere and are symmetric exactly as the
grids that sample them assume."""

import math

from iesgen import DEG, angle_between, dir_type_c, smoothstep


def _down(gamma):
    return gamma < 90


def cosine(n, cutoff=90.0, soft=6.0):
    """Downlight: cos^n of the angle from nadir, softly cut off."""
    def model(g, _c):
        if not _down(g):
            return 0.0
        return math.cos(g * DEG) ** n * (1 - smoothstep(cutoff - soft, cutoff, g))
    return model


def spot(half_angle, spill=0.02, cutoff=75.0):
    """Reflector spot: a gaussian beam of the given half-peak angle on a small cosine spill."""
    sigma = half_angle / math.sqrt(math.log(2))

    def model(g, _c):
        if not _down(g):
            return 0.0
        beam = math.exp(-(g / sigma) ** 2)
        return beam + spill * math.cos(g * DEG) * (1 - smoothstep(cutoff - 10, cutoff, g))
    return model


def square_trim(n, squareness):
    """Downlight whose beam is squarer along the diagonals (quadrant symmetric)."""
    def model(g, c):
        if not _down(g):
            return 0.0
        exponent = n * (1 - squareness * math.sin(2 * c * DEG) ** 2)
        return math.cos(g * DEG) ** exponent * (1 - smoothstep(80, 90, g))
    return model


def troffer(n_across, n_along, cutoff=90.0):
    """Recessed troffer: cosine-like, narrower across the lamps than along them."""
    def model(g, c):
        if not _down(g):
            return 0.0
        s = math.sin(c * DEG) ** 2
        n = n_across * (1 - s) + n_along * s
        return math.cos(g * DEG) ** n * (1 - smoothstep(cutoff - 12, cutoff, g))
    return model


def batwing(up=0.0, along=0.55):
    """Linear batwing: peaks near 40 degrees across the lamps, plain cosine
    along them; `up` adds an indirect share above the horizon."""
    def model(g, c):
        s = math.sin(c * DEG) ** 2
        if _down(g):
            cg = math.cos(g * DEG)
            across = (0.3 + 1.2 * math.sin(1.3 * g * DEG) ** 2) * cg ** 1.5
            return across * (1 - s) + along * cg ** 1.3 * s
        return up * (-math.cos(g * DEG)) ** 1.2 * (1 - 0.25 * s)
    return model


def wraparound():
    """Surface wraparound lens: wide downward, sideways through the lens,
    a little light back onto the ceiling."""
    def model(g, c):
        s = math.sin(c * DEG) ** 2
        cg = math.cos(g * DEG)
        if _down(g):
            return (0.55 + 0.45 * cg) * (1 - 0.35 * s * (1 - cg))
        return 0.55 * (1 - smoothstep(90, 125, g)) * (1 - 0.35 * s) + 0.04
    return model


def street(side_c, lobe_gamma, lobe_spread, width, house=0.35):
    """Street optics: two lobes thrown along the road toward the street side
    (the plane `side_c`), a cosine base, a dimmer house side, cut off at the horizon."""
    lobes = [dir_type_c(lobe_gamma, side_c + lobe_spread), dir_type_c(lobe_gamma, side_c - lobe_spread)]
    fx, fy = math.cos(side_c * DEG), math.sin(side_c * DEG)

    def model(g, c):
        if not _down(g):
            return 0.0
        d = dir_type_c(g, c)
        beam = sum(math.exp(-(angle_between(d, lobe) / width) ** 2) for lobe in lobes)
        base = 0.45 * math.cos(g * DEG) ** 1.4
        forward = d[0] * fx + d[1] * fy
        side = house + (1 - house) * smoothstep(-0.7, 0.35, forward)
        return (beam + base) * side * (1 - smoothstep(78, 90, g))
    return model


def wall_pack(side_c, up_share):
    """Wall-mounted area light: forward throw into the plane `side_c`, no light
    back into the wall, a little spill above the horizon."""
    fx, fy = math.cos(side_c * DEG), math.sin(side_c * DEG)
    lobe = dir_type_c(58, side_c)

    def model(g, c):
        d = dir_type_c(g, c)
        forward = d[0] * fx + d[1] * fy
        wall = smoothstep(-0.15, 0.25, forward)
        down = math.exp(-(angle_between(d, lobe) / 38) ** 2) + 0.5 * max(d[2], 0.0)
        up = up_share * max(-d[2], 0.0) ** 0.8
        return wall * (down if d[2] >= 0 else up + 0.05 * (1 - smoothstep(90, 110, g)))
    return model


def wall_washer(throw_gamma=32.0, lateral=2.3):
    """Recessed wall washer: a kicker lobe toward the wall at C 0, widened sideways."""
    peak = dir_type_c(throw_gamma, 0)

    def model(g, c):
        if not _down(g):
            return 0.0
        x, y, z = dir_type_c(g, c)
        norm = math.sqrt(x * x + (y / lateral) ** 2 + z * z)
        widened = (x / norm, y / lateral / norm, z / norm)
        kick = math.exp(-(angle_between(widened, peak) / 22) ** 2)
        return (0.35 * math.cos(g * DEG) ** 2 + kick) * (1 - smoothstep(80, 90, g))
    return model


def uplight(n):
    """Uplight: cos^n of the angle from the zenith, nothing below the horizon."""
    def model(g, _c):
        if g <= 90:
            return 0.0
        return (-math.cos(g * DEG)) ** n
    return model


def cove(throw):
    """Linear cove uplight: a wide upward fan thrown across the cove (C 0 and 180)."""
    def model(g, c):
        if g <= 90:
            return 0.0
        up = -math.cos(g * DEG)
        across = math.cos(c * DEG) ** 2
        return up ** 0.9 * (1 + throw * math.sin(g * DEG) ** 2 * across)
    return model


def bollard():
    """Louvred bollard head: light thrown sideways and down onto the path, none upward."""
    def model(g, _c):
        side = math.exp(-((g - 72) / 14) ** 2)
        down = 0.15 * max(math.cos(g * DEG), 0.0)
        return (side + down) * (1 - smoothstep(88, 98, g))
    return model


def globe(shadow=0.75):
    """Opal globe pendant: nearly even in every direction, shaded by the fitter above."""
    def model(g, _c):
        return (0.9 + 0.1 * math.cos(g * DEG)) * (1 - shadow * smoothstep(135, 178, g))
    return model


def sconce(up, down):
    """Wall sconce at C 0 on a wall behind C 180: light up and down out of an open shade."""
    def model(g, c):
        d = dir_type_c(g, c)
        wall = smoothstep(-0.45, 0.1, d[0])
        return wall * (down * max(d[2], 0.0) ** 2.5 + up * max(-d[2], 0.0) ** 1.8 + 0.03)
    return model


def high_bay():
    """Aluminium high-bay reflector: a centre beam with a ring near 35 degrees."""
    def model(g, _c):
        if not _down(g):
            return 0.0
        return (0.7 * math.cos(g * DEG) ** 4 + 0.5 * math.exp(-((g - 35) / 15) ** 2)) * (1 - smoothstep(70, 85, g))
    return model


def flood(sigma_h, sigma_v, power=2.0, spill=0.01, v_centre=0.0, sigma_v_below=None):
    """Floodlight in H and V (type B or A angles): a super-gaussian beam,
    optionally aimed above its axis with a softer edge below."""
    below = sigma_v_below or sigma_v

    def model(v, h):
        sv = sigma_v if v >= v_centre else below
        beam = math.exp(-abs(h / sigma_h) ** power - abs((v - v_centre) / sv) ** power)
        return beam + spill * math.cos(h * DEG) * math.cos(v * DEG)
    return model


def fog_lamp():
    """Vehicle fog lamp (type A): a wide flat beam with a sharp cut-off above the horizon."""
    def model(v, h):
        spread = math.exp(-(h / 28) ** 2)
        vertical = math.exp(-(v / 7) ** 2) if v < 0 else math.exp(-(v / 1.8) ** 2)
        return spread * vertical
    return model
