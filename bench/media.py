"""The benchmark's media, made with GStreamer and cached between runs.

Each clip is described by the gst-launch pipeline that makes it; a clip is made
again only when its file is missing or its pipeline changed. Pictures move, so
the encoders spend a realistic bit rate and the decoders do real work.
"""

import math
import subprocess
from concurrent.futures import ThreadPoolExecutor
from dataclasses import dataclass
from pathlib import Path

AUDIO_RATE = 48000
SAMPLES_PER_BUFFER = 1024


@dataclass(frozen=True)
class Clip:
    key: str        # file name without extension
    ext: str
    label: str      # how the results table names it
    seconds: int
    has_video: bool
    recipe: str     # gst-launch description; {out} is the file being written
    width: int = 0  # the picture's size (0 without video)
    height: int = 0

    def path(self, folder: Path) -> Path:
        return folder / f"{self.key}.{self.ext}"


def element_exists(name: str) -> bool:
    return subprocess.run(["gst-inspect-1.0", "--exists", name]).returncode == 0


def first_element(*names: str) -> str:
    for name in names:
        if element_exists(name):
            return name
    raise SystemExit(f"bench: none of these GStreamer elements is installed: {', '.join(names)}")


def tone(seconds: int) -> str:
    buffers = math.ceil(seconds * AUDIO_RATE / SAMPLES_PER_BUFFER)
    return (f"audiotestsrc num-buffers={buffers} samplesperbuffer={SAMPLES_PER_BUFFER} "
            f"wave=sine freq=440 volume=0.3 ! audio/x-raw,rate={AUDIO_RATE},channels=2 "
            "! audioconvert")


def picture(seconds: int, width: int, height: int, fps: int = 30,
            pattern: str = "smpte horizontal-speed=8") -> str:
    return (f"videotestsrc num-buffers={seconds * fps} pattern={pattern} "
            f"! video/x-raw,format=I420,width={width},height={height},framerate={fps}/1")


def long_gop(key: str, label: str, seconds: int, aac: str, pattern: str, x264: str) -> Clip:
    """A 1080p30 H.264 clip with a key frame every 250 pictures, as broadcast and
    camera files often have."""
    return Clip(key, "mp4", label, seconds, True,
                f"{picture(seconds, 1920, 1080, pattern=pattern)} "
                f"! x264enc key-int-max=250 {x264} ! h264parse ! queue ! mux. "
                f"{tone(seconds)} ! {aac} bitrate=128000 ! aacparse ! queue ! mux. "
                "mp4mux name=mux ! filesink location={out}", 1920, 1080)


