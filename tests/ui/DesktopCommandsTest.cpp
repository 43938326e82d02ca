// The two "send to" commands: they write and remove the launcher entry in
// the user's data folder, and their enabled state follows the file. The
// buttons tell what they do.

#include "FrameFixture.h"

#include "controls/BitmapButton.h"

#include "platform/ResString.h"
#include "res/StringIds.h"
#include "ui/CommandIds.h"
#include "ui/CommandTable.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

class SendToCommandsTest : public FrameFixture {
protected:
    QString EntryPath() const { return m_data.filePath(QStringLiteral("applications/orvで再生.desktop")); }
    bool Enabled(int nID) { return Frame().Commands().IsEnabled(nID); }

    QTemporaryDir m_data;
    ScopedEnv m_dataEnv { "XDG_DATA_HOME", m_data.path() };
};

TEST_F(SendToCommandsTest, RegisteringAndUnregisteringFlipTheTwoCommands)
{
    EXPECT_TRUE(Enabled(ID_SENDTO_REGISTER));
    EXPECT_FALSE(Enabled(ID_SENDTO_UNREGISTER));

    // The applications folder does not exist yet.
    Command(ID_SENDTO_REGISTER);
    EXPECT_TRUE(QFileInfo(EntryPath()).isFile());
    EXPECT_FALSE(Enabled(ID_SENDTO_REGISTER));
    EXPECT_TRUE(Enabled(ID_SENDTO_UNREGISTER));

    Command(ID_SENDTO_UNREGISTER);
    EXPECT_FALSE(QFileInfo::exists(EntryPath()));
    EXPECT_TRUE(Enabled(ID_SENDTO_REGISTER));
    EXPECT_FALSE(Enabled(ID_SENDTO_UNREGISTER));
    EXPECT_TRUE(TakeBoxes().isEmpty());
}

TEST_F(SendToCommandsTest, AnEntryMadeOrRemovedElsewhereCounts)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(EntryPath()).path()));
    WriteFileBytes(EntryPath(), "[Desktop Entry]\n");
    EXPECT_FALSE(Enabled(ID_SENDTO_REGISTER));
    EXPECT_TRUE(Enabled(ID_SENDTO_UNREGISTER));
    // A second registration would not replace someone else's file.
    Command(ID_SENDTO_REGISTER);
    EXPECT_EQ(ReadFileBytes(EntryPath()), QByteArray("[Desktop Entry]\n"));

    QFile::remove(EntryPath());
    EXPECT_TRUE(Enabled(ID_SENDTO_REGISTER));
    EXPECT_FALSE(Enabled(ID_SENDTO_UNREGISTER));
}

TEST_F(SendToCommandsTest, FailuresLeaveFullScreenAndSaySo)
{
    // The data folder is a file: no applications folder can be made in it.
    const QTemporaryDir other;
    const QString blocker = other.filePath(QStringLiteral("data"));
    WriteFileBytes(blocker, "x");
    {
        ScopedEnv data("XDG_DATA_HOME", blocker);
        m_view.Playing();
        m_view.bFullScreen = TRUE;
        Command(ID_SENDTO_REGISTER);
        EXPECT_FALSE(m_view.bFullScreen);
        EXPECT_EQ(TakeBoxes(), QStringList { LoadResString(IDS_SENDTO_REGISTER_FAILED) });
    }

    // Something that cannot be removed as a file stands under the name.
    ASSERT_TRUE(QDir().mkpath(EntryPath()));
    EXPECT_TRUE(Enabled(ID_SENDTO_UNREGISTER));
    m_view.bFullScreen = TRUE;
    Command(ID_SENDTO_UNREGISTER);
    EXPECT_FALSE(m_view.bFullScreen);
    ASSERT_EQ(m_responder.boxes.size(), 1u);
    EXPECT_EQ(m_responder.boxes[0].text, LoadResString(IDS_SENDTO_UNREGISTER_FAILED));
    EXPECT_EQ(m_responder.boxes[0].style, MB_ICONERROR);
}

TEST_F(SendToCommandsTest, EveryButtonHasATip)
{
    for (const CBitmapButton* button : Frame().ClientArea()->findChildren<CBitmapButton*>())
        EXPECT_FALSE(button->toolTip().isEmpty()) << button->GetDlgCtrlID();
}

} // namespace
