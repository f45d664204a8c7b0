#!/usr/bin/python3
"""Picture files of many formats made by other programs, for the decoder's tests.

    foreign_pictures.py make FOLDER
        Writes picture files with Pillow and ImageMagick and beside each FILE its
        FILE.ref: the working picture the program is to make of it (every colour laid
        over white by its opacity, turned as its EXIF orientation says), as the program
        that wrote the file decodes it, or worked out here for the kinds no other
        program reads right (16-bit colours with a transparent one, solid CMYK); and
        huge.png, whose header claims 50000 x 50000 pixels.
    foreign_pictures.py malformed FOLDER
        Writes damaged files of each format: cut short, and with a wrong first byte.

A .ref file is as tests/bitmap/foreign_bmp.py writes them: "ok WIDTH HEIGHT MODE", then
red, green, blue of each pixel, top row first, and for MODE P the palette indices.
"""
import os
import random
import struct
import subprocess
import sys
import zlib

from PIL import Image, ImageOps

MAGICK = "/usr/bin/convert"


def noise(width, height, seed, mode="RGB"):
    rng = random.Random(seed)
    channels = len(mode)
    data = bytes(rng.randrange(256) for _ in range(width * height * channels))
    return Image.frombytes(mode, (width, height), data)


def over_white(image):
    """The opacity rule of the program: each channel over white, rounded to nearest."""
    rgba = image.convert("RGBA")
    out = Image.new("RGB", rgba.size)
    out.putdata([tuple((c * a + 255 * (255 - a) + 127) // 255 for c in (r, g, b))
                 for r, g, b, a in rgba.getdata()])
    return out


def write_ref(path, image, palette=None):
    with open(path, "wb") as out:
        width, height = image.size
        mode = "P" if palette is not None else "RGB"
        out.write(f"ok {width} {height} {mode}\n".encode())
        out.write(image.convert("RGB").tobytes())
        if palette is not None:
            out.write(palette.tobytes())


def pillow_ref(path):
    """Pillow's decoding of a file, palette indices kept."""
    with Image.open(path) as image:
        image.load()
        if image.mode == "P" and "transparency" not in image.info:
            return image.convert("RGB"), image
        return over_white(image), None


def magick_rgb(path):
    width, height = (int(side) for side in subprocess.run(
        ["/usr/bin/identify", "-format", "%w %h", path], check=True,
        capture_output=True, text=True).stdout.split())
    rgb = subprocess.run([MAGICK, path, "-depth", "8", "rgb:-"], check=True,
                         capture_output=True).stdout
    return Image.frombytes("RGB", (width, height), rgb)


def magick_over_white(path):
    """ImageMagick's reading of a file with an opacity, laid over white."""
    width, height = (int(side) for side in subprocess.run(
        ["/usr/bin/identify", "-format", "%w %h", path], check=True,
        capture_output=True, text=True).stdout.split())
    rgba = subprocess.run([MAGICK, path, "-depth", "8", "rgba:-"], check=True,
                          capture_output=True).stdout
    return over_white(Image.frombytes("RGBA", (width, height), rgba))


def nearest_eight_bits(path):
    """ImageMagick's 16-bit channels each brought to the nearest 8-bit level (its own
    -depth 8 and Pillow cut the low byte off instead)."""
    width, height = (int(side) for side in subprocess.run(
        ["/usr/bin/identify", "-format", "%w %h", path], check=True,
        capture_output=True, text=True).stdout.split())
    wide = subprocess.run([MAGICK, path, "-depth", "16", "-endian", "MSB", "rgb:-"], check=True,
                          capture_output=True).stdout
    channels = struct.unpack(f">{len(wide) // 2}H", wide)
    return Image.frombytes("RGB", (width, height),
                           bytes((c * 255 + 32767) // 65535 for c in channels))


def png_chunk(kind, data):
    return (struct.pack(">I", len(data)) + kind + data +
            struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))


def transparent_colour_png(path):
    """A 16-bit RGB PNG whose tRNS chunk makes one colour transparent; its reference by
    hand: each channel to the nearest 8-bit level, the transparent colour white."""
    width, height = 19, 7
    rng = random.Random(21)
    clear = (0x1234, 0xABCD, 0x0F0F)
    pixels = [clear if rng.randrange(3) == 0 else
              tuple(rng.randrange(65536) for _ in range(3)) for _ in range(width * height)]
    rows = b"".join(b"\0" + b"".join(struct.pack(">HHH", *pixels[y * width + x])
                                      for x in range(width)) for y in range(height))
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" +
                  png_chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 16, 2, 0, 0, 0)) +
                  png_chunk(b"tRNS", struct.pack(">HHH", *clear)) +
                  png_chunk(b"IDAT", zlib.compress(rows)) + png_chunk(b"IEND", b""))
    ref = Image.new("RGB", (width, height))
    ref.putdata([(255, 255, 255) if p == clear else
                 tuple((c * 255 + 32767) // 65535 for c in p) for p in pixels])
    return ref


def cmyk_blocks():
    """Solid CMYK blocks and the colours they are by hand (ink taken off white)."""
    inks = [(0, 0, 0, 0), (255, 0, 0, 0), (0, 255, 0, 0), (0, 0, 255, 0), (0, 0, 0, 255),
            (255, 255, 0, 0)]
    image = Image.new("CMYK", (16 * len(inks), 16))
    ref = Image.new("RGB", image.size)
    for k, ink in enumerate(inks):
        image.paste(ink, (16 * k, 0, 16 * k + 16, 16))
        ref.paste(tuple((255 - c) * (255 - ink[3]) // 255 for c in ink[:3]),
                  (16 * k, 0, 16 * k + 16, 16))
    return image, ref


def top_down_bmp(path, image):
    """A 24-bit BMP with a 40-byte header whose rows are stored top row first."""
    width, height = image.size
    row_bytes = (3 * width + 3) // 4 * 4
    rows = b""
    for y in range(height):
        row = b"".join(bytes((b, g, r)) for r, g, b in
                       (image.getpixel((x, y)) for x in range(width)))
        rows += row + bytes(row_bytes - len(row))
    info = struct.pack("<iiiHHiiiiii", 40, width, -height, 1, 24, 0, len(rows), 0, 0, 0, 0)
    head = struct.pack("<2siHHi", b"BM", 54 + len(rows), 0, 0, 54)
    with open(path, "wb") as out:
        out.write(head + info + rows)


def claiming_png(path):
    """A PNG of a few bytes whose header claims 9000 x 9000 pixels: more rows than its
    data could hold at deflate's best."""
    header = struct.pack(">IIBBBBB", 9000, 9000, 8, 2, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header) +
                  png_chunk(b"IDAT", zlib.compress(bytes(27001) * 8)) + png_chunk(b"IEND", b""))


def huge_png(path):
    """A PNG whose header claims 50000 x 50000 pixels, beyond what the program holds (a
    picture of 20000 x 20000 it now holds, memory permitting)."""
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    header = struct.pack(">IIBBBBB", 50000, 50000, 8, 2, 0, 0, 0)
    rows = zlib.compress(bytes(1 + 3 * 50000) * 4)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", rows) +
                  chunk(b"IEND", b""))


def five_bit_tga(path, bits, width=13, height=9):
    """A true-colour TGA of 15 or 16 bits, stored from the top right corner; its
    reference by hand: each five-bit channel to the nearest 8-bit level."""
    rng = random.Random(bits)
    pixels = [rng.randrange(1 << 15) | (rng.randrange(2) << 15) for _ in range(width * height)]
    header = struct.pack("<BBBHHBHHHHBB", 0, 0, 2, 0, 0, 0, 0, 0, width, height, bits, 0x30)
    with open(path, "wb") as out:
        out.write(header + b"".join(struct.pack("<H", p) for p in pixels))
    ref = Image.new("RGB", (width, height))
    level = lambda v: (v * 255 + 15) // 31
    ref.putdata([(level(p >> 10 & 31), level(p >> 5 & 31), level(p & 31)) for p in pixels])
    return ref.transpose(Image.Transpose.FLIP_LEFT_RIGHT)


def named_xpm(path):
    """An XPM of two characters a pixel whose colours are X11 names, a grey-only line and
    None; its reference by hand (X11's gray and green, not the web's)."""
    colours = {"aa": ("c gray", (190, 190, 190)), "ab": ("c green", (0, 255, 0)),
               "b.": ("c Light Gray", (211, 211, 211)), "..": ("g #FFF", (255, 255, 255)),
               "  ": ("s back c None", (255, 255, 255)), "#Z": ("c #123456789ABC", (18, 86, 154))}
    keys = list(colours)
    rng = random.Random(5)
    rows = [[rng.choice(keys) for _ in range(11)] for _ in range(7)]
    with open(path, "w") as out:
        out.write('/* XPM */\nstatic char *named[] = {\n/* a comment */\n"11 7 6 2",\n')
        out.write("".join(f'"{key} {line}",\n' for key, (line, _) in colours.items()))
        out.write(",\n".join('"' + "".join(row) + '"' for row in rows) + "};\n")
    ref = Image.new("RGB", (11, 7))
    ref.putdata([colours[key][1] for row in rows for key in row])
    return ref


def icns_element(kind, data):
    return kind + struct.pack(">I", 8 + len(data)) + data


def packed_channel(data):
    """Apple's packing of one channel: runs of 3 to 130 alike bytes, else literals of up
    to 128."""
    out, at = b"", 0
    while at < len(data):
        run = 1
        while at + run < len(data) and run < 130 and data[at + run] == data[at]:
            run += 1
        if run >= 3:
            out += bytes([run + 125, data[at]])
            at += run
            continue
        end = at
        while end < len(data) and end - at < 128 and not (
                end + 2 < len(data) and data[end] == data[end + 1] == data[end + 2]):
            end += 1
        out += bytes([end - at - 1]) + data[at:end]
        at = end
    return out


def packed_icns(path):
    """Icons of 16 and 32 pixels packed a channel at a time with their masks (blocks of
    one colour, so that runs occur); the reference the larger laid over white."""
    icons = b""
    for side, kind, mask in ((16, b"is32", b"s8mk"), (32, b"il32", b"l8mk")):
        image = noise(side // 4, side // 4, side, "RGBA").resize((side, side), Image.NEAREST)
        channels = b"".join(packed_channel(c.tobytes()) for c in image.split()[:3])
        icons += icns_element(kind, channels)
        icons += icns_element(mask, image.getchannel("A").tobytes())
    with open(path, "wb") as out:
        out.write(b"icns" + struct.pack(">I", 8 + len(icons)) + icons)
    return over_white(image)


def many_xpm(path):
    """An XPM of 300 colours, more than a palette holds, two characters a pixel; its
    reference by hand."""
    width, height = 20, 15
    chars = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
    rng = random.Random(8)
    keys = [chars[k // len(chars)] + chars[k % len(chars)] for k in range(width * height)]
    colours = [tuple(rng.randrange(256) for _ in range(3)) for _ in keys]
    with open(path, "w") as out:
        out.write(f'/* XPM */\nstatic char *many[] = {{\n"{width} {height} {len(keys)} 2",\n')
        out.write("".join(f'"{k} c #{r:02X}{g:02X}{b:02X}",\n' for k, (r, g, b) in
                          zip(keys, colours)))
        out.write(",\n".join('"' + "".join(keys[y * width:(y + 1) * width]) + '"'
                              for y in range(height)) + "};\n")
    ref = Image.new("RGB", (width, height))
    ref.putdata(colours)
    return ref


def make(folder):
    source = noise(37, 23, 11)
    translucent = noise(37, 23, 12, "RGBA")

    def path(name):
        return os.path.join(folder, name)

    def pillow(name, image, **options):
        image.save(path(name), **options)
        decoded, palette = pillow_ref(path(name))
        write_ref(path(name + ".ref"), decoded, palette)

    pillow("palette.png", source.quantize(colors=100))
    pillow("rgba.png", translucent)
    pillow("grey.png", source.convert("L"))
    pillow("photo.jpg", source, quality=90)
    pillow("lossless.webp", source, lossless=True)
    pillow("picture.tif", source)
    pillow("palette.gif", source.quantize(colors=64))
    # A photo's smooth colours, which JPEG decoders of different makes agree on.
    grade = Image.linear_gradient("L").resize((48, 32))
    pillow("smooth.jpg", Image.merge("RGB", (grade, grade.transpose(Image.Transpose.ROTATE_90)
                                             .resize((48, 32)), grade.rotate(180))), quality=90)
    pillow("icon.ico", noise(32, 32, 14, "RGBA"), sizes=[(32, 32)])
    pillow("bmp-icon.ico", noise(24, 16, 16, "RGBA"), sizes=[(24, 16)], bitmap_format="bmp")
    pillow("picture.ppm", source)
    pillow("grey.pgm", source.convert("L"))
    pillow("mono.pbm", source.convert("1"))

    # ImageMagick: 16 bits a channel (a gradient, so that the low bytes matter), its
    # default BMP (124-byte header), a 32-bit BMP with alpha.
    subprocess.run([MAGICK, "-size", "37x23", "gradient:#102030-#f0e0d0", "-depth", "16",
                    "PNG48:" + path("deep.png")], check=True)
    write_ref(path("deep.png.ref"), nearest_eight_bits(path("deep.png")))
    source.save(path("source.png"))
    subprocess.run([MAGICK, path("source.png"), path("v5.bmp")], check=True)
    write_ref(path("v5.bmp.ref"), magick_rgb(path("v5.bmp")))
    translucent.save(path("translucent.png"))
    subprocess.run([MAGICK, path("translucent.png"), "-define", "bmp:format=bmp4",
                    path("alpha32.bmp")], check=True)
    write_ref(path("alpha32.bmp.ref"), over_white(translucent))
    huge_png(path("huge.png"))
    claiming_png(path("claims.png"))
    write_ref(path("trns16.png.ref"), transparent_colour_png(path("trns16.png")))
    # Planar: one plane a channel, 16 bits each.
    subprocess.run([MAGICK, "-size", "37x23", "gradient:#102030-#f0e0d0", "-depth", "16",
                    "-interlace", "plane", path("planar16.tif")], check=True)
    write_ref(path("planar16.tif.ref"), nearest_eight_bits(path("planar16.tif")))
    cmyk, cmyk_ref = cmyk_blocks()
    cmyk.save(path("cmyk.tif"))
    write_ref(path("cmyk.tif.ref"), cmyk_ref)
    cmyk.save(path("cmyk.jpg"), quality=100)
    write_ref(path("cmyk.jpg.ref"), cmyk_ref)
    # Each orientation a camera records, in each format that carries it.
    for orientation in range(1, 9):
        exif = Image.Exif()
        exif[0x0112] = orientation
        for extension, options in (("jpg", {"quality": 95}), ("png", {}),
                                   ("webp", {"lossless": True})):
            name = f"turned{orientation}.{extension}"
            source.save(path(name), exif=exif.tobytes(), **options)
            with Image.open(path(name)) as image:
                write_ref(path(name + ".ref"), ImageOps.exif_transpose(image))
        # Pillow does not turn a TIFF by its own tag: the turns, by the tag's definition.
        name = f"turned{orientation}.tif"
        source.save(path(name), tiffinfo={0x0112: orientation})
        turns = {2: [Image.Transpose.FLIP_LEFT_RIGHT], 3: [Image.Transpose.ROTATE_180],
                 4: [Image.Transpose.FLIP_TOP_BOTTOM], 5: [Image.Transpose.TRANSPOSE],
                 6: [Image.Transpose.ROTATE_270], 7: [Image.Transpose.TRANSVERSE],
                 8: [Image.Transpose.ROTATE_90]}
        turned = source
        for turn in turns.get(orientation, []):
            turned = turned.transpose(turn)
        write_ref(path(name + ".ref"), turned)
    # The formats the program reads on its own: TGA of every kind Pillow and ImageMagick
    # write, XBM, XPM and WBMP.
    pillow("palette.tga", source.quantize(colors=40))
    pillow("palette-rle.tga", source.quantize(colors=40), compression="tga_rle")
    pillow("rgb.tga", source)
    pillow("top-rle.tga", source, compression="tga_rle", orientation=1)
    pillow("rgba-rle.tga", translucent, compression="tga_rle")
    pillow("grey.tga", source.convert("L"))
    # Pillow reads a set bit as white, X11 and ImageMagick as black.
    source.convert("1").save(path("mono.xbm"))
    write_ref(path("mono.xbm.ref"), magick_rgb(path("mono.xbm")))
    source.save(path("source.png"))
    for name, options in (("magick-palette.tga", ["-type", "Palette", "-compress", "RLE"]),
                          ("magick-grey.tga", ["-colorspace", "Gray", "-compress", "RLE"]),
                          ("magick.wbmp", []), ("magick.xbm", [])):
        subprocess.run([MAGICK, path("source.png")] + options + [path(name)], check=True)
        # ImageMagick 6 stores its TGA rows top first yet marks them bottom first, and
        # reads them back so; Pillow and the program go by the header.
        tga = name.endswith(".tga")
        write_ref(path(name + ".ref"), pillow_ref(path(name))[0] if tga else magick_rgb(path(name)))
    # Transparent where the translucent picture is mostly clear.
    clear = translucent.getchannel("A").point(lambda a: 0 if a < 64 else 255)
    holed = source.quantize(colors=50).convert("RGBA")
    holed.putalpha(clear)
    holed.save(path("holed.png"))
    subprocess.run([MAGICK, path("holed.png"), path("magick.xpm")], check=True)
    # Pillow loses the colour whose characters are a blank.
    write_ref(path("magick.xpm.ref"), magick_over_white(path("magick.xpm")))
    write_ref(path("named.xpm.ref"), named_xpm(path("named.xpm")))
    write_ref(path("many.xpm.ref"), many_xpm(path("many.xpm")))
    for bits in (15, 16):
        write_ref(path(f"five{bits}.tga.ref"), five_bit_tga(path(f"five{bits}.tga"), bits))
    os.remove(path("holed.png"))
    # Apple's icons: a PNG one beside a smaller packed one, and packed ones alone.
    icon = noise(40, 40, 15, "RGBA")
    icon.save(path("icon40.png"))
    with open(path("icon40.png"), "rb") as handle:
        png = handle.read()
    small = (icns_element(b"is32", packed_channel(bytes(256)) * 3) +
             icns_element(b"s8mk", bytes(256)))
    with open(path("png.icns"), "wb") as out:
        out.write(b"icns" + struct.pack(">I", 16 + len(small) + len(png)) + small +
                  icns_element(b"ic07", png))
    write_ref(path("png.icns.ref"), over_white(icon))
    write_ref(path("packed.icns.ref"), packed_icns(path("packed.icns")))
    os.remove(path("icon40.png"))
    top_down_bmp(path("topdown.bmp"), source)
    write_ref(path("topdown.bmp.ref"), source)
    for name in ("source.png", "translucent.png"):
        os.remove(path(name))


def malformed(folder):
    source = noise(16, 12, 13)
    formats = {"png": {}, "jpg": {"quality": 80}, "gif": {}, "webp": {}, "tif": {},
               "bmp": {}}
    for extension, options in formats.items():
        image = source.quantize(colors=16) if extension == "gif" else source
        whole = os.path.join(folder, "whole." + extension)
        image.save(whole, **options)
        with open(whole, "rb") as handle:
            data = handle.read()
        os.remove(whole)
        for name, damaged in (("short", data[:len(data) // 2]),
                              ("header", data[:12]),
                              ("magic", bytes([data[0] ^ 0x55]) + data[1:])):
            with open(os.path.join(folder, f"{name}.{extension}"), "wb") as out:
                out.write(damaged)
    # A V5 BMP whose pixel data is cut short.
    v5 = os.path.join(folder, "v5.bmp")
    source.save(os.path.join(folder, "whole.png"))
    subprocess.run([MAGICK, os.path.join(folder, "whole.png"), v5], check=True)
    os.remove(os.path.join(folder, "whole.png"))
    with open(v5, "rb") as handle:
        data = handle.read()
    os.remove(v5)
    with open(os.path.join(folder, "short-v5.bmp"), "wb") as out:
        out.write(data[:len(data) - 100])


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "make":
        make(sys.argv[2])
    elif len(sys.argv) == 3 and sys.argv[1] == "malformed":
        malformed(sys.argv[2])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
