#pragma once
// The media extension dialog: the user's extra video and audio extensions,
// which the program then takes for media files. Controls carry their ids as
// object names ("1005" …).

#include "platform/DialogUnits.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;

class CExtDlg : public QDialog {
    Q_OBJECT
public:
    explicit CExtDlg(QWidget* parent = nullptr);

    // The typed text as an extension: characters a file name cannot hold
    // and every dot removed, one dot put in front; empty when nothing is left.
    static QString NormalizeExt(const QString& text);

    // Stores both lists as the user's extensions, then closes.
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Kind {
        QListWidget* pList = nullptr;
        QLineEdit* pEdit = nullptr;
        QPushButton* pAdd = nullptr;
        QPushButton* pDelete = nullptr;
    };
    // Controls of one kind, in the group box at x (dialog units).
    Kind CreateKind(const QString& title, int x, int idList, int idEdit, int idAdd, int idDelete);
    void OnAdd(Kind& kind);
    void OnDelete(Kind& kind);
    // A built-in or saved media extension, a playlist extension, or one in
    // either list here.
    bool IsKnown(const QString& ext) const;
    QRect DluRect(int x, int y, int cx, int cy) const;

    CDialogUnits m_units;
    Kind m_video;
    Kind m_audio;
};
