"""Reads every plan sheet's DXF with ezdxf, an independent reader, and checks what a CAD
user relies on: no audit errors, inches, the layers, the sheet's own title and number, and
drawings at full size.

Usage: dxf_check.py DIR [FILE=LENGTH ...]: FILE must hold a horizontal dimension line
LENGTH inches long (a wall's length)."""
import glob
import os
import re
import sys

try:
    import ezdxf
except ImportError:
    print("ezdxf is not installed (python3-ezdxf)")
    sys.exit(2)

LAYERS = {"foundation", "floor", "framing", "lining", "siding", "roof", "doors", "ramps",
          "dimensions", "text", "titleblock"}


def safe(text):
    return re.sub(r"[^a-z0-9]+", "-", text.lower()).strip("-")


def main():
    folder = sys.argv[1]
    lengths = dict(arg.split("=") for arg in sys.argv[2:])
    files = sorted(glob.glob(os.path.join(folder, "*.dxf")))
    failures = []
    if not files:
        failures.append("no DXF files in " + folder)
    for n, path in enumerate(files, 1):
        name = os.path.basename(path)
        number, _, title = name[:-4].partition("-")
        doc = ezdxf.readfile(path)
        auditor = doc.audit()
        if auditor.has_errors:
            failures.append(f"{name}: {[e.message for e in auditor.errors][:3]}")
        if doc.header.get("$INSUNITS") != 1:
            failures.append(f"{name}: $INSUNITS is {doc.header.get('$INSUNITS')}")
        missing = LAYERS - {layer.dxf.name for layer in doc.layers}
        if missing:
            failures.append(f"{name}: no layers {sorted(missing)}")
        msp = doc.modelspace()
        texts = [t.dxf.text for t in msp.query("TEXT")]
        if int(number) != n:
            failures.append(f"{name}: sheet {n} is numbered {number}")
        if f"Sheet {n} of {len(files)}" not in texts:
            failures.append(f"{name}: no 'Sheet {n} of {len(files)}'")
        # A long title wraps in the title block: its lines are consecutive texts.
        if not any(safe(" ".join(texts[i:i + k])) == title for k in (1, 2, 3) for i in range(len(texts))):
            failures.append(f"{name}: no title text for '{title}'")
        for entity in msp:
            if entity.dxf.layer not in LAYERS:
                failures.append(f"{name}: {entity.dxftype()} on layer {entity.dxf.layer}")
                break
        if name in lengths:
            want = float(lengths[name])
            found = [abs(e.dxf.end.x - e.dxf.start.x) for e in msp.query('LINE[layer=="dimensions"]')
                     if abs(e.dxf.end.y - e.dxf.start.y) < 1e-6]
            if not any(abs(f - want) < 0.01 for f in found):
                failures.append(f"{name}: no dimension line {want} in long")
            if not msp.query('LWPOLYLINE[layer=="framing"]'):
                failures.append(f"{name}: nothing on the framing layer")
    for f in failures:
        print(f)
    print(f"{len(files)} sheets, {len(failures)} failures")
    sys.exit(1 if failures else 0)


main()
