#pragma once
// File-dialog filters: the program builds them in the Windows form
// ("text|*.a;*.b|text|*.c||") and the Qt dialogs take them through here.

#include <QString>

// "text|*.a;*.b|...||" -> "text (p1 p2);;..." for QFileDialog.
// Patterns match without regard to letter case ("*.mp3" becomes
// "*.[mM][pP]3"), since Linux dialogs otherwise tell A.MP3 from a.mp3, and
// "*.*" becomes "*" (on Linux "*.*" would miss names without a dot). The
// dialogs are shown with their pattern details hidden, so the user sees the
// display texts as they are written.
QString MfcFilterToQt(const QString& mfcFilter);
