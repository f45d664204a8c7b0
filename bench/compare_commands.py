#!/usr/bin/python3
"""Times slanter-cli convert against ImageMagick doing the comparable job as a whole
command: the same 1024 x 768 picture turned by the pattern's angle onto a wrapped
(tiled) plane and cut to the same output size, nearest and bilinear. Best of a few runs
of each, measured in the same session."""
import math
import os
import subprocess
import sys
import tempfile
import time

from PIL import Image

RUNS = 3


def best_time(command):
    best = math.inf
    for _ in range(RUNS):
        start = time.perf_counter()
        subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        best = min(best, time.perf_counter() - start)
    return best


def patterns(cli):
    out = subprocess.run([cli, "patterns", "1024", "768", "--exact"], check=True,
                         capture_output=True, text=True).stdout
    rows = []
    for line in out.splitlines():
        index, radians, degrees, area, slide, width, height = line.split()
        rows.append((int(index), float(degrees), int(width), int(height)))
    return rows


def main(cli):
    folder = tempfile.mkdtemp(prefix="slanter-bench-")
    picture = os.path.join(folder, "in.bmp")
    image = Image.new("RGB", (1024, 768))
    image.putdata([((x * 255 // 1024 + (x ^ y) % 17) & 255, (y * 255 // 768 + x * y % 13) & 255,
                    ((x + y) // 8) & 255) for y in range(768) for x in range(1024)])
    image.save(picture)

    rows = patterns(cli)
    first = rows[0]
    large = max((r for r in rows if r[2] * r[3] < 20_000_000), key=lambda r: r[2] * r[3])
    print("Whole commands, 1024 x 768 24-bit picture (seconds, best of %d; ratio = magick / ours)"
          % RUNS)
    for name, (index, degrees, width, height) in (("first", first), ("large", large)):
        for smooth, interpolate in ((False, "nearest"), (True, "bilinear")):
            ours = best_time([cli, "convert", picture, os.path.join(folder, "ours.bmp"),
                              "--pattern", str(index)] + (["--smooth"] if smooth else []))
            magick = best_time(["/usr/bin/convert", picture, "-virtual-pixel", "tile",
                                "-filter", "point", "-interpolate", interpolate,
                                "-define", "distort:viewport=%dx%d+0+0" % (width, height),
                                "-distort", "SRT", "%.10f" % degrees,
                                os.path.join(folder, "magick.bmp")])
            mpx = width * height / 1e6
            print("  %-5s %4dx%-5d %-8s ours %7.3f s (%6.1f Mpx/s)  magick %7.3f s  ratio %5.2f"
                  % (name, width, height, interpolate, ours, mpx / ours, magick, magick / ours))
    for name in os.listdir(folder):
        os.remove(os.path.join(folder, name))
    os.rmdir(folder)


if __name__ == "__main__":
    main(sys.argv[1])
