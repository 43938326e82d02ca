#pragma once
// The display-size setting: 0 half, 1 native, 2 double.

// Scales a native size by the setting (halving truncates); FALSE, with the
// size left as it was, for a value that names no size.
inline bool ScaleToDisplaySize(int nDisplaySize, int& nWidth, int& nHeight)
{
    switch (nDisplaySize) {
    case 0:
        nWidth /= 2;
        nHeight /= 2;
        return true;
    case 1:
        return true;
    case 2:
        nWidth *= 2;
        nHeight *= 2;
        return true;
    default:
        return false;
    }
}
