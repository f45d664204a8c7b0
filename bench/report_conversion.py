#!/usr/bin/env python3
"""Prints the conversion figures: one thread beside OpenCV's warp (medians of repetitions
run interleaved, so that both meet the same load), the share of pixels that went the
exact way, the speed-up from all cores, and the cost of the parts."""
import json
import re
import sys


def medians(path):
    runs = {}
    for r in json.load(open(path))["benchmarks"]:
        if r.get("run_type") == "aggregate" and r.get("aggregate_name") != "median":
            continue
        name = re.sub(r"/min_time:[0-9.]+", "", r.get("run_name", r["name"]))
        if r.get("run_type") != "aggregate" and name in runs:
            continue
        runs[name] = r
    return runs


def main(path):
    runs = medians(path)
    print("Conversion on one thread, in-process (ns per result pixel, CPU time, medians;"
          " ratio = OpenCV / ours; x plain = smoothed / plain)")
    for bits, small, label in ((24, 0, "1024x768 24-bit"), (8, 0, "1024x768  8-bit"),
                               (8, 1, " 640x480  8-bit"), (32, 0, "1024x768  RGBA"),
                               (64, 0, "1024x768 16-bit")):
        for large in (0, 1):
            for smooth in (0, 1):
                ours = runs.get(f"BM_Convert/bits:{bits}/small:{small}/large:{large}"
                                f"/smooth:{smooth}/threads:1")
                peer = runs.get(f"BM_OpenCvWarpAffine/bits:{bits}/small:{small}/large:{large}"
                                f"/bilinear:{smooth}")
                if not ours:
                    continue
                tile = f"{int(ours['tile_w'])}x{int(ours['tile_h'])}"
                mode = "smoothed" if smooth else "plain"
                line = (f"  {label} {tile:>10s} {mode:8s} ours {ours['ns_per_px'] * 1e9:6.2f}"
                        f" exact {ours['exact_fraction'] * 100:8.5f}%")
                if peer:
                    kind = "bilinear" if smooth else "nearest"
                    ratio = peer["ns_per_px"] / ours["ns_per_px"]
                    line += f"  OpenCV {kind:8s} {peer['ns_per_px'] * 1e9:6.2f}  ratio {ratio:5.2f}"
                plain = runs.get(f"BM_Convert/bits:{bits}/small:{small}/large:{large}"
                                 f"/smooth:0/threads:1")
                if smooth and plain:
                    line += f"  x plain {ours['ns_per_px'] / plain['ns_per_px']:4.2f}"
                print(line)
    print("The kept planes beside the 24-bit path (time per pixel, ratio = theirs / 24-bit)")
    for bits, label in ((32, "RGBA 8-bit"), (64, "RGB 16-bit")):
        for large in (0, 1):
            for smooth in (0, 1):
                base = runs.get(f"BM_Convert/bits:24/small:0/large:{large}/smooth:{smooth}/threads:1")
                kept = runs.get(f"BM_Convert/bits:{bits}/small:0/large:{large}/smooth:{smooth}/threads:1")
                if base and kept:
                    print(f"  {label:10s} {'large' if large else 'first'} "
                          f"{'smoothed' if smooth else 'plain':8s} "
                          f"{kept['ns_per_px'] * 1e9:6.2f} vs {base['ns_per_px'] * 1e9:6.2f}"
                          f"  ratio {kept['ns_per_px'] / base['ns_per_px']:5.2f}")
    print("Threads, largest pattern of the 24-bit picture (wall clock, medians)")
    plain_every = runs.get("BM_Convert/bits:24/small:0/large:1/smooth:0/threads:0/real_time")
    for smooth in (0, 1):
        one = runs.get(f"BM_Convert/bits:24/small:0/large:1/smooth:{smooth}/threads:1/real_time")
        every = runs.get(f"BM_Convert/bits:24/small:0/large:1/smooth:{smooth}/threads:0/real_time")
        if one and every:
            print(f"  {'smoothed' if smooth else 'plain':8s} 1 thread {one['real_time']:8.1f} ms"
                  f"  {int(every['threads'])} threads {every['real_time']:8.1f} ms"
                  f"  speed-up {one['real_time'] / every['real_time']:4.2f}"
                  + (f"  x plain {every['real_time'] / plain_every['real_time']:4.2f}"
                     if smooth and plain_every else ""))
    print("Where the time goes (ns per result pixel)")
    for part, name in (("MapToSource alone", "BM_MapToSourceOnly"),
                       ("pixel reads and writes", "BM_PixelAccessOnly"),
                       ("SaveToFile", "BM_SaveResult")):
        figures = [f"{'large' if large else 'first'} {runs[f'{name}/large:{large}']['ns_per_px'] * 1e9:6.2f}"
                   for large in (0, 1) if f"{name}/large:{large}" in runs]
        print(f"  {part:24s} " + "   ".join(figures))


if __name__ == "__main__":
    main(sys.argv[1])
