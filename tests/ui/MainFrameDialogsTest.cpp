// The frame's filter list command with a scripted view: what the dialog
// starts from, and what OK leaves in the frame's list and in the settings file.

#include "DialogControls.h"
#include "FrameFixture.h"

#include "platform/ProfileFile.h"
#include "ui/CommandIds.h"

#include <QListWidget>
#include <QPushButton>

namespace {

QStringList ListOf(const FilterNameList& list)
{
    QStringList names;
    for (int i = 0; i < list.GetCount(); ++i)
        names << list.GetAt(i);
    return names;
}

void Click(QDialog& dlg, const char* pszID)
{
    auto* button = dlg.findChild<QPushButton*>(QString::fromLatin1(pszID));
    ASSERT_NE(button, nullptr) << pszID;
    ASSERT_TRUE(button->isEnabled()) << pszID;
    button->click();
}

class MainFrameDialogsTest : public FrameFixture {
protected:
    void SetUp() override
    {
        // Lists saved by an earlier run.
        const QString ini = m_home.File(QStringLiteral("orv.ini"));
        WritePrivateProfileString(QStringLiteral("Common"), QStringLiteral("BL_NUM"), QStringLiteral("2"), ini);
        WritePrivateProfileString(kBlack, QStringLiteral("BL_FILTER0"), QStringLiteral("JPEG image decoder"), ini);
        WritePrivateProfileString(kBlack, QStringLiteral("BL_FILTER1"), QStringLiteral("AVI demuxer"), ini);
        FrameFixture::SetUp();
    }
    // Destroys the frame, which writes its settings, and reads the list back.
    QStringList SavedList(const QString& section, const char* stem)
    {
        m_frame.reset();
        const QString ini = m_home.File(QStringLiteral("orv.ini"));
        QStringList names;
        const int nCount = GetPrivateProfileInt(QStringLiteral("Common"),
            QString::fromLatin1(stem).left(2) + QStringLiteral("_NUM"), -1, ini);
        for (int i = 0; i < nCount; ++i)
            names << GetPrivateProfileString(section, QString::fromLatin1(stem) + QString::number(i), QString(), ini);
        return names;
    }
    // Runs the command; the dialog it opened, as the script saw it, is
    // handed to `script`, whose result ends the dialog.
    int Open(int nID, std::function<int(QDialog&)> script)
    {
        int nOpened = 0;
        m_responder.dialogScripts.push_back([&nOpened, script](QDialog& dlg) {
            ++nOpened;
            return script(dlg);
        });
        Command(nID);
        m_responder.dialogScripts.clear();
        return nOpened;
    }

    static inline const QString kBlack = QStringLiteral("Black List Filters");
};

TEST_F(MainFrameDialogsTest, OkKeepsTheEditedListAndTheSettingsSaveIt)
{
    QStringList shown;
    ASSERT_EQ(Open(ID_BLACK_LIST,
                  [&](QDialog& dlg) {
                      shown = ListRows(dlg, 1028);
                      dlg.findChild<QListWidget*>(QStringLiteral("1028"))->setCurrentRow(0);
                      Click(dlg, "1032");
                      return QDialog::Accepted;
                  }),
        1);
    EXPECT_EQ(shown, (QStringList { QStringLiteral("JPEG image decoder"), QStringLiteral("AVI demuxer") }));
    EXPECT_EQ(ListOf(Frame().ViewSettings().m_blackList), QStringList { QStringLiteral("AVI demuxer") });
    EXPECT_EQ(SavedList(kBlack, "BL_FILTER"), QStringList { QStringLiteral("AVI demuxer") });
}

} // namespace
