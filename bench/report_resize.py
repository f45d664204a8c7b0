#!/usr/bin/env python3
"""Prints the resize and largest-conversion figures beside OpenCV's (medians of
repetitions run interleaved; ratio = OpenCV / ours, above 1 when ours is faster)."""
import json
import re
import sys


def medians(path):
    runs = {}
    for r in json.load(open(path))["benchmarks"]:
        if r.get("run_type") == "aggregate" and r.get("aggregate_name") != "median":
            continue
        name = re.sub(r"/(min_time|iterations):[0-9.]+|/real_time", "", r.get("run_name", r["name"]))
        if r.get("run_type") != "aggregate" and name in runs:
            continue
        runs[name] = r
    return runs


def line(label, ours, peer):
    if not ours:
        return
    text = f"  {label:42s} ours {ours['real_time']:9.1f} ms"
    if peer:
        text += f"   OpenCV {peer['real_time']:9.1f} ms   ratio {peer['real_time'] / ours['real_time']:5.2f}"
    print(text)


def main(path):
    runs = medians(path)
    print("Area-averaging resize of an 8000 x 5000 24-bit picture, one thread"
          " (OpenCV: cv::resize INTER_AREA)")
    for half, label in ((0, "to 1920 x 1200"), (1, "to 50% (4000 x 2500)")):
        line(label, runs.get(f"BM_AreaResize/half:{half}"),
             runs.get(f"BM_OpenCvInterArea/half:{half}"))
    ours = runs.get("BM_ConvertLargest")
    if ours:
        print("Largest pattern of a 4000 x 3000 picture, all cores, wall clock"
              " (OpenCV: warpAffine nearest, wrapped)")
        line(f"tile {int(ours['out_w'])} x {int(ours['out_h'])}", ours,
             runs.get("BM_OpenCvWarpLargest"))


main(sys.argv[1])
