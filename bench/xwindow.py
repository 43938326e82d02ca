"""Sizing a player's top-level window from outside, through xdotool, for the
players that have no option for the size wanted. There is no window manager on
the bench's display, so a resize is done at once as asked."""

import subprocess

FIND_TIMEOUT_S = 15.0


def _xdotool(args: list[str], env: dict[str, str], timeout: float = 5.0) -> str:
    try:
        result = subprocess.run(["xdotool", *args], env=env, stdout=subprocess.PIPE,
                                stderr=subprocess.PIPE, text=True, timeout=timeout)
    except subprocess.TimeoutExpired:
        raise RuntimeError(f"xdotool {args[0]} did not finish") from None
    if result.returncode != 0:
        raise RuntimeError(f"xdotool {' '.join(args)}: {result.stderr.strip()}")
    return result.stdout


def top_window(pid: int, env: dict[str, str]) -> str:
    """The largest visible window the process has shown (its main window)."""
    found = _xdotool(["search", "--sync", "--onlyvisible", "--pid", str(pid)],
                     env, FIND_TIMEOUT_S).split()

    def area(window: str) -> int:
        out = _xdotool(["getwindowgeometry", "--shell", window], env)
        fields = dict(line.split("=", 1) for line in out.splitlines() if "=" in line)
        return int(fields.get("WIDTH", 0)) * int(fields.get("HEIGHT", 0))

    return max(found, key=area)


def place(pid: int, env: dict[str, str], width: int, height: int) -> None:
    """Moves the process's main window to the screen's corner and sizes it."""
    window = top_window(pid, env)
    _xdotool(["windowmove", window, "0", "0"], env)
    _xdotool(["windowsize", window, str(width), str(height)], env)
