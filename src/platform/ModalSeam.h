#pragma once
// Every message box, file dialog, folder dialog and modal dialog of the
// program goes through here, so tests can answer them without blocking.

#include <QString>
#include <QStringList>

#include <functional>

class QDialog;
class QObject;
class QWidget;

// Message-box styles and results, with their Windows values.
constexpr unsigned MB_OK = 0x00;
constexpr unsigned MB_OKCANCEL = 0x01;
constexpr unsigned MB_YESNOCANCEL = 0x03;
constexpr unsigned MB_YESNO = 0x04;
constexpr unsigned MB_ICONERROR = 0x10;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_ICONWARNING = 0x30;
constexpr unsigned MB_ICONINFORMATION = 0x40;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// What one message box says: its message, the lines shown under it, and the
// text behind its details button. Either of the last two may be empty.
struct MessageBoxTexts {
    QString text;
    QString informative;
    QString detail;
};

class IModalResponder {
public:
    virtual ~IModalResponder() = default;
    // Returns IDOK, IDCANCEL, IDYES or IDNO.
    virtual int MessageBox(const MessageBoxTexts& texts, unsigned style) = 0;
    // Qt name filters (see MfcFilterToQt); empty list when cancelled.
    virtual QStringList GetOpenFileNames(QWidget* parent, const QString& caption,
        const QString& dir, const QString& filter, bool multiple) = 0;
    // Empty when cancelled. defaultSuffix (".ext") is added to a name typed
    // without extension, before the dialog asks about overwriting.
    virtual QString GetSaveFileName(QWidget* parent, const QString& caption,
        const QString& dir, const QString& filter, const QString& defaultSuffix) = 0;
    virtual QString GetExistingDirectory(QWidget* parent, const QString& caption,
        const QString& dir) = 0;
    // Runs a modal dialog; returns QDialog::Accepted or QDialog::Rejected.
    virtual int ExecDialog(QDialog& dialog) = 0;
};

// The responder in use: the Qt one unless a test installed another. Every
// call made through here counts as a box that is open until it returns.
IModalResponder& Modal();
// nullptr puts the Qt responder back.
void SetModalResponder(IModalResponder* responder);
// Window that boxes are centred on, frames included; the main frame sets
// itself.
void SetModalParent(QWidget* parent);
QWidget* ModalParent();

int AfxMessageBox(const QString& text, unsigned style = MB_OK, const QString& detail = QString());
int AfxMessageBox(const MessageBoxTexts& texts, unsigned style);
int AfxMessageBox(int idPrompt, unsigned style = MB_OK);

// While a box or modal dialog is open its event loop runs, and whatever
// arrives then (a second start's files, a drop, a player's event) would
// change the list or the player under the code that opened the box. Such
// work waits here until the last box has closed.

// A box or modal dialog of the program is open.
bool IsModalOpen();
// Runs `work` from the event loop once no box is open, after the work that
// waits already. Work whose context is destroyed before its turn is dropped.
// The work may open boxes of its own; what arrives meanwhile waits for it.
void PostWhenNoModal(QObject* context, std::function<void()> work);
// At once when no box is open and nothing waits; otherwise as
// PostWhenNoModal, so that work keeps the order it arrived in.
void RunWhenNoModal(QObject* context, std::function<void()> work);
