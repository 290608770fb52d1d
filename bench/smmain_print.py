#!/usr/bin/env python3
"""Times whole `smmain print` runs of the example label: labels per second, CPU time, peak
memory and PDF bytes per extra label. Figures, not checks: it never fails on a slow machine.

    python3 bench/smmain_print.py [BUILD_DIR] [--runs N]
"""
import json
import os
import statistics
import subprocess
import sys
import tempfile
import time

root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
args = [a for a in sys.argv[1:] if not a.startswith("--")]
build = os.path.abspath(args[0] if args else os.path.join(root, "build"))
runs = int(sys.argv[sys.argv.index("--runs") + 1]) if "--runs" in sys.argv else 5
smmain = os.path.join(build, "smmain")
example = os.path.join(root, "examples", "food-label.json")


def label_file(folder, name, token_text=None, auto_refresh=True):
    with open(example) as f:
        label = json.load(f)
    if token_text:
        label["controls"][3]["set"]["Text"] = token_text
    if not auto_refresh:
        for control in label["controls"]:
            control["properties"]["AutoRefresh"] = False
    path = os.path.join(folder, name)
    with open(path, "w") as f:
        json.dump(label, f)
    return path


def run(label, quantity, folder):
    """One run: wall seconds, CPU seconds, peak RSS in KiB, PDF bytes."""
    pdf = os.path.join(folder, "out.pdf")
    start = time.monotonic()
    child = subprocess.Popen([smmain, "print", label, "-n", str(quantity), "-o", pdf, "--quiet"],
                             stdout=subprocess.DEVNULL)
    _, status, usage = os.wait4(child.pid, 0)
    wall = time.monotonic() - start
    if status != 0:
        sys.exit(f"smmain failed with status {status}")
    return wall, usage.ru_utime + usage.ru_stime, usage.ru_maxrss, os.path.getsize(pdf)


def measure(title, quantity, **label_options):
    with tempfile.TemporaryDirectory() as folder:
        results = []
        for _ in range(runs):
            label = label_file(folder, "label.json", **label_options)  # counters start afresh
            results.append(run(label, quantity, folder))
    wall = statistics.median(r[0] for r in results)
    cpu = statistics.median(r[1] for r in results)
    rss = statistics.median(r[2] for r in results)
    size = statistics.median(r[3] for r in results)
    print(f"{title:<44} {quantity:>6}  {wall:6.2f} s  {cpu:6.2f} s  {quantity / wall:8.0f}"
          f"  {quantity / cpu:8.0f}  {rss / 1024:6.1f} MiB  {size:>9}")
    return size


print(f"median of {runs} runs; wall and CPU (user + system) time of the whole process")
print(f"{'run':<44} {'labels':>6}  {'wall':>8}  {'CPU':>8}  {'lab/s':>8}  {'lab/s CPU':>8}"
      f"  {'peak RSS':>10}  {'PDF bytes':>9}")
small = measure("identical labels", 1000)
large = measure("identical labels", 10000)
print(f"  PDF bytes per extra label: {(large - small) / 9000:.1f}")
serial = "Lot [+]0041 No.[++]000001"
measure("counter per impression", 10000, token_text=serial)
measure("counter per impression, AutoRefresh off", 10000, token_text=serial,
        auto_refresh=False)
