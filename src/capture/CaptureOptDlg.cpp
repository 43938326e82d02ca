#include "capture/CaptureOptDlg.h"

#include "capture/CaptureNaming.h"
#include "platform/BrowseForFolder.h"
#include "platform/ModalSeam.h"
#include "playlist/MediaFiles.h"
#include "res/StringIds.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

constexpr int kMinQuality = 0;
constexpr int kMaxQuality = 100;

// The standard complaint about a number out of range.
const char kQualityRangeText[] = "0 から 100 までの整数を入力してください。";

} // namespace

CCaptureOptDlg::CCaptureOptDlg(int nFormat, const QString& strFolder, int nQuality, QWidget* parent)
    : QDialog(parent)
    , m_nFormat(nFormat)
    , m_strFolder(strFolder)
    , m_nQuality(nQuality)
    , m_units(font())
{
    setWindowTitle(QStringLiteral("静止画保存設定"));

    (new QGroupBox(QStringLiteral("ファイル形式"), this))->setGeometry(m_units.Rect(7, 4, 70, 36));
    m_pBmp = new QRadioButton(QStringLiteral("BMP"), this);
    m_pBmp->setObjectName(QStringLiteral("1000"));
    m_pBmp->setGeometry(m_units.Rect(15, 14, 50, 10));
    m_pJpeg = new QRadioButton(QStringLiteral("JPEG"), this);
    m_pJpeg->setObjectName(QStringLiteral("1001"));
    m_pJpeg->setGeometry(m_units.Rect(15, 26, 50, 10));

    (new QLabel(QStringLiteral("JPEG品質"), this))->setGeometry(m_units.Rect(88, 10, 40, 8));
    (new QLabel(QStringLiteral("(0-100)"), this))->setGeometry(m_units.Rect(88, 20, 40, 8));
    m_pQualityEdit = new QLineEdit(QString::number(nQuality), this);
    m_pQualityEdit->setObjectName(QStringLiteral("1004"));
    m_pQualityEdit->setGeometry(m_units.Rect(130, 12, 30, 14));

    (new QLabel(QStringLiteral("保存フォルダ"), this))->setGeometry(m_units.Rect(7, 44, 60, 8));
    m_pFolderEdit = new QLineEdit(strFolder, this);
    m_pFolderEdit->setObjectName(QStringLiteral("1002"));
    m_pFolderEdit->setGeometry(m_units.Rect(7, 54, 150, 14));
    auto* browse = new QPushButton(QStringLiteral("..."), this);
    browse->setObjectName(QStringLiteral("1003"));
    browse->setAutoDefault(false);
    browse->setGeometry(m_units.Rect(160, 54, 19, 14));
    connect(browse, &QPushButton::clicked, this, &CCaptureOptDlg::OnBrowse);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("1"));
    ok->setDefault(true);
    ok->setGeometry(m_units.Rect(75, 72, 50, 14));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cancel->setObjectName(QStringLiteral("2"));
    cancel->setAutoDefault(false);
    cancel->setGeometry(m_units.Rect(129, 72, 50, 14));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    // A format the settings file made up saves BMP, so BMP is what shows.
    const bool bJpeg = nFormat == SAVE_FORMAT_JPEG;
    (bJpeg ? m_pJpeg : m_pBmp)->setChecked(true);
    m_pQualityEdit->setEnabled(bJpeg);
    connect(m_pBmp, &QRadioButton::clicked, this, [this] { m_pQualityEdit->setEnabled(false); });
    connect(m_pJpeg, &QRadioButton::clicked, this, [this] { m_pQualityEdit->setEnabled(true); });

    setFixedSize(m_units.Rect(0, 0, 186, 90).size());
}

void CCaptureOptDlg::OnBrowse()
{
    const QString folder = BrowseForFolder(QStringLiteral("静止画保存フォルダの選択"), QString(), TRUE, this);
    // Cancelled: whatever was typed stays.
    if (!folder.isEmpty())
        m_pFolderEdit->setText(folder);
}

void CCaptureOptDlg::accept()
{
    // The quality is checked even while BMP is chosen and its field is grey.
    bool bNumber = false;
    const int nQuality = m_pQualityEdit->text().trimmed().toInt(&bNumber);
    if (!bNumber || nQuality < kMinQuality || nQuality > kMaxQuality) {
        AfxMessageBox(QString::fromUtf8(kQualityRangeText), MB_ICONWARNING);
        m_pQualityEdit->setFocus();
        m_pQualityEdit->selectAll();
        return;
    }
    const QString folder = m_pFolderEdit->text();
    if (folder.isEmpty()) {
        AfxMessageBox(IDS_NO_SAVE_FOLDER, MB_ICONERROR);
        return;
    }
    if (!IsFolder(folder)) {
        AfxMessageBox(IDS_SAVE_FOLDER_MISSING, MB_ICONERROR);
        return;
    }
    m_nFormat = m_pJpeg->isChecked() ? SAVE_FORMAT_JPEG : SAVE_FORMAT_BMP;
    m_strFolder = folder;
    m_nQuality = nQuality;
    QDialog::accept();
}

BOOL EditCaptureOptions(QWidget* pParent, int& nFormat, QString& strFolder, int& nQuality)
{
    CCaptureOptDlg dlg(nFormat, strFolder, nQuality, pParent);
    if (Modal().ExecDialog(dlg) != QDialog::Accepted)
        return FALSE;
    nFormat = dlg.m_nFormat;
    strFolder = dlg.m_strFolder;
    nQuality = dlg.m_nQuality;
    return TRUE;
}
