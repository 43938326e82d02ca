"""Measuring orv itself, from the ORV_STATS=1 lines it writes (bench/README.md).

Every orv run gets a private settings folder (ORV_HOME) and a private runtime
folder, so it is always the primary copy and never hands its file to a player
the user has open.
"""

import os
import re
import signal
import subprocess
import time
from pathlib import Path
from typing import Optional

import xwindow
from measure import Child, RunSpec, StderrLog
from sizes import SCREEN, Output

# BENCH_ORV=0 leaves orv out, to check the harness against GStreamer alone.
ORV_PLAYS_FILES = os.environ.get("BENCH_ORV", "1") != "0"
NOT_YET = "n/a — orv left out (BENCH_ORV=0)"

STATS_PREFIX = "orv-stats: "
FIRST_FRAME = re.compile("^" + re.escape(STATS_PREFIX) + r"first_frame_ms=\S+")
SEEK_DONE = re.compile("^" + re.escape(STATS_PREFIX) + r"seek_ms=\S+")
SEEK_TIMEOUT_S = 10.0
DRAG_DONE = re.compile("^" + re.escape(STATS_PREFIX) + r"drag_ms=\S+")
# Start, settling and the drag, which a window stalled by its seeks stretches.
DRAG_TIMEOUT_S = 30.0
HANDOFF_TIMEOUT_S = 20.0


class NotYet(Exception):
    def __init__(self, reason: str = NOT_YET):
        super().__init__(reason)


def parse_stats(line: str) -> Optional[dict[str, str]]:
    """The fields of an ORV_STATS line: key=value pairs, `file` last and taking
    the rest of the line (a path may hold spaces); None for any other line."""
    if not line.startswith(STATS_PREFIX):
        return None
    fields: dict[str, str] = {}
    rest = line[len(STATS_PREFIX):]
    while rest:
        key, _, rest = rest.partition("=")
        if key == "file":
            fields[key] = rest
            break
        fields[key], _, rest = rest.partition(" ")
    return fields


def _dropped(lines: list[str]) -> int:
    """Frames dropped over every file the run played (one line per file)."""
    return sum(int(fields.get("frames_dropped", "0"))
               for fields in map(parse_stats, lines) if fields)


class OrvSetup:
    """The orv program and the private folders its runs use."""

    def __init__(self, binary: Path, base_env: dict[str, str], scratch: Path):
        self.binary = binary
        self.base_env = base_env
        self.scratch = scratch

    def env(self, name: str, disable_vmr9: bool = False, display_size: int = 1) -> dict[str, str]:
        home = self.scratch / name / "home"
        runtime = self.scratch / name / "run"
        home.mkdir(parents=True, exist_ok=True)
        runtime.mkdir(mode=0o700, parents=True, exist_ok=True)
        # MP4 and MPEG-TS are not media files to the player until the user
        # adds their extensions.
        (home / "orv.ini").write_text(
            f"[Common]\nDISPLAY_SIZE={display_size}\nDISABLE_VMR9={int(disable_vmr9)}\nVIDEO_EXT_NUM=2\n"
            "[Media File Ext]\nVIDEO_EXT0=.mp4\nVIDEO_EXT1=.ts\n")
        # Sound goes nowhere, as with gst-play's fakesink and mpv's --ao=null;
        # without it orv would try every sound output the machine lacks.
        return {**self.base_env, "ORV_HOME": str(home), "XDG_RUNTIME_DIR": str(runtime),
                "ORV_STATS": "1", "QT_QPA_PLATFORM": "xcb", "ORV_AUDIO_SINK": "fakeaudiosink"}

    def spec(self, files: list[Path], env: dict[str, str]) -> RunSpec:
        return RunSpec([str(self.binary), *map(str, files)], env=env,
                       stop_signal=signal.SIGTERM, dropped=_dropped, first_frame=FIRST_FRAME)


def _require_player() -> None:
    if not ORV_PLAYS_FILES:
        raise NotYet()


def _fill_screen(env: dict[str, str]):
    # The window is made the size of the screen once the file is loaded (orv
    # sizes it to the picture on loading); the view fits the picture into it.
    def ready(pid: int, log: StderrLog) -> None:
        if log.wait_for(FIRST_FRAME, HANDOFF_TIMEOUT_S) is None:
            raise RuntimeError("no first picture")
        xwindow.place(pid, env, *SCREEN)
    return ready


# --- hook: orv playing a file in the default renderer -------------------------
def orv_playback(orv: OrvSetup, clip_path: Path, out: Optional[Output] = None) -> RunSpec:
    """At 100 %, at 50 % (its own size command) or in a window filling the screen."""
    _require_player()
    key = out.key if out else "native"
    env = orv.env(f"play-{key}", display_size=0 if key == "half" else 1)
    spec = orv.spec([clip_path], env)
    if key == "full":
        spec.ready = _fill_screen(env)
    return spec


# --- hook: orv playing a file at 100 % with VMR9 disabled ---------------------
def orv_playback_no_vmr9(orv: OrvSetup, clip_path: Path) -> RunSpec:
    _require_player()
    return orv.spec([clip_path], orv.env("play-novmr9", disable_vmr9=True))


# --- hook: orv with its window open and no file ------------------------------
def orv_idle(orv: OrvSetup) -> RunSpec:
    _require_player()
    return orv.spec([], orv.env("idle"))


