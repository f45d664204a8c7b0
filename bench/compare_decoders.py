#!/usr/bin/python3
"""Times opening camera-sized pictures as whole commands: the program's own way
(bench/OpenPicture.cpp: the reader, then the decoders) beside OpenCV's imread
(bench/OpenCvRead.cpp) of the same files, an 8000 x 6000 JPEG and a 6000 x 4000 PNG;
and `slanter-cli patterns` of a 6000 x 4000 JPEG, which reads its headers alone, beside opening it
whole. Each round runs the commands once, in turn, so that they meet the same load; the
figures are medians of the rounds. Peak memory is each command's largest resident set, as
GNU time reports it.
    compare_decoders.py OPEN_PICTURE OPENCV_READ SLANTER_CLI"""
import os
import statistics
import subprocess
import sys
import tempfile
import time

from PIL import Image

ROUNDS = int(os.environ.get("BENCH_ROUNDS", "5"))


def timed(command, folder):
    report = os.path.join(folder, "peak.txt")
    start = time.perf_counter()
    subprocess.run(["/usr/bin/time", "-f", "%M", "-o", report] + command, check=True,
                   stdout=subprocess.DEVNULL)
    seconds = time.perf_counter() - start
    with open(report) as f:
        return seconds, int(f.read().split()[-1]) / 1024


def photo_like(width, height):
    """Smooth gradients with grain, as a camera's pictures compress."""
    grain = [Image.effect_noise((width, height), 24) for _ in range(3)]
    gradients = [Image.linear_gradient("L").resize((width, height)),
                 Image.radial_gradient("L").resize((width, height)),
                 Image.linear_gradient("L").rotate(90).resize((width, height))]
    channels = [Image.blend(g, n, 0.3) for g, n in zip(gradients, grain)]
    return Image.merge("RGB", channels)


def main(ours, peer, cli):
    folder = tempfile.mkdtemp(prefix="slanter-decoders-")
    files = []
    for name, size, options in (("photo.jpg", (8000, 6000), {"quality": 90}),
                                ("photo.png", (6000, 4000), {"compress_level": 6})):
        path = os.path.join(folder, name)
        photo_like(*size).save(path, **options)
        files.append((name, size, path))
    print("Opening a picture (whole commands; seconds and peak MB, medians of %d rounds;"
          " ratio = OpenCV / ours)" % ROUNDS)
    for name, size, path in files:
        figures = {"ours": [], "opencv": []}
        for _ in range(ROUNDS):
            figures["ours"].append(timed([ours, path], folder))
            figures["opencv"].append(timed([peer, path], folder))
        row = {}
        for who, runs in figures.items():
            row[who] = (statistics.median(s for s, _ in runs), statistics.median(m for _, m in runs))
        print("  %-9s %5d x %-5d ours %6.2f s %6.0f MB   OpenCV %6.2f s %6.0f MB   "
              "ratio %5.2f time %5.2f memory" %
              (name, size[0], size[1], row["ours"][0], row["ours"][1], row["opencv"][0],
               row["opencv"][1], row["opencv"][0] / row["ours"][0],
               row["opencv"][1] / row["ours"][1]))
    # A 24-megapixel camera's photo: 8000 x 6000 has no pattern within the tile's sides.
    name, size = "camera.jpg", (6000, 4000)
    path = os.path.join(folder, name)
    photo_like(*size).save(path, quality=90)
    files.append((name, size, path))
    figures = {"patterns": [], "open": []}
    for _ in range(ROUNDS):
        figures["patterns"].append(timed([cli, "patterns", path], folder))
        figures["open"].append(timed([ours, path], folder))
    row = {who: (statistics.median(s for s, _ in runs), statistics.median(m for _, m in runs))
           for who, runs in figures.items()}
    print("Listing the patterns of a picture (headers only) beside opening it whole"
          " (ratio = opening / listing)")
    print("  %-9s %5d x %-5d patterns %6.3f s %6.0f MB   open %6.2f s %6.0f MB   "
          "ratio %6.1f time %5.1f memory" %
          (name, size[0], size[1], row["patterns"][0], row["patterns"][1], row["open"][0],
           row["open"][1], row["open"][0] / row["patterns"][0],
           row["open"][1] / row["patterns"][1]))
    for _, _, path in files:
        os.remove(path)
    for leftover in os.listdir(folder):
        os.remove(os.path.join(folder, leftover))
    os.rmdir(folder)


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2], sys.argv[3])
