"""Archive runs on Dask: python3 -m kelvra.archive FOLDER... --what
cells|tracks|histogram -o OUT.csv.

The products are listed with the core listing of kelvra-cli list
--recursive, put in observation-time order, cut into partitions of
consecutive times and worked on dask.distributed: a LocalCluster of N
worker processes on this machine, or the cluster whose scheduler is at
--scheduler. Tracks need the frame before each partition: every partition
starts from the frame the serial run accepted before it, and the tracks
are joined across the edges afterwards, so the result equals a serial run
(--serial) row for row.
"""

import argparse
import math
import os
import sys
import time

import pandas

from kelvra import _kelvra, _tasks

_CHANNELS = {"IR1": 1, "IR2": 2, "WV": 3, "IR3": 4, "VIS": 5}
_PARTS_PER_WORKER = 8


def _time_arg(text):
    if len(text) != 12 or not text.isdigit():
        raise argparse.ArgumentTypeError("a time YYYYMMDDHHMM")
    fields = (int(text[0:4]), int(text[4:6]), int(text[6:8]), int(text[8:10]), int(text[10:12]))
    minutes = _kelvra.observation_minutes(*fields)
    if minutes is None:
        raise argparse.ArgumentTypeError("a time YYYYMMDDHHMM")
    return minutes


def _channel_arg(text):
    if text.upper() not in _CHANNELS:
        raise argparse.ArgumentTypeError("IR1, IR2, WV, IR3 or VIS")
    return _CHANNELS[text.upper()]


def parse_args(argv):
    parser = argparse.ArgumentParser(prog="python3 -m kelvra.archive",
                                     description="Cells, tracks or histograms over an archive")
    parser.add_argument("folders", nargs="+", metavar="FOLDER")
    parser.add_argument("--what", required=True, choices=["cells", "tracks", "histogram"])
    parser.add_argument("--channel", type=_channel_arg, default=0)
    parser.add_argument("--code", default="", help="only names containing CODE (LCN, MSS, ...)")
    parser.add_argument("--from", dest="start", type=_time_arg)
    parser.add_argument("--to", dest="end", type=_time_arg)
    parser.add_argument("-o", dest="out", required=True, metavar="OUT.csv")
    parser.add_argument("--scheduler", metavar="ADDRESS")
    parser.add_argument("--workers", type=int, default=os.cpu_count() or 1)
    parser.add_argument("--serial", action="store_true",
                        help="run in this process without Dask (the reference run)")
    parser.add_argument("--threshold", type=float)
    parser.add_argument("--shield", type=float)
    parser.add_argument("--min-area", type=float)
    args = parser.parse_args(argv)
    if args.workers < 1:
        parser.error("--workers wants at least 1")
    return args


def list_entries(args):
    """(path, minutes) of every product, observation-time order."""
    entries = []
    for folder in args.folders:
        entries += _kelvra.list_products(folder, args.channel, args.start, args.end, True,
                                         args.code.upper())
    entries.sort(key=lambda e: -math.inf if e[1] is None else e[1])
    return entries


def partitions(count, workers):
    size = max(1, math.ceil(count / (workers * _PARTS_PER_WORKER)))
    return [(start, min(count, start + size)) for start in range(0, count, size)]


def _reference_path(entries):
    # The tracks follow the geometry of the first product that can be read.
    for path, _ in entries:
        try:
            _kelvra.read_product(path)
            return path
        except (OSError, ValueError):
            continue
    return None


def make_tasks(args, entries, workers):
    """(function, arguments) of every partition, in time order."""
    settings = (args.threshold, args.shield, args.min_area)
    parts = [(0, len(entries))] if args.serial else partitions(len(entries), workers)
    if args.what == "cells":
        return [(_tasks.cells_part, (entries[a:b], settings)) for a, b in parts]
    if args.what == "histogram":
        return [(_tasks.histogram_part, (entries[a:b],)) for a, b in parts]
    reference = _reference_path(entries)
    if reference is None:
        return [(_tasks.cells_part, (entries, settings))]  # reports every file unreadable
    return [(_tasks.tracks_part, (entries, a, b, reference, settings)) for a, b in parts]


def stitch_tracks(parts, entries):
    """The tracks of every partition joined into the serial run's numbering."""
    global_track = {}  # (frame, cell) -> track
    next_track = 1
    tables = []
    for steps in parts:
        local = {}
        for row in steps[steps["overlap"]].itertuples():
            local[row.track] = global_track[(row.frame, row.cell)]
        own = steps[~steps["overlap"]]
        for track in sorted(set(own["track"]) - set(local)):
            local[track] = next_track
            next_track += 1
        own = own.assign(track=own["track"].map(local))
        for row in own.itertuples():
            global_track[(row.frame, row.cell)] = row.track
        tables.append(own)
    if not tables:
        return pandas.DataFrame(columns=["file", "observed"] + _tasks._STEP_COLUMNS)
    steps = pandas.concat(tables, ignore_index=True).sort_values(["frame", "track"],
                                                                 kind="stable")
    frames = sorted(set(steps["frame"]))
    number = {frame: n + 1 for n, frame in enumerate(frames)}
    steps.insert(0, "file", [entries[f][0] for f in steps["frame"]])
    steps.insert(1, "observed", [_tasks.observed_text(entries[f][1]) for f in steps["frame"]])
    steps["frame"] = steps["frame"].map(number)
    return steps[["file", "observed"] + _tasks._STEP_COLUMNS].reset_index(drop=True)


