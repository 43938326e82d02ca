// The frame's handlers for settings, size, sound, the bars and the end of
// the session, with a scripted view and dialogs.

#include "FrameFixture.h"

#include "platform/ProfileFile.h"
#include "platform/ResString.h"
#include "platform/WindowMessages.h"
#include "ui/CommandIds.h"
#include "ui/CommandTable.h"


namespace {

class MainFrameCommandsTest : public FrameFixture {
protected:
    bool Checked(int nID)
    {
        const CCommandDef* def = CCommandTable::Find(nID);
        return RuleChecked(*def, Frame().CommandState());
    }
};

TEST_F(MainFrameCommandsTest, PrimaryInstanceSettingsAskFirstAndASecondaryOnlyExplains)
{
    m_responder.boxAnswers = { IDNO, IDYES };
    Command(ID_ACC_MULTI_BOOT);
    EXPECT_FALSE(m_app.m_bAccMultiBoot);
    Command(ID_ACC_MULTI_BOOT);
    EXPECT_TRUE(m_app.m_bAccMultiBoot);
    EXPECT_EQ(TakeBoxes(), QStringList(2, LoadResString(IDS_RESTART_QUESTION)));

    // The playlist's duplicates rule follows at once.
    m_responder.boxAnswers = { IDYES };
    Command(ID_ACC_SAME_DATA);
    EXPECT_TRUE(Frame().PlayList().m_bAllowDuplicates);
    m_responder.boxes.clear();

    m_app.m_bPrimary = FALSE;
    for (int nID : { ID_ACC_MULTI_BOOT, ID_ACC_SAME_DATA }) {
        m_responder.boxAnswers = { IDYES };
        Command(nID);
        EXPECT_EQ(TakeBoxes(), QStringList { LoadResString(IDS_PRIMARY_ONLY) });
        EXPECT_TRUE(Checked(nID)) << nID;
    }
    EXPECT_TRUE(Frame().PlayList().m_bAllowDuplicates);
}

TEST_F(MainFrameCommandsTest, RendererSettingsFlipSilentlyUnlessAFileIsOpen)
{
    Command(ID_DISABLE_VMR9);
    EXPECT_TRUE(Frame().ViewSettings().m_bDisableVMR9);
    EXPECT_TRUE(TakeBoxes().isEmpty());

    m_view.bLoaded = TRUE;
    m_view.bFullScreen = TRUE;
    Command(ID_DISABLE_VMR9);
    EXPECT_FALSE(Frame().ViewSettings().m_bDisableVMR9);
    EXPECT_FALSE(m_view.bFullScreen);
    Command(ID_DISABLE_DEINTERLACE);
    EXPECT_TRUE(Frame().ViewSettings().m_bDisableDeinterlace);
    EXPECT_EQ(TakeBoxes(), (QStringList { LoadResString(IDS_NEXT_LOAD_NOTICE), LoadResString(IDS_NEXT_LOAD_NOTICE) }));
}

TEST_F(MainFrameCommandsTest, SizeCommandsStoreTheSizeAndFitOnlyAStartedVideo)
{
    auto videoArea = [this] { return Frame().OwnView().contentsRect().size(); };
    Frame().show();
    Frame().SetWorkAreaSource([] { return QRect(0, 0, 4000, 3000); });
    const QSize before = videoArea();
    Command(ID_SIZE_50);
    EXPECT_EQ(Frame().ViewSettings().m_nDisplaySize, 0);
    EXPECT_EQ(videoArea(), before);

    m_view.Playing(QSize(1280, 720));
    Command(ID_SIZE_50);
    EXPECT_EQ(videoArea(), QSize(640, 360));
    Command(ID_SIZE_200);

    // The fit button uses the stored size and leaves full screen first.
    Frame().FitWindowToControls();
    m_view.bFullScreen = TRUE;
    Command(ID_FIT_WINDOW);
    EXPECT_FALSE(m_view.bFullScreen);
    EXPECT_EQ(videoArea(), QSize(2560, 1440));

    // An unknown size from the settings file does nothing; media without
    // video gets the controls.
    m_frame.reset();
    WritePrivateProfileString("Common", "DISPLAY_SIZE", "7", m_ini.m_strPath);
    BuildFrame();
    Frame().show();
    const QSize unfitted = videoArea();
    Command(ID_FIT_WINDOW);
    EXPECT_EQ(videoArea(), unfitted);
    m_view.bHasVideo = FALSE;
    Command(ID_FIT_WINDOW);
    EXPECT_EQ(Frame().OwnView().height(), 0);
}

TEST_F(MainFrameCommandsTest, BarNotificationsWaitForAStepAndSetTheVolume)
{
    auto notify = [](CJumpSlider& bar, int nSBCode) { bar.JumpSliderNotify(WM_JUMPSLIDER_HSCROLL, nSBCode, &bar); };
    // The volume is kept always, and heard only while a file plays with
    // sound (unmuting gives it back).
    CJumpSlider& volumeBar = VolumeBar();
    volumeBar.SetPos(70);
    notify(volumeBar, SB_ENDSCROLL);
    EXPECT_EQ(Frame().ViewSettings().m_nVolume, 70);
    m_view.Playing();
    Command(ID_MUTE);
    volumeBar.SetPos(40);
    notify(volumeBar, SB_ENDSCROLL);
    Command(ID_MUTE);
    volumeBar.SetPos(20);
    notify(volumeBar, SB_THUMBTRACK);
    EXPECT_EQ(m_view.volumes, (std::vector<int> { 0, 40, 20 }));

    // Nothing moves while a frame step is pending.
    CJumpSlider& seekBar = *Frame().SeekBar();
    seekBar.SetRange(100);
    seekBar.SetPos(30);
    StepPending();
    notify(seekBar, SB_THUMBTRACK);
    EXPECT_TRUE(m_view.seeks.isEmpty());
}

TEST_F(MainFrameCommandsTest, TheSessionEndsOnlyWhenTheQuestionAllowsIt)
{
    EXPECT_TRUE(Frame().OnQueryEndSession());
    EXPECT_TRUE(m_responder.boxes.empty());
    StartList({ QStringLiteral("/m/a.mp3"), QStringLiteral("/m/b.mp3") });
    m_responder.boxAnswers = { IDCANCEL, IDNO };
    EXPECT_FALSE(Frame().OnQueryEndSession());
    EXPECT_TRUE(Frame().OnQueryEndSession());
    EXPECT_EQ(TakeBoxes().size(), 2);
}

} // namespace
