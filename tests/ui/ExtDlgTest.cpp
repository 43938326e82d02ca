// The media extension dialog: what a typed extension becomes, what is
// refused with which message, and what OK and Cancel keep.

#include "FrameFixture.h"

#include "platform/ResString.h"
#include "playlist/ExtDlg.h"
#include "playlist/MediaFiles.h"
#include "ui/CommandIds.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

class ExtDlgTest : public FrameFixture {
protected:
    template <typename T>
    static T* Control(QDialog& dlg, int nID)
    {
        T* control = dlg.findChild<T*>(QString::number(nID));
        EXPECT_NE(control, nullptr) << nID;
        return control;
    }
    // Types the text into the video edit and presses its "追加".
    static void AddVideo(QDialog& dlg, const QString& text)
    {
        Control<QLineEdit>(dlg, 1007)->setText(text);
        Control<QPushButton>(dlg, 1008)->click();
    }
    static QStringList Items(QDialog& dlg, int nID)
    {
        QStringList out;
        const QListWidget* list = Control<QListWidget>(dlg, nID);
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }
};

TEST_F(ExtDlgTest, TypedExtensionsAreCleanedAndGivenOneDot)
{
    CExtDlg dlg;
    AddVideo(dlg, QStringLiteral("..m:x*f"));
    AddVideo(dlg, QStringLiteral("*.*"));
    EXPECT_EQ(Items(dlg, 1005), QStringList { ".mxf" });
    EXPECT_EQ(Control<QLineEdit>(dlg, 1007)->text(), QStringLiteral("*.*"));
    EXPECT_TRUE(m_responder.boxes.empty());
}

TEST_F(ExtDlgTest, KnownExtensionsAreRefusedWithTheirMessage)
{
    m_app.m_strAudioExt[0] = QStringLiteral(".ape");
    m_app.m_nAudioExtNum = 1;
    CExtDlg dlg;
    EXPECT_EQ(Items(dlg, 1006), QStringList { ".ape" });
    AddVideo(dlg, QStringLiteral("mxf"));
    // Today's formats are built in as much as the first eighteen.
    for (const char* text : { ".MXF", "Ape", ".FLAC" })
        AddVideo(dlg, QString::fromLatin1(text));
    EXPECT_EQ(Items(dlg, 1005), QStringList { ".mxf" });
    EXPECT_EQ(TakeBoxes(), QStringList(3, LoadResString(IDS_EXT_REGISTERED)));
}

TEST_F(ExtDlgTest, ThirtyExtensionsOfAKindAtMost)
{
    CExtDlg dlg;
    for (int i = 0; i < 30; ++i)
        AddVideo(dlg, QStringLiteral("v%1").arg(i));
    EXPECT_TRUE(m_responder.boxes.empty());
    AddVideo(dlg, QStringLiteral("v30"));
    EXPECT_EQ(Items(dlg, 1005).size(), 30);
    EXPECT_EQ(TakeBoxes(), QStringList { LoadResString(IDS_EXT_LIMIT) });
}

TEST_F(ExtDlgTest, OkStoresBothListsAndCancelDiscards)
{
    m_responder.dialogScripts.push_back([](QDialog& dlg) {
        AddVideo(dlg, QStringLiteral("mxf"));
        Control<QLineEdit>(dlg, 1011)->setText(QStringLiteral("tta"));
        Control<QPushButton>(dlg, 1010)->click();
        dlg.accept();
        return dlg.result();
    });
    Command(ID_EXT_SETTINGS);
    EXPECT_EQ(m_app.m_nVideoExtNum, 1);
    EXPECT_EQ(m_app.m_strAudioExt[0], QStringLiteral(".tta"));
    // In effect at once for recognition and the dialog filter.
    EXPECT_TRUE(IsMediaFile(QStringLiteral("/v/Film.MXF")));
    EXPECT_TRUE(BuildMediaFilter().contains(QStringLiteral(";*.mxf|")));

    m_responder.dialogScripts.push_back([](QDialog& dlg) {
        AddVideo(dlg, QStringLiteral("nut"));
        dlg.reject();
        return dlg.result();
    });
    Command(ID_EXT_SETTINGS);
    EXPECT_EQ(m_app.m_nVideoExtNum, 1);
}

TEST_F(ExtDlgTest, DeleteIsOfferedWhenAListWithItemsGetsTheFocus)
{
    m_app.m_strVideoExt[0] = QStringLiteral(".mxf");
    m_app.m_strVideoExt[1] = QStringLiteral(".nut");
    m_app.m_nVideoExtNum = 2;
    CExtDlg dlg;
    dlg.show();
    auto* list = Control<QListWidget>(dlg, 1005);
    auto* del = Control<QPushButton>(dlg, 1009);
    EXPECT_FALSE(del->isEnabled());

    QFocusEvent focusIn(QEvent::FocusIn);
    QCoreApplication::sendEvent(list, &focusIn);
    EXPECT_TRUE(del->isEnabled());
    list->setCurrentRow(0);
    del->click();
    EXPECT_FALSE(del->isEnabled());
    EXPECT_EQ(Items(dlg, 1005), QStringList { ".nut" });
    dlg.accept();
    EXPECT_EQ(m_app.m_nVideoExtNum, 1);
    EXPECT_EQ(m_app.m_strVideoExt[0], QStringLiteral(".nut"));
}

} // namespace
