#!/usr/bin/python3
"""Times slanter-cli convert as whole commands beside two peers doing the comparable job
(the picture turned by the pattern's angle onto a wrapped, tiled plane and cut to the
tile's size, nearest and bilinear): a small OpenCV program (bench/OpenCvPeer.cpp, all
cores) and ImageMagick. Each round runs every command once, in turn, so that all meet
the same load; the figures are medians of the rounds. Peak memory is each command's
largest resident set."""
import os
import statistics
import subprocess
import sys
import tempfile
import time

from PIL import Image

ROUNDS = int(os.environ.get("BENCH_ROUNDS", "5"))


def timed(command, folder):
    """Wall seconds and peak resident megabytes of one run of command. GNU time reports
    the peak of the command alone (a child forked from this Python would count its
    parent's memory too)."""
    report = os.path.join(folder, "peak.txt")
    start = time.perf_counter()
    subprocess.run(["/usr/bin/time", "-f", "%M", "-o", report] + command, check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    seconds = time.perf_counter() - start
    with open(report) as f:
        return seconds, int(f.read().split()[-1]) / 1024


def patterns(cli, width, height):
    out = subprocess.run([cli, "patterns", str(width), str(height), "--exact"], check=True,
                         capture_output=True, text=True).stdout
    rows = []
    for line in out.splitlines():
        index, radians, degrees, area, slide, tile_w, tile_h = line.split()
        rows.append((int(index), float(degrees), int(tile_w), int(tile_h)))
    return rows


def make_picture(path, width, height, bits):
    pixels = [((x * 255 // width + (x ^ y) % 17) & 255, (y * 255 // height + x * y % 13) & 255,
               ((x + y) // 8) & 255) for y in range(height) for x in range(width)]
    if bits == 24:
        image = Image.new("RGB", (width, height))
        image.putdata(pixels)
    else:
        image = Image.new("P", (width, height))
        image.putpalette([c for i in range(256) for c in (i, 255 - i, i * 7 & 255)])
        image.putdata([(r + g + b) & 255 for r, g, b in pixels])
    image.save(path)


def main(cli, peer):
    folder = tempfile.mkdtemp(prefix="slanter-bench-")
    print("Whole commands (seconds, medians of %d rounds; ratios = theirs / ours;"
          " ours uses all cores unless marked 1t)" % ROUNDS)
    for width, height, bits in ((1024, 768, 24), (640, 480, 8)):
        picture = os.path.join(folder, "in-%d.bmp" % bits)
        make_picture(picture, width, height, bits)
        rows = patterns(cli, width, height)
        first = rows[0]
        large = max((r for r in rows if r[2] * r[3] < 20_000_000), key=lambda r: r[2] * r[3])
        print("  %d x %d %d-bit picture" % (width, height, bits))
        for name, (index, degrees, tile_w, tile_h) in (("first", first), ("large", large)):
            for smooth, interpolate in ((False, "nearest"), (True, "bilinear")):
                out = os.path.join(folder, "out.bmp")
                ours = [cli, "convert", picture, out, "--pattern", str(index)] + (
                    ["--smooth"] if smooth else [])
                commands = {
                    "ours": ours,
                    "ours1t": ours + ["--threads", "1"],
                    "opencv": [peer, picture, out, "%.10f" % degrees, str(tile_w), str(tile_h),
                               interpolate, "0"],
                    "magick": ["/usr/bin/convert", picture, "-virtual-pixel", "tile", "-filter",
                               "point", "-interpolate", interpolate, "-define",
                               "distort:viewport=%dx%d+0+0" % (tile_w, tile_h), "-distort", "SRT",
                               "%.10f" % degrees, out],
                }
                if not os.path.exists(peer):
                    del commands["opencv"]
                times = {key: [] for key in commands}
                memory = {key: 0.0 for key in commands}
                for _ in range(ROUNDS):
                    for key, command in commands.items():
                        seconds, megabytes = timed(command, folder)
                        times[key].append(seconds)
                        memory[key] = max(memory[key], megabytes)
                t = {key: statistics.median(v) for key, v in times.items()}
                cells = (tile_w * tile_h + width * height) * 4 / 2**20
                line = ("    %-5s %4dx%-5d %-8s ours %6.3f s  1t %6.3f s (x%4.2f)"
                        % (name, tile_w, tile_h, interpolate, t["ours"], t["ours1t"],
                           t["ours1t"] / t["ours"]))
                if "opencv" in t:
                    line += "  opencv %6.3f s ratio %4.2f" % (t["opencv"], t["opencv"] / t["ours"])
                line += "  magick %6.3f s ratio %5.2f" % (t["magick"], t["magick"] / t["ours"])
                print(line)
                print("          peak MB: ours %.0f (cells %.0f + 16 = %.0f)%s  magick %.0f"
                      % (memory["ours"], cells, cells + 16,
                         "  opencv %.0f" % memory["opencv"] if "opencv" in memory else "",
                         memory["magick"]))
    for name in os.listdir(folder):
        os.remove(os.path.join(folder, name))
    os.rmdir(folder)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2] if len(sys.argv) > 2 else "")
