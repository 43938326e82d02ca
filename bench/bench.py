#!/usr/bin/env python3
"""Measures what playing costs: orv against GStreamer's own tools and mpv.

For every clip the players take turns (A B C A B C ...), each run on the same
private X server; the table holds medians. See bench/README.md.
"""

import argparse
import json
import os
import platform
import random
import subprocess
import sys
import tempfile
import time
from dataclasses import asdict
from pathlib import Path
from typing import Callable, Optional

import media
import orv_hooks
import peers
import players
import report
import sizes
from measure import RunSpec, XServer, measure_first_frame, measure_playback, seek_floor
from orv_hooks import NotYet, OrvSetup
from report import Cell, DragCell, Results
from sizes import Output

ROOT = Path(__file__).resolve().parent.parent
SEEKS = 20
SEEK_SEED = 11
HEADLINE = "h264-1080p30"
DRAG_MS = 3000
BUDGET_S = 20 * 60


def options() -> argparse.Namespace:
    env = os.environ.get
    p = argparse.ArgumentParser(description=__doc__)
    p.add_argument("--build", type=Path, default=ROOT / "build", help="the CMake build folder")
    p.add_argument("--runs", type=int, default=int(env("BENCH_RUNS", "2")),
                   help="runs per player and clip (medians are taken)")
    p.add_argument("--window", type=float, default=float(env("BENCH_WINDOW", "2")),
                   help="seconds of playback measured per run; 0 plays each clip to its end")
    p.add_argument("--warmup", type=float, default=1.5,
                   help="seconds from start before the measured window opens")
    p.add_argument("--quick", action="store_true", default=env("BENCH_QUICK") == "1",
                   help="short clips and windows, to try the harness; results are not kept")
    p.add_argument("--out", type=Path, help="where the table goes (default bench/RESULTS.md)")
    p.add_argument("--orv", type=Path, help="the orv program (default <build>/orv)")
    o = p.parse_args()
    if o.quick:
        o.window = min(o.window, 1.5)
        o.warmup = min(o.warmup, 1.0)
    o.out = o.out or (o.build / "bench-quick.md" if o.quick else ROOT / "bench" / "RESULTS.md")
    o.orv = o.orv or o.build / "orv"
    return o


OPTIMIZED = ("Release", "RelWithDebInfo", "MinSizeRel")


def build_type(build: Path) -> str:
    """CMAKE_BUILD_TYPE of the build folder ("" when none was chosen)."""
    try:
        for line in (build / "CMakeCache.txt").read_text().splitlines():
            if line.startswith("CMAKE_BUILD_TYPE:"):
                return line.split("=", 1)[1]
    except FileNotFoundError:
        pass
    return ""


def base_env(display: str) -> dict[str, str]:
    env = {k: v for k, v in os.environ.items()
           if not k.startswith(("GST_DEBUG", "QT_QPA_", "ORV_"))}
    env["DISPLAY"] = display
    return env


def window_for(clip: media.Clip, o: argparse.Namespace) -> float:
    # A whole clip: stop just before its end, so every player is still running.
    return o.window if o.window > 0 else clip.seconds - o.warmup - 0.5


Maker = Callable[[media.Clip, Path, Optional[Output]], RunSpec]


def _unavailable(reason: str) -> Maker:
    def make(clip: media.Clip, path: Path, out: Optional[Output]) -> RunSpec:
        raise NotYet(reason)
    return make


