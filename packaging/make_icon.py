#!/usr/bin/env python3
"""Writes icons/korva.svg: a toothed ring with a rosette and its mirror image
traced inside it, then renders the hicolor PNGs with rsvg-convert (librsvg2-bin)."""
import math
import os
import subprocess

SIZE = 128
C = SIZE / 2
TEETH = 16  # few, broad teeth so the ring still reads as a gear at 16 px


def fmt(v):
    s = f"{v:.1f}".rstrip("0").rstrip(".")
    return "0" if s == "-0" else s


def path(points, close=True):
    d = "M" + " ".join(f"{fmt(x)} {fmt(y)}" for x, y in points[:1])
    d += "L" + " ".join(f"{fmt(x)} {fmt(y)}" for x, y in points[1:])
    return d + ("Z" if close else "")


def ring_outline(r_root, r_tip):
    pts = []
    pitch = 2 * math.pi / TEETH
    for i in range(TEETH):
        a = i * pitch
        # root, flank up, tip, flank down: tip a little narrower than the gap
        for frac, r in ((0.0, r_root), (0.12, r_tip), (0.45, r_tip), (0.57, r_root)):
            t = a + frac * pitch - math.pi / 2
            pts.append((C + r * math.cos(t), C + r * math.sin(t)))
    return pts


def hypotrochoid(fixed, moving, hole, scale, rotate=0.0, steps=360):
    """The pen at `hole` (1 = rim) of a `moving` gear rolling inside `fixed`."""
    k = fixed - moving
    turns = moving // math.gcd(fixed, moving)
    pts = []
    n = steps * turns
    for i in range(n):
        t = 2 * math.pi * turns * i / n
        x = k * math.cos(t) + hole * moving * math.cos(k / moving * t)
        y = k * math.sin(t) - hole * moving * math.sin(k / moving * t)
        r = scale / (k + hole * moving)
        a = rotate - math.pi / 2
        xr, yr = x * math.cos(a) - y * math.sin(a), x * math.sin(a) + y * math.cos(a)
        pts.append((C + r * xr, C + r * yr))
    return pts


def circle(r):
    return [(C + r * math.cos(2 * math.pi * i / 96), C + r * math.sin(2 * math.pi * i / 96))
            for i in range(96)]


def main():
    ring = path(ring_outline(55, 63)) + path(circle(44))
    # Five loops and their mirror image: a reflected pair in two pen colours.
    front = path(hypotrochoid(5, 3, 0.55, 40, steps=48))
    mirror = path(hypotrochoid(5, 3, 0.55, 40, rotate=math.pi / 5, steps=48))
    svg = f"""<svg xmlns="http://www.w3.org/2000/svg" width="{SIZE}" height="{SIZE}" viewBox="0 0 {SIZE} {SIZE}">
<circle cx="{fmt(C)}" cy="{fmt(C)}" r="46" fill="#fffdf6"/>
<path fill="#2f3e5c" fill-rule="evenodd" d="{ring}"/>
<g fill="none" stroke-linejoin="round">
<path stroke="#1f9e9a" stroke-width="3.5" d="{mirror}"/>
<path stroke="#e2366f" stroke-width="4.5" d="{front}"/>
</g>
</svg>
"""
    icons = os.path.join(os.path.dirname(os.path.abspath(__file__)), "icons")
    svg_path = os.path.join(icons, "korva.svg")
    with open(svg_path, "w") as f:
        f.write(svg)
    for n in (48, 128, 256):
        png = os.path.join(icons, "hicolor", f"{n}x{n}", "apps", "korva.png")
        os.makedirs(os.path.dirname(png), exist_ok=True)
        subprocess.run(["rsvg-convert", "-w", str(n), "-h", str(n), svg_path, "-o", png], check=True)


if __name__ == "__main__":
    main()
