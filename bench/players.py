"""The programs orv is compared with, each as a RunSpec for one clip.

GStreamer's tools run with GST_DEBUG limited to message creation, so every
QoS message (one per frame a sink, converter or decoder drops) shows on
standard error; the cost of that is a comparison per log call site.
"""

import re
import shutil
import socket
from pathlib import Path
from typing import Optional

from measure import RunSpec
from media import Clip
from sizes import Output

QOS_ENV = {"GST_DEBUG": "GST_MESSAGE:6", "GST_DEBUG_NO_COLOR": "1"}
QOS_MESSAGE = re.compile(r"creating new message \S+ qos$")
# ximagesink logs each picture it puts on the window, just before putting it.
XIMAGE_PUT = re.compile(r"X(Shm)?PutImage on ")
MPV_DROPPED = re.compile(r"^mpv-stats: dropped=(\d+) decoder_dropped=(\d+)$")

BENCH_DIR = Path(__file__).resolve().parent


def count_qos(lines: list[str]) -> int:
    return sum(1 for line in lines if QOS_MESSAGE.search(line))


def _decode(clip: Clip, path: Path, video_tail: str) -> RunSpec:
    branches = ["d.", "!", "audio/x-raw", "!", "fakesink", "sync=true"]
    if clip.has_video:
        branches += ["d.", "!", "video/x-raw", "!", *video_tail.split(), "fakesink", "sync=true"]
    return RunSpec(["gst-launch-1.0", "-q", "filesrc", f"location={path}", "!",
                    "decodebin", "name=d", *branches], env=dict(QOS_ENV))


def decode_floor(clip: Clip, path: Path) -> RunSpec:
    """Decoding alone: every stream into a clock-synced fakesink."""
    return _decode(clip, path, "")


def decode_bgrx(clip: Clip, path: Path, out: Output) -> RunSpec:
    """Decoding plus GStreamer's own scaling and conversion to the 32-bit
    picture a window paints, at the output size."""
    if not out.scaled((clip.width, clip.height)):
        return _decode(clip, path, "videoconvert ! video/x-raw,format=BGRx !")
    return _decode(clip, path, "videoscale ! videoconvert ! "
                   f"video/x-raw,format=BGRx,width={out.width},height={out.height} !")


def gst_play(clip: Clip, path: Path, out: Optional[Output] = None) -> RunSpec:
    """GStreamer's own player on the same stack as orv, without an interface.
    ximagesink paints pictures as they come, so at another size GStreamer's
    scaler makes them that size first."""
    sink = "ximagesink"
    if out and out.scaled((clip.width, clip.height)):
        sink = f"videoscale ! video/x-raw,width={out.width},height={out.height} ! ximagesink"
    return RunSpec(["gst-play-1.0", "-q", "--no-interactive", f"--videosink={sink}",
                    "--audiosink=fakesink sync=true", str(path)],
                   env=dict(QOS_ENV), dropped=count_qos)


def gst_play_first_frame(clip: Clip, path: Path) -> RunSpec:
    spec = gst_play(clip, path)
    spec.env = {"GST_DEBUG": "ximagesink:6", "GST_DEBUG_NO_COLOR": "1"}
    spec.dropped = None
    spec.first_frame = XIMAGE_PUT
    return spec


def mpv_installed() -> bool:
    return shutil.which("mpv") is not None


def _mpv_dropped(lines: list[str]) -> Optional[int]:
    for line in reversed(lines):
        m = MPV_DROPPED.match(line)
        if m:
            return int(m.group(1)) + int(m.group(2))
    return None


def _mpv_quit(ipc: Path) -> None:
    with socket.socket(socket.AF_UNIX) as s:
        s.connect(str(ipc))
        s.sendall(b'{"command": ["quit"]}\n')


def mpv_size(clip: Clip, out: Optional[Output]) -> list[str]:
    if out is None or out.key == "native":
        return []
    if out.key == "full":
        return ["--fs"]
    return [f"--geometry={out.width}x{out.height}"]


def mpv(clip: Clip, path: Path, out: Optional[Output], scratch: Path) -> RunSpec:
    """mpv drawing through plain X11, sound discarded at the clock's pace.

    Without a terminal mpv dies on signals before it can report, so it is asked
    to quit through its command socket."""
    ipc = scratch / "mpv.sock"
    return RunSpec(["mpv", "--no-config", "--vo=x11", "--ao=null", "--no-terminal",
                    f"--input-ipc-server={ipc}", f"--script={BENCH_DIR / 'mpv-stats.lua'}",
                    *mpv_size(clip, out), str(path)],
                   stop=lambda: _mpv_quit(ipc), dropped=_mpv_dropped)
