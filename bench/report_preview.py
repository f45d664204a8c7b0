#!/usr/bin/env python3
"""Prints the picture preview's figures: the slowest and the median pattern of a
4000 x 3000 picture per view, arrangement and mode, against the 50 ms it must stay under, and
beside them the full conversion of the smallest tile."""
import json
import statistics
import sys

LIMIT_MS = 50.0


def milliseconds(run, kind="cpu_time"):
    """The processor time by default: these machines are shared, and the wall clock of a
    busy one counts the other programs' turns too."""
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[run["time_unit"]]
    return run[kind] * scale


def base_name(run):
    return run["name"].split("/iterations:")[0]


def main(path):
    runs = json.load(open(path))["benchmarks"]
    worst_all = 0.0
    for view in ("720", "924"):
        print(f"Picture preview of a 4000 x 3000 picture, every pattern, {view} x {view} "
              "device pixels (ms of processor time)")
        for arrangement in ("rows", "columns"):
            for smooth in ("0", "1"):
                prefix = f"BM_PicturePreview/view:{view}/{arrangement}/"
                times = [(milliseconds(r), r) for r in runs
                         if base_name(r).startswith(prefix)
                         and base_name(r).endswith(f"/smooth:{smooth}")]
                if not times:
                    continue
                worst, run = max(times, key=lambda t: t[0])
                worst_all = max(worst_all, worst)
                tile = f"{int(run['tile_w'])}x{int(run['tile_h'])}"
                mode = "smoothed" if smooth == "1" else "plain"
                print(f"  {arrangement:7s} {mode:8s} {len(times):3d} patterns  median "
                      f"{statistics.median(t for t, _ in times):6.2f}  slowest {worst:6.2f} "
                      f"(tile {tile}, wall clock {milliseconds(run, 'real_time'):6.2f})")
    for run in runs:
        if base_name(run).startswith("BM_ConvertSmallestTile"):
            mode = "smoothed" if base_name(run).endswith("1") else "plain"
            print(f"  peer: converting the smallest tile whole, {mode:8s} {milliseconds(run):8.1f}")
    verdict = "within" if worst_all < LIMIT_MS else "OVER"
    print(f"  slowest of all {worst_all:.2f} ms: {verdict} the {LIMIT_MS:.0f} ms limit")


if __name__ == "__main__":
    main(sys.argv[1])
