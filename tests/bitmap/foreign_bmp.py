#!/usr/bin/python3
"""BMP files made and decoded by other programs, for the bitmap store's tests.

    foreign_bmp.py make FOLDER
        Writes BMP files with Pillow and with ImageMagick, and beside each FILE.bmp
        FILE.ref: the pixels as the program that wrote it decodes them.
    foreign_bmp.py decode FOLDER FILE...
        Decodes each FILE with Pillow into FOLDER/N.ref, N counting from 0.

A .ref file starts with one text line, "ok WIDTH HEIGHT MODE" or "error TEXT". After
"ok" follow WIDTH x HEIGHT x 3 bytes of red, green, blue, top row first as shown, and
for MODE P also WIDTH x HEIGHT palette indices.
"""
import os
import random
import subprocess
import sys

from PIL import Image

MAGICK = "/usr/bin/convert"
IDENTIFY = "/usr/bin/identify"


def write_ref(path, image):
    with open(path, "wb") as out:
        if image is None:
            out.write(b"error\n")
            return
        width, height = image.size
        out.write(f"ok {width} {height} {image.mode}\n".encode())
        out.write(image.convert("RGB").tobytes())
        if image.mode == "P":
            out.write(image.tobytes())


def write_error(path, text):
    with open(path, "wb") as out:
        out.write(f"error {text}\n".encode())


def source_picture():
    """Noise with an odd width, so that every depth's rows need padding."""
    rng = random.Random(20240607)
    width, height = 37, 23
    data = bytes(rng.randrange(256) for _ in range(width * height * 3))
    return Image.frombytes("RGB", (width, height), data)


def magick_ref(bmp, ref):
    """ImageMagick's own reading of a file it wrote."""
    size = subprocess.run([IDENTIFY, "-format", "%w %h", bmp], check=True,
                          capture_output=True, text=True).stdout
    width, height = (int(side) for side in size.split())
    rgb = subprocess.run([MAGICK, bmp, "-depth", "8", "rgb:-"], check=True,
                         capture_output=True).stdout
    with open(ref, "wb") as out:
        out.write(f"ok {width} {height} RGB\n".encode())
        out.write(rgb)


def make(folder):
    source = source_picture()
    source_png = os.path.join(folder, "source.png")
    source.save(source_png)

    pillow = {
        "pillow-1": source.convert("1"),
        "pillow-8-grey": source.convert("L"),
        "pillow-8-palette": source.quantize(colors=200),
        "pillow-24": source,
    }
    for name, image in pillow.items():
        bmp = os.path.join(folder, name + ".bmp")
        image.save(bmp, "BMP")
        with Image.open(bmp) as again:
            again.load()
            write_ref(os.path.join(folder, name + ".ref"), again)

    magick = {
        "magick-1": ["-type", "bilevel"],
        "magick-4": ["-colors", "16", "-type", "palette"],
        "magick-8": ["-colors", "200", "-type", "palette"],
        "magick-24": ["-type", "truecolor"],
        # ImageMagick stores 16 bits only with bit-field masks.
        "magick-16": ["-define", "bmp:subtype=RGB555"],
        "magick-8-rle": ["-colors", "200", "-type", "palette", "-compress", "RLE"],
    }
    for name, options in magick.items():
        bmp = os.path.join(folder, name + ".bmp")
        subprocess.run([MAGICK, source_png, "-compress", "none", *options, "BMP3:" + bmp],
                       check=True)
        magick_ref(bmp, os.path.join(folder, name + ".ref"))


def decode(folder, files):
    for number, path in enumerate(files):
        ref = os.path.join(folder, f"{number}.ref")
        try:
            with Image.open(path) as image:
                image.load()
                write_ref(ref, image)
        except Exception as error:  # Pillow's refusals come in many classes
            write_error(ref, str(error).replace("\n", " "))


def main():
    if len(sys.argv) >= 3 and sys.argv[1] == "make":
        make(sys.argv[2])
    elif len(sys.argv) >= 3 and sys.argv[1] == "decode":
        decode(sys.argv[2], sys.argv[3:])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
