#pragma once
// What the two information dialogs are made of. Their fields are read-only,
// but selectable with the mouse and the keyboard and copyable, since their
// texts end up in bug reports; each carries its control id as its object
// name.

#include <QString>

class QDialog;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

// One line, shown from its start.
QLineEdit* MakeInfoLine(QWidget* parent, int nID, const QString& text);
// Several lines, not wrapped.
QPlainTextEdit* MakeInfoBox(QWidget* parent, int nID, const QString& text);
// The OK button ("1") that closes the dialog, in its row.
QWidget* MakeInfoOk(QDialog* dialog);
