#!/usr/bin/python3
"""The whole-tile table: a 1024 x 768 24-bit picture to its 4344 x 4344 tile (a 56 MB
BMP), as whole commands beside the OpenCV program (bench/OpenCvPeer.cpp) and ImageMagick,
with the floor of the disk: copying the same result with dd and a flush. "To disk" is a
folder of the build tree; "to memory" a tmpfs (/dev/shm). Each round runs every command
once, in turn, so that all meet the same load; the figures are medians of the rounds.
    near_the_floor.py SLANTER_CLI OPENCV_PEER FOLDER"""
import os
import shutil
import statistics
import sys
import tempfile

from compare_commands import make_picture, patterns, timed

ROUNDS = int(os.environ.get("BENCH_ROUNDS", "7"))


def main(cli, peer, folder):
    disk = tempfile.mkdtemp(prefix="floor-", dir=folder)
    memory = tempfile.mkdtemp(prefix="slanter-floor-", dir="/dev/shm")
    picture = os.path.join(disk, "in.bmp")
    make_picture(picture, 1024, 768, 24)
    index, degrees, width, height = next(r for r in patterns(cli, 1024, 768)
                                         if (r[2], r[3]) == (4344, 4344))

    def ours(where, name, *more):
        return [cli, "convert", picture, os.path.join(where, name), "--pattern", str(index),
                *more]

    def theirs(where, name, interpolation):
        return [peer, picture, os.path.join(where, name), "%.10f" % degrees, str(width),
                str(height), interpolation, "0"]

    commands = {
        "bmp disk": ours(disk, "ours.bmp"),
        "bmp disk opencv": theirs(disk, "opencv.bmp", "nearest"),
        "bmp memory": ours(memory, "ours.bmp"),
        "bmp memory opencv": theirs(memory, "opencv.bmp", "nearest"),
        "floor": ["dd", "if=" + os.path.join(memory, "ours.bmp"),
                  "of=" + os.path.join(disk, "copy.bmp"), "bs=4M", "conv=fsync"],
        "png disk": ours(disk, "ours.png"),
        "png disk opencv": theirs(disk, "opencv.png", "nearest"),
        "smoothed memory": ours(memory, "smoothed.bmp", "--smooth"),
        "smoothed memory opencv": theirs(memory, "bilinear.bmp", "bilinear"),
        "magick": ["/usr/bin/convert", picture, "-virtual-pixel", "tile", "-filter", "point",
                   "-define", "distort:viewport=%dx%d+0+0" % (width, height), "-distort",
                   "SRT", "%.10f" % degrees, os.path.join(memory, "magick.bmp")],
    }
    # The floor copies our result, which the first round makes.
    timed(commands["bmp memory"], disk)
    times = {key: [] for key in commands}
    for _ in range(ROUNDS):
        for key, command in commands.items():
            times[key].append(timed(command, disk)[0])
    t = {key: statistics.median(v) for key, v in times.items()}
    size = (os.path.getsize(os.path.join(disk, "ours.png")) /
            os.path.getsize(os.path.join(disk, "opencv.png")))
    print("The %d x %d tile of a 1024 x 768 picture, whole commands (seconds, medians of %d"
          " rounds; ratio = ours / theirs)" % (width, height, ROUNDS))
    rows = (
        ("BMP out, to disk", "bmp disk", "bmp disk opencv", "OpenCV", 0.45),
        ("BMP out, to memory", "bmp memory", "bmp memory opencv", "OpenCV", None),
        ("BMP out, to disk", "bmp disk", "floor", "dd conv=fsync", 1.5),
        ("PNG out, to disk", "png disk", "png disk opencv", "OpenCV imwrite", 0.33),
        ("smoothed, to memory", "smoothed memory", "smoothed memory opencv", "OpenCV bilinear",
         0.60),
        ("BMP out, to memory", "bmp memory", "magick", "ImageMagick -distort SRT", None),
    )
    for name, mine, peer_key, peer_name, goal in rows:
        ratio = t[mine] / t[peer_key]
        print("  %-20s ours %6.3f s  %-24s %6.3f s  ratio %5.2f%s" % (
            name, t[mine], peer_name, t[peer_key], ratio,
            "" if goal is None else "  (goal <= %.2f%s)" % (goal, "" if ratio <= goal
                                                             else ", missed")))
    print("  PNG size, ours / OpenCV's: %.3f  (goal <= 1.05)" % size)
    print("  smoothed / plain, to memory: %.2f  (goal <= 1.3)"
          % (t["smoothed memory"] / t["bmp memory"]))
    shutil.rmtree(disk)
    shutil.rmtree(memory)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2], sys.argv[3])
