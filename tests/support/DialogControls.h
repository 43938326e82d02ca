#pragma once
// Reading a dialog's controls by their ids, which they carry as object names.

#include <QDialog>
#include <QListWidget>
#include <QStringList>

#include <gtest/gtest.h>

// Control nID of the dialog; a failure when there is none.
template <typename T>
T* Control(const QDialog& dlg, int nID)
{
    T* control = dlg.findChild<T*>(QString::number(nID));
    EXPECT_NE(control, nullptr) << nID;
    return control;
}

// The rows of list control nID, in order; empty when there is none.
inline QStringList ListRows(const QDialog& dlg, int nID)
{
    QStringList rows;
    const auto* list = dlg.findChild<QListWidget*>(QString::number(nID));
    for (int i = 0; list && i < list->count(); ++i)
        rows << list->item(i)->text();
    return rows;
}
