// Per-file volumes in the frame: the setting and its commands, the volume
// kept as a file is left and given back as it loads, with a scripted view
// and a real database file in the test's settings folder.

#include "FrameFixture.h"
#include "LockHolder.h"

#include "platform/Paths.h"
#include "platform/ProfileFile.h"
#include "platform/ResString.h"
#include "platform/WindowMessages.h"
#include "res/StringIds.h"
#include "ui/CommandIds.h"
#include "ui/CommandTable.h"
#include "voldb/VolumeDbFile.h"

#include <QFile>

namespace {

// A database line as the file holds it: UTF-16LE, CR LF.
QByteArray Line(const QString& text)
{
    const QString line = text + QStringLiteral("\r\n");
    return QByteArray(reinterpret_cast<const char*>(line.utf16()), line.size() * 2);
}

const QByteArray kBom("\xFF\xFE", 2);

class MainFrameVolumeDbTest : public FrameFixture {
protected:
    void SetUp() override
    {
        FrameFixture::SetUp();
        StartList({ kA, kB });
    }
    void TearDown() override
    {
        SetVolumeDbWaitSleep(nullptr);
        FrameFixture::TearDown();
    }
    bool Checked(int nID) { return RuleChecked(*CCommandTable::Find(nID), Frame().CommandState()); }
    bool Enabled(int nID) { return RuleEnabled(*CCommandTable::Find(nID), Frame().CommandState()); }
    // The user drags the volume bar to nVolume.
    void DragVolume(int nVolume)
    {
        CJumpSlider& bar = VolumeBar();
        bar.SetPos(nVolume);
        bar.JumpSliderNotify(WM_JUMPSLIDER_HSCROLL, SB_ENDSCROLL, &bar);
    }
    // The window closes, the unsaved list let go.
    void Close()
    {
        m_responder.boxAnswers = { IDNO };
        Frame().close();
        m_responder.boxAnswers.clear();
        std::erase_if(m_responder.boxes,
            [](const ScriptedResponder::Box& box) { return box.text == LoadResString(IDS_PLAYLIST_UNSAVED); });
    }
    // The window closes; the next frame starts with the saved settings and
    // the list.
    void Restart(const QStringList& entries)
    {
        Close();
        m_frame.reset();
        m_view = FakeVideoView();
        BuildFrame();
        StartList(entries);
    }
    int Volume() { return Frame().ViewSettings().m_nVolume; }
    int BarVolume() { return VolumeBar().GetPos(); }
    static QByteArray DbBytes() { return ReadFileBytes(VolumeDbFilePath()); }
    static bool DbExists() { return QFile::exists(VolumeDbFilePath()); }

