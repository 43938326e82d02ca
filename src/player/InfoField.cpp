#include "player/InfoField.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

QLineEdit* MakeInfoLine(QWidget* parent, int nID, const QString& text)
{
    auto* field = new QLineEdit(text, parent);
    field->setObjectName(QString::number(nID));
    field->setReadOnly(true);
    // A long path shows where it starts, as the box opens.
    field->setCursorPosition(0);
    return field;
}

QPlainTextEdit* MakeInfoBox(QWidget* parent, int nID, const QString& text)
{
    auto* field = new QPlainTextEdit(text, parent);
    field->setObjectName(QString::number(nID));
    field->setReadOnly(true);
    // A read-only box moves no cursor unless told to: part of it could not
    // be selected from the keyboard.
    field->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    field->setLineWrapMode(QPlainTextEdit::NoWrap);
    return field;
}

QWidget* MakeInfoOk(QDialog* dialog)
{
    auto* buttons = new QDialogButtonBox(dialog);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("1"));
    ok->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    return buttons;
}
