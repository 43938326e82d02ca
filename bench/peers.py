"""The GUI players a user here would pick instead of orv: Parole (GStreamer
with a GTK interface) and VLC (Qt interface), each as a RunSpec for one clip
at one output size.

Their full-screen commands need a window manager, which the bench's display
has none of (they would stay in a window): for the full screen their window is
made the size of the screen, where each fits the picture with its aspect kept.

Parole keeps its settings through Xfconf, which it reaches on a session bus:
the bench gives it a private one. VLC refuses to run as root, so as root it
runs as `nobody` through setpriv, which keeps its pid (the one measured).
"""

import os
import shutil
import signal
import subprocess
from pathlib import Path
from typing import Callable, Optional

import xwindow
from measure import RunSpec, StderrLog
from media import Clip
from players import QOS_ENV, count_qos
from sizes import SCREEN, Output

PAROLE, VLC = "Parole", "VLC"
# Parole's menu bar above the picture; its controls lie over the picture.
PAROLE_MENU_PX = 25
UNPRIVILEGED = "nobody"


def installed(name: str) -> bool:
    return shutil.which(name) is not None


class SessionBus:
    """A private D-Bus session bus for the run, and a settings folder with it."""

    def __init__(self, scratch: Path):
        self.proc = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                                     stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self.address = self.proc.stdout.readline().strip()
        self.config = scratch / "parole-config"
        self.config.mkdir(exist_ok=True)

    def env(self) -> dict[str, str]:
        return {"DBUS_SESSION_BUS_ADDRESS": self.address, "XDG_CONFIG_HOME": str(self.config)}

    def close(self) -> None:
        self.proc.terminate()
        self.proc.wait()


def _sized(env: dict[str, str], width: int, height: int) -> Callable[[int, StderrLog], None]:
    def ready(pid: int, _log: StderrLog) -> None:
        xwindow.place(pid, env, width, height)
    return ready


def parole(clip: Clip, path: Path, out: Optional[Output], bus: SessionBus,
           display_env: dict[str, str]) -> RunSpec:
    """Parole, its sound into a clock-synced fake sink (the highest ranked, so
    its automatic sink takes it). It opens at the window size it last had, so
    the window is sized to hold the picture."""
    env = {**QOS_ENV, **bus.env(), "GST_PLUGIN_FEATURE_RANK": "fakeaudiosink:MAX"}
    ready = None
    if out and out.key == "full":
        ready = _sized({**display_env, **env}, *SCREEN)
    elif out:
        ready = _sized({**display_env, **env}, out.width, out.height + PAROLE_MENU_PX)
    return RunSpec(["parole", "--new-instance", str(path)], env=env, dropped=count_qos, ready=ready)


def vlc_home(scratch: Path) -> Path:
    home = scratch / "vlc-home"
    home.mkdir(exist_ok=True)
    if os.getuid() == 0:
        scratch.chmod(0o711)    # a private temporary folder, passed through only
        shutil.chown(home, UNPRIVILEGED)
    return home


def vlc_runnable() -> str:
    """Why VLC cannot be measured here ("" when it can)."""
    if not installed("vlc"):
        return "VLC not installed (make bench BENCH_PEERS=1)"
    if os.getuid() == 0 and not installed("setpriv"):
        return "VLC refuses to run as root and setpriv is missing"
    return ""


def vlc(clip: Clip, path: Path, out: Optional[Output], home: Path,
        display_env: dict[str, str]) -> RunSpec:
    """VLC with its Qt interface, painting through plain X11 as mpv does, sound
    discarded. Its zoom sizes the window to the picture, as orv's 50 % does."""
    argv = ["vlc", "--no-qt-privacy-ask", "--no-video-title-show", "--vout=xcb_x11",
            "--aout=adummy"]
    ready = None
    if out and out.key == "full":
        ready = _sized(display_env, *SCREEN)
    elif out and out.key == "half":
        argv.append("--zoom=0.5")
    if os.getuid() == 0:
        argv = ["setpriv", f"--reuid={UNPRIVILEGED}", "--regid=nogroup", "--clear-groups",
                "--"] + argv
    return RunSpec(argv + [str(path)], env={"HOME": str(home)}, stop_signal=signal.SIGINT,
                   ready=ready)
