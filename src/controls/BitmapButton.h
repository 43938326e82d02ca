#pragma once
// A push button that shows an image instead of a label and sends a command id
// when clicked, as a menu item would.

#include "platform/WinTypes.h"

#include <QAbstractButton>

#include <functional>

// Carries out a command id (the owner's command dispatch).
using CommandRouter = std::function<void(int nCommandID)>;

class CBitmapButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit CBitmapButton(QWidget* parent = nullptr);

    // Makes the button a visible child of pParentWnd that sends nID through
    // router when clicked, showing image nIDUp normally, nIDDown while held
    // and nIDDisabled while disabled (0: a greyed copy of nIDUp), and sizes
    // it to its image. FALSE without a parent or for an unknown image id.
    BOOL Create(QWidget* pParentWnd, int nID, int nIDUp, int nIDDown, int nIDDisabled, CommandRouter router);
    int GetDlgCtrlID() const { return m_nID; }
    // The normal image: tells a paired button's looks apart.
    int GetUpImageID() const { return m_nIDUp; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_nID = 0;
    int m_nIDUp = 0;
    int m_nIDDown = 0;
    int m_nIDDisabled = 0;
    CommandRouter m_router;
};
