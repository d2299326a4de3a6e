"""Reads a DXF file with ezdxf and prints what the export tests check.

Usage: read_dxf.py FILE. Prints one fact a line, tab-separated:
  audit <errors> <fixes>          after ezdxf.recover and a full audit
  version <$ACADVER>
  insunits <$INSUNITS>
  entity <type> <layer> <closed> <vertices> <area>
The area is the enclosed area: the shoelace area of a polyline's vertices
(absolute), pi r^2 of a circle, 0 for anything else. Exit code 2 when ezdxf
is missing, 1 when the file cannot be read at all.
"""
import math
import sys

try:
    import ezdxf
    from ezdxf import recover
except ImportError:
    print("ezdxf is not installed (Debian package python3-ezdxf)", file=sys.stderr)
    sys.exit(2)


def polygon_area(points):
    twice = 0.0
    for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
        twice += x0 * y1 - x1 * y0
    return abs(twice) / 2.0


def main(path):
    try:
        doc, auditor = recover.readfile(path)
    except (IOError, ezdxf.DXFStructureError) as error:
        print(f"cannot read {path}: {error}", file=sys.stderr)
        return 1
    # recover reports what it had to mend while loading; a second audit of
    # the loaded document reports what is still wrong.
    audit = doc.audit()
    errors = len(auditor.errors) + len(audit.errors)
    fixes = len(auditor.fixes) + len(audit.fixes)
    print(f"audit\t{errors}\t{fixes}")
    for entry in auditor.errors + audit.errors + auditor.fixes + audit.fixes:
        print(f"note\t{entry.message}")
    print(f"version\t{doc.header.get('$ACADVER', '')}")
    print(f"insunits\t{doc.header.get('$INSUNITS', '')}")
    for e in doc.modelspace():
        kind = e.dxftype()
        layer = e.dxf.layer
        closed, count, area = 0, 0, 0.0
        if kind == "POLYLINE":
            points = [(v.dxf.location.x, v.dxf.location.y) for v in e.vertices]
            closed, count, area = int(e.is_closed), len(points), polygon_area(points)
        elif kind == "CIRCLE":
            area = math.pi * e.dxf.radius ** 2
        print(f"entity\t{kind}\t{layer}\t{closed}\t{count}\t{area:.9f}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
