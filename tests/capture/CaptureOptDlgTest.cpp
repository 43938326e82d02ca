// The still-image settings dialog: the quality field follows the format,
// OK refuses a bad quality or folder, cancel and a cancelled browse change
// nothing.

#include "DialogControls.h"
#include "ScriptedResponder.h"

#include "capture/CaptureNaming.h"
#include "capture/CaptureOptDlg.h"
#include "platform/ResString.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

namespace {

QLineEdit* Quality(QDialog& dlg) { return Control<QLineEdit>(dlg, 1004); }
QLineEdit* Folder(QDialog& dlg) { return Control<QLineEdit>(dlg, 1002); }
void Click(QDialog& dlg, int nID) { Control<QAbstractButton>(dlg, nID)->click(); }

class CaptureOptDlg : public ::testing::Test {
protected:
    // Exactly one box was shown, with this text and style; then forgets it.
    void ExpectOneBox(const QString& text, unsigned style)
    {
        ASSERT_EQ(m_responder.boxes.size(), 1u);
        if (!text.isEmpty()) {
            EXPECT_EQ(m_responder.boxes[0].text, text);
        }
        EXPECT_EQ(m_responder.boxes[0].style, style);
        m_responder.boxes.clear();
    }

    ScriptedResponder m_responder;
    QTemporaryDir m_dir;
};

TEST_F(CaptureOptDlg, TheQualityFieldIsOpenForJpegOnly)
{
    CCaptureOptDlg jpeg(SAVE_FORMAT_JPEG, QString(), 80, nullptr);
    EXPECT_TRUE(Control<QRadioButton>(jpeg, 1001)->isChecked());
    EXPECT_TRUE(Quality(jpeg)->isEnabled());
    EXPECT_EQ(Quality(jpeg)->text(), "80");
    Click(jpeg, 1000);
    EXPECT_FALSE(Quality(jpeg)->isEnabled());
    Click(jpeg, 1001);
    EXPECT_TRUE(Quality(jpeg)->isEnabled());

    CCaptureOptDlg bmp(SAVE_FORMAT_BMP, QString(), 90, nullptr);
    EXPECT_TRUE(Control<QRadioButton>(bmp, 1000)->isChecked());
    EXPECT_FALSE(Quality(bmp)->isEnabled());
}

TEST_F(CaptureOptDlg, OkGivesBackAllThreeValues)
{
    const QString folder = m_dir.path();
    m_responder.dialogScripts.push_back([&](QDialog& dlg) {
        Click(dlg, 1001);
        Quality(dlg)->setText(" 75 ");
        Folder(dlg)->setText(folder);
        Click(dlg, 1);
        return dlg.result();
    });
    int nFormat = SAVE_FORMAT_BMP;
    QString strFolder;
    int nQuality = 90;
    EXPECT_TRUE(EditCaptureOptions(nullptr, nFormat, strFolder, nQuality));
    EXPECT_EQ(nFormat, SAVE_FORMAT_JPEG);
    EXPECT_EQ(strFolder, folder);
    EXPECT_EQ(nQuality, 75);
    EXPECT_TRUE(m_responder.boxes.empty());
}

TEST_F(CaptureOptDlg, OkStaysOpenUntilQualityAndFolderAreGood)
{
    CCaptureOptDlg dlg(SAVE_FORMAT_BMP, QString(), 90, nullptr);
    // The grey quality field is checked all the same.
    for (const char* bad : { "101", "-1", "abc", "" }) {
        SCOPED_TRACE(bad);
        Quality(dlg)->setText(QString::fromLatin1(bad));
        Click(dlg, 1);
        EXPECT_EQ(dlg.result(), QDialog::Rejected);
        ExpectOneBox(QString(), MB_ICONWARNING);
    }
    Quality(dlg)->setText("100");
    Click(dlg, 1);
    ExpectOneBox(LoadResString(IDS_NO_SAVE_FOLDER), MB_ICONERROR);
    Folder(dlg)->setText(m_dir.filePath("missing"));
    Click(dlg, 1);
    ExpectOneBox(LoadResString(IDS_SAVE_FOLDER_MISSING), MB_ICONERROR);
    EXPECT_EQ(dlg.result(), QDialog::Rejected);

    Folder(dlg)->setText(m_dir.path());
    Click(dlg, 1);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.m_nQuality, 100);
    EXPECT_TRUE(m_responder.boxes.empty());
}

TEST_F(CaptureOptDlg, BrowsingFillsTheFolderAndACancelledBrowseKeepsIt)
{
    CCaptureOptDlg dlg(SAVE_FORMAT_BMP, QStringLiteral("/typed/by/hand"), 90, nullptr);
    m_responder.folderAnswers.push_back(QString());
    Click(dlg, 1003);
    EXPECT_EQ(Folder(dlg)->text(), "/typed/by/hand");
    m_responder.folderAnswers.push_back(m_dir.path());
    Click(dlg, 1003);
    EXPECT_EQ(Folder(dlg)->text(), m_dir.path());
    // The browser starts nowhere in particular.
    EXPECT_EQ(m_responder.dialogDirs, (std::vector<QString> { QString(), QString() }));
}

TEST_F(CaptureOptDlg, CancelLeavesTheSettingsAsTheyWere)
{
    m_responder.dialogScripts.push_back([&](QDialog& dlg) {
        Click(dlg, 1001);
        Folder(dlg)->setText(m_dir.path());
        Click(dlg, 2);
        return dlg.result();
    });
    int nFormat = SAVE_FORMAT_BMP;
    QString strFolder = QStringLiteral("/old");
    int nQuality = 90;
    EXPECT_FALSE(EditCaptureOptions(nullptr, nFormat, strFolder, nQuality));
    EXPECT_EQ(nFormat, SAVE_FORMAT_BMP);
    EXPECT_EQ(strFolder, "/old");
    EXPECT_EQ(nQuality, 90);
}

} // namespace
