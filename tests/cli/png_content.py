#!/usr/bin/python3
"""Prints what a PNG file says, one line a chunk: its type and the SHA-256 of its data,
the IDAT chunks' data taken together and inflated as the one zlib stream they hold. Two
files that print alike hold the same picture, however their data was compressed.

    png_content.py FILE
"""
import hashlib
import struct
import sys
import zlib


def main(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        sys.exit("%s: not a PNG file" % path)
    at, stream, lines = 8, b"", []
    while at + 12 <= len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if zlib.crc32(kind + body) != struct.unpack(">I", data[at + 8 + length:at + 12 + length])[0]:
            sys.exit("%s: a bad CRC in %s" % (path, kind.decode("latin-1")))
        if kind == b"IDAT":
            stream += body
        else:
            if stream:
                inflater = zlib.decompressobj()
                rows = inflater.decompress(stream)
                if not inflater.eof or inflater.unused_data:
                    sys.exit("%s: the image data is not one whole zlib stream" % path)
                lines.append("IDAT " + hashlib.sha256(rows).hexdigest())
                stream = b""
            lines.append(kind.decode("latin-1") + " " + hashlib.sha256(body).hexdigest())
        at += 12 + length
    print("\n".join(lines))


if __name__ == "__main__":
    main(sys.argv[1])
