"""One generated IES file: its header, numbers and layout."""

from iesgen import flux, fmt, fmt_legacy, fmt_short, wrap

HEADER_FIELDS = ("lamps", "lumens", "mult", "nv", "nh", "ptype", "units",
                 "width", "length", "height", "ballast", "blf", "watts")


class IesFile:
    """A luminaire's photometry, scaled so that its flux is what the lamp
    and the optics give, and written in one LM-63 style.

    `model_flux` saves integrating a model already integrated.
    lumens -1 marks absolute photometry: `output` is then the luminaire's
    flux; otherwise the flux is lor x lamps x lumens."""

    def __init__(self, name, header, ptype, vert, horz, model, *, lamps=1,
                 lumens, mult=1.0, watts, units=2, dims=(0.0, 0.0, 0.0),
                 lor=1.0, output=None, ballast=1.0, blf=1.0, tilt="NONE",
                 tilt_block=None, eol="\r\n", sep=" ", per_line=10,
                 cd_dec=1, style="plain", bad_field=None, final_eol=True,
                 values=None, model_flux=None):
        self.name = name
        self.header = list(header)
        self.ptype = ptype
        self.vert = list(vert)
        self.horz = list(horz)
        self.lamps, self.lumens, self.mult, self.watts = lamps, lumens, mult, watts
        self.units, self.dims = units, dims
        self.ballast, self.blf = ballast, blf
        self.tilt, self.tilt_block = tilt, tilt_block
        self.eol, self.sep, self.per_line = eol, sep, per_line
        self.cd_dec, self.style = cd_dec, style
        self.bad_field = bad_field  # (field name, token written instead)
        self.final_eol = final_eol
        self.fault_line = None
        if values is not None:
            self.values = values  # rows per horizontal angle, as stored
            self.exact = True
        else:
            target = output if lumens < 0 else lor * lamps * lumens
            total = model_flux if model_flux is not None else flux(model, ptype)
            k = target / total / mult
            self.values = [[k * model(v, h) for v in self.vert] for h in self.horz]
            self.exact = False

    def number(self, value, decimals):
        if self.exact:
            return fmt_short(value)
        if self.style == "legacy":
            return fmt_legacy(value, decimals)
        if self.style == "exp" and value != 0:
            return f"{value:.4E}"
        return fmt(value, decimals)

    def header_tokens(self):
        w, l, h = self.dims
        raw = {
            "lamps": fmt(self.lamps, 0), "lumens": self.number(self.lumens, 0),
            "mult": self.number(self.mult, 4), "nv": str(len(self.vert)),
            "nh": str(len(self.horz)), "ptype": str(self.ptype), "units": str(self.units),
            "width": self.number(w, 3), "length": self.number(l, 3), "height": self.number(h, 3),
            "ballast": self.number(self.ballast, 2), "blf": self.number(self.blf, 5),
            "watts": self.number(self.watts, 1),
        }
        if self.bad_field:
            raw[self.bad_field[0]] = self.bad_field[1]
        return [raw[f] for f in HEADER_FIELDS]

    def lines(self):
        out = list(self.header)
        out.append("TILT=" + self.tilt)
        if self.tilt_block:
            geometry, angles, factors = self.tilt_block
            out.append(str(geometry))
            out.append(str(len(angles)))
            out.extend(wrap([fmt(a, 1) for a in angles], self.per_line, self.sep))
            out.extend(wrap([self.number(f, 3) for f in factors], self.per_line, self.sep))
        tokens = self.header_tokens()
        first_header_line = len(out) + 1
        out.append(self.sep.join(tokens[:10]))
        out.append(self.sep.join(tokens[10:]))
        if self.bad_field:
            index = HEADER_FIELDS.index(self.bad_field[0])
            self.fault_line = first_header_line + (0 if index < 10 else 1)
        out.extend(wrap([fmt(a, 2) for a in self.vert], self.per_line, self.sep))
        out.extend(wrap([fmt(a, 2) for a in self.horz], self.per_line, self.sep))
        for row in self.values:
            out.extend(wrap([self.number(v, self.cd_dec) for v in row], self.per_line, self.sep))
        return out

    def text(self):
        body = self.eol.join(self.lines())
        return body + self.eol if self.final_eol else body

    def stored(self):
        """Lamp lumens, multiplier and rows as the reader keeps them:
        relative files with multiplier 1 become candela per 1000 lamp lumens."""
        mult, rows = self.mult, [list(r) for r in self.values]
        if not self.exact:
            rows = [[float(self.number(v, self.cd_dec)) for v in r] for r in rows]
        if self.lumens != 1000 and mult == 1 and self.lumens > 0:
            mult = self.lumens / 1000
            rows = [[v / mult for v in r] for r in rows]
        return mult, rows
