#!/usr/bin/env python3
"""Writes the add-on's assets: the satellite's meshes and its exhaust texture.

Meshes (odd and even variant) are in the simulator's text mesh format.

The satellite is a flat box, thin along its y axis so that sixty of them stack
0.24 m apart on the carrier. The six solar-array panels lie folded on its top
face, one above the other, as an accordion: groups 0 to 5, in the order of the
array animation's chain. Each panel's hinge line is the one the animation turns
it about. Group 6 is the bus. Both variants share this geometry, since their
array animations are the same: the mirroring of the even variant comes from
the way it hangs on the carrier (its attachment's rotation reference points
the other way). The even one's bus is silver, the odd one's gold, so the two
can be told apart.
The exhaust texture is a small uncompressed DDS image: a soft white glow.
Usage: make_addon_assets.py ADDON_FOLDER   (the folder holding Meshes/ and Textures/)
"""
import math
import os
import struct
import sys

PANEL_Z = (-1.75, 1.75)            # panel extent along z [m]
PANEL_THICKNESS = 0.003            # [m]
# (x from, x to, hinge height y) for panels 0..5: panel 0 spans from its hinge at
# x = -0.83 to x = 0.571; each later panel folds back over the one before it.
PANELS = [(-0.83, 0.571, 0.102), (0.571, -0.571, 0.106), (-0.571, 0.571, 0.110),
          (0.571, -0.571, 0.115), (-0.571, 0.571, 0.119), (0.571, -0.571, 0.123)]
BUS = ((-0.85, 0.62), (-0.11, 0.1), (-1.85, 1.85))   # x, y, z extents [m]


def box(x0, x1, y0, y1, z0, z1):
    """Vertices and triangles of an axis-aligned box, faces outward, clockwise when seen from outside."""
    x0, x1 = min(x0, x1), max(x0, x1)
    faces = [  # (normal, four corners counter-clockwise seen from outside)
        ((1, 0, 0), [(x1, y0, z0), (x1, y1, z0), (x1, y1, z1), (x1, y0, z1)]),
        ((-1, 0, 0), [(x0, y0, z1), (x0, y1, z1), (x0, y1, z0), (x0, y0, z0)]),
        ((0, 1, 0), [(x0, y1, z0), (x0, y1, z1), (x1, y1, z1), (x1, y1, z0)]),
        ((0, -1, 0), [(x0, y0, z1), (x0, y0, z0), (x1, y0, z0), (x1, y0, z1)]),
        ((0, 0, 1), [(x1, y0, z1), (x1, y1, z1), (x0, y1, z1), (x0, y0, z1)]),
        ((0, 0, -1), [(x0, y0, z0), (x0, y1, z0), (x1, y1, z0), (x1, y0, z0)]),
    ]
    verts, tris = [], []
    for normal, corners in faces:
        base = len(verts)
        for c in corners:
            verts.append((c, normal))
        tris += [(base, base + 1, base + 2), (base, base + 2, base + 3)]
    return verts, orient(verts, tris)


def orient(verts, tris):
    """Orders each triangle so that its visible side faces along its normal.

    The simulator's frame is left-handed and shows the side from which the
    vertices run clockwise; there, the plain component cross product
    (b - a) x (c - a) points towards that side.
    """
    out = []
    for a, b, c in tris:
        pa, pb, pc = verts[a][0], verts[b][0], verts[c][0]
        u = [pb[i] - pa[i] for i in range(3)]
        v = [pc[i] - pa[i] for i in range(3)]
        cross = (u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0])
        n = verts[a][1]
        out.append((a, b, c) if sum(cross[i] * n[i] for i in range(3)) > 0 else (a, c, b))
    return out


def write(path, even):
    groups = []
    for k, (xa, xb, y) in enumerate(PANELS):
        groups.append(("panel%d" % k, 1, box(xa, xb, y, y + PANEL_THICKNESS, *PANEL_Z)))
    groups.append(("bus", 2, box(*BUS[0], *BUS[1], *BUS[2])))
    lines = ["MSHX1", "GROUPS %d" % len(groups)]
    for label, material, (verts, tris) in groups:
        lines += ["LABEL " + label, "MATERIAL %d" % material, "TEXTURE 0", "GEOM %d %d" % (len(verts), len(tris))]
        lines += ["%g %g %g %g %g %g" % (p + n) for p, n in verts]
        lines += ["%d %d %d" % t for t in tris]
    lines += ["MATERIALS 2", "solar_cells", "bus_foil",
              "MATERIAL solar_cells", "0.08 0.12 0.35 1", "0.08 0.12 0.35 1", "0.6 0.6 0.7 1 20", "0 0 0 1",
              "MATERIAL bus_foil"] + (
                 ["0.75 0.76 0.78 1", "0.75 0.76 0.78 1", "0.9 0.9 0.95 1 40", "0 0 0 1"] if even else
                 ["0.8 0.65 0.25 1", "0.8 0.65 0.25 1", "0.9 0.8 0.5 1 40", "0 0 0 1"]) + [
              "TEXTURES 0"]
    with open(path, "w", newline="\r\n") as f:
        f.write("\n".join(lines) + "\n")


def write_exhaust_texture(path, size=32):
    """A DDS file with 32-bit A8R8G8B8 pixels, brightest at the centre."""
    flags = 0x1 | 0x2 | 0x4 | 0x8 | 0x1000          # caps, height, width, pitch, pixel format
    pixel_format = struct.pack("<II4sIIIII", 32, 0x41, b"\0\0\0\0", 32,
                               0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000)   # RGB with alpha
    header = struct.pack("<IIIIIII", 124, flags, size, size, size * 4, 0, 0) + b"\0" * 44 + pixel_format
    header += struct.pack("<IIIII", 0x1000, 0, 0, 0, 0)   # a plain texture
    pixels = bytearray()
    for y in range(size):
        for x in range(size):
            r = math.hypot(x + 0.5 - size / 2, y + 0.5 - size / 2) / (size / 2)
            a = int(255 * max(0.0, 1.0 - r) ** 1.5)
            pixels += struct.pack("<BBBB", 255, 235, 220, a)   # B, G, R, A
    with open(path, "wb") as f:
        f.write(b"DDS " + header + bytes(pixels))


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else "."
    meshes = os.path.join(root, "Meshes", "quorvane")
    textures = os.path.join(root, "Textures", "quorvane")
    os.makedirs(meshes, exist_ok=True)
    os.makedirs(textures, exist_ok=True)
    write(os.path.join(meshes, "quorvane_odd.msh"), even=False)
    write(os.path.join(meshes, "quorvane_even.msh"), even=True)
    write_exhaust_texture(os.path.join(textures, "exhaust.dds"))


if __name__ == "__main__":
    main()
