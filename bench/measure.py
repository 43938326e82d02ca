"""Running one program under measurement on the bench's private X server.

CPU time is read from /proc (user + system time of the program and of the X
server, which does the drawing for every player that paints through X), peak
resident memory from the kernel's accounting when the program is reaped, its
private part from /proc while it plays, and
timings of the program's own reports from the moment each standard-error line
arrives.
"""

import os
import re
import resource
import signal
import statistics
import subprocess
import threading
import time
from dataclasses import dataclass, field
from pathlib import Path
from typing import Callable, Optional

CLOCK_TICKS = os.sysconf("SC_CLK_TCK")
STOP_GRACE_S = 15.0


class Ended(Exception):
    """The process is no longer running."""


def cpu_seconds(pid: int) -> float:
    """User + system time of a running process."""
    try:
        with open(f"/proc/{pid}/stat") as f:
            fields = f.read().rsplit(")", 1)[1].split()
    except FileNotFoundError:
        raise Ended from None
    if fields[0] == "Z":
        raise Ended
    return (int(fields[11]) + int(fields[12])) / CLOCK_TICKS


def private_kb(pid: int) -> int:
    """The process's own resident memory: anonymous pages, not the library and
    font files it shares with every other program (0 once it has ended)."""
    try:
        with open(f"/proc/{pid}/status") as f:
            for line in f:
                if line.startswith("RssAnon:"):
                    return int(line.split()[1])
    except FileNotFoundError:
        pass
    return 0


def median(values: list[float]) -> Optional[float]:
    return statistics.median(values) if values else None


class XServer:
    """A private Xvfb large enough for a 1080p picture at 100 % plus a frame."""

    def __init__(self, screen: tuple[int, int]):
        size = f"{screen[0]}x{screen[1]}x24"
        read_end, write_end = os.pipe()
        self.proc = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", size,
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as f:
            number = f.readline().strip()
        if not number:
            self.proc.kill()
            raise SystemExit("bench: Xvfb did not start")
        self.display = f":{number}"

    def cpu_seconds(self) -> float:
        return cpu_seconds(self.proc.pid)

    def close(self) -> None:
        self.proc.terminate()
        self.proc.wait()


class StderrLog:
    """A child's standard error, line by line, each with its arrival time."""

    def __init__(self, stream):
        self.lines: list[tuple[float, str]] = []
        self._done = False
        self._cond = threading.Condition()
        self._thread = threading.Thread(target=self._read, args=(stream,), daemon=True)
        self._thread.start()

    def _read(self, stream) -> None:
        with stream:
            for raw in stream:
                now = time.monotonic()
                with self._cond:
                    self.lines.append((now, raw.decode(errors="replace").rstrip("\n")))
                    self._cond.notify_all()
        with self._cond:
            self._done = True
            self._cond.notify_all()

    def wait_for(self, pattern: re.Pattern, timeout: float,
                 start: int = 0) -> Optional[tuple[int, float, str]]:
        """The first line from index `start` matching `pattern`: (index, arrival, text)."""
        deadline = time.monotonic() + timeout
        with self._cond:
            while True:
                for i in range(start, len(self.lines)):
                    if pattern.search(self.lines[i][1]):
                        return i, *self.lines[i]
                start = len(self.lines)
                left = deadline - time.monotonic()
                if self._done or left <= 0:
                    return None
                self._cond.wait(left)

    def text(self) -> list[str]:
        self._thread.join(timeout=5)
        with self._cond:
            return [line for _, line in self.lines]

    def tail(self, count: int = 6) -> str:
        return "\n".join(self.text()[-count:])


@dataclass
class RunSpec:
    """How to start one player on one file, stop it, and read what it reports."""
    argv: list[str]
    env: dict[str, str] = field(default_factory=dict)
    stop_signal: int = signal.SIGINT
    # Asks the program to end instead of the signal (for one that dies on signals).
    stop: Optional[Callable[[], None]] = None
    # Counts dropped frames from the standard-error lines; None: not reported.
    dropped: Optional[Callable[[list[str]], Optional[int]]] = None
    # Matches the standard-error line that announces the first painted frame.
    first_frame: Optional[re.Pattern] = None
    # Brings the started program to the size measured (its pid, its log),
    # before the measured window opens; raises RuntimeError when it cannot.
    ready: Optional[Callable[[int, "StderrLog"], None]] = None


