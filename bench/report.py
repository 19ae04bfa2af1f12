#!/usr/bin/env python3
"""Turns the raw measurements of bench/run.sh (one per line: case, tool, then key=value pairs)
into a Markdown table of medians and ratios, with each target marked met or missed."""
import statistics
import sys
from collections import defaultdict


def load(path):
    runs = defaultdict(list)
    for line in open(path):
        parts = line.split()
        if len(parts) < 3:
            continue
        values = dict(p.split("=", 1) for p in parts[2:] if "=" in p)
        runs[(parts[0], parts[1])].append(values)
    return runs


class Table:
    def __init__(self, runs, build):
        self.runs = runs
        self.build = build
        self.rows = []

    def median(self, case, tool, key="ms"):
        values = [float(r[key]) for r in self.runs.get((case, tool), []) if key in r]
        return statistics.median(values) if values else None

    def count(self, case, tool):
        return len(self.runs.get((case, tool), []))

    def add(self, *cells):
        self.rows.append(cells)

    def render(self):
        head = ("Case", f"Vestrel ({self.build})", f"Bare Win32 ({self.build})", "cmd under Wine", "Native",
                "Vestrel / reference", "Target")
        lines = ["| " + " | ".join(head) + " |", "|" + "---|" * len(head)]
        lines += ["| " + " | ".join(c if c is not None else "" for c in row) + " |" for row in self.rows]
        return "\n".join(lines)


def ms(value):
    return "n/a" if value is None else (f"{value:.0f} ms" if value >= 10 else f"{value:.1f} ms")


def ratio(a, b):
    return None if a is None or not b else a / b


def judged(value, limit, better_low=True):
    if value is None:
        return "not measured"
    met = value <= limit if better_low else value >= limit
    return "met" if met else "**missed**"


def files_label(n):
    return f"{int(n):,} files"


def runs_label(t, case, tool):
    reps = t.count(case, tool)
    return f"{reps} run{'s' if reps != 1 else ''}"


# Targets of the program as a user meets it: timed from outside, against the bare walk.
OUTSIDE_ANALYSIS_TARGETS = {20000: 2.5, 100000: 3}
OUTSIDE_ERASURE_TARGET = 1.5


def analyses(t, prefix, shape, sizes):
    for n in sizes:
        case = f"{prefix}analyze-{n}"
        if not t.count(case, "vestrel"):
            continue
        v, out, bare = t.median(case, "vestrel"), t.median(case, "outside"), t.median(case, "bare")
        r = ratio(v, bare)
        target = f"≤ 3x bare: {judged(r, 3)}" if n == 20000 and not prefix else ""
        t.add(f"Analysis, {files_label(n)}{shape}, in the harness ({runs_label(t, case, 'vestrel')})", ms(v), ms(bare),
              ms(t.median(case, "cmd")) if not prefix else "", ms(t.median(case, "find")) + " (find)" if not prefix else "",
              f"{r:.2f}x bare" if r else "n/a", target)
        r = ratio(out, bare)
        limit = OUTSIDE_ANALYSIS_TARGETS.get(n)
        t.add(f"Analysis, {files_label(n)}{shape}, timed from outside ({runs_label(t, case, 'outside')})", ms(out),
              ms(bare), "", "", f"{r:.2f}x bare" if r else "n/a",
              f"≤ {limit:g}x bare: {judged(r, limit)}" if limit else "")
        gap, paints = t.median(case, "vestrel", "maxgap"), t.median(case, "vestrel", "paints")
        painting, resuming = t.median(case, "vestrel", "paintms"), t.median(case, "vestrel", "resumems")
        cost = f"; {painting:.0f} ms painting, {resuming:.0f} ms resuming drawing" if resuming is not None else ""
        t.add(f"Longest wait between paints, {files_label(n)}{shape}",
              f"{gap:.0f} ms ({paints:.0f} paints{cost})" if gap is not None else "n/a", "", "", "", "",
              f"≤ 100 ms: {judged(gap, 100)}" if n >= 20000 else "")


def erasures(t, prefix, shape, sizes):
    for n in sizes:
        case = f"{prefix}erase-{n}"
        if not t.count(case, "vestrel"):
            continue
        v, out, bare = t.median(case, "vestrel"), t.median(case, "outside"), t.median(case, "bare")
        r = ratio(v, bare)
        target = f"≤ 1.3x bare: {judged(r, 1.3)}" if n == 20000 and not prefix else ""
        t.add(f"Erasure, {files_label(n)}{shape}, in the harness ({runs_label(t, case, 'vestrel')})", ms(v), ms(bare),
              ms(t.median(case, "cmd")) + " (rd /s /q)" if not prefix else "",
              ms(t.median(case, "rm")) + " (rm -rf)" if not prefix else "", f"{r:.2f}x bare" if r else "n/a", target)
        r = ratio(out, bare)
        t.add(f"Erasure, {files_label(n)}{shape}, timed from outside ({runs_label(t, case, 'outside')})", ms(out),
              ms(bare), "", "", f"{r:.2f}x bare" if r else "n/a",
              f"≤ {OUTSIDE_ERASURE_TARGET:g}x bare: {judged(r, OUTSIDE_ERASURE_TARGET)}" if n == 20000 else "")
        watch = f"{prefix}watch-{n}"
        answer, gap = t.median(watch, "outside", "nullms"), t.median(watch, "outside", "panegapms")
        if answer is not None:
            counts = t.median(watch, "outside", "panes")
            t.add(f"While erasing {files_label(n)}{shape}: longest answer to WM_NULL; longest a count stood "
                  f"(the worst in each clean, {runs_label(t, watch, 'outside')})",
                  f"{answer:.0f} ms; {gap:.0f} ms ({counts:.0f} texts in the message pane)", "", "", "", "",
                  f"≤ 200 ms: {judged(answer, 200)}; ≤ 250 ms: {judged(gap, 250)}")


