#include "TestEnv.h"

#include "app/AppSettings.h"
#include "app/INIFile.h"
#include "ui/CommandIds.h"
#include "ui/MainFrame.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenuBar>
#include <QTest>

#include <memory>

namespace {

class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_ini.InitPath();
        m_app.m_bPrimary = TRUE;
        SetTheAppSettings(&m_app);
    }
    void TearDown() override { SetTheAppSettings(nullptr); }

    std::unique_ptr<CMainFrame> MakeFrame()
    {
        auto frame = std::make_unique<CMainFrame>(m_ini);
        EXPECT_TRUE(frame->LoadFrame());
        return frame;
    }

    static void Show(CMainFrame& frame)
    {
        frame.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&frame));
        Settle();
    }

    static void Settle()
    {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }

    static QSize VideoArea(const CMainFrame& frame) { return frame.m_wndView.contentsRect().size(); }

    TempHome m_home;
    CINIFile m_ini;
    CAppSettings m_app;
};

TEST_F(MainFrameTest, TheWindowCannotShrinkBelowItsStartWidthOrTheControlArea)
{
    auto frame = MakeFrame();
    Show(*frame);
    const int startWidth = frame->width();
    frame->resize(100, 40);
    Settle();
    EXPECT_EQ(frame->width(), startWidth);
    EXPECT_EQ(frame->ClientArea()->height(), frame->m_nControlHeight);
    EXPECT_EQ(frame->m_wndView.height(), 0);
}

// A fit asked for before the window is on screen is made again once it is,
// unless fitting to the controls has dropped it meanwhile.
TEST_F(MainFrameTest, FittingToTheControlsDropsAFitThatStillWaits)
{
    const QRect work(0, 0, 1000, 700);
    int w = 1920;
    int h = 1080;
    auto frame = MakeFrame();
    frame->SetWorkAreaSource([work] { return work; });
    frame->move(600, 500);
    frame->FitWindowToVideo(w, h, TRUE);
    frame->FitWindowToControls();
    Show(*frame);
    EXPECT_EQ(frame->m_wndView.height(), 0);
}

TEST_F(MainFrameTest, FittingToTheControlsLeavesNoVideoArea)
{
    auto frame = MakeFrame();
    Show(*frame);
    // A maximised window does not follow the video, but is brought back
    // for the controls.
    frame->showMaximized();
    Settle();
    const QSize maximised = frame->size();
    int w = 160;
    int h = 600;
    frame->FitWindowToVideo(w, h, TRUE);
    Settle();
    EXPECT_EQ(frame->size(), maximised);
    frame->FitWindowToControls();
    Settle();
    EXPECT_FALSE(frame->isMaximized());
    EXPECT_EQ(frame->size(), QSize(frame->m_nMinClientWidth, frame->m_nControlHeight + frame->menuBar()->height()));
    EXPECT_EQ(frame->m_wndView.height(), 0);
}

TEST_F(MainFrameTest, ASecondaryWindowNeverWritesTheSettings)
{
    m_app.m_bPrimary = FALSE;
    {
        auto frame = MakeFrame();
        frame->OnCommand(ID_ONE_LOOP);
        EXPECT_TRUE(frame->m_bOneLoop);
    }
    EXPECT_FALSE(QFile::exists(m_ini.m_strPath));
}

} // namespace
