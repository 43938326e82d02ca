#pragma once
// Button images and the program icon, drawn as vectors at paint time so they
// stay sharp at any screen scale. Button images are known by their bitmap
// resource ids (131 … 193): cyan rounded buttons on black with a dark glyph
// or text, in a normal, a pressed and a greyed disabled look.

#include <QIcon>
#include <QSize>

class QPainter;

// The program icon's resource id.
constexpr int IDR_MAINFRAME = 130;

// Logical size of button image nID; an empty size for an unknown id.
QSize ButtonArtSize(int nID);

// Paints image nID with its top-left corner at the painter's origin, in
// logical pixels. bGreyed paints the image's glyph in the disabled look (for
// buttons that have no disabled image of their own). False for an unknown id.
bool PaintButtonArt(QPainter& painter, int nID, bool bGreyed = false);

// The program icon (resource 130) at the usual icon sizes.
QIcon AppIcon();
