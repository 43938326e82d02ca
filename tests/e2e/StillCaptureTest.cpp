// Ctrl+T on a real window: the paused picture saved at its own size, as BMP
// byte for byte the picture the player gives, and as JPEG; the command held
// back until the save's report arrives.

#include "FrameFixture.h"
#include "GstTestSupport.h"
#include "TestEnv.h"
#include "TestMedia.h"

#include "capture/CaptureNaming.h"
#include "platform/Dib.h"
#include "player/DShowPlayer.h"
#include "ui/CommandIds.h"
#include "ui/CommandTable.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>

namespace {

// With the windowless renderer, or the owner-window one.
class StillCapture : public OnScreenFrameFixture, public ::testing::WithParamInterface<bool> {
protected:
    // Chooses the format and the folder through the settings command.
    void Configure(int nFormat, int nQuality)
    {
        m_responder.dialogScripts.push_back([this, nFormat, nQuality](QDialog& dlg) {
            dlg.findChild<QRadioButton*>(nFormat == SAVE_FORMAT_JPEG ? "1001" : "1000")->click();
            dlg.findChild<QLineEdit*>("1002")->setText(m_dir.path());
            dlg.findChild<QLineEdit*>("1004")->setText(QString::number(nQuality));
            dlg.accept();
            return dlg.result();
        });
        Frame().OnCommand(ID_CAPTURE_OPTIONS);
    }
    bool CanCapture() { return Frame().Commands().IsEnabled(ID_SAVE_STILL) && Button(ID_SAVE_STILL).isEnabled(); }
    // Ctrl+T: grey at once, free again once the report has come.
    void PressCtrlT()
    {
        ASSERT_TRUE(CanCapture());
        QTest::keyClick(&Frame().OwnView(), Qt::Key_T, Qt::ControlModifier);
        EXPECT_FALSE(CanCapture());
        EXPECT_TRUE(ProcessEventsUntil([&] { return CanCapture(); }));
    }
    QString Still(const QString& suffix) const { return m_dir.filePath(m_strBase + suffix); }

    QTemporaryDir m_dir;
    QString m_strBase;
};

TEST_P(StillCapture, CtrlTSavesThePausedPictureAtItsOwnSize)
{
    CMainFrame& f = Frame();
    if (GetParam())
        f.OnCommand(ID_DISABLE_VMR9);
    f.OnCommand(ID_ONE_LOOP);
    const QString clip = TestMediaPath(TestClip::AviFrameCounter);
    m_strBase = QFileInfo(clip).completeBaseName();
    f.show();
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    f.OnDropFiles({ clip });
    ASSERT_TRUE(ProcessEventsUntil([&] { return f.OwnView().IsStarted() && f.OwnView().HasVideo(); }));
    ASSERT_EQ(f.OwnView().GetPlayer()->HasWindowlessControl(), !GetParam());
    // Somewhere past the first frame, so the picture is not the file's first.
    QTest::qWait(300);
    QTest::keyClick(&f.OwnView(), Qt::Key_P, Qt::ControlModifier);
    ASSERT_TRUE(ProcessEventsUntil([&] { return f.OwnView().GetPlayer()->GetState() == State_Paused; }));
    // The window is made smaller than the picture: the still is still the
    // picture's own size.
    f.resize(200, 250);

    Configure(SAVE_FORMAT_BMP, 90);
    const QByteArray dib = f.OwnView().GetCurrentImage();
    ASSERT_GE(dib.size(), int(sizeof(BITMAPINFOHEADER)));
    BITMAPINFOHEADER bih;
    std::memcpy(&bih, dib.constData(), sizeof bih);
    EXPECT_EQ(QSize(bih.biWidth, bih.biHeight), QSize(320, 240));

    PressCtrlT();
    const QByteArray bmp = ReadFileBytes(Still("_00000.bmp"));
    ASSERT_EQ(bmp.size(), 14 + dib.size());
    EXPECT_TRUE(bmp.startsWith("BM"));
    EXPECT_TRUE(bmp.mid(14) == dib) << "the saved picture differs from the one on screen";

    Configure(SAVE_FORMAT_JPEG, 75);
    PressCtrlT();
    QImage decoded;
    ASSERT_TRUE(decoded.load(Still("_00000.jpg"), "JPEG"));
    EXPECT_EQ(decoded.size(), QSize(320, 240));
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files).size(), 2);
    EXPECT_TRUE(m_responder.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Renderers, StillCapture, ::testing::Values(false, true),
    [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "OwnerWindow" : "Windowless"; });

} // namespace
