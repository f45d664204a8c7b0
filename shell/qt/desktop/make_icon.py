#!/usr/bin/python3
"""Draws the program's icon: copies of a picture in rows, each row slid against the
next, the whole turned to a slant and cut to an upright tile, which is what the program
makes. Run it again after changing the drawing; the pictures are kept in the tree:

    icons/NxN/slanter.png   the sizes of the desktop's icon theme; 256 x 256 is also
                            built into the program (slanter.qrc)
    icons/slanter.svg       the same drawing as shapes, for any size
"""
import math
import os

from PIL import Image, ImageDraw

SCALE = 8  # drawn this much larger, then reduced, for smooth edges
THEME_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
BACKGROUND = (245, 242, 234)
FRAME = (48, 48, 48)


def turned(points, angle, centre):
    """The points turned by angle about the origin, then moved to centre."""
    cx, cy = centre
    c, s = math.cos(angle), math.sin(angle)
    return [(cx + x * c - y * s, cy + x * s + y * c) for x, y in points]


def shapes(zoom=1):
    """The drawing on a 48 x 48 grid, back to front: ("polygon", points, fill, outline,
    width) and ("circle", centre, radius, fill). The frame (a rounded square from 4 to 44
    with corners of radius 3) cuts them. zoom enlarges the pictures, for the small sizes
    where many would blur into a grey."""
    angle = -math.atan2(1, 2)
    width, height, slide = 14, 9, 5
    drawn = []

    def placed(points):
        return turned([(x * zoom, y * zoom) for x, y in points], angle, (24, 24))

    for row in range(-4, 5):
        for column in range(-5, 5):
            x = column * width + (row * slide) % width - width / 2
            y = row * height - height / 2
            corners = [(x, y), (x + width, y), (x + width, y + height), (x, y + height)]
            drawn.append(("polygon", placed(corners), (63, 127, 191), (29, 63, 95), 0.8 * zoom))
            hill = [(x + 1.5, y + 5), (x + 12.5, y + 5), (x + 12.5, y + 7.5), (x + 1.5, y + 7.5)]
            drawn.append(("polygon", placed(hill), (127, 191, 95), None, 0))
            drawn.append(("circle", placed([(x + 10, y + 3)])[0], 1.6 * zoom, (242, 199, 68)))
    return drawn


def draw(size):
    big = size * SCALE
    unit = big / 48.0
    tile = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    pictures = Image.new("RGBA", (big, big), BACKGROUND + (255,))
    pen = ImageDraw.Draw(pictures)
    for shape in shapes(2 if size <= 24 else 1):
        if shape[0] == "polygon":
            _, points, fill, outline, width = shape
            pen.polygon([(x * unit, y * unit) for x, y in points], fill=fill + (255,),
                        outline=outline + (255,) if outline else None,
                        width=max(1, int(unit * width)))
        else:
            _, (cx, cy), r, fill = shape
            pen.ellipse([(cx - r) * unit, (cy - r) * unit, (cx + r) * unit, (cy + r) * unit],
                        fill=fill + (255,))
    mask = Image.new("L", (big, big), 0)
    ImageDraw.Draw(mask).rounded_rectangle([4 * unit, 4 * unit, 44 * unit, 44 * unit],
                                           radius=3 * unit, fill=255)
    tile.paste(pictures, (0, 0), mask)
    ImageDraw.Draw(tile).rounded_rectangle([4 * unit, 4 * unit, 44 * unit, 44 * unit],
                                           radius=3 * unit, outline=FRAME + (255,),
                                           width=int(max(1.5 * unit, SCALE)))
    return tile.resize((size, size), Image.LANCZOS)


def svg():
    def colour(rgb):
        return "#%02x%02x%02x" % rgb

    lines = ['<svg xmlns="http://www.w3.org/2000/svg" width="48" height="48" '
             'viewBox="0 0 48 48">',
             '<clipPath id="tile"><rect x="4" y="4" width="40" height="40" rx="3"/></clipPath>',
             '<g clip-path="url(#tile)">',
             '<rect x="4" y="4" width="40" height="40" fill="%s"/>' % colour(BACKGROUND)]
    for shape in shapes():
        if shape[0] == "polygon":
            _, points, fill, outline, width = shape
            # Pillow draws an outline inside its polygon; a centred stroke twice as wide
            # gives the same band between two neighbours, each covering half of it.
            stroke = ' stroke="%s" stroke-width="%g"' % (colour(outline), 2 * width) if outline else ""
            lines.append('<polygon points="%s" fill="%s"%s/>' % (
                " ".join("%.3f,%.3f" % p for p in points), colour(fill), stroke))
        else:
            _, (cx, cy), r, fill = shape
            lines.append('<circle cx="%.3f" cy="%.3f" r="%g" fill="%s"/>' % (cx, cy, r, colour(fill)))
    # Pillow's outline lies inside the square; a centred stroke half as far in matches it.
    lines += ['</g>', '<rect x="4.75" y="4.75" width="38.5" height="38.5" rx="2.25" fill="none" '
              'stroke="%s" stroke-width="1.5"/>' % colour(FRAME), '</svg>']
    return "\n".join(lines) + "\n"


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    for size in THEME_SIZES:
        folder = os.path.join(here, "icons", "%dx%d" % (size, size))
        os.makedirs(folder, exist_ok=True)
        draw(size).save(os.path.join(folder, "slanter.png"), optimize=True)
    with open(os.path.join(here, "icons", "slanter.svg"), "w") as out:
        out.write(svg())