# --- hook: orv start to first frame ------------------------------------------
def orv_first_frame(orv: OrvSetup, clip_path: Path) -> RunSpec:
    _require_player()
    return orv.spec([clip_path], orv.env("first-frame"))


# --- hook: orv paused-seek latency -------------------------------------------
def orv_seek_latency(orv: OrvSetup, clip_path: Path, positions_ms: list[int]) -> list[float]:
    """Milliseconds from each paused seek to its frame painted, as orv times
    them: ORV_STATS_SEEKS makes it pause after the first picture and seek to
    each position in turn through the seek bar."""
    _require_player()
    env = {**orv.env("seek"), "ORV_STATS_SEEKS": ",".join(map(str, positions_ms))}
    child = Child(orv.spec([clip_path], env), env)
    try:
        times, seen = [], 0
        for _ in positions_ms:
            hit = child.log.wait_for(SEEK_DONE, SEEK_TIMEOUT_S, start=seen)
            if hit is None:
                raise RuntimeError("orv did not finish its seeks: " + child.log.tail())
            times.append(float(parse_stats(hit[2])["seek_ms"]))
            seen = hit[0] + 1
        return times
    finally:
        child.stop()


# --- hook: orv dragging its seek bar ------------------------------------------
def orv_drag(orv: OrvSetup, clip_path: Path, drag_ms: int,
             disable_vmr9: bool) -> tuple[float, float, Optional[int]]:
    """One drag of the seek bar from end to end over drag_ms, in a window at
    50 % (the picture scaled down): (press to release in ms, longest stall of
    the UI thread in ms, pictures painted meanwhile or None when the renderer
    paints out of orv's sight). ORV_STATS_DRAG makes orv drag its own bar
    after the first picture."""
    _require_player()
    name = "drag-novmr9" if disable_vmr9 else "drag"
    env = {**orv.env(name, disable_vmr9=disable_vmr9, display_size=0), "ORV_STATS_DRAG": str(drag_ms)}
    child = Child(orv.spec([clip_path], env), env)
    try:
        hit = child.log.wait_for(DRAG_DONE, DRAG_TIMEOUT_S)
        if hit is None:
            raise RuntimeError("orv did not finish its drag: " + child.log.tail())
        fields = parse_stats(hit[2])
        pictures = int(fields["pictures"])
        return float(fields["drag_ms"]), float(fields["stall_max_ms"]), pictures if pictures >= 0 else None
    finally:
        child.stop()


def _handoff(orv: OrvSetup, primary: Child, env: dict[str, str], clip_path: Path,
             seen: int) -> tuple[float, int]:
    """Starts a second copy with a file; (ms until the primary paints it, log index)."""
    started = time.monotonic()
    second = Child(orv.spec([clip_path], env), env)
    # The player names its files by their full paths.
    painted = re.compile(FIRST_FRAME.pattern + " file=" + re.escape(str(clip_path.resolve())) + "$")
    hit = primary.log.wait_for(painted, HANDOFF_TIMEOUT_S, start=seen)
    second.stop(ask=False)  # it ends by itself once it has handed the file over
    if hit is None:
        raise RuntimeError("the primary did not play the handed file: " + primary.log.tail()
                           + "\nsecond start: " + second.log.tail())
    return (hit[1] - started) * 1000.0, hit[0] + 1


def _primary(orv: OrvSetup, env: dict[str, str], clip_path: Path) -> tuple[Child, int]:
    primary = Child(orv.spec([clip_path], env), env)
    hit = primary.log.wait_for(FIRST_FRAME, HANDOFF_TIMEOUT_S)
    if hit is None:
        primary.stop()
        raise RuntimeError("orv did not start playing: " + primary.log.tail())
    return primary, hit[0] + 1


# --- hook: hand-off latency --------------------------------------------------
def orv_handoff_latency(orv: OrvSetup, clip_paths: tuple[Path, Path], runs: int) -> list[float]:
    """Milliseconds from a second start until the primary paints the handed file."""
    _require_player()
    env = orv.env("handoff")
    primary, seen = _primary(orv, env, clip_paths[0])
    try:
        times = []
        for i in range(runs):
            latency, seen = _handoff(orv, primary, env, clip_paths[(i + 1) % 2], seen)
            times.append(latency)
        return times
    finally:
        primary.stop()


# --- hook: RSS after 200 load/destroy cycles ---------------------------------
def orv_cycle_rss_growth(program: Path, clip_path: Path, cycles: int = 200,
                         settle: int = 50) -> tuple[float, str]:
    """Growth of resident memory (MB) over `cycles` builds and destroys of the
    player on one file, counted after `settle` cycles once caches are warm;
    with the resident sizes player_cycles printed along the way.

    player_cycles drives the playback engine without the window, so this one
    is measured already; it prints every 50 cycles, so both counts are
    multiples of 50."""
    if not program.exists():
        raise NotYet(f"n/a — {program.name} is not built (tests switched off)")
    result = subprocess.run([str(program), str(clip_path), str(settle + cycles)],
                            stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    rss = {int(m.group(1)): int(m.group(2))
           for m in re.finditer(r"^(\d+) \d+ (\d+)$", result.stdout, re.M)}
    if result.returncode != 0 or settle not in rss or settle + cycles not in rss:
        raise RuntimeError(f"{program.name} failed: {result.stderr.strip()[-300:]}")
    series = ", ".join(f"{rss[n] / 1024:.1f}" for n in sorted(rss))
    return (rss[settle + cycles] - rss[settle]) / 1024.0, series