class Progress:
    """A bar on a terminal's stderr; silent elsewhere."""

    def __init__(self, total):
        self.total = total
        self.done = 0
        self.shown = sys.stderr.isatty()

    def advance(self, files):
        self.done += files
        if self.shown:
            width = 40
            filled = width * self.done // max(1, self.total)
            sys.stderr.write(f"\r[{'#' * filled}{'.' * (width - filled)}] "
                             f"{self.done}/{self.total} files")
            sys.stderr.flush()

    def close(self):
        if self.shown:
            sys.stderr.write("\n")


def run_serial(tasks, progress):
    results = []
    for function, arguments in tasks:
        results.append(function(*arguments))
        progress.advance(results[-1][2])
    return results


def run_dask(tasks, args, progress):
    import logging

    import dask
    from distributed import Client, LocalCluster, as_completed

    cluster = None
    if args.scheduler:
        client = Client(args.scheduler)
    else:
        logging.getLogger("distributed").setLevel(logging.ERROR)
        # The nanny's MALLOC_TRIM_THRESHOLD_ turns off glibc's adaptive mmap
        # threshold: every product's buffers would be fresh pages, three
        # times the work of reading them.
        environ = dict(dask.config.get("distributed.nanny.pre-spawn-environ", {}))
        environ.pop("MALLOC_TRIM_THRESHOLD_", None)
        dask.config.set({"distributed.nanny.pre-spawn-environ": environ})
        cluster = LocalCluster(n_workers=args.workers, threads_per_worker=1, processes=True,
                               dashboard_address=None, silence_logs=logging.ERROR)
        client = Client(cluster)
    try:
        futures = [client.submit(function, *arguments, pure=False)
                   for function, arguments in tasks]
        order = {future.key: n for n, future in enumerate(futures)}
        results = [None] * len(futures)
        for future in as_completed(futures):
            results[order[future.key]] = future.result()
            progress.advance(results[order[future.key]][2])
        return results
    finally:
        client.close()
        if cluster is not None:
            cluster.close()


def combine(args, results, entries):
    if args.what == "tracks" and results and "overlap" in results[0][0].columns:
        return stitch_tracks([r[0] for r in results], entries)
    tables = [r[0] for r in results if len(r[0])]
    if not tables:
        return results[0][0] if results else pandas.DataFrame()
    return pandas.concat(tables, ignore_index=True)


def write_csv(table, out):
    # Written beside OUT and renamed over it once complete, so an interrupted
    # run leaves no partial file.
    folder = os.path.dirname(os.path.abspath(out))
    temporary = os.path.join(folder, f".{os.path.basename(out)}.{os.getpid()}.part")
    try:
        table.to_csv(temporary, index=False)
        os.replace(temporary, out)
    finally:
        if os.path.exists(temporary):
            os.remove(temporary)


def main(argv=None):
    args = parse_args(sys.argv[1:] if argv is None else argv)
    began = time.monotonic()
    try:
        entries = list_entries(args)
    except OSError as failure:
        print(f"kelvra.archive: {failure}", file=sys.stderr)
        return 1
    workers = 1 if args.serial else args.workers
    tasks = make_tasks(args, entries, workers)
    progress = Progress(len(entries))
    try:
        results = run_serial(tasks, progress) if args.serial else run_dask(tasks, args, progress)
    except KeyboardInterrupt:
        progress.close()
        print("kelvra.archive: interrupted, no output written", file=sys.stderr)
        return 130
    except OSError as failure:  # the scheduler cannot be reached
        progress.close()
        print(f"kelvra.archive: {failure}; no output written", file=sys.stderr)
        return 1
    progress.close()
    table = combine(args, results, entries)
    write_csv(table, args.out)
    skipped = [s for r in results for s in r[1]]
    for path, why in skipped:
        print(f"kelvra.archive: skipped {path}: {why}", file=sys.stderr)
    seconds = time.monotonic() - began
    rate = len(entries) / seconds if seconds > 0 else 0.0
    print(f"kelvra.archive: {len(entries)} files, {len(table)} rows, {len(skipped)} skipped, "
          f"{seconds:.1f} s, {rate:.1f} files/s", file=sys.stderr)
    return 0


if __name__ == "__main__":
    sys.exit(main())