def clips(clip_seconds: int, mp3_seconds: int) -> list[Clip]:
    """The clips of one bench run; the encoders are whichever are installed."""
    s = clip_seconds
    aac = first_element("avenc_aac", "fdkaacenc", "voaacenc")
    mp2 = first_element("twolamemp2enc", "avenc_mp2")
    mp2_rate = "bitrate=192" if mp2 == "twolamemp2enc" else "bitrate=192000"
    x264 = "x264enc speed-preset=superfast bitrate=6000 key-int-max=60"
    return [
        Clip("h264-1080p30", "mp4", "1080p30 H.264+AAC MP4", s, True,
             f"{picture(s, 1920, 1080)} ! {x264} ! h264parse ! queue ! mux. "
             f"{tone(s)} ! {aac} bitrate=128000 ! aacparse ! queue ! mux. "
             "mp4mux name=mux ! filesink location={out}", 1920, 1080),
        # Interlaced: 60 progressive pictures a second woven into 30 frames of two fields.
        Clip("h264-1080i30", "ts", "1080i30 H.264+AAC TS", s, True,
             f"{picture(s * 2, 1920, 1080, fps=60)} ! interlace field-pattern=1:1 "
             f"top-field-first=true ! {x264} interlaced=true ! h264parse ! queue ! mux. "
             f"{tone(s)} ! {aac} bitrate=128000 ! aacparse ! queue ! mux. "
             "mpegtsmux name=mux ! filesink location={out}", 1920, 1080),
        # mpeg2enc, because the libav MPEG-2 encoder does not negotiate here; it
        # is slow, so it is made first and alongside the others.
        Clip("mpeg2-720p30", "mpg", "720p30 MPEG-2+MP2 PS", s, True,
             f"{picture(s, 1280, 720)} ! mpeg2enc format=3 constraints=false bitrate=8000 "
             "disable-encode-retries=true ! mpegvideoparse ! queue ! mux. "
             f"{tone(s)} ! {mp2} {mp2_rate} ! mpegaudioparse ! queue ! mux. "
             "mpegpsmux name=mux ! filesink location={out}", 1280, 720),
        Clip("mjpeg-480p30", "avi", "480p30 MJPEG+PCM AVI", s, True,
             f"{picture(s, 640, 480)} ! jpegenc quality=85 ! queue ! mux. "
             f"{tone(s)} ! audio/x-raw,format=S16LE,layout=interleaved ! queue ! mux. "
             "avimux name=mux ! filesink location={out}", 640, 480),
        # Noise at a high rate with B pictures: every block carries detail, so
        # decoding is the larger part of playing.
        long_gop("h264-1080p-heavy", "1080p30 H.264 heavy, 250-frame GOPs", s, aac, "snow",
                 "speed-preset=veryfast bitrate=25000 bframes=3"),
        # A ball on black: almost every block is skipped, so decoding costs little
        # and scaling and painting the picture are most of the cost.
        long_gop("h264-1080p-light", "1080p30 H.264 light, 250-frame GOPs", s, aac, "ball",
                 "speed-preset=superfast bitrate=1500"),
        Clip("audio-192k", "mp3", f"{mp3_seconds} s MP3", mp3_seconds, False,
             f"{tone(mp3_seconds)} ! lamemp3enc target=bitrate bitrate=192 cbr=true "
             "! filesink location={out}"),
    ]


def drag_clip(seconds: int) -> Clip:
    """The clip the seek bar is dragged across: key frames 10 s apart, so most
    positions need many pictures decoded before theirs can be shown."""
    aac = first_element("avenc_aac", "fdkaacenc", "voaacenc")
    return Clip("h264-1080p-gop250", "mp4", "1080p25 H.264+AAC MP4, 250-frame GOPs", seconds, True,
                f"{picture(seconds, 1920, 1080, fps=25)} "
                "! x264enc speed-preset=superfast bitrate=6000 key-int-max=250 "
                "! h264parse ! queue ! mux. "
                f"{tone(seconds)} ! {aac} bitrate=128000 ! aacparse ! queue ! mux. "
                "mp4mux name=mux ! filesink location={out}", 1920, 1080)


def _make(clip: Clip, folder: Path) -> None:
    out = clip.path(folder)
    stamp = out.with_suffix(out.suffix + ".recipe")
    if out.exists() and stamp.exists() and stamp.read_text() == clip.recipe:
        return
    tmp = out.with_suffix(out.suffix + ".part")
    argv = ["gst-launch-1.0", "-q", *(t.replace("{out}", str(tmp)) for t in clip.recipe.split())]
    result = subprocess.run(argv, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    if result.returncode != 0 or not tmp.exists() or tmp.stat().st_size == 0:
        tmp.unlink(missing_ok=True)
        raise SystemExit(f"bench: cannot make {out.name}:\n{result.stderr.strip()}")
    tmp.replace(out)
    stamp.write_text(clip.recipe)
    print(f"  made {out.name}", flush=True)


def make_all(all_clips: list[Clip], folder: Path) -> None:
    """Makes what is missing, two at a time (the MPEG-2 encoder uses one core)."""
    folder.mkdir(parents=True, exist_ok=True)
    slow_first = sorted(all_clips, key=lambda c: c.ext != "mpg")
    with ThreadPoolExecutor(max_workers=2) as pool:
        for future in [pool.submit(_make, clip, folder) for clip in slow_first]:
            future.result()
