#include "res/Artwork.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

#include <algorithm>
#include <array>

namespace {

enum class Glyph {
    Play,
    Pause,
    Stop,
    Prev,
    Next,
    LoopOff,
    LoopOn,
    FitWindow,
    SoundOn,
    SoundOff,
    AGo,
    ASet,
    BSet,
    BGo,
    Clear,
    ABStart,
    ABEnd,
    Shot,
    SkipBack,
    FrameBack,
    FrameFwd,
    SkipFwd,
};

enum class Look { Normal, Pressed, Disabled };

struct ArtEntry {
    int id;
    Glyph glyph;
    Look look;
};

// Sorted by id.
constexpr std::array kArt {
    ArtEntry { 131, Glyph::Play, Look::Pressed },
    ArtEntry { 132, Glyph::Play, Look::Normal },
    ArtEntry { 133, Glyph::Play, Look::Disabled },
    ArtEntry { 134, Glyph::Pause, Look::Pressed },
    ArtEntry { 135, Glyph::Pause, Look::Normal },
    ArtEntry { 136, Glyph::Stop, Look::Disabled },
    ArtEntry { 137, Glyph::Stop, Look::Pressed },
    ArtEntry { 138, Glyph::Stop, Look::Normal },
    ArtEntry { 139, Glyph::Shot, Look::Pressed },
    ArtEntry { 140, Glyph::Shot, Look::Normal },
    ArtEntry { 141, Glyph::Shot, Look::Disabled },
    ArtEntry { 142, Glyph::SoundOn, Look::Pressed },
    ArtEntry { 143, Glyph::SoundOff, Look::Normal },
    ArtEntry { 144, Glyph::SoundOff, Look::Pressed },
    ArtEntry { 145, Glyph::SoundOn, Look::Normal },
    ArtEntry { 146, Glyph::FrameBack, Look::Pressed },
    ArtEntry { 147, Glyph::FrameBack, Look::Normal },
    ArtEntry { 148, Glyph::FrameBack, Look::Disabled },
    ArtEntry { 149, Glyph::FrameFwd, Look::Pressed },
    ArtEntry { 150, Glyph::FrameFwd, Look::Normal },
    ArtEntry { 151, Glyph::FrameFwd, Look::Disabled },
    ArtEntry { 153, Glyph::BSet, Look::Pressed },
    ArtEntry { 154, Glyph::ASet, Look::Normal },
    ArtEntry { 155, Glyph::ASet, Look::Disabled },
    ArtEntry { 156, Glyph::AGo, Look::Normal },
    ArtEntry { 157, Glyph::AGo, Look::Disabled },
    ArtEntry { 158, Glyph::AGo, Look::Pressed },
    ArtEntry { 159, Glyph::ABStart, Look::Normal },
    ArtEntry { 160, Glyph::ABStart, Look::Disabled },
    ArtEntry { 161, Glyph::ABEnd, Look::Normal },
    ArtEntry { 163, Glyph::ABEnd, Look::Pressed },
    ArtEntry { 164, Glyph::ABStart, Look::Pressed },
    ArtEntry { 165, Glyph::ASet, Look::Pressed },
    ArtEntry { 166, Glyph::BSet, Look::Normal },
    ArtEntry { 167, Glyph::BSet, Look::Disabled },
    ArtEntry { 168, Glyph::BGo, Look::Normal },
    ArtEntry { 169, Glyph::BGo, Look::Disabled },
    ArtEntry { 170, Glyph::BGo, Look::Pressed },
    ArtEntry { 171, Glyph::Clear, Look::Pressed },
    ArtEntry { 172, Glyph::Clear, Look::Normal },
    ArtEntry { 173, Glyph::Clear, Look::Disabled },
    ArtEntry { 174, Glyph::SkipBack, Look::Pressed },
    ArtEntry { 175, Glyph::SkipFwd, Look::Normal },
    ArtEntry { 176, Glyph::SkipFwd, Look::Disabled },
    ArtEntry { 177, Glyph::SkipFwd, Look::Pressed },
    ArtEntry { 178, Glyph::SkipBack, Look::Normal },
    ArtEntry { 179, Glyph::SkipBack, Look::Disabled },
    ArtEntry { 181, Glyph::Prev, Look::Pressed },
    ArtEntry { 182, Glyph::Next, Look::Normal },
    ArtEntry { 183, Glyph::Next, Look::Pressed },
    ArtEntry { 184, Glyph::LoopOff, Look::Normal },
    ArtEntry { 185, Glyph::LoopOff, Look::Pressed },
    ArtEntry { 186, Glyph::LoopOn, Look::Normal },
    ArtEntry { 187, Glyph::LoopOn, Look::Pressed },
    ArtEntry { 188, Glyph::Prev, Look::Normal },
    ArtEntry { 189, Glyph::Prev, Look::Disabled },
    ArtEntry { 190, Glyph::Next, Look::Disabled },
    ArtEntry { 191, Glyph::FitWindow, Look::Disabled },
    ArtEntry { 192, Glyph::FitWindow, Look::Normal },
    ArtEntry { 193, Glyph::FitWindow, Look::Pressed },
};

const ArtEntry* FindArt(int nID)
{
    const auto it = std::lower_bound(kArt.begin(), kArt.end(), nID,
        [](const ArtEntry& e, int id) { return e.id < id; });
    return (it != kArt.end() && it->id == nID) ? &*it : nullptr;
}

// The layout of the control area depends on these sizes.
QSize GlyphSize(Glyph glyph)
{
    switch (glyph) {
    case Glyph::Play:
    case Glyph::Pause:
        return { 38, 33 };
    case Glyph::Stop:
    case Glyph::Prev:
    case Glyph::Next:
    case Glyph::LoopOff:
    case Glyph::LoopOn:
    case Glyph::FitWindow:
        return { 28, 28 };
    case Glyph::SoundOn:
    case Glyph::SoundOff:
        return { 24, 24 };
    case Glyph::AGo:
    case Glyph::BGo:
        return { 29, 23 };
    case Glyph::ASet:
    case Glyph::BSet:
        return { 15, 23 };
    case Glyph::Clear:
    case Glyph::Shot:
        return { 38, 23 };
    case Glyph::ABStart:
    case Glyph::ABEnd:
        return { 53, 23 };
    case Glyph::SkipBack:
    case Glyph::SkipFwd:
        return { 24, 23 };
    case Glyph::FrameBack:
    case Glyph::FrameFwd:
        return { 20, 23 };
    }
    return {};
}

const QColor kInk(8, 32, 40);
const QColor kGreyInk(58, 58, 58);

// The rounded cyan (or grey) face the glyph sits on.
void PaintFace(QPainter& p, const QRectF& rc, Look look)
{
    const qreal radius = std::min(rc.width(), rc.height()) * 0.28;
    QLinearGradient grad(rc.topLeft(), rc.bottomLeft());
    QColor edge;
    switch (look) {
    case Look::Normal:
        grad.setColorAt(0.0, QColor(170, 252, 255));
        grad.setColorAt(0.45, QColor(40, 225, 240));
        grad.setColorAt(1.0, QColor(0, 175, 200));
        edge = QColor(0, 120, 140);
        break;
    case Look::Pressed:
        // Lit from below, as if pushed in.
        grad.setColorAt(0.0, QColor(0, 105, 125));
        grad.setColorAt(1.0, QColor(40, 190, 210));
        edge = QColor(0, 70, 85);
        break;
    case Look::Disabled:
        grad.setColorAt(0.0, QColor(150, 150, 150));
        grad.setColorAt(1.0, QColor(100, 100, 100));
        edge = QColor(75, 75, 75);
        break;
    }
    p.setPen(QPen(edge, 1.0));
    p.setBrush(grad);
    p.drawRoundedRect(rc, radius, radius);
}

QPolygonF Triangle(QPointF tip, qreal dir, qreal w, qreal h)
{
    return QPolygonF({ tip, QPointF(tip.x() - dir * w, tip.y() - h / 2), QPointF(tip.x() - dir * w, tip.y() + h / 2) });
}

// An open chevron pointing in dir (+1 right, -1 left) with its tip at tip.
void Chevron(QPainter& p, QPointF tip, qreal dir, qreal w, qreal h)
{
    const QPointF pts[] = { QPointF(tip.x() - dir * w, tip.y() - h / 2), tip, QPointF(tip.x() - dir * w, tip.y() + h / 2) };
    p.drawPolyline(pts, 3);
}

void Arrow(QPainter& p, QPointF from, QPointF to, qreal head)
{
    p.drawLine(from, to);
    const qreal dir = to.x() > from.x() ? 1 : -1;
    Chevron(p, to, dir, head, head * 2);
}

void Speaker(QPainter& p, QPointF c, qreal u)
{
    QPolygonF cone({ QPointF(c.x() - 0.34 * u, c.y() - 0.1 * u), QPointF(c.x() - 0.2 * u, c.y() - 0.1 * u),
        QPointF(c.x() - 0.02 * u, c.y() - 0.27 * u), QPointF(c.x() - 0.02 * u, c.y() + 0.27 * u),
        QPointF(c.x() - 0.2 * u, c.y() + 0.1 * u), QPointF(c.x() - 0.34 * u, c.y() + 0.1 * u) });
    p.drawPolygon(cone);
}

void Text(QPainter& p, const QRectF& rc, const QString& text, const QColor& clr)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setStretch(QFont::SemiCondensed);
    // The largest size up to half the height that fits the width.
    for (int px = std::max(6, static_cast<int>(rc.height() * 0.5 + 0.5)); px >= 6; --px) {
        font.setPixelSize(px);
        if (QFontMetricsF(font).horizontalAdvance(text) <= rc.width())
            break;
    }
    p.setFont(font);
    p.setPen(clr);
    p.drawText(rc, Qt::AlignCenter, text);
}