@dataclass
class Sample:
    cpu_s: float = 0.0          # program + X server over the measured window
    x_cpu_s: float = 0.0        # the X server's share of it
    total_cpu_s: float = 0.0    # program over its whole life
    wall_s: float = 0.0         # start to exit
    peak_rss_kb: int = 0
    private_kb: int = 0         # the larger reading at the window's start and end
    dropped: Optional[int] = None
    error: str = ""


class Child:
    """A started program with its standard error collected."""

    def __init__(self, spec: RunSpec, env: dict[str, str]):
        self.spec = spec
        self.started = time.monotonic()
        self.proc = subprocess.Popen(spec.argv, env=env, stdin=subprocess.DEVNULL,
                                     stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        self.log = StderrLog(self.proc.stderr)

    def _ask_to_end(self) -> None:
        try:
            if self.spec.stop:
                self.spec.stop()
            else:
                # Not Popen.send_signal: it would reap a program that has already
                # ended, and its resource usage with it. Unreaped, the pid stays ours.
                os.kill(self.proc.pid, self.spec.stop_signal)
        except OSError:
            pass    # already ended

    def stop(self, ask: bool = True) -> tuple[float, resource.struct_rusage]:
        """Asks the program to end (or lets it end by itself), kills it after a
        grace time; (exit time, usage)."""
        if ask:
            self._ask_to_end()
        deadline = time.monotonic() + STOP_GRACE_S
        while True:
            pid, status, usage = os.wait4(self.proc.pid, os.WNOHANG)
            if pid:
                self.proc.returncode = os.waitstatus_to_exitcode(status)
                return time.monotonic(), usage
            if deadline and time.monotonic() > deadline:
                os.kill(self.proc.pid, signal.SIGKILL)
                deadline = 0.0
            time.sleep(0.01)


def sleep_until(when: float) -> None:
    time.sleep(max(0.0, when - time.monotonic()))


def measure_playback(spec: RunSpec, env: dict[str, str], xserver: XServer,
                     warmup_s: float, window_s: float) -> Sample:
    """Plays for warm-up + window seconds; CPU is counted over the window only,
    so start-up (measured on its own) does not blur the playback cost."""
    child = Child(spec, env)
    sample = Sample()
    try:
        opens = child.started + warmup_s
        if spec.ready:
            spec.ready(child.proc.pid, child.log)
            # A player brought to its size late has a second to settle in it.
            opens = max(opens, time.monotonic() + 1.0)
        sleep_until(opens)
        before = cpu_seconds(child.proc.pid), xserver.cpu_seconds()
        sample.private_kb = private_kb(child.proc.pid)
        sleep_until(opens + window_s)
        after = cpu_seconds(child.proc.pid), xserver.cpu_seconds()
        sample.private_kb = max(sample.private_kb, private_kb(child.proc.pid))
        sample.x_cpu_s = after[1] - before[1]
        sample.cpu_s = after[0] - before[0] + sample.x_cpu_s
    except Ended:
        sample.error = "ended before the measured window was over"
    except RuntimeError as why:
        sample.error = f"not brought to its size: {why}"
    ended, usage = child.stop()
    sample.wall_s = ended - child.started
    sample.total_cpu_s = usage.ru_utime + usage.ru_stime
    sample.peak_rss_kb = usage.ru_maxrss
    if spec.dropped is not None:
        sample.dropped = spec.dropped(child.log.text())
    if sample.error:
        sample.error += ": " + child.log.tail()
    return sample


def measure_first_frame(spec: RunSpec, env: dict[str, str],
                        timeout_s: float = 30.0) -> tuple[Optional[float], str]:
    """Milliseconds from start to the line announcing the first painted frame."""
    child = Child(spec, env)
    hit = child.log.wait_for(spec.first_frame, timeout_s)
    child.stop()
    if hit is None:
        return None, "no first frame reported: " + child.log.tail()
    return (hit[1] - child.started) * 1000.0, ""


def seek_floor(program: Path, clip_path: Path, positions_ms: list[int]) -> tuple[list[float], str]:
    """GStreamer's own paused-seek times (ms) at the given positions."""
    result = subprocess.run([str(program), str(clip_path), *map(str, positions_ms)],
                            stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    times = [float(m.group(1)) for m in re.finditer(r"^seek pos_ms=\d+ ms=([\d.]+)$",
                                                     result.stdout, re.M)]
    error = "" if result.returncode == 0 else result.stderr.strip()
    return times, error
