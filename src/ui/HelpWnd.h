#pragma once
// The help window: every command of the menu and the keys, with where it is
// found and which keys carry it. There is no help file; this list is the
// program's help.

#include <QDialog>

class QTableWidget;

class CHelpWnd : public QDialog {
    Q_OBJECT
public:
    explicit CHelpWnd(QWidget* parent = nullptr);

    // Rows of the list: where the command is ("ファイル > ..." or empty for
    // a command without a menu item), its name and its keys.
    QTableWidget* Table() const { return m_pTable; }

private:
    QTableWidget* m_pTable = nullptr;
};
