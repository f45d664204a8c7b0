#!/usr/bin/python3
"""Times Pillow's open+load and save, and a plain file copy, on the pictures that
bitmap_io_bench made, and prints them beside our own figures from its JSON output.

    pillow_bmp_io.py BITMAP_IO_JSON
"""
import json
import os
import shutil
import sys
import time

from PIL import Image

REPEATS = int(os.environ.get("BENCH_REPEATS", "7"))


def best_seconds(action):
    """The fastest of several runs: the machines are shared, and noise only adds time."""
    best = float("inf")
    for _ in range(REPEATS):
        start = time.perf_counter()
        action()
        best = min(best, time.perf_counter() - start)
    return best


def pillow_load(path):
    # Opened from a file object, Pillow reads and decodes the pixels; given a name it
    # would map an 8-bit file into memory and touch no pixel until asked.
    with open(path, "rb") as stream, Image.open(stream) as image:
        image.load()


def main(json_path):
    report = json.load(open(json_path))
    folder = report["context"]["bitmap_folder"]
    seconds_per_unit = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}
    ours = {}  # fastest repetition, in seconds
    for run in report["benchmarks"]:
        if run.get("aggregate_name") != "min":
            continue
        name, bits = run["name"].split("/")[0], run["name"].split(":")[1].split("/")[0]
        ours[(name, int(bits))] = run["real_time"] * seconds_per_unit[run["time_unit"]]

    print("BMP load and save, 4000 x 3000 (MB/s of file, fastest of several runs;"
          " ratio = ours / peer)")
    print(f"  {'':12s} {'ours':>8s} {'Pillow':>8s} {'ratio':>6s} {'copy':>8s} {'of copy':>8s}")
    for bits in (24, 8):
        path = os.path.join(folder, f"picture-{bits}.bmp")
        size = os.path.getsize(path)
        copy_to = os.path.join(folder, f"copy-{bits}.bmp")
        saved_to = os.path.join(folder, f"pillow-{bits}.bmp")
        with Image.open(path) as image:
            image.load()
            loaded = image.copy()
        timings = {
            "BM_Load": best_seconds(lambda: pillow_load(path)),
            "BM_Save": best_seconds(lambda: loaded.save(saved_to, "BMP")),
        }
        copy_mbs = size / best_seconds(lambda: shutil.copyfile(path, copy_to)) / 1e6
        for name, label in (("BM_Load", "load"), ("BM_Save", "save")):
            mine = size / ours[(name, bits)] / 1e6
            peer = size / timings[name] / 1e6
            print(f"  {label} {bits:2d}-bit  {mine:8.0f} {peer:8.0f} {mine / peer:6.2f}"
                  f" {copy_mbs:8.0f} {mine / copy_mbs:8.2f}")


if __name__ == "__main__":
    main(sys.argv[1])
