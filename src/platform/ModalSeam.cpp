#include "platform/ModalSeam.h"

#include "platform/ResString.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>

namespace {

class QtModalResponder final : public IModalResponder {
public:
    int MessageBox(const QString& text, unsigned style, const QString& detail) override
    {
        QMessageBox box(ModalParent());
        box.setWindowTitle(LoadResString(IDS_APP_TITLE));
        box.setText(text);
        if (!detail.isEmpty())
            box.setDetailedText(detail);
        switch (style & 0xF0) {
        case MB_ICONERROR: box.setIcon(QMessageBox::Critical); break;
        case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
        case MB_ICONWARNING: box.setIcon(QMessageBox::Warning); break;
        case MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
        default: break;
        }
        switch (style & 0x0F) {
        case MB_OKCANCEL:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case MB_YESNOCANCEL:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
        case MB_YESNO:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        default:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        }
        switch (box.exec()) {
        case QMessageBox::Yes: return IDYES;
        case QMessageBox::No: return IDNO;
        case QMessageBox::Cancel: return IDCANCEL;
        default: return IDOK;
        }
    }

    // The filters come from MfcFilterToQt, whose patterns are spelled for
    // case-free matching; the user sees only the display texts.
    static constexpr QFileDialog::Options kFilterOptions = QFileDialog::HideNameFilterDetails;

    QStringList GetOpenFileNames(QWidget* parent, const QString& caption, const QString& dir,
        const QString& filter, bool multiple) override
    {
        if (multiple)
            return QFileDialog::getOpenFileNames(parent, caption, dir, filter, nullptr, kFilterOptions);
        const QString one = QFileDialog::getOpenFileName(parent, caption, dir, filter, nullptr, kFilterOptions);
        return one.isEmpty() ? QStringList() : QStringList { one };
    }

    QString GetSaveFileName(QWidget* parent, const QString& caption, const QString& dir,
        const QString& filter, const QString& defaultSuffix) override
    {
        QFileDialog dlg(parent, caption, dir, filter);
        dlg.setOptions(kFilterOptions);
        dlg.setAcceptMode(QFileDialog::AcceptSave);
        dlg.setFileMode(QFileDialog::AnyFile);
        if (defaultSuffix.startsWith(QLatin1Char('.')))
            dlg.setDefaultSuffix(defaultSuffix.mid(1));
        if (dlg.exec() != QDialog::Accepted)
            return QString();
        return dlg.selectedFiles().value(0);
    }

    QString GetExistingDirectory(QWidget* parent, const QString& caption, const QString& dir) override
    {
        return QFileDialog::getExistingDirectory(parent, caption, dir);
    }

    int ExecDialog(QDialog& dialog) override { return dialog.exec(); }
};

QtModalResponder g_qtResponder;
IModalResponder* g_responder = nullptr;
QPointer<QWidget> g_parent;

} // namespace

IModalResponder& Modal() { return g_responder ? *g_responder : g_qtResponder; }

void SetModalResponder(IModalResponder* responder) { g_responder = responder; }

void SetModalParent(QWidget* parent) { g_parent = parent; }

QWidget* ModalParent()
{
    if (g_parent)
        return g_parent;
    return QApplication::activeWindow();
}

int AfxMessageBox(const QString& text, unsigned style, const QString& detail)
{
    return Modal().MessageBox(text, style, detail);
}

int AfxMessageBox(int idPrompt, unsigned style)
{
    return Modal().MessageBox(LoadResString(idPrompt), style, QString());
}
