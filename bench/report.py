"""The results table: medians per clip and player, with ratios to the decode
floor and to gst-play, followed by the measurements that are not per clip and
by the targets."""

from dataclasses import dataclass, field
from typing import Optional

from measure import Sample, median

FLOOR, GST_PLAY, MPV, ORV, ORV_NO_VMR9 = "floor", "gst-play", "mpv", "orv", "orv no VMR9"


@dataclass
class Cell:
    """What one player gave on one clip (or why it gave nothing)."""
    samples: list[Sample] = field(default_factory=list)
    first_frame_ms: list[float] = field(default_factory=list)
    seek_ms: list[float] = field(default_factory=list)
    note: str = ""          # why the player was not measured
    seek_note: str = ""     # why its seeks were not

    def ok(self) -> list[Sample]:
        return [s for s in self.samples if not s.error]

    def cpu(self) -> Optional[float]:
        return median([s.cpu_s for s in self.ok()])

    def wall(self) -> Optional[float]:
        return median([s.wall_s for s in self.ok()])

    def rss_mb(self) -> Optional[float]:
        return median([s.peak_rss_kb / 1024.0 for s in self.ok()])

    def private_mb(self) -> Optional[float]:
        return median([s.private_kb / 1024.0 for s in self.ok() if s.private_kb])

    def worst_dropped(self) -> Optional[int]:
        counts = [s.dropped for s in self.ok() if s.dropped is not None]
        return max(counts) if counts else None

    def first_frame(self) -> Optional[float]:
        return median(self.first_frame_ms)

    def seek(self) -> Optional[float]:
        return median(self.seek_ms)


@dataclass
class DragCell:
    """The seek-bar drags of one renderer, one entry per run (or why there are none)."""
    drag_ms: list[float] = field(default_factory=list)       # press to release
    stall_max_ms: list[float] = field(default_factory=list)  # longest UI-thread stall
    pictures: list[Optional[int]] = field(default_factory=list)  # None: out of orv's sight
    note: str = ""

    def stall(self) -> Optional[float]:
        return median(self.stall_max_ms)

    def worst_stall(self) -> Optional[float]:
        return max(self.stall_max_ms) if self.stall_max_ms else None

    def pictures_per_s(self) -> Optional[float]:
        return median([n * 1000.0 / ms for n, ms in zip(self.pictures, self.drag_ms)
                       if n is not None and ms > 0])


@dataclass
class Results:
    clips: list[tuple[str, dict[str, Cell]]]    # (clip label, player -> cell), in order
    handoff_ms: list[float] = field(default_factory=list)
    handoff_note: str = ""
    cycle_growth_mb: Optional[float] = None
    cycle_note: str = ""
    idle_rss_kb: list[float] = field(default_factory=list)   # orv with no file
    drag_label: str = ""                                     # the clip dragged across
    drags: dict[str, DragCell] = field(default_factory=dict)  # renderer row -> drags

    def orv_measured(self) -> bool:
        return any(cells.get(ORV) and cells[ORV].ok() for _, cells in self.clips)


def _num(value: Optional[float], digits: int) -> str:
    return "—" if value is None else f"{value:.{digits}f}"


def _ratio(value: Optional[float], reference: Optional[float]) -> str:
    if value is None or not reference:
        return "—"
    return f"{value / reference:.2f}"


COLUMNS = ["Clip", "Player", "CPU s", "×floor", "×gst-play", "Wall s", "Peak RSS MB",
           "×gst-play", "Private MB", "×gst-play", "Dropped", "1st frame ms", "×gst-play",
           "Seek ms", "×floor"]


def _mark(note: str, notes: list[str]) -> str:
    """"n/a" with a footnote mark; the note goes under the table once."""
    if note not in notes:
        notes.append(note)
    return "n/a" + "*" * (notes.index(note) + 1)


def _row(label: str, player: str, cell: Cell, cells: dict[str, Cell], notes: list[str]) -> list[str]:
    floor, play = cells.get(FLOOR, Cell()), cells.get(GST_PLAY, Cell())
    if cell.note and not cell.ok():
        return [label, player, _mark(cell.note, notes)] + [""] * (len(COLUMNS) - 3)
    failed = len(cell.samples) - len(cell.ok())
    cpu = _num(cell.cpu(), 2) + (f" ({failed} failed)" if failed else "")
    dropped = cell.worst_dropped()
    seek = _mark(cell.seek_note, notes) if cell.seek_note else _num(cell.seek(), 1)
    return [label, player, cpu, _ratio(cell.cpu(), floor.cpu()), _ratio(cell.cpu(), play.cpu()),
            _num(cell.wall(), 2), _num(cell.rss_mb(), 1), _ratio(cell.rss_mb(), play.rss_mb()),
            _num(cell.private_mb(), 1), _ratio(cell.private_mb(), play.private_mb()),
            "—" if dropped is None else str(dropped),
            _num(cell.first_frame(), 0), _ratio(cell.first_frame(), play.first_frame()),
            seek, _ratio(cell.seek(), floor.seek())]


def _footnotes(notes: list[str]) -> list[str]:
    return [f"{'*' * (i + 1)} {note}" for i, note in enumerate(notes)]


