"""The results table: medians per clip and player, with ratios to the decode
floor and to gst-play, followed by the measurements that are not per clip and
by the targets."""

from dataclasses import dataclass, field
from typing import Optional

from measure import Sample, median

FLOOR, GST_PLAY, MPV, ORV, ORV_NO_VMR9 = "floor", "gst-play", "mpv", "orv", "orv no VMR9"
GUI_PEERS = ("Parole", "VLC")


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
    # (clip and output size, player -> cell), in order; the floor cell is one
    # object shared by the groups of a clip.
    clips: list[tuple[str, dict[str, Cell]]]
    tall: list[str] = field(default_factory=list)            # the groups of 1080p clips
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
    shown: set[int] = set()
    for label, cells in results.clips:
        first = True
        for player, cell in cells.items():
            if id(cell) in shown:
                continue    # the floor, shown in the clip's first group
            shown.add(id(cell))
            rows.append(_row(label if first else "", player, cell, cells, notes))
            first = False
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


def _worst(values: list[tuple[Optional[float], str]]) -> tuple[Optional[float], str]:
    """The largest measured value and where it was measured."""
    known = [(v, where) for v, where in values if v is not None]
    return max(known) if known else (None, "")


def _ratio_of(a: Optional[float], b: Optional[float]) -> Optional[float]:
    return a / b if a is not None and b else None


def _target(text: str, value: Optional[float], limit: float, unit: str = "×",
            where: str = "", at_least: bool = False, strict: bool = False) -> str:
    """One target line: the value, met or missed and by how much."""
    if value is None:
        return f"- {text}: not measured"
    digits = 2 if unit == "×" else (1 if unit == " MB" else 0)
    shown = f"{value:.{digits}f}{unit}" + (f" ({where})" if where else "")
    if at_least:
        met, short = value >= limit, limit - value
    else:
        met = value < limit if strict else value <= limit
        short = value - limit
    if met:
        return f"- {text}: {shown} — met"
    by = f"{short / limit * 100:.0f} %" if unit == "×" else f"{short:.{digits}f}{unit}"
    return f"- {text}: {shown} — MISSED by {by}"


def targets(results: Results) -> list[str]:
    """Each target with what this run measured: ratios between players of the
    same run, the worst output size (and clip) shown."""
    groups = [(label, cells) for label, cells in results.clips
              if ORV in cells and cells[ORV].ok()]

    def worst(measure, players_ok=lambda label, cells: True):
        return _worst([(measure(cells), label) for label, cells in groups
                       if players_ok(label, cells)])

    def cheapest_peer(cells: dict[str, Cell]) -> Optional[float]:
        costs = [cells[p].cpu() for p in GUI_PEERS if p in cells and cells[p].cpu() is not None]
        return min(costs) if costs else None

    def get(cells: dict[str, Cell], player: str) -> Cell:
        return cells.get(player, Cell())

    cpu_mpv = worst(lambda c: _ratio_of(c[ORV].cpu(), get(c, MPV).cpu()))
    cpu_peer = worst(lambda c: _ratio_of(c[ORV].cpu(), cheapest_peer(c)))
    rss_mpv = worst(lambda c: _ratio_of(c[ORV].rss_mb(), get(c, MPV).rss_mb()),
                    lambda label, c: label in results.tall)
    private = worst(lambda c: _ratio_of(c[ORV].private_mb(), get(c, GST_PLAY).private_mb()))
    dropped = worst(lambda c: None if c[ORV].worst_dropped() is None else float(c[ORV].worst_dropped()))
    first = worst(lambda c: _ratio_of(c[ORV].first_frame(), get(c, GST_PLAY).first_frame()))
    seek = worst(lambda c: _ratio_of(c[ORV].seek(), get(c, FLOOR).seek()))
    stalls = [c.stall() for c in results.drags.values() if c.stall() is not None]
    handoff = median(results.handoff_ms)
    return [
        _target("playback CPU (program + X server), orv ÷ mpv --vo=x11 ≤ 0.9, worst size",
                cpu_mpv[0], 0.9, where=cpu_mpv[1]),
        _target("playback CPU, orv ÷ the cheaper GUI peer (Parole, VLC) ≤ 1.0, worst size",
                cpu_peer[0], 1.0, where=cpu_peer[1]),
        _target("peak RSS, orv ÷ mpv ≤ 1.0 on 1080p clips, worst size", rss_mpv[0], 1.0,
                where=rss_mpv[1]),
        _target("private memory, orv ÷ gst-play ≤ 1.05, every clip, worst size", private[0], 1.05,
                where=private[1]),
        _target("dropped frames, every clip and size, worst run = 0", dropped[0], 0.0, " frames",
                where=dropped[1]),
        _target("start to first frame, orv ÷ gst-play ≤ 1.0, worst clip", first[0], 1.0,
                where=first[1]),
        _target("seek-bar drag, longest UI-thread stall ≤ 50 ms (median, worse renderer)",
                max(stalls) if stalls else None, 50.0, " ms"),
        _target("hand-off latency ≤ 150 ms", handoff, 150.0, " ms"),
        _target("paused-seek median, orv ÷ GStreamer's own ≤ 1.2, worst clip", seek[0], 1.2,
                where=seek[1]),
        _target("RSS growth after 200 load/destroy cycles < 5 MB", results.cycle_growth_mb, 5.0,
                " MB", strict=True),
        _target("seek-bar drag, pictures shown ≥ 5 per second of dragging",
                results.drags.get(ORV, DragCell()).pictures_per_s(), 5.0, "/s", at_least=True),
    ]
