#pragma once
// The mouse wheel over the two bars, and the bars' own keys kept for them
// while they have the focus. Everything else a key does goes through the
// command table; so does every wheel step here.

#include <QHash>
#include <QObject>
#include <QString>

#include <functional>

class QAbstractButton;
class QWidget;

class CDesktopInput : public QObject {
public:
    using Dispatcher = std::function<void(int nID)>;
    CDesktopInput(QObject* parent, Dispatcher dispatch);

    // A wheel step away from the user sends nUpID, towards the user nDownID.
    // While the bar has the focus its arrow and paging keys stay its own.
    void WatchBar(QWidget& bar, int nUpID, int nDownID);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Bar {
        int nUpID = 0;
        int nDownID = 0;
        // Wheel travel not yet worth a whole step (fine-grained touchpads).
        int nPendingAngle = 0;
    };
    Dispatcher m_dispatch;
    QHash<QObject*, Bar> m_bars;
};

// "menu text (key)" for a command's button: the text without its mnemonic,
// and the key the menu shows (else the first key the command has).
QString CommandToolTip(int nID);
