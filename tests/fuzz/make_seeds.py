#!/usr/bin/env python3
"""Writes the fuzzers' seed corpora: small files of our own making, plus the
sample library's files (and .ini files) when the repository has them."""
import pathlib
import sys


def photometric(tilt="NONE", counts=(3, 2), header=None, eol="\r\n", keywords=True,
                lumens="1000", multiplier="1", sep=" "):
    v, h = counts
    lines = []
    if keywords:
        lines += ["IESNA:LM-63-2002", "[TEST] T-1 [TESTLAB] lab", "[MANUFAC] Maker",
                  "[LUMINAIRE] Spot", "[LUMCAT] C-1", "[LAMP] LED", "[LAMPCAT] L-1",
                  "[CHANGED] Orvanek", "DESCR.-1 : older form", "LM-NO.   : 12 LM-DATE 1990",
                  "LAMP     : old lamp"]
    lines.append(f"TILT={tilt}")
    if tilt.upper() == "INCLUDE":
        lines += ["1", "3", "0 45 90", "1 0.9 0.8"]
    head = header or ["1", lumens, multiplier, str(v), str(h), "1", "2", "0.1", "0.2", "0.05"]
    lines.append(sep.join(head))
    lines.append(sep.join(["1", "1", "35.5"]))
    lines.append(sep.join(str(90 * i / max(v - 1, 1)) for i in range(v)))
    lines.append(sep.join(str(360 * i / max(h, 1)) for i in range(h)))
    for row in range(h):
        lines.append(sep.join(f"{100.0 + row - i * 1.5:g}" for i in range(v)))
    return (eol.join(lines) + eol).encode("latin-1")


def reader_seeds():
    yield "plain", photometric()
    yield "include", photometric(tilt="INCLUDE")
    yield "lowercase_tilt", photometric(tilt="none")
    yield "tilt_file", photometric(tilt="lamp.tlt")
    yield "no_keywords", photometric(keywords=False)
    yield "cr_only", photometric(eol="\r")
    yield "lf_only", photometric(eol="\n")
    yield "commas", photometric(sep=",")
    yield "normalised", photometric(lumens="2000")
    yield "absolute", photometric(lumens="-1")
    yield "exponents", photometric(header=["1", "1e3", "1.0E0", "2", "1", "1", "2", "-0.1", "+.2", "0.", "1", "1", "35.5"])
    yield "header_fault", photometric(header=["1", "x", "1", "2", "1", "1", "2", "0", "0", "0", "1", "1", "9"])
    yield "zero_counts", photometric(counts=(0, 0))
    yield "no_tilt", b"1 1000 1 2 1 1 2 0 0 0 1 1 9\n0 90\n0\n10 5\n"
    yield "empty", b""
    yield "nul", b"TILT=NONE\n1 1000 1\x00 2 1 1 2 0 0 0 1 1 9\n"


def eulumdat(isym=2, nc=8, ng=5, eol="\r\n", lamps=1, sets=1, comma=False, per_line=1, texts=None):
    """A small EULUMDAT file: the items one to a line, then the blocks."""
    stored = {0: nc, 1: 1, 2: nc // 2 + 1, 3: nc // 2 + 1, 4: nc // 4 + 1}[isym]
    items = texts or ["Maker", "1", str(isym), str(nc), f"{360 / nc:g}", str(ng), f"{90 / max(ng - 1, 1):g}",
                      "R-1", "Spot", "S-1", "spot.ldt", "2024 lab"]
    items += ["100", "100", "50", "80", "0", "10", "10", "10", "10", "100", "80.5", "1", "0", str(sets)]
    for s in range(sets):
        items += [str(lamps), f"LED {s}", str(1000 * (s + 1)), "3000 K", "1B", "12.5"]
    numbers = ["0.5"] * 10 + [f"{360 * k / nc:g}" for k in range(nc)] + [f"{90 * i / max(ng - 1, 1):g}" for i in range(ng)]
    numbers += [f"{100 - j - i * 1.5:g}" for j in range(stored) for i in range(ng)]
    lines = items + [" ".join(numbers[i:i + per_line]) for i in range(0, len(numbers), per_line)]
    text = eol.join(lines) + eol
    if comma:
        text = text.replace(".", ",")
    return text.encode("latin-1")


def eulumdat_seeds():
    for isym, nc in ((0, 8), (1, 1), (1, 12), (2, 8), (3, 8), (4, 8)):
        yield f"isym{isym}_nc{nc}", eulumdat(isym=isym, nc=nc)
    yield "absolute", eulumdat(lamps=-1)
    yield "lamp_sets", eulumdat(sets=3)
    yield "lf", eulumdat(eol="\n")
    yield "cr", eulumdat(eol="\r")
    yield "comma", eulumdat(comma=True)
    yield "several_per_line", eulumdat(per_line=7)
    yield "latin1", eulumdat(texts=["M\xfcller \x80", "0", "2", "8", "45", "5", "22.5", "", "", "", "", ""])
    yield "bom", b"\xef\xbb\xbf" + eulumdat()
    yield "truncated", eulumdat()[:-20]
    yield "isym5", eulumdat().replace(b"\r\n2\r\n8\r\n", b"\r\n5\r\n8\r\n", 1)
    yield "empty", b""


def main():
    out = pathlib.Path(sys.argv[1])
    root = pathlib.Path(__file__).resolve().parents[2]
    reader = out / "reader"
    ini = out / "ini"
    reader.mkdir(parents=True, exist_ok=True)
    ini.mkdir(parents=True, exist_ok=True)
    for name, data in reader_seeds():
        (reader / f"{name}.ies").write_bytes(data)
    ldt = out / "eulumdat"
    ldt.mkdir(parents=True, exist_ok=True)
    for name, data in eulumdat_seeds():
        (ldt / f"{name}.ldt").write_bytes(data)
    samples = root / "samples"
    if samples.is_dir():
        for path in sorted(samples.rglob("*")):
            if path.is_file() and path.stat().st_size <= 64 * 1024:
                target = reader if path.suffix.lower() == ".ies" else ini if path.suffix.lower() == ".ini" else None
                if target is not None:
                    (target / ("sample_" + path.name)).write_bytes(path.read_bytes())
    (ini / "minimal.ini").write_bytes(b"[Main]\r\nFolder=/home/user/ies/\r\nFit=1\r\nAbsolute=0\r\n")
    (ini / "sections.ini").write_bytes(b"; comment\n[A]\nkey=value\n\n[B]\n x = y \nnoequals\n[broken\n=empty\n")


if __name__ == "__main__":
    main()
