#pragma once
// The still-image settings dialog: file format, JPEG quality and the folder
// stills go to. It closes with OK only when the quality is a number from 0
// to 100 and the folder exists. Controls carry their ids as object names
// ("1000" …).

#include "platform/DialogUnits.h"
#include "platform/WinTypes.h"

#include <QDialog>
#include <QString>

class QLineEdit;
class QRadioButton;

class CCaptureOptDlg : public QDialog {
    Q_OBJECT
public:
    // The controls start from these values.
    CCaptureOptDlg(int nFormat, const QString& strFolder, int nQuality, QWidget* parent = nullptr);

    // Reads and checks the controls; closes only when they pass.
    void accept() override;

    // What the user chose, once OK has closed the dialog.
    int m_nFormat;
    QString m_strFolder;
    int m_nQuality;

private:
    void OnBrowse();

    CDialogUnits m_units;
    QRadioButton* m_pBmp = nullptr;
    QRadioButton* m_pJpeg = nullptr;
    QLineEdit* m_pFolderEdit = nullptr;
    QLineEdit* m_pQualityEdit = nullptr;
};

// Runs the dialog modally on the three settings. On OK they take the
// dialog's values and the result is TRUE; on cancel they stay as they were.
BOOL EditCaptureOptions(QWidget* pParent, int& nFormat, QString& strFolder, int& nQuality);