def main(path, build):
    runs = load(path)
    t = Table(runs, build)
    sizes = sorted({int(case.split("-")[1]) for case, _ in runs if case.startswith("analyze-")})
    for prefix, shape in (("", ""), ("flat-", " in folders of 100")):
        analyses(t, prefix, shape, sizes)
    for prefix, shape in (("", ""), ("flat-", " in folders of 100")):
        erasures(t, prefix, shape, sizes)
    listing = {key: t.median("list-steps", "vestrel", key) for key in ("bare", "walk", "first", "rows", "paced")}
    if listing["first"] is not None:
        t.add("Listing 20,000 files in folders of 100, step by step (ms; 5 runs)",
              f"walk {listing['walk']:.0f}, first fill of the list {listing['first']:.0f}, a later fill "
              f"{listing['rows']:.0f} with drawing held, {listing['paced']:.0f} painted at pace",
              f"{listing['bare']:.0f}", "", "", f"{ratio(listing['walk'], listing['bare']):.2f}x bare (walk), "
              f"{ratio(listing['first'], listing['bare']):.2f}x bare (first fill)", "")
    steps = {key: t.median("delete-steps", "vestrel", key)
             for key in ("deletefile", "open", "objectname", "disposition", "all")}
    if steps["all"] is not None:
        added = ", ".join(f"{steps[key] - steps['open']:+.3f} {label}" for key, label in
                          (("objectname", "where it lies"), ("disposition", "deletion")))
        t.add("Erasing one file, step by step (5,000 files, ms per file)",
              f"{steps['all']:.3f} (open and close {steps['open']:.3f}, {added})",
              f"{steps['deletefile']:.3f} (DeleteFileA)", "", "",
              f"{ratio(steps['all'], steps['deletefile']):.2f}x bare", "")
    size_mb = t.median("overwrite", "vestrel", "mb")
    if size_mb:
        v, dd = t.median("overwrite", "vestrel"), t.median("overwrite", "dd")
        v_rate = size_mb / (v / 1000) if v else None
        dd_rate = size_mb / (dd / 1000) if dd else None
        share = ratio(v_rate, dd_rate)
        t.add(f"index.dat overwrite, {size_mb:.0f} MiB", f"{v_rate:.0f} MB/s ({ms(v)})", "", "",
              f"{dd_rate:.0f} MB/s (dd, {ms(dd)})", f"{share:.0%} of dd" if share else "n/a",
              f"≥ 70% of dd: {judged(share, 0.7, better_low=False)}")
    v, bare = t.median("urlcache-analyze", "vestrel"), t.median("urlcache-analyze", "bare")
    if v is not None:
        r = ratio(v, bare)
        t.add("URL-cache analysis, 5,000 entries", ms(v), ms(bare), "", "", f"{r:.2f}x bare" if r else "n/a",
              f"≤ 3x bare: {judged(r, 3)}")
        paints = t.median("urlcache-analyze", "vestrel", "paints")
        painting, resuming = (t.median("urlcache-analyze", "vestrel", key) for key in ("paintms", "resumems"))
        if resuming is not None:
            t.add("Paints during the URL-cache analysis",
                  f"{paints:.0f} paints; {painting:.0f} ms painting, {resuming:.0f} ms resuming drawing",
                  "", "", "", "", "")
    v, bare = t.median("urlcache-erase", "vestrel"), t.median("urlcache-erase", "bare")
    if v is not None:
        r = ratio(v, bare)
        t.add("URL-cache erasure, 5,000 entries", ms(v), ms(bare), "", "", f"{r:.2f}x bare" if r else "n/a", "")
    v, bare = t.median("registry-analyze", "vestrel"), t.median("registry-analyze", "bare")
    if v is not None:
        r = ratio(v, bare)
        t.add("Typed-addresses analysis, 5,000 values", ms(v), ms(bare), "", "", f"{r:.2f}x bare" if r else "n/a", "")
    for n in sizes:
        peak, base = t.median(f"analyze-{n}", "vestrel", "peakmb"), t.median(f"analyze-{n}", "vestrel", "basemb")
        if peak is not None:
            t.add(f"Peak working set holding {n:,} rows", f"{peak:.0f} MB (window alone {base:.0f} MB)", "", "",
                  "", "", f"< 200 MB: {judged(peak, 199.99)}" if n == 100000 else "")
        busy, free = (t.median(f"analyze-{n}", "vestrel", key) for key in ("heapbusymb", "heapfreemb"))
        blocks = t.median(f"analyze-{n}", "vestrel", "heapblocks")
        if busy is not None:
            t.add(f"Process heap after listing {n:,} rows",
                  f"{busy:.0f} MB in use in {blocks:,.0f} blocks, {free:.0f} MB free", "", "", "", "", "")
    start = t.median("wine-start", "cmd")
    if start is not None:
        t.add("Starting a Wine process (`cmd /c exit`), in every cmd figure", "", "", ms(start), "", "", "")
    print(t.render())


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2] if len(sys.argv) > 2 else "64-bit build")
