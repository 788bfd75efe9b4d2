"""One generated EULUMDAT file: a type C model sampled on the planes its
symmetry stores, in cd per 1000 lm, written in one of the layouts real
writers use. Deterministic: the same inputs give byte-identical files."""

from iesgen import fmt

# The symmetry indicator of each plane range the models are drawn for.
ISYM = {(0, 0): 1, (0, 90): 4, (0, 180): 2, (90, 270): 3, (0, 360): 0}


def stored_planes(isym, nc):
    """Indices (of the nc C-planes over 360 degrees) the file stores."""
    if isym == 1:
        return [0]
    if isym == 4:
        return list(range(nc // 4 + 1))
    if isym == 2:
        return list(range(nc // 2 + 1))
    if isym == 3:
        return [(3 * nc // 4 + j) % nc for j in range(nc // 2 + 1)]
    return list(range(nc))


class LdtFile:
    """`model(gamma, c)` in relative candela, `model_flux` its flux over the
    sphere; the intensities are scaled so that the luminaire gives `lor` of
    the lamps' flux. nc must divide as `isym` needs."""

    def __init__(self, name, maker, isym, nc, gammas, model, model_flux, *, lamps=1, flux=1000,
                 watts=10, lor=0.8, dims=(600, 0, 80, 500, 0), eol="\r\n", decimals=1,
                 comma=False, per_line=1, texts=("", "", "")):
        self.name = name
        self.maker = maker
        self.isym, self.nc, self.gammas = isym, nc, list(gammas)
        self.lamps, self.flux, self.watts, self.lor = lamps, flux, watts, lor
        self.dims = dims
        self.eol, self.decimals, self.comma, self.per_line = eol, decimals, comma, per_line
        self.texts = texts
        k = 1000 * lor / model_flux
        self.c_angles = [360 * i / nc for i in range(nc)]
        self.values = [[k * model(g, self.c_angles[i]) for g in self.gammas] for i in stored_planes(isym, nc)]

    def number(self, value, decimals):
        text = fmt(value, decimals)
        return text.replace(".", ",") if self.comma else text

    def lines(self):
        report, luminaire, number = self.texts
        length, width, height, area_length, area_width = self.dims
        dg = self.gammas[1] - self.gammas[0] if len(self.gammas) > 1 else 0
        out = [self.maker, "1" if self.isym == 1 else "3", str(self.isym), str(self.nc),
               self.number(360 / self.nc, 2), str(len(self.gammas)), self.number(dg, 2),
               report, luminaire, number, self.name, "2024-05-01 generated"]
        out += [self.number(v, 0) for v in (length, width, height, area_length, area_width)]
        out += [self.number(height / 2, 0)] * 4
        out += ["100", self.number(100 * self.lor, 1), "1", "0", "1"]
        out += [str(self.lamps), "LED module", self.number(self.flux, 0), "3000 K", "1B",
                self.number(self.watts, 1)]
        out += [self.number(0.5 + 0.05 * i, 3) for i in range(10)]
        numbers = [self.number(c, 2) for c in self.c_angles] + [self.number(g, 2) for g in self.gammas]
        numbers += [self.number(v, self.decimals) for row in self.values for v in row]
        for i in range(0, len(numbers), self.per_line):
            out.append(" ".join(numbers[i:i + self.per_line]))
        return out

    def text(self):
        return self.eol.join(self.lines()) + self.eol
