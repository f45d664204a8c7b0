#!/usr/bin/python3
"""Picture files for the main window's tests, written by Pillow.

    main_window_pictures.py FOLDER

noise.bmp     37 x 23, 24 bits, noise: narrower than the window's least client width
wide.bmp      150 x 40, 24 bits
narrow.bmp    30 x 20, 8 bits with a palette
icon.ico      16 x 16 blue, 32 x 32 red with a transparent 10 x 10 top-left corner,
              48 x 48 green
large.ico     64 x 64 yellow only
picture.png   a PNG file, no bitmap whatever its content
"""
import os
import random
import sys

from PIL import Image


def noise(width, height, seed):
    rng = random.Random(seed)
    data = bytes(rng.randrange(256) for _ in range(width * height * 3))
    return Image.frombytes("RGB", (width, height), data)


def main(folder):
    noise(37, 23, 1).save(os.path.join(folder, "noise.bmp"))
    noise(150, 40, 2).save(os.path.join(folder, "wide.bmp"))
    noise(30, 20, 3).quantize(200).save(os.path.join(folder, "narrow.bmp"))
    red = Image.new("RGBA", (32, 32), (255, 0, 0, 255))
    for x in range(10):
        for y in range(10):
            red.putpixel((x, y), (0, 0, 0, 0))
    blue = Image.new("RGBA", (16, 16), (0, 0, 255, 255))
    green = Image.new("RGBA", (48, 48), (0, 255, 0, 255))
    green.save(os.path.join(folder, "icon.ico"), sizes=[(16, 16), (32, 32), (48, 48)],
               append_images=[blue, red])
    yellow = Image.new("RGBA", (64, 64), (255, 255, 0, 255))
    yellow.save(os.path.join(folder, "large.ico"), sizes=[(64, 64)])
    noise(20, 10, 4).save(os.path.join(folder, "picture.png"))


if __name__ == "__main__":
    main(sys.argv[1])