def _markdown(rows: list[list[str]]) -> list[str]:
    """A markdown table, the first row its head, columns padded to line up."""
    widths = [max(len(r[i]) for r in rows) for i in range(len(rows[0]))]
    lines = ["| " + " | ".join(c.ljust(w) for c, w in zip(r, widths)) + " |" for r in rows]
    lines.insert(1, "|" + "|".join("-" * (w + 2) for w in widths) + "|")
    return lines


def table(results: Results) -> list[str]:
    """The markdown lines of the table and its notes."""
    notes: list[str] = []
    rows = [COLUMNS]
    for label, cells in results.clips:
        for i, (player, cell) in enumerate(cells.items()):
            rows.append(_row(label if i == 0 else "", player, cell, cells, notes))
    lines = _markdown(rows)
    lines.append("")
    lines += _footnotes(notes)
    handoff = median(results.handoff_ms)
    lines.append("Hand-off latency (orv, second start to the primary painting the file): "
                 + (f"{handoff:.0f} ms" if handoff is not None else results.handoff_note))
    idle = median(results.idle_rss_kb)
    if idle is not None:
        lines.append(f"Peak RSS of orv with its window open and no file: {idle / 1024:.1f} MB")
    growth = results.cycle_growth_mb
    lines.append("RSS growth over 200 player load/destroy cycles on the 1080p H.264 clip, "
                 "after 50 to settle (player_cycles): "
                 + (f"{growth:+.1f} MB ({results.cycle_note})" if growth is not None
                    else results.cycle_note))
    return lines


DRAG_COLUMNS = ["Player", "Stall max ms", "worst run", "Pictures/s", "Drag s", "Runs"]


def drag_table(results: Results, drag_s: float) -> list[str]:
    """The markdown lines of the seek-bar drag measurements."""
    lines = [f"Seek-bar drag: orv drags its own bar from end to end over {drag_s:g} s "
             f"across the {results.drag_label} clip, in a window at 50 % (the picture "
             "scaled down); medians of the runs.", ""]
    rows = [DRAG_COLUMNS]
    notes: list[str] = []
    for player, cell in results.drags.items():
        if cell.note and not cell.stall_max_ms:
            rows.append([player, _mark(cell.note.splitlines()[0], notes)] + [""] * (len(DRAG_COLUMNS) - 2))
            continue
        drag = median(cell.drag_ms)
        rows.append([player, _num(cell.stall(), 0), _num(cell.worst_stall(), 0),
                     _num(cell.pictures_per_s(), 1), _num(None if drag is None else drag / 1000.0, 2),
                     str(len(cell.stall_max_ms))])
    return lines + _markdown(rows) + ([""] + _footnotes(notes) if notes else [])


def _target(text: str, value: Optional[float], limit: float, shown: str = "{:.2f}×",
            strict: bool = False, at_least: bool = False) -> str:
    if value is None:
        return f"- {text}: not measured"
    if at_least:
        met = value >= limit
    else:
        met = value < limit if strict else value <= limit
    return f"- {text}: {shown.format(value)} — {'met' if met else 'MISSED'}"


def targets(results: Results, headline: str) -> list[str]:
    """Each target with the ratio this run measured."""
    cells = dict(results.clips).get(headline, {})
    orv, play, mpv, floor = (cells.get(k, Cell()) for k in (ORV, GST_PLAY, MPV, FLOOR))

    def ratio(a: Optional[float], b: Optional[float]) -> Optional[float]:
        return a / b if a is not None and b else None

    drops = [c.worst_dropped() for _, cs in results.clips for k, c in cs.items()
             if k in (ORV, ORV_NO_VMR9)]
    worst = None if not drops or None in drops else max(drops)
    rss = [ratio(cs[ORV].rss_mb(), cs[GST_PLAY].rss_mb()) for _, cs in results.clips
           if ORV in cs and GST_PLAY in cs]
    rss = [r for r in rss if r is not None]
    stalls = [c.stall() for c in results.drags.values() if c.stall() is not None]
    drag_pictures = results.drags.get(ORV, DragCell()).pictures_per_s()
    return [
        _target(f"playback CPU, {headline}, orv ÷ gst-play ≤ 1.15", ratio(orv.cpu(), play.cpu()), 1.15),
        _target(f"playback CPU, {headline}, orv ÷ mpv ≤ 0.8", ratio(orv.cpu(), mpv.cpu()), 0.8),
        _target("dropped frames at 100 %, every clip, worst run = 0", worst, 0, "{:.0f}"),
        _target("start to first frame, orv ÷ gst-play ≤ 1.2",
                ratio(orv.first_frame(), play.first_frame()), 1.2),
        _target("peak RSS, orv ÷ gst-play ≤ 1.3 (worst clip)", max(rss) if rss else None, 1.3),
        _target("paused-seek median, orv ÷ GStreamer's own ≤ 1.2",
                ratio(orv.seek(), floor.seek()), 1.2),
        _target("RSS growth after 200 load/destroy cycles < 5 MB",
                results.cycle_growth_mb, 5.0, "{:.1f} MB", strict=True),
        _target("seek-bar drag, longest UI-thread stall ≤ 50 ms (median, worse renderer)",
                max(stalls) if stalls else None, 50.0, "{:.0f} ms"),
        _target("seek-bar drag, pictures shown ≥ 5 per second of dragging",
                drag_pictures, 5.0, "{:.1f}/s", at_least=True),
    ]
