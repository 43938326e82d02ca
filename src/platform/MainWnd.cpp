#include "platform/MainWnd.h"

#include <QPointer>
#include <QWidget>

namespace {
QPointer<QWidget>& MainWnd()
{
    static QPointer<QWidget> wnd;
    return wnd;
}
}

QWidget* AfxGetMainWnd() { return MainWnd().data(); }

void AfxSetMainWnd(QWidget* pWnd) { MainWnd() = pWnd; }
