#!/usr/bin/python3
"""Small files that claim huge pictures, each written byte by byte (no picture library),
for the decoder's cost tests. Run it in this folder to write them again.

    screen.gif       a 20000 x 20000 screen round one 1 x 1 frame
    canvas.webp      an animation's 16384 x 16384 canvas round one 1 x 1 frame
    lossy.webp       a lossy frame of 16383 x 16383 whose first partition is 900 bytes
    arithmetic.jpg   arithmetic-coded grey, 20000 x 20000, cut before its end marker
    rows.bmp         RLE8, 10000 x 10000, nothing but ends of rows
    wide.bmp         RLE8, 16461387 x 23, a few runs
    solid.bmp        RLE8, 2000 x 2000 of one colour in runs of 255: honest, it opens
    top-down.bmp     8 bits, 3 x 587202434 stored top down, in 78 bytes (a fuzzer's find)
    interlaced.png   16-bit grey, interlaced, 6000 x 6000, cut inside its data
    cut.icns         a 16 x 16 and a 128 x 128 icon, cut inside the larger one
    cut.ico          an icon whose directory records more bytes than the file holds
    qt-limit.png     an honest black 16385 x 16384 picture at one bit, past Qt's readers
    one-strip.tif    200 x 1000 grey in one deflate strip
    strips.tif       the same pixels in strips of 16 rows
    big.tif          the same pixels as BigTIFF, in strips of 16 rows
    claims.tif       40000 x 40000 grey in one deflate strip of a hundred bytes
"""
import struct
import zlib


def chunk(name, payload):
    return name + struct.pack("<I", len(payload)) + payload + b"\0" * (len(payload) % 2)


def riff(chunks):
    body = b"WEBP" + b"".join(chunks)
    return b"RIFF" + struct.pack("<I", len(body)) + body


def bits_lsb_first(fields):
    value, count = 0, 0
    for bits, width in fields:
        value |= bits << count
        count += width
    return value.to_bytes((count + 7) // 8, "little")


def lossless_pixel():
    """A 1 x 1 VP8L picture: five Huffman codes of one symbol each, so no bit a pixel."""
    header = [(0, 14), (0, 14), (0, 1), (0, 3)]
    no_transform_cache_or_meta = [(0, 1), (0, 1), (0, 1)]
    one_symbol_codes = [(1, 1), (0, 1), (0, 1), (0, 1)] * 5
    return b"\x2f" + bits_lsb_first(header + no_transform_cache_or_meta + one_symbol_codes)


def screen_gif():
    head = b"GIF89a" + struct.pack("<HHBBB", 20000, 20000, 0x80, 0, 0) + b"\0\0\0\xff\xff\xff"
    frame = b"," + struct.pack("<HHHHB", 0, 0, 1, 1, 0)
    # Codes of 3 bits: clear, index 0, end.
    return head + frame + b"\x02\x02\x44\x01\x00;"


def canvas_webp():
    animated = 0x02
    vp8x = struct.pack("<B3x", animated) + (16383).to_bytes(3, "little") * 2
    frame = (0).to_bytes(3, "little") * 4 + (100).to_bytes(3, "little") + b"\0"
    return riff([chunk(b"VP8X", vp8x), chunk(b"ANIM", b"\0" * 6),
                 chunk(b"ANMF", frame + chunk(b"VP8L", lossless_pixel()))])


def lossy_webp():
    first_partition = 900
    tag = (0 | 0 << 1 | 1 << 4 | first_partition << 5).to_bytes(3, "little")
    frame = tag + b"\x9d\x01\x2a" + struct.pack("<HH", 16383, 16383)
    data = bytes((k * 73 + 41) & 0xFF for k in range(950))
    return riff([chunk(b"VP8 ", frame + data)])


def arithmetic_jpg():
    def segment(marker, payload):
        return b"\xff" + bytes([marker]) + struct.pack(">H", len(payload) + 2) + payload
    quant = segment(0xDB, b"\0" + b"\1" * 64)
    frame = segment(0xC9, struct.pack(">BHHB", 8, 20000, 20000, 1) + b"\x01\x11\x00")
    scan = segment(0xDA, b"\x01\x01\x00\x00\x3f\x00")
    return b"\xff\xd8" + quant + frame + scan + b"\0" * 20


def rle_bmp(width, height, data):
    palette = b"\0\0\0\0\xff\xff\xff\0"
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 1, len(data), 0, 0, 2, 0)
    offset = 14 + len(info) + len(palette)
    head = b"BM" + struct.pack("<IHHI", offset + len(data), 0, 0, offset)
    return head + info + palette + data


def rows_bmp():
    return rle_bmp(10000, 10000, b"\0\0" * 10000 + b"\0\1")


def wide_bmp():
    return rle_bmp(16461387, 23, (b"\xff\x01" * 40 + b"\0\0") * 23 + b"\0\1")


def top_down_bmp():
    return bytes.fromhex(
        "424d4e000000000000004600000028000000030000007e0000dd01000800000000000800000000"
        "000000000000060400000000000000000502030405060708090a0b0c0d0e0f00070e151c232a30")


