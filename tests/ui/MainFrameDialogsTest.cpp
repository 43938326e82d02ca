// The frame's information and filter list commands with a scripted view: when
// they may be used, what the dialogs start from, and what OK and Cancel leave
// in the frame's lists and in the settings file.

#include "DialogControls.h"
#include "FrameFixture.h"

#include "platform/ProfileFile.h"
#include "ui/CommandIds.h"
#include "ui/CommandTable.h"

#include <QLineEdit>
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
        WritePrivateProfileString(QStringLiteral("Common"), QStringLiteral("FL_NUM"), QStringLiteral("1"), ini);
        WritePrivateProfileString(kBlack, QStringLiteral("BL_FILTER0"), QStringLiteral("JPEG image decoder"), ini);
        WritePrivateProfileString(kBlack, QStringLiteral("BL_FILTER1"), QStringLiteral("AVI demuxer"), ini);
        WritePrivateProfileString(kFirstUse, QStringLiteral("FL_FILTER0"), QStringLiteral("MPEG-1 Splitter"), ini);
        FrameFixture::SetUp();
    }
    bool Enabled(int nID) { return Frame().Commands().IsEnabled(nID); }
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
    static inline const QString kFirstUse = QStringLiteral("First Use List Filters");
};

TEST_F(MainFrameDialogsTest, InformationNeedsALoadedFileAndTheFilterInformationAGraph)
{
    EXPECT_FALSE(Enabled(ID_DSHOW_INFO));
    EXPECT_FALSE(Enabled(ID_MEDIA_INFO));
    // The list commands are there whatever plays.
    EXPECT_TRUE(Enabled(ID_BLACK_LIST));
    EXPECT_TRUE(Enabled(ID_FIRST_USE_LIST));

    m_view.bLoaded = TRUE;
    EXPECT_FALSE(Enabled(ID_DSHOW_INFO));
    EXPECT_TRUE(Enabled(ID_MEDIA_INFO));
    m_view.filters = QStringList { QStringLiteral("/media/clip.avi"), QStringLiteral("AVI demuxer") };
    EXPECT_TRUE(Enabled(ID_DSHOW_INFO));

    // A file that stops loading greys both again, graph names or not.
    m_view.bLoaded = FALSE;
    EXPECT_FALSE(Enabled(ID_DSHOW_INFO));
    EXPECT_EQ(Open(ID_MEDIA_INFO, [](QDialog&) { return QDialog::Accepted; }), 0);
}

TEST_F(MainFrameDialogsTest, WithoutAPlayerMediaInformationIsEmptyAndFilterInformationIsNotShown)
{
    m_view.Playing();
    m_view.filters = QStringList { QStringLiteral("/media/clip.avi") };
    m_view.bFullScreen = TRUE;
    QStringList texts;
    EXPECT_EQ(Open(ID_MEDIA_INFO,
                  [&](QDialog& dlg) {
                      for (QLineEdit* field : dlg.findChildren<QLineEdit*>())
                          texts << field->text();
                      return QDialog::Accepted;
                  }),
        1);
    EXPECT_EQ(texts.size(), 11);
    EXPECT_EQ(texts.join(QString()), QString());
    // No box hides behind the full screen.
    EXPECT_FALSE(m_view.bFullScreen);

    m_view.bFullScreen = TRUE;
    EXPECT_EQ(Open(ID_DSHOW_INFO, [](QDialog&) { return QDialog::Accepted; }), 0);
    EXPECT_FALSE(m_view.bFullScreen);
}

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
    EXPECT_EQ(ListOf(Frame().m_blackList), QStringList { QStringLiteral("AVI demuxer") });
    EXPECT_EQ(SavedList(kBlack, "BL_FILTER"), QStringList { QStringLiteral("AVI demuxer") });
}

TEST_F(MainFrameDialogsTest, CancelChangesNeitherListNorTheSavedOnes)
{
    for (int nID : { ID_BLACK_LIST, ID_FIRST_USE_LIST })
        ASSERT_EQ(Open(nID,
                      [](QDialog& dlg) {
                          Click(dlg, "1033");
                          return QDialog::Rejected;
                      }),
            1)
            << nID;
    EXPECT_EQ(ListOf(Frame().m_blackList),
        (QStringList { QStringLiteral("JPEG image decoder"), QStringLiteral("AVI demuxer") }));
    EXPECT_EQ(SavedList(kBlack, "BL_FILTER"),
        (QStringList { QStringLiteral("JPEG image decoder"), QStringLiteral("AVI demuxer") }));
    EXPECT_EQ(SavedList(kFirstUse, "FL_FILTER"), QStringList { QStringLiteral("MPEG-1 Splitter") });
}

} // namespace
