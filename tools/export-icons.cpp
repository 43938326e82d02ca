// Writes the program icon as hicolor theme PNGs for the install step:
// <out>/<n>x<n>/apps/orv.png for every usual size.

#include "res/Artwork.h"

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: export-icons OUTDIR\n");
        return 2;
    }
    // A build machine has no display.
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QIcon icon = AppIcon();
    for (const int px : { 16, 22, 24, 32, 48, 64, 128, 256 }) {
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(out).arg(px);
        const QPixmap pm = icon.pixmap(px, px);
        if (!QDir().mkpath(dir) || pm.size() != QSize(px, px) || !pm.save(dir + QStringLiteral("/orv.png"))) {
            std::fprintf(stderr, "export-icons: cannot write the %dx%d icon\n", px, px);
            return 1;
        }
    }
    return 0;
}