    const QString kA = QStringLiteral("/media/曲/a.mp3");
    const QString kB = QStringLiteral("/media/曲/b.mp3");
};

TEST_F(MainFrameVolumeDbTest, EachFileGetsBackTheVolumeItWasLeftWithInThisRunAndTheNext)
{
    Command(ID_USE_VOL_DB);
    Frame().PlayListFromTop();
    DragVolume(30);
    Frame().PlayNextEntry();
    EXPECT_EQ(DbBytes(), kBom + Line(kA + "|030"));
    // A file with nothing stored keeps the volume the user has.
    EXPECT_EQ(Volume(), 30);

    DragVolume(100);
    Frame().PlayPrevEntry();
    EXPECT_EQ(Volume(), 30);
    EXPECT_EQ(BarVolume(), 30);
    DragVolume(0);
    Close();
    EXPECT_EQ(DbBytes(), kBom + Line(kA + "|000") + Line(kB + "|100"));

    // The last volume is the saved one; the stored value wins when b loads.
    Restart({ kB });
    EXPECT_EQ(Volume(), 0);
    Frame().PlayListFromTop();
    EXPECT_EQ(Volume(), 100);
    EXPECT_EQ(BarVolume(), 100);
    EXPECT_TRUE(TakeBoxes().isEmpty());
}

TEST_F(MainFrameVolumeDbTest, TheSettingIsSavedAndOffTheVolumeStaysAsTheUserLeftIt)
{
    EXPECT_FALSE(Checked(ID_USE_VOL_DB));
    EXPECT_FALSE(Enabled(ID_RESET_VOL_DB));
    Frame().PlayListFromTop();
    DragVolume(30);
    Frame().PlayNextEntry();
    EXPECT_FALSE(DbExists());

    // Off and on again: what this run kept is still known, even without
    // the file.
    Command(ID_USE_VOL_DB);
    DragVolume(70);
    Frame().PlayPrevEntry();
    QFile::remove(VolumeDbFilePath());
    Command(ID_USE_VOL_DB);
    Command(ID_USE_VOL_DB);
    DragVolume(20);
    Frame().PlayNextEntry();
    EXPECT_EQ(Volume(), 70);

    Restart({});
    EXPECT_EQ(GetPrivateProfileInt("Common", "USE_VOL_DB", -1, m_ini.m_strPath), 1);
    EXPECT_TRUE(Checked(ID_USE_VOL_DB));
}

TEST_F(MainFrameVolumeDbTest, ResetAsksFirstAndOnlyYesDeletesTheStoredVolumes)
{
    Command(ID_USE_VOL_DB);
    Frame().PlayListFromTop();
    DragVolume(30);
    Frame().PlayNextEntry();
    ASSERT_TRUE(DbExists());

    m_view.bFullScreen = TRUE;
    m_responder.boxAnswers = { IDNO };
    Command(ID_RESET_VOL_DB);
    ASSERT_EQ(m_responder.boxes.size(), 1u);
    EXPECT_EQ(m_responder.boxes[0].text, LoadResString(IDS_VOLUME_DB_RESET));
    EXPECT_EQ(m_responder.boxes[0].style, MB_YESNO | MB_ICONINFORMATION);
    EXPECT_FALSE(m_view.bFullScreen);
    EXPECT_TRUE(DbExists());

    m_responder.boxAnswers = { IDYES };
    Command(ID_RESET_VOL_DB);
    EXPECT_FALSE(DbExists());
    // The file loaded during the reset goes into the new file when left.
    DragVolume(60);
    Close();
    EXPECT_EQ(DbBytes(), kBom + Line(kB + "|060"));

    // Off, the command neither asks nor deletes.
    Command(ID_USE_VOL_DB);
    m_responder.boxes.clear();
    Command(ID_RESET_VOL_DB);
    EXPECT_TRUE(m_responder.boxes.empty());
    EXPECT_TRUE(DbExists());
}

TEST_F(MainFrameVolumeDbTest, AFileHeldByAnotherProcessIsReportedOutOfFullScreen)
{
    WriteFileBytes(VolumeDbFilePath(), kBom + Line(kA + "|030"));
    Command(ID_USE_VOL_DB);
    SetVolumeDbWaitSleep([](int) {});
    LockHolder holder(VolumeDbFilePath(), true);
    ASSERT_TRUE(holder.IsHolding());
    m_view.bFullScreen = TRUE;
    Frame().PlayListFromTop();
    EXPECT_EQ(TakeBoxes(), QStringList { LoadResString(IDS_FILE_IN_USE) });
    EXPECT_FALSE(m_view.bFullScreen);
    // Nothing read: the volume stays and the file still plays.
    EXPECT_EQ(Volume(), 50);
    EXPECT_TRUE(m_view.bStarted);

    // The write of a and the lookup of b each wait and give up.
    DragVolume(40);
    Frame().PlayNextEntry();
    EXPECT_EQ(TakeBoxes(), QStringList(2, LoadResString(IDS_FILE_IN_USE)));
    EXPECT_TRUE(m_view.bStarted);
    holder.Release();
    Frame().PlayPrevEntry();
    EXPECT_EQ(DbBytes(), kBom + Line(kA + "|030") + Line(kB + "|040"));
    EXPECT_TRUE(TakeBoxes().isEmpty());
}

} // namespace
