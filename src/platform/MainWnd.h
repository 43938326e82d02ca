#pragma once
// The application's main window, for the few places that address it without
// being given it (graph notifications). The main frame registers itself.

class QWidget;

// Null when there is none.
QWidget* AfxGetMainWnd();
void AfxSetMainWnd(QWidget* pWnd);
