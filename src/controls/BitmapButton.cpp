#include "controls/BitmapButton.h"

#include "res/Artwork.h"

#include <QPainter>

CBitmapButton::CBitmapButton(QWidget* parent)
    : QAbstractButton(parent)
{
    // Keys belong to the window's shortcuts, not to a button that was clicked.
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (m_router)
            m_router(m_nID);
    });
}

BOOL CBitmapButton::Create(QWidget* pParentWnd, int nID, int nIDUp, int nIDDown, int nIDDisabled, CommandRouter router)
{
    const auto known = [](int id) { return id == 0 || !ButtonArtSize(id).isEmpty(); };
    if (!pParentWnd || ButtonArtSize(nIDUp).isEmpty() || !known(nIDDown) || !known(nIDDisabled))
        return FALSE;
    m_nID = nID;
    m_nIDUp = nIDUp;
    m_nIDDown = nIDDown;
    m_nIDDisabled = nIDDisabled;
    m_router = std::move(router);
    if (objectName().isEmpty())
        setObjectName(QString::number(nID));
    setParent(pParentWnd);
    resize(sizeHint());
    show();
    return TRUE;
}

QSize CBitmapButton::sizeHint() const
{
    return ButtonArtSize(m_nIDUp);
}

void CBitmapButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!isEnabled()) {
        if (m_nIDDisabled)
            PaintButtonArt(painter, m_nIDDisabled);
        else
            PaintButtonArt(painter, m_nIDUp, true);
    } else if (isDown() && m_nIDDown) {
        PaintButtonArt(painter, m_nIDDown);
    } else {
        PaintButtonArt(painter, m_nIDUp);
    }
}