class Bench:
    """One bench run: its settings, its private X server and scratch folder."""

    def __init__(self, o: argparse.Namespace):
        self.o = o
        self.seek_program = o.build / "bench" / "seek_floor"
        self.xserver = XServer(sizes.SCREEN)
        self.env = base_env(self.xserver.display)
        self._scratch = tempfile.TemporaryDirectory(prefix="orv-bench-")
        self.scratch = Path(self._scratch.name)
        self.orv = OrvSetup(o.orv, self.env, self.scratch)
        self.bus = peers.SessionBus(self.scratch) if peers.installed("parole") else None
        self.vlc_home = peers.vlc_home(self.scratch)

    def close(self) -> None:
        if self.bus:
            self.bus.close()
        self._scratch.cleanup()
        self.xserver.close()

    def players(self) -> list[tuple[str, Maker, bool, bool]]:
        """(name, spec maker, video clips only, at every output size), in the
        order runs take turns."""
        orv = self.orv
        chosen: list[tuple[str, Maker, bool, bool]] = [
            (report.FLOOR, lambda c, p, o: players.decode_floor(c, p), False, False),
            ("BGRx", players.decode_bgrx, True, True),
            (report.GST_PLAY, players.gst_play, False, True)]
        if players.mpv_installed():
            chosen.append((report.MPV, lambda c, p, o: players.mpv(c, p, o, self.scratch), False, True))
        if self.bus:
            bus, env = self.bus, self.env
            chosen.append((peers.PAROLE, lambda c, p, o: peers.parole(c, p, o, bus, env), False, True))
        else:
            chosen.append((peers.PAROLE, _unavailable("Parole not installed (make bench BENCH_PEERS=1)"),
                           False, True))
        why_not = peers.vlc_runnable()
        chosen.append((peers.VLC, _unavailable(why_not) if why_not else
                       lambda c, p, o: peers.vlc(c, p, o, self.vlc_home, self.env), False, True))
        # The second renderer at 100 % only: the size groups would cost a third more time.
        chosen += [(report.ORV, lambda c, p, o: orv_hooks.orv_playback(orv, p, o), False, True),
                   (report.ORV_NO_VMR9, lambda c, p, o: orv_hooks.orv_playback_no_vmr9(orv, p), True, False)]
        return chosen

    def measure_clip(self, clip: media.Clip, path: Path) -> list[tuple[str, dict[str, Cell]]]:
        """One group of rows per output size; the decode floor is measured once
        and stands in every group."""
        groups = []
        outputs: list[Optional[Output]] = \
            sizes.outputs(clip.width, clip.height) if clip.has_video else [None]
        floor = Cell()
        for out in outputs:
            native = out is None or out.key == "native"
            cells: dict[str, Cell] = {}
            specs: dict[str, RunSpec] = {}
            for name, make, video_only, every_size in self.players():
                if video_only and not clip.has_video:
                    continue
                if name == report.FLOOR:
                    cells[name] = floor
                    if not native:
                        continue
                elif not (native or every_size):
                    continue
                else:
                    cells[name] = Cell()
                try:
                    specs[name] = make(clip, path, out)
                except NotYet as why:
                    cells[name].note = str(why)
            self._playback(f"{clip.key} {out.key if out else ''}", clip, specs, cells)
            if native:
                if clip.has_video:
                    self._first_frames(clip, path, cells)
                self._seeks(clip, path, cells)
            groups.append((clip.label if out is None else f"{clip.label}, {out.label}", cells))
        return groups

    def _playback(self, tag: str, clip: media.Clip, specs: dict[str, RunSpec],
                  cells: dict[str, Cell]) -> None:
        o = self.o
        for run in range(o.runs):
            for name, spec in specs.items():
                print(f"  {tag} {name} run {run + 1}/{o.runs}", flush=True)
                sample = measure_playback(spec, {**self.env, **spec.env}, self.xserver,
                                          o.warmup, window_for(clip, o))
                cells[name].samples.append(sample)
                if sample.error:
                    cells[name].note = sample.error.splitlines()[0]
                    print(f"    {sample.error}", flush=True)

    def _first_frames(self, clip: media.Clip, path: Path, cells: dict[str, Cell]) -> None:
        specs = {report.GST_PLAY: players.gst_play_first_frame(clip, path)}
        try:
            specs[report.ORV] = orv_hooks.orv_first_frame(self.orv, path)
        except NotYet:
            pass
        for _ in range(self.o.runs):
            for name, spec in specs.items():
                ms, error = measure_first_frame(spec, {**self.env, **spec.env})
                if ms is None:
                    print(f"    {name} first frame: {error}", flush=True)
                else:
                    cells[name].first_frame_ms.append(ms)

    def _seeks(self, clip: media.Clip, path: Path, cells: dict[str, Cell]) -> None:
        rng = random.Random(SEEK_SEED)
        positions = [rng.randrange(0, (clip.seconds - 1) * 1000) for _ in range(SEEKS)]
        cells[report.FLOOR].seek_ms, error = seek_floor(self.seek_program, path, positions)
        if error:
            print(f"    seek floor: {error}", flush=True)
        if not clip.has_video:
            return  # orv times a seek until its picture is painted
        try:
            cells[report.ORV].seek_ms = orv_hooks.orv_seek_latency(self.orv, path, positions)
        except (NotYet, RuntimeError) as why:
            cells[report.ORV].seek_note = str(why)
            print(f"    orv seeks: {why}", flush=True)

    def measure_orv_wide(self, results: Results, paths: dict[str, Path]) -> None:
        try:
            spec = orv_hooks.orv_idle(self.orv)
            for _ in range(self.o.runs):
                sample = measure_playback(spec, {**self.env, **spec.env}, self.xserver, self.o.warmup, 0.5)
                results.idle_rss_kb.append(sample.peak_rss_kb)
        except NotYet:
            pass
        pair = (paths["mjpeg-480p30"], paths[HEADLINE])
        try:
            results.handoff_ms = orv_hooks.orv_handoff_latency(self.orv, pair, max(self.o.runs, 5))
        except (NotYet, RuntimeError) as why:
            results.handoff_note = str(why)
        print("bench: 250 player build/destroy cycles", flush=True)
        try:
            results.cycle_growth_mb, series = orv_hooks.orv_cycle_rss_growth(
                self.o.build / "bench" / "player_cycles", paths[HEADLINE])
            results.cycle_note = f"resident MB every 50 cycles: {series}"
        except (NotYet, RuntimeError) as why:
            results.cycle_note = str(why)

    def measure_drag(self, results: Results, clip: media.Clip, path: Path) -> None:
        """The seek-bar drag, both renderers taking turns."""
        results.drag_label = clip.label
        renderers = {report.ORV: False, report.ORV_NO_VMR9: True}
        results.drags = {name: DragCell() for name in renderers}
        for run in range(self.o.runs):
            for name, disable_vmr9 in renderers.items():
                print(f"  drag {name} run {run + 1}/{self.o.runs}", flush=True)
                cell = results.drags[name]
                try:
                    drag_ms, stall_ms, pictures = orv_hooks.orv_drag(self.orv, path, DRAG_MS, disable_vmr9)
                except NotYet as why:
                    cell.note = str(why)
                    continue
                except RuntimeError as why:
                    cell.note = str(why)
                    print(f"    {why}", flush=True)
                    continue
                cell.drag_ms.append(drag_ms)
                cell.stall_max_ms.append(stall_ms)
                cell.pictures.append(pictures)


