#!/usr/bin/python3
"""Pictures resized by Pillow, for the area-averaging resize's tests.

    pillow_resize.py IN.bmp WIDTH HEIGHT BOX.ref EXACT.ref
        BOX.ref: IN resized with Pillow's box filter. EXACT.ref: each new pixel the exact
        mean of IN over its area, made by Pillow alone: every pixel repeated WIDTH times
        across and HEIGHT times down, then boxes of the old size averaged (whole factors,
        where Pillow's box filter is an exact mean).

A .ref file is "ok WIDTH HEIGHT RGB" and a line break, then red, green, blue for each
pixel, top row first.
"""
import sys

from PIL import Image


def write_ref(path, image):
    with open(path, "wb") as out:
        out.write(b"ok %d %d RGB\n" % image.size)
        out.write(image.convert("RGB").tobytes())


def main():
    source, width, height, box_path, exact_path = sys.argv[1:6]
    width, height = int(width), int(height)
    image = Image.open(source).convert("RGB")
    old_width, old_height = image.size
    write_ref(box_path, image.resize((width, height), Image.BOX))
    repeated = image.resize((old_width * width, old_height * height), Image.NEAREST)
    write_ref(exact_path, repeated.reduce((old_width, old_height)))


main()
