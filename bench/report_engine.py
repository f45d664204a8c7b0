#!/usr/bin/env python3
"""Prints the engine benchmark figures: build times, and MapToSource beside the walk."""
import json
import sys


def main(path):
    runs = json.load(open(path))["benchmarks"]
    print("BuildPatterns (microseconds per build)")
    for run in runs:
        if run["name"].startswith("BM_BuildPatterns/"):
            args = run["name"].split("/", 1)[1]
            print(f"  {args:28s} {run['real_time']:12.1f} us  {int(run['patterns']):3d} patterns")

    fast = {r["name"].split("/", 1)[1]: r for r in runs if r["name"].startswith("BM_MapToSource/")}
    naive = {r["name"].split("/", 1)[1]: r for r in runs
             if r["name"].startswith("BM_MapToSourceNaive/")}
    print("MapToSource over whole tiles (ns per pixel; ratio = walk / engine)")
    for args, run in fast.items():
        walk = naive.get(args)
        ns = run["ns_per_pixel"] * 1e9
        if walk:
            walk_ns = walk["ns_per_pixel"] * 1e9
            print(f"  {args:50s} engine {ns:8.2f}  walk {walk_ns:8.2f}  ratio {walk_ns / ns:6.2f}")
        else:
            print(f"  {args:50s} engine {ns:8.2f}")


if __name__ == "__main__":
    main(sys.argv[1])
