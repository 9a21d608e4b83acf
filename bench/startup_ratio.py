#!/usr/bin/env python3
"""Start-up of the installed chimeset against a bare Qt window, timed in one run.

    bench/startup_ratio.py [--build build-bench] [--csv ../shared/data/dove48.csv] [--runs 15]

Installs the build (configured with -DCHIMESET_BENCH=ON, so that bench-tools/bare_window is
built) into a scratch prefix, converts the Dove's Guide download with the installed chimedove
into a scratch user's tower database, writes a log of 3,000 visits, and times chimeset
opening that log until its window is shown and first painted against bare_window, alternately.
Prints the medians and their ratio. Everything it makes is removed again; the download is never
copied into the project.
"""
import argparse
import resource
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

VISITS = 3000
HEADER = "Locn\\Dedn\\Cnty\\OS\\Lat\\Lon\\Bells\\Wt\\IndexNo\\VDate\\QDate\\PDate\\Comment"


def timed(command, env):
    """Wall and processor seconds of one whole run."""
    used = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    subprocess.run(command, env=env, check=True, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)
    wall = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = (after.ru_utime - used.ru_utime) + (after.ru_stime - used.ru_stime)
    return wall, cpu


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default="build-bench")
    parser.add_argument("--csv", default="../shared/data/dove48.csv")
    parser.add_argument("--runs", type=int, default=15)
    parser.add_argument("--beside", action="store_true",
                        help="also put the database beside the installed program")
    parser.add_argument("--display", action="store_true",
                        help="time on the display (its own work then weighs on both alike)")
    args = parser.parse_args()
    if not os.path.isfile(args.csv):
        print(f"startup_ratio: no Dove's Guide download at {args.csv}: skipped")
        return 0
    bare = os.path.join(args.build, "bench-tools", "bare_window")
    if not os.access(bare, os.X_OK):
        sys.exit(f"startup_ratio: {bare} is missing; build with -DCHIMESET_BENCH=ON")

    scratch = tempfile.mkdtemp(prefix="chimeset-startup-")
    try:
        prefix = os.path.join(scratch, "prefix")
        home = os.path.join(scratch, "home")
        subprocess.run(["cmake", "--install", args.build, "--prefix", prefix], check=True,
                       stdout=subprocess.DEVNULL)
        env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"),
                   XDG_DATA_HOME=os.path.join(home, ".local", "share"),
                   XDG_CACHE_HOME=os.path.join(home, ".cache"),
                   CHIMESET_QUIT_WHEN_SHOWN="1")
        # Off screen unless asked: the display server's own work, the same for both programs,
        # would otherwise hide the difference between them.
        if not args.display:
            env["QT_QPA_PLATFORM"] = "offscreen"
        platform = env.get("QT_QPA_PLATFORM", "the display")
        data = os.path.join(home, ".local", "share", "Hollowmere", "Chimeset")
        os.makedirs(data)
        database = os.path.join(data, "DoveData.CB0")
        subprocess.run([os.path.join(prefix, "bin", "chimedove"), args.csv, database],
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if args.beside:
            shutil.copy(database, os.path.join(prefix, "bin", "DoveData.CB0"))

        # A visit to each of the first 3,000 towers, on days in turn.
        with open(database, "rb") as f:
            lines = f.read().decode("cp1252").splitlines()
        columns = lines[0].split("\\")
        index = columns.index("IndexNo")
        identities = [line.split("\\")[index] for line in lines[1:]
                      if line and not line.startswith(";")][:VISITS]
        if len(identities) < VISITS:
            sys.exit(f"startup_ratio: only {len(identities)} towers in the download")
        log = os.path.join(scratch, "RINGER1.CBL")
        with open(log, "wb") as f:
            f.write((HEADER + "\r\n").encode())
            for n, identity in enumerate(identities):
                date = (n % 28 + 1) * 32 + (n % 12 + 1) * 1024 + (1990 + n % 30) * 16384
                f.write(f"\\\\\\\\\\\\\\\\{identity}\\{date}\\0\\0\\\r\n".encode())

        chimeset = [os.path.join(prefix, "bin", "chimeset"), log]
        for command in (chimeset, [bare]):  # warm the file cache
            timed(command, env)
        bare_times, chimeset_times = [], []
        for _ in range(args.runs):
            bare_times.append(timed([bare], env))
            chimeset_times.append(timed(chimeset, env))
        print(f"on {platform}, median of {args.runs} runs each, wall / processor:")
        ratios = []
        for kind, index in (("wall", 0), ("processor", 1)):
            bare_median = statistics.median(t[index] for t in bare_times)
            chimeset_median = statistics.median(t[index] for t in chimeset_times)
            ratios.append(chimeset_median / bare_median)
            print(f"  {kind}: bare Qt window {bare_median * 1000:.1f} ms, chimeset "
                  f"({len(lines) - 1} database lines, {VISITS} visits) "
                  f"{chimeset_median * 1000:.1f} ms")
        print(f"ratio: {ratios[0]:.2f} wall, {ratios[1]:.2f} processor (target 1.5 or less)")
        return 0
    finally:
        shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
