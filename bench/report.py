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


def main(path, build):
    runs = load(path)
    t = Table(runs, build)
    sizes = sorted({int(case.split("-")[1]) for case, _ in runs if case.startswith("analyze-")})
    for n in sizes:
        case = f"analyze-{n}"
        v, bare = t.median(case, "vestrel"), t.median(case, "bare")
        r = ratio(v, bare)
        target = f"≤ 3x bare: {judged(r, 3)}" if n == 20000 else ""
        reps = t.count(case, "vestrel")
        t.add(f"Analysis, {files_label(n)} ({reps} run{'s' if reps > 1 else ''})", ms(v), ms(bare),
              ms(t.median(case, "cmd")), ms(t.median(case, "find")) + " (find)",
              f"{r:.2f}x bare" if r else "n/a", target)
        gap, paints = t.median(case, "vestrel", "maxgap"), t.median(case, "vestrel", "paints")
        painting, resuming = t.median(case, "vestrel", "paintms"), t.median(case, "vestrel", "resumems")
        cost = f"; {painting:.0f} ms painting, {resuming:.0f} ms resuming drawing" if resuming is not None else ""
        t.add(f"Longest wait between paints, {files_label(n)}",
              f"{gap:.0f} ms ({paints:.0f} paints{cost})" if gap is not None else "n/a", "", "", "", "",
              f"≤ 100 ms: {judged(gap, 100)}" if n == 20000 else "")
    for n in sizes:
        case = f"erase-{n}"
        v, bare = t.median(case, "vestrel"), t.median(case, "bare")
        r = ratio(v, bare)
        target = f"≤ 1.3x bare: {judged(r, 1.3)}" if n == 20000 else ""
        t.add(f"Erasure, {files_label(n)}", ms(v), ms(bare), ms(t.median(case, "cmd")) + " (rd /s /q)",
              ms(t.median(case, "rm")) + " (rm -rf)", f"{r:.2f}x bare" if r else "n/a", target)
    steps = {key: t.median("delete-steps", "vestrel", key)
             for key in ("deletefile", "open", "attributes", "finalpath", "disposition", "all")}
    if steps["all"] is not None:
        added = ", ".join(f"+{steps[key] - steps['open']:.3f} {label}" for key, label in
                          (("attributes", "attributes"), ("finalpath", "final path"), ("disposition", "deletion")))
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
