#!/usr/bin/env python3
"""Prints the conversion figures: throughput beside OpenCV's warp, and the cost of the
parts (mapping, pixel access, writing)."""
import json
import sys


def main(path):
    runs = {r["name"].split("/min_time")[0]: r for r in json.load(open(path))["benchmarks"]}
    print("Conversion of a 1024 x 768 picture (ns per result pixel; ratio = peer / ours)")
    for bits in (24, 8):
        for large in (0, 1):
            for smooth in (0, 1):
                ours = runs.get(f"BM_Convert/bits:{bits}/large:{large}/smooth:{smooth}")
                peer = runs.get(f"BM_OpenCvWarpAffine/bits:{bits}/large:{large}/bilinear:{smooth}")
                if not ours:
                    continue
                tile = f"{int(ours['tile_w'])}x{int(ours['tile_h'])}"
                mode = "smoothed" if smooth else "plain"
                line = (f"  {bits:2d} bits {tile:>10s} {mode:8s} ours {ours['ns_per_px'] * 1e9:6.2f}"
                        f" ({ours['Mpx_per_s']:6.1f} Mpx/s)")
                if peer:
                    kind = "bilinear" if smooth else "nearest"
                    ratio = peer["ns_per_px"] / ours["ns_per_px"]
                    line += f"  OpenCV {kind:8s} {peer['ns_per_px'] * 1e9:6.2f}  ratio {ratio:5.2f}"
                print(line)
    print("Where the time goes (ns per result pixel)")
    for part, name in (("MapToSource alone", "BM_MapToSourceOnly"),
                       ("pixel reads and writes", "BM_PixelAccessOnly"),
                       ("SaveToFile", "BM_SaveResult")):
        figures = [f"{'large' if large else 'first'} {runs[f'{name}/large:{large}']['ns_per_px'] * 1e9:6.2f}"
                   for large in (0, 1) if f"{name}/large:{large}" in runs]
        print(f"  {part:24s} " + "   ".join(figures))


if __name__ == "__main__":
    main(sys.argv[1])
