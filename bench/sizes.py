"""The output sizes every video clip is measured at, the same for every player:
the picture at its own size, at half of it, and fitted to the whole screen of
the bench's display with its aspect kept."""

from dataclasses import dataclass

# The bench's private display: room for 1080p at 100 % plus a window's controls.
SCREEN = (2560, 1600)


@dataclass(frozen=True)
class Output:
    key: str        # "native", "half" or "full"
    width: int      # the picture as it reaches the screen
    height: int

    @property
    def label(self) -> str:
        return f"{self.key} {self.width}×{self.height}"

    def scaled(self, native: tuple[int, int]) -> bool:
        return (self.width, self.height) != native


def _even(value: float) -> int:
    # Scalers and X images want even sizes for 4:2:0 pictures.
    return max(2, int(round(value / 2)) * 2)


def fit(width: int, height: int, screen: tuple[int, int] = SCREEN) -> tuple[int, int]:
    """The largest size of that aspect inside the screen."""
    scale = min(screen[0] / width, screen[1] / height)
    return _even(width * scale), _even(height * scale)


def outputs(width: int, height: int, screen: tuple[int, int] = SCREEN) -> list[Output]:
    return [Output("native", width, height),
            Output("half", _even(width / 2), _even(height / 2)),
            Output("full", *fit(width, height, screen))]
