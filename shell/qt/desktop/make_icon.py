#!/usr/bin/python3
"""Draws slanter.png, the program's icon: copies of a picture in rows, each row slid
against the next, the whole turned to a slant and cut to an upright tile, which is what
the program makes. Run it again after changing the drawing; the PNG is kept in the tree.

    make_icon.py [SIZE]    (256 unless given)
"""
import math
import os
import sys

from PIL import Image, ImageDraw

SCALE = 8  # drawn this much larger, then reduced, for smooth edges


def turned(points, angle, centre):
    """The points turned by angle about the origin, then moved to centre."""
    cx, cy = centre
    c, s = math.cos(angle), math.sin(angle)
    return [(cx + x * c - y * s, cy + x * s + y * c) for x, y in points]


def draw(size):
    big = size * SCALE
    unit = big / 48.0  # the drawing is laid out on a 48 x 48 grid
    tile = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    pictures = Image.new("RGBA", (big, big), (245, 242, 234, 255))
    pen = ImageDraw.Draw(pictures)
    angle = -math.atan2(1, 2)
    centre = (24 * unit, 24 * unit)
    width, height, slide = 14, 9, 5

    def placed(points):
        return turned([(x * unit, y * unit) for x, y in points], angle, centre)

    for row in range(-4, 5):
        for column in range(-5, 5):
            x = column * width + (row * slide) % width - width / 2
            y = row * height - height / 2
            corners = [(x, y), (x + width, y), (x + width, y + height), (x, y + height)]
            pen.polygon(placed(corners), fill=(63, 127, 191, 255), outline=(29, 63, 95, 255),
                        width=max(1, int(unit * 0.8)))
            hill = [(x + 1.5, y + 5), (x + 12.5, y + 5), (x + 12.5, y + 7.5), (x + 1.5, y + 7.5)]
            pen.polygon(placed(hill), fill=(127, 191, 95, 255))
            sun = placed([(x + 10, y + 3)])[0]
            r = 1.6 * unit
            pen.ellipse([sun[0] - r, sun[1] - r, sun[0] + r, sun[1] + r], fill=(242, 199, 68, 255))
    mask = Image.new("L", (big, big), 0)
    ImageDraw.Draw(mask).rounded_rectangle([4 * unit, 4 * unit, 44 * unit, 44 * unit],
                                           radius=3 * unit, fill=255)
    tile.paste(pictures, (0, 0), mask)
    ImageDraw.Draw(tile).rounded_rectangle([4 * unit, 4 * unit, 44 * unit, 44 * unit],
                                           radius=3 * unit, outline=(48, 48, 48, 255),
                                           width=int(1.5 * unit))
    return tile.resize((size, size), Image.LANCZOS)


if __name__ == "__main__":
    size = int(sys.argv[1]) if len(sys.argv) > 1 else 256
    here = os.path.dirname(os.path.abspath(__file__))
    draw(size).save(os.path.join(here, "slanter.png"), optimize=True)