def version(argv: list[str], line: int, words: int = 0) -> str:
    """A line (its first `words` words) of a program's --version output."""
    try:
        out = subprocess.run(argv, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    except FileNotFoundError:
        return f"{argv[0]} not installed"
    lines = out.stdout.splitlines()
    if len(lines) <= line:
        return f"{argv[0]} ?"
    return " ".join(lines[line].split()[:words or None])


def cpu_model() -> str:
    with open("/proc/cpuinfo") as f:
        for line in f:
            if line.startswith("model name"):
                return line.split(":", 1)[1].strip()
    return platform.machine()


def header(o: argparse.Namespace, kind: str, elapsed_s: float, load_before: float,
           orv_measured: bool) -> list[str]:
    title = "# Benchmark results" if orv_measured else \
        "# Benchmark results — harness check (orv not measured yet)"
    window = "each clip to its end" if o.window <= 0 else f"{o.window:g} s"
    return [
        title, "",
        f"- Run: {time.strftime('%Y-%m-%d %H:%M')}, {elapsed_s / 60:.1f} min; "
        f"{o.runs} runs per player and clip, players taking turns; medians.",
        f"- Machine: {cpu_model()}, {os.cpu_count()} cores; load average "
        f"{load_before:.2f} at the start, {os.getloadavg()[0]:.2f} at the end.",
        f"- orv: {kind or 'plain'} build. {version(['gst-launch-1.0', '--version'], 1)}; "
        f"{version(['mpv', '--version'], 0, words=2)}; "
        f"{version(['vlc', '--version'], 0, words=3) if peers.installed('vlc') else 'VLC not installed'}.",
        f"- Output sizes, the same for every player: the picture at its own size, at half of it, "
        f"and fitted to the {sizes.SCREEN[0]}×{sizes.SCREEN[1]} screen with its aspect kept "
        "(bench/README.md says how each player is brought to it).",
        f"- CPU s: program + X server over a window of {window} that opens {o.warmup:g} s "
        "after the start. Wall s: start to exit. Peak RSS: the program's high-water mark. "
        "Private MB: its own resident memory (anonymous pages, the larger reading at the "
        "window's start and end), without the library, font and X pages it shares. "
        "Dropped: frames dropped in the worst run, as the player reports them "
        "(gst-play, Parole: QoS messages; — where the player cannot drop or does not say).",
        "- 1st frame: start to the first picture put on the window (gst-play: ximagesink's "
        f"log line; orv: its ORV_STATS line). Seek: median of {SEEKS} paused accurate seeks "
        "at the same random positions (floor row: GStreamer alone, seek_floor).",
        "",
    ]


def estimate_s(all_clips: list[media.Clip], o: argparse.Namespace,
               roster: list[tuple[str, bool, bool]]) -> float:
    """Roughly how long the measuring takes, to say so before it starts.
    roster: (player, video clips only, at every output size) of those measured."""
    per_run = o.warmup + 1.0
    playing = 0.0
    for c in all_clips:
        outputs = 3 if c.has_video else 1
        runs = sum(outputs if every else 1 for _, video_only, every in roster
                   if c.has_video or not video_only)
        playing += runs * (window_for(c, o) + per_run) * o.runs
    # Two renderers; a drag stalled by its seeks lasts longer than asked.
    dragging = 2 * o.runs * (DRAG_MS / 1000.0 * 1.5 + 2)
    return playing + len(all_clips) * (o.runs * 2 * 1.5 + 10) + dragging


def main() -> int:
    o = options()
    started = time.monotonic()
    load_before = os.getloadavg()[0]
    if not (o.build / "bench" / "seek_floor").exists():
        sys.exit(f"bench: {o.build / 'bench' / 'seek_floor'} is missing; build first (make build)")
    kind = build_type(o.build)
    # An unoptimized player would make every ratio to the others meaningless.
    if orv_hooks.ORV_PLAYS_FILES and kind not in OPTIMIZED:
        sys.exit(f"bench: {o.build} is a {kind or 'plain'} build; measure an optimized one, "
                 "e.g. make bench BUILD_DIR=build-bench (configured as RelWithDebInfo)")
    all_clips = media.clips(*((4, 8) if o.quick else (12, 60)))
    drag_clip = media.drag_clip(all_clips[0].seconds)
    folder = o.build / ("bench-media-quick" if o.quick else "bench-media")
    print(f"bench: media in {folder}", flush=True)
    media.make_all(all_clips + [drag_clip], folder)
    paths = {c.key: c.path(folder) for c in all_clips}

    bench = Bench(o)
    roster = [(name, video_only, every) for name, _, video_only, every in bench.players()
              if orv_hooks.ORV_PLAYS_FILES or not name.startswith(report.ORV)]
    print(f"bench: X server {bench.xserver.display}; about "
          f"{estimate_s(all_clips, o, roster) / 60:.0f} min of measuring", flush=True)
    results = Results(clips=[])
    try:
        for clip in all_clips:
            print(f"bench: {clip.label}", flush=True)
            groups = bench.measure_clip(clip, paths[clip.key])
            results.clips += groups
            results.tall += [label for label, _ in groups if clip.height >= 1080]
        bench.measure_orv_wide(results, paths)
        print(f"bench: seek-bar drag across {drag_clip.label}", flush=True)
        bench.measure_drag(results, drag_clip, drag_clip.path(folder))
    finally:
        bench.close()

    elapsed = time.monotonic() - started
    lines = header(o, kind, elapsed, load_before, results.orv_measured()) + report.table(results)
    lines += ["", "## Seek-bar drag", ""] + report.drag_table(results, DRAG_MS / 1000.0)
    lines += ["", "## Targets", ""] + report.targets(results)
    text = "\n".join(lines) + "\n"
    print("\n" + text)
    o.out.write_text(text)
    raw = o.build / ("bench-quick.json" if o.quick else "bench-results.json")
    samples = {label: {k: asdict(c) for k, c in cells.items()} for label, cells in results.clips}
    samples["seek-bar drag, " + drag_clip.label] = {k: asdict(c) for k, c in results.drags.items()}
    raw.write_text(json.dumps(samples, indent=1))
    print(f"bench: table in {o.out}, every sample in {raw}")
    if elapsed > BUDGET_S:
        print(f"bench: took {elapsed / 60:.1f} min, more than the {BUDGET_S // 60} min budget")
    return 0


if __name__ == "__main__":
    sys.exit(main())