def solid_bmp():
    row = b"\xff\x01" * 7 + b"\xd7\x01" + b"\0\0"
    return rle_bmp(2000, 2000, row * 2000 + b"\0\1")


def png_chunk(name, payload, claimed=None):
    length = len(payload) if claimed is None else claimed
    crc = zlib.crc32(name + payload)
    return struct.pack(">I", length) + name + payload + struct.pack(">I", crc)


def interlaced_png():
    header = png_chunk(b"IHDR", struct.pack(">IIBBBBB", 6000, 6000, 16, 0, 0, 0, 1))
    cut = png_chunk(b"IDAT", b"\0" * 70000, claimed=100000)[:-4]
    return b"\x89PNG\r\n\x1a\n" + header + cut


def cut_ico():
    info = struct.pack("<IiiHHIIiiII", 40, 256, 512, 1, 32, 0, 0, 0, 0, 0, 0)
    entry = struct.pack("<BBBBHHII", 0, 0, 0, 0, 1, 32, 40 + 256 * 256 * 4 + 256 * 32, 22)
    return struct.pack("<HHH", 0, 1, 1) + entry + info + b"\0" * 1000


def qt_limit_png():
    width, height = 16385, 16384
    header = png_chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 1, 0, 0, 0, 0))
    rows = zlib.compress(b"\0" * (height * (1 + (width + 7) // 8)), 9)
    return b"\x89PNG\r\n\x1a\n" + header + png_chunk(b"IDAT", rows) + png_chunk(b"IEND", b"")


def cut_icns():
    def element(name, payload):
        return name + struct.pack(">I", len(payload) + 8) + payload
    # Each channel in runs of 128 bytes of one value.
    small = element(b"is32", b"\xfd\x40" * 2 * 3)
    large = element(b"it32", b"\0\0\0\0" + b"\xfd\x80" * 128 * 3)
    whole = b"icns" + struct.pack(">I", 8 + len(small) + len(large)) + small + large
    return whole[: len(whole) * 9 // 10]


def grey_tiff(rows_per_strip, big=False, claimed=None):
    width, height = 200, 1000
    pixels = bytes(((x // 10) * 13 + (y // 25) * 7) & 0xFF for y in range(height)
                   for x in range(width))
    strips = [zlib.compress(pixels[top * width:(top + rows_per_strip) * width])
              for top in range(0, height, rows_per_strip)]
    if claimed:
        width, height = claimed, claimed
        strips = [strips[0][:100]]
    head_bytes = 16 if big else 8
    data = b"".join(strips)
    offsets, at = [], head_bytes
    for strip in strips:
        offsets.append(at)
        at += len(strip)
    arrays_at = head_bytes + len(data)
    word = "Q" if big else "I"
    offset_bytes = struct.pack("<%d%s" % (len(offsets), word), *offsets)
    count_bytes = struct.pack("<%d%s" % (len(strips), word), *map(len, strips))
    directory_at = arrays_at + len(offset_bytes) + len(count_bytes)
    long_type = 16 if big else 4
    entries = [(256, 3, 1, width), (257, 3, 1, height), (258, 3, 1, 8), (259, 3, 1, 8),
               (262, 3, 1, 1),
               (273, long_type, len(strips),
                arrays_at if len(strips) > 1 else offsets[0]),
               (277, 3, 1, 1), (278, 3, 1, rows_per_strip),
               (279, long_type, len(strips),
                arrays_at + len(offset_bytes) if len(strips) > 1 else len(strips[0]))]
    if big:
        head = b"II+\0" + struct.pack("<HHQ", 8, 0, directory_at)
        directory = struct.pack("<Q", len(entries)) + b"".join(
            struct.pack("<HHQQ", *entry) for entry in entries) + struct.pack("<Q", 0)
    else:
        head = b"II*\0" + struct.pack("<I", directory_at)
        directory = struct.pack("<H", len(entries)) + b"".join(
            struct.pack("<HHII", *entry) for entry in entries) + struct.pack("<I", 0)
    return head + data + offset_bytes + count_bytes + directory


FILES = {
    "screen.gif": screen_gif,
    "canvas.webp": canvas_webp,
    "lossy.webp": lossy_webp,
    "arithmetic.jpg": arithmetic_jpg,
    "rows.bmp": rows_bmp,
    "wide.bmp": wide_bmp,
    "top-down.bmp": top_down_bmp,
    "solid.bmp": solid_bmp,
    "interlaced.png": interlaced_png,
    "cut.icns": cut_icns,
    "cut.ico": cut_ico,
    "qt-limit.png": qt_limit_png,
    "one-strip.tif": lambda: grey_tiff(1000),
    "strips.tif": lambda: grey_tiff(16),
    "big.tif": lambda: grey_tiff(16, big=True),
    "claims.tif": lambda: grey_tiff(40000, claimed=40000),
}

if __name__ == "__main__":
    for name, make in FILES.items():
        with open(name, "wb") as out:
            out.write(make())
