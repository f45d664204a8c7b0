#!/usr/bin/python3
"""Writes the small pictures of tests/data/kept, whose transparency, colour profile or
depth a PNG result keeps, and reads PNG files for the tests that check them.

    kept_pictures.py make FOLDER     the pictures (Pillow; the 16-bit one by hand)
    kept_pictures.py read FILE       one line of facts of a PNG file, as Pillow reads it
    kept_pictures.py samples FILE    the 16-bit samples of an RGB PNG file of 16 bits
    kept_pictures.py overwhite PNG BMP   whether the RGBA PNG laid over white is the BMP
    kept_pictures.py pixels FILE     Pillow's 8-bit RGB reading of the file, in hex
    kept_pictures.py describe FILE   the description of the file's colour profile
    kept_pictures.py opaque FOLDER   one opaque picture as RGB and as RGBA PNG files
"""
import io
import struct
import sys
import zlib

from PIL import Image, ImageCms

WIDTH, HEIGHT = 24, 16


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def png_file(width, height, depth, color_type, raw_rows, extra=b""):
    header = struct.pack(">IIBBBBB", width, height, depth, color_type, 0, 0, 0)
    data = b"".join(b"\0" + row for row in raw_rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + extra +
            chunk(b"IDAT", zlib.compress(data)) + chunk(b"IEND", b""))


def transparent():
    # Opaque, clear and half-clear parts side by side, so that every pattern meets each.
    picture = Image.new("RGBA", (WIDTH, HEIGHT))
    for y in range(HEIGHT):
        for x in range(WIDTH):
            alpha = (0, 255, 128, 255, 40)[(x // 3 + y // 4) % 5]
            picture.putpixel((x, y), (x * 10 % 256, y * 15 % 256, (x * y) % 256, alpha))
    return picture


def indexed():
    picture = Image.new("P", (WIDTH, HEIGHT))
    palette = [255, 0, 0, 0, 255, 0, 0, 0, 255, 250, 250, 250, 10, 20, 30, 200, 100, 0]
    picture.putpalette(palette)
    for y in range(HEIGHT):
        for x in range(WIDTH):
            picture.putpixel((x, y), (x + 2 * y) % 6)
    return picture


def deep_rows():
    # High byte k and low byte k + d (d < 128, k + d < 256): true 16-bit samples whose
    # nearest 8-bit level and high byte are both k.
    rows = []
    for y in range(HEIGHT):
        row = b""
        for x in range(WIDTH):
            for c in range(3):
                k = (x * 5 + y * 7 + c * 30) % 120
                d = (x + 3 * y + c) % 100
                row += struct.pack(">H", 257 * k + d)
        rows.append(row)
    return rows


def make(folder):
    transparent().save(f"{folder}/transparent.png")
    indexed().save(f"{folder}/indexed-trns.png", transparency=bytes([0, 255, 255, 128]))
    srgb = ImageCms.ImageCmsProfile(ImageCms.createProfile("sRGB")).tobytes()
    opaque = transparent().convert("RGB")
    for kind in ("png", "jpg", "tif", "webp"):
        opaque.save(f"{folder}/profiled.{kind}", icc_profile=srgb)
    # A profile cut short: its header says more bytes than it has.
    opaque.save(f"{folder}/bad-profile.png", icc_profile=srgb[:200])
    with open(f"{folder}/deep.png", "wb") as out:
        out.write(png_file(WIDTH, HEIGHT, 16, 2, deep_rows()))
    # Grey of 16 bits in a TIFF file: the red samples of deep.png.
    grey = Image.new("I;16", (WIDTH, HEIGHT))
    grey.putdata([struct.unpack(">H", row[6 * x:6 * x + 2])[0]
                  for row in deep_rows() for x in range(WIDTH)])
    grey.save(f"{folder}/deep-grey.tif")


def read(name):
    picture = Image.open(name)
    profile = picture.info.get("icc_profile")
    transparency = picture.info.get("transparency")
    facts = [picture.mode, "%dx%d" % picture.size,
             "profile=" + (profile.hex() if profile else "none"),
             "transparency=" + (bytes(transparency).hex() if isinstance(transparency, bytes)
                                else str(transparency))]
    if picture.mode == "P":
        facts.append("palette=" + bytes(picture.getpalette()[:18]).hex())
    print(" ".join(facts))


def samples(name):
    """The samples of an RGB file of 16 bits, read here without our decoder."""
    data = open(name, "rb").read()
    at, idat, width = 8, b"", 0
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if kind == b"IHDR":
            width, height, depth, color_type = struct.unpack(">IIBB", body[:10])
            assert depth == 16 and color_type == 2, (depth, color_type)
        elif kind == b"IDAT":
            idat += body
        at += 12 + length
    raw = zlib.decompress(idat)
    stride, step = width * 6, 6
    previous = bytearray(stride)
    values = []
    for r in range(len(raw) // (stride + 1)):
        kind, row = raw[r * (stride + 1)], bytearray(raw[r * (stride + 1) + 1:(r + 1) * (stride + 1)])
        for i in range(stride):
            left = row[i - step] if i >= step else 0
            up, corner = previous[i], previous[i - step] if i >= step else 0
            if kind == 1:
                row[i] = (row[i] + left) & 255
            elif kind == 2:
                row[i] = (row[i] + up) & 255
            elif kind == 3:
                row[i] = (row[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - corner
                near = min((abs(p - left), 0, left), (abs(p - up), 1, up),
                           (abs(p - corner), 2, corner))[2]
                row[i] = (row[i] + near) & 255
        values += struct.unpack(">%dH" % (stride // 2), bytes(row))
        previous = row
    print(" ".join(map(str, values)))


def overwhite(png, bmp):
    """Each channel laid over white to the nearest level, as a BMP result lays it."""
    rgba, rgb = Image.open(png), Image.open(bmp).convert("RGB")
    if rgba.mode != "RGBA" or rgba.size != rgb.size:
        print("mode", rgba.mode, rgba.size, rgb.size)
        return
    clear = 0
    for (r, g, b, a), shown in zip(rgba.getdata(), rgb.getdata()):
        clear += a < 255
        laid = tuple((c * a + 255 * (255 - a) + 127) // 255 for c in (r, g, b))
        if laid != shown:
            print("differ", (r, g, b, a), shown)
            return
    print("equal" if clear else "opaque")


def pixels(name):
    print(Image.open(name).convert("RGB").tobytes().hex())


def describe(name):
    profile = Image.open(name).info["icc_profile"]
    print(ImageCms.getProfileDescription(ImageCms.ImageCmsProfile(io.BytesIO(profile))).strip())


def opaque(folder):
    picture = transparent().convert("RGB")
    picture.save(f"{folder}/rgb.png")
    picture.convert("RGBA").save(f"{folder}/rgba.png")


if __name__ == "__main__":
    words = sys.argv[2:]
    {"make": make, "read": read, "samples": samples, "overwhite": overwhite, "pixels": pixels,
     "describe": describe, "opaque": opaque}[sys.argv[1]](*words)