// Glyphs scale with u, the image's shorter side, and centre on area.
void PaintGlyph(QPainter& p, Glyph glyph, const QRectF& area, qreal u, bool bDisabled)
{
    const QColor ink = bDisabled ? kGreyInk : kInk;
    const QPointF c = area.center();
    const QPen stroke(ink, std::max(1.5, u * 0.09), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setBrush(ink);
    p.setPen(Qt::NoPen);
    switch (glyph) {
    case Glyph::Play: {
        const qreal h = u * 0.5, w = h * 0.87;
        p.drawPolygon(Triangle(QPointF(c.x() + w * 2 / 3, c.y()), 1, w, h));
        break;
    }
    case Glyph::Pause: {
        const qreal h = u * 0.46, w = u * 0.14;
        p.drawRect(QRectF(c.x() - w * 1.5, c.y() - h / 2, w, h));
        p.drawRect(QRectF(c.x() + w * 0.5, c.y() - h / 2, w, h));
        break;
    }
    case Glyph::Stop: {
        const qreal s = u * 0.38;
        p.drawRect(QRectF(c.x() - s / 2, c.y() - s / 2, s, s));
        break;
    }
    case Glyph::Prev:
    case Glyph::Next: {
        const qreal dir = glyph == Glyph::Next ? 1 : -1;
        const qreal w = u * 0.22, h = u * 0.4;
        p.drawPolygon(Triangle(QPointF(c.x() + dir * w, c.y()), dir, w, h));
        p.drawPolygon(Triangle(QPointF(c.x(), c.y()), dir, w, h));
        break;
    }
    case Glyph::LoopOff:
        p.setPen(stroke);
        Arrow(p, QPointF(c.x() - u * 0.28, c.y()), QPointF(c.x() + u * 0.28, c.y()), u * 0.12);
        break;
    case Glyph::LoopOn:
        p.setPen(stroke);
        Arrow(p, QPointF(c.x() - u * 0.28, c.y() - u * 0.13), QPointF(c.x() + u * 0.28, c.y() - u * 0.13), u * 0.1);
        Arrow(p, QPointF(c.x() + u * 0.28, c.y() + u * 0.13), QPointF(c.x() - u * 0.28, c.y() + u * 0.13), u * 0.1);
        break;
    case Glyph::FitWindow: {
        // A picture with corner marks around it.
        const qreal hw = u * 0.3, hh = u * 0.24, arm = u * 0.12;
        p.drawRect(QRectF(c.x() - u * 0.14, c.y() - u * 0.09, u * 0.28, u * 0.18));
        p.setPen(QPen(ink, std::max(1.2, u * 0.06), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.setBrush(Qt::NoBrush);
        for (const qreal sx : { -1.0, 1.0 }) {
            for (const qreal sy : { -1.0, 1.0 }) {
                const QPointF corner(c.x() + sx * hw, c.y() + sy * hh);
                const QPointF pts[] = { QPointF(corner.x(), corner.y() - sy * arm), corner, QPointF(corner.x() - sx * arm, corner.y()) };
                p.drawPolyline(pts, 3);
            }
        }
        break;
    }
    case Glyph::SoundOn:
        Speaker(p, c, u);
        p.setPen(QPen(ink, std::max(1.2, u * 0.07), Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        for (const qreal r : { u * 0.14, u * 0.26 })
            p.drawArc(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), -50 * 16, 100 * 16);
        break;
    case Glyph::SoundOff:
        Speaker(p, c, u);
        p.setPen(QPen(ink, std::max(1.2, u * 0.07), Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(c.x() + u * 0.08, c.y() - u * 0.12), QPointF(c.x() + u * 0.32, c.y() + u * 0.12));
        p.drawLine(QPointF(c.x() + u * 0.08, c.y() + u * 0.12), QPointF(c.x() + u * 0.32, c.y() - u * 0.12));
        break;
    case Glyph::AGo:
        Text(p, area, QStringLiteral("A<<"), ink);
        break;
    case Glyph::ASet:
        Text(p, area, QStringLiteral("A"), ink);
        break;
    case Glyph::BSet:
        Text(p, area, QStringLiteral("B"), ink);
        break;
    case Glyph::BGo:
        Text(p, area, QStringLiteral(">>B"), ink);
        break;
    case Glyph::Clear:
        Text(p, area, QStringLiteral("Clear"), ink);
        break;
    case Glyph::ABStart:
        Text(p, area, QStringLiteral("A-B Rep"), ink);
        break;
    case Glyph::ABEnd:
        // Red while the repeat runs.
        Text(p, area, QStringLiteral("A-B Rep"), bDisabled ? ink : QColor(200, 0, 0));
        break;
    case Glyph::Shot: {
        // A camera.
        const qreal bw = u * 0.82, bh = u * 0.5;
        const QRectF body(c.x() - bw / 2, c.y() - bh / 2 + u * 0.06, bw, bh);
        p.drawRect(QRectF(body.left() + bw * 0.18, body.top() - u * 0.1, bw * 0.3, u * 0.12));
        p.drawRoundedRect(body, u * 0.06, u * 0.06);
        const qreal r = bh * 0.32;
        const QPointF lens(body.center());
        p.setBrush(bDisabled ? QColor(140, 140, 140) : QColor(120, 230, 240));
        p.drawEllipse(lens, r, r);
        p.setBrush(ink);
        p.drawEllipse(lens, r * 0.45, r * 0.45);
        break;
    }
    case Glyph::SkipBack:
    case Glyph::SkipFwd: {
        const qreal dir = glyph == Glyph::SkipFwd ? 1 : -1;
        const qreal w = u * 0.2, h = u * 0.42;
        p.setPen(stroke);
        Chevron(p, QPointF(c.x() + dir * w * 0.9, c.y()), dir, w, h);
        Chevron(p, QPointF(c.x() - dir * w * 0.1, c.y()), dir, w, h);
        break;
    }
    case Glyph::FrameBack:
    case Glyph::FrameFwd: {
        const qreal dir = glyph == Glyph::FrameFwd ? 1 : -1;
        const qreal w = u * 0.22, h = u * 0.46;
        p.setPen(stroke);
        Chevron(p, QPointF(c.x() + dir * w / 2, c.y()), dir, w, h);
        break;
    }
    }
}

} // namespace

QSize ButtonArtSize(int nID)
{
    const ArtEntry* art = FindArt(nID);
    return art ? GlyphSize(art->glyph) : QSize();
}

bool PaintButtonArt(QPainter& painter, int nID, bool bGreyed)
{
    const ArtEntry* art = FindArt(nID);
    if (!art)
        return false;
    const QSize size = GlyphSize(art->glyph);
    const Look look = bGreyed ? Look::Disabled : art->look;

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::black);
    const QRectF face(1, 1, size.width() - 2, size.height() - 2);
    PaintFace(painter, face.adjusted(0.5, 0.5, -0.5, -0.5), look);
    QRectF area = face.adjusted(2, 2, -2, -2);
    if (look == Look::Pressed)
        area.translate(0.5, 1);
    PaintGlyph(painter, art->glyph, area, std::min(size.width(), size.height()), look == Look::Disabled);
    painter.restore();
    return true;
}

QIcon AppIcon()
{
    QIcon icon;
    for (const int px : { 16, 24, 32, 48, 64, 128, 256 }) {
        QPixmap pm(px, px);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        const qreal m = px / 16.0;
        const QRectF face(m * 0.5, m * 0.5, px - m, px - m);
        PaintFace(p, face, Look::Normal);
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        const qreal h = px * 0.5, w = h * 0.87;
        p.drawPolygon(Triangle(QPointF(px / 2.0 + w * 2 / 3, px / 2.0), 1, w, h));
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}
