// Opening, adding, dropping and saving with scripted dialogs: what ends up
// in the list, which file the view is asked to play, and which question is
// asked when.

#include "FileSizeLimit.h"
#include "FrameFixture.h"

#include "platform/ResString.h"
#include "ui/CommandIds.h"
#include "ui/CommandTable.h"

#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

namespace {

class PlaylistCommandsTest : public FrameFixture {
protected:
    // An empty file (the program goes by names only); its path.
    QString Touch(const QString& name)
    {
        const QString path = m_dir.filePath(name);
        QDir().mkpath(QFileInfo(path).path());
        WriteFileBytes(path, QByteArray());
        return path;
    }
    QString PlayListFile(const QString& name, const QStringList& lines)
    {
        const QString path = m_dir.filePath(name);
        WriteFileBytes(path, (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
        return path;
    }
    QString Dir() const { return m_dir.path(); }
    bool Enabled(int nID) { return Frame().Commands().IsEnabled(nID); }
    // Dragged over the video area, which passes the drop to the window;
    // whether the window took the drag.
    bool DropOnWindow(const QStringList& paths)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& path : paths)
            urls << QUrl::fromLocalFile(path);
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&Frame().OwnView(), &enter);
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&Frame().OwnView(), &drop);
        return enter.isAccepted();
    }
    // A list that would be lost: two entries, modified.
    void UnsavedList() { StartList({ QStringLiteral("/old/1.mp3"), QStringLiteral("/old/2.mp3") }); }

    QTemporaryDir m_dir;
};

TEST_F(PlaylistCommandsTest, OpeningMediaFilesReplacesTheListAndPlaysTheFirst)
{
    StartList({ QStringLiteral("/old/x.mp3") }, QStringLiteral("/old/list.orvl"));
    ASSERT_FALSE(Frame().PlayListFile().isEmpty());

    const QString a = Touch("a.mp3");
    const QString b = Touch("B.WAV");
    m_responder.openAnswers = { { a, Touch("notes.txt"), b } };
    Command(ID_FILE_OPEN);
    EXPECT_EQ(Entries(), (QStringList { a, b }));
    EXPECT_TRUE(Frame().PlayListFile().isEmpty());
    EXPECT_EQ(Frame().ViewSettings().m_strMediaFolder, Dir());
    // One entry was never asked about; this list is new and unsaved.
    EXPECT_TRUE(m_responder.boxes.empty());
    EXPECT_TRUE(Frame().PlayList().m_bModified);

    // A cancelled dialog, opened where the last files came from, changes
    // nothing; a running frame step ignores the command before it asks
    // anything.
    m_responder.boxAnswers = { IDNO };
    Command(ID_FILE_OPEN);
    EXPECT_EQ(Entries(), (QStringList { a, b }));
    EXPECT_EQ(TakeBoxes(), QStringList { LoadResString(IDS_PLAYLIST_UNSAVED) });
    EXPECT_EQ(DialogDirs(), (QStringList { QString(), Dir() }));
    StepPending();
    Command(ID_FILE_OPEN);
    EXPECT_EQ(m_responder.dialogDirs.size(), 2u);
    EXPECT_TRUE(m_responder.boxes.empty());
}

TEST_F(PlaylistCommandsTest, AddingWhileNothingPlaysStartsTheList)
{
    const QString a = Touch("a.mp3");
    const QString b = Touch("b.mp3");
    StartList({ a });
    m_responder.openAnswers = { { b } };
    Command(ID_ADD_FILES);
    EXPECT_EQ(m_view.loaded, QStringList { a });

    // Stopped with the file still loaded: it plays again without a load.
    m_view.bStarted = FALSE;
    m_responder.openAnswers = { { Touch("c.mp3") } };
    Command(ID_ADD_FILES);
    EXPECT_EQ(m_view.loaded, QStringList { a });
    EXPECT_EQ(m_view.nStarts, 2);
}

// Files dropped while a load-failure box is open are added once its caller
// has moved the list past the failed entry: the list then resumes there.
TEST_F(PlaylistCommandsTest, ADropUnderABoxIsAddedAfterTheBoxsCallerHasFinished)
{
    const QString bad = Touch("bad.mp3");
    const QString good = Touch("good.mp3");
    const QString dropped = Touch("dropped.mp3");
    m_view.failing = { bad };
    Frame().setAcceptDrops(true);
    m_responder.whileBoxOpen = { [&] {
        DropOnWindow({ dropped });
        QCoreApplication::processEvents(); // the box's own event loop
        EXPECT_EQ(Entries(), (QStringList { bad, good }));
    } };
    Frame().OnDropFiles({ bad, good });
    EXPECT_EQ(Current(), 1);
    EXPECT_FALSE(m_view.bStarted);

    QCoreApplication::processEvents();
    EXPECT_EQ(Entries(), (QStringList { bad, good, dropped }));
    EXPECT_EQ(m_view.loaded, (QStringList { bad, good }));
    EXPECT_TRUE(m_view.bStarted);
    EXPECT_EQ(TakeBoxes(), QStringList { FakeVideoView::kLoadFailure });
}

TEST_F(PlaylistCommandsTest, TwoOpenedPlaylistsMergeAndStayUnsavedUntilSaveAs)
{
    const QString first = PlayListFile("a.orvl", { "/m/1.mp3", "/m/2.mp3" });
    const QString second = PlayListFile("b.orvl", { "/m/3.mp3" });
    m_responder.openAnswers = { { first, second } };
    Command(ID_OPEN_PLAYLIST);
    EXPECT_EQ(Entries(), (QStringList { "/m/1.mp3", "/m/2.mp3", "/m/3.mp3" }));
    EXPECT_TRUE(Frame().PlayListFile().isEmpty());
    EXPECT_FALSE(Enabled(ID_SAVE_PLAYLIST));

    // Replacing the list asks; Cancel keeps it.
    m_responder.boxAnswers = { IDCANCEL };
    Command(ID_FILE_OPEN);
    EXPECT_EQ(TakeBoxes(), QStringList { LoadResString(IDS_PLAYLIST_UNSAVED) });
    EXPECT_EQ(Entries().size(), 3);

    // Offered where the playlist files came from.
    const QString saved = m_dir.filePath("merged.orvl");
    m_responder.saveAnswers = { saved };
    Command(ID_SAVE_PLAYLIST_AS);
    EXPECT_EQ(DialogDirs(), (QStringList { QString(), Dir() }));
    EXPECT_TRUE(Enabled(ID_SAVE_PLAYLIST));
    EXPECT_EQ(ReadFileBytes(saved), QByteArray("/m/1.mp3\r\n/m/2.mp3\r\n/m/3.mp3\r\n"));
    // Saved: no more question.
    Command(ID_FILE_OPEN);
    EXPECT_TRUE(m_responder.boxes.empty());
}

TEST_F(PlaylistCommandsTest, YesEndsTheCommandUnlessTheListWasSaved)
{
    UnsavedList();
    const QStringList before = Entries();
    // Yes, then Cancel in the save dialog: going on would lose the list.
    m_responder.boxAnswers = { IDYES };
    m_responder.saveAnswers = { QString() };
    m_responder.openAnswers = { { Touch("a.mp3") } };
    Command(ID_FILE_OPEN);
    EXPECT_EQ(TakeBoxes(), QStringList { LoadResString(IDS_PLAYLIST_UNSAVED) });
    EXPECT_EQ(m_responder.openAnswers.size(), 1u) << "no open dialog";
    EXPECT_EQ(Entries(), before);
    EXPECT_TRUE(Frame().PlayList().m_bModified);

    // Yes with a name saves first, then the command goes on.
    const QString saved = m_dir.filePath("before.orvl");
    m_responder.boxAnswers = { IDYES };
    m_responder.saveAnswers = { saved };
    m_responder.folderAnswers = { m_dir.filePath("none") };
    Command(ID_OPEN_FOLDER);
    EXPECT_EQ(ReadFileBytes(saved).count('\n'), 2);
    // A folder that is not there restarts the list as it is.
    EXPECT_EQ(Entries(), before);
    EXPECT_EQ(Frame().PlayListFile(), saved);
}

TEST_F(PlaylistCommandsTest, AFailedSaveIsReportedAndKeepsTheFileAndTheUnsavedList)
{
    const QString saved = PlayListFile("list.orvl", { "/m/1.mp3", "/m/2.mp3" });
    m_responder.openAnswers = { { saved } };
    Command(ID_OPEN_PLAYLIST);
    ASSERT_EQ(Frame().PlayListFile(), saved);
    const QByteArray before = ReadFileBytes(saved);
    QStringList more;
    for (int i = 0; i < 200; ++i)
        more << QStringLiteral("/m/more/%1.mp3").arg(i);
    Frame().OnDropFiles(more);

    m_view.bFullScreen = TRUE;
    {
        // The disk fills up while the longer list is written.
        FileSizeLimit full(static_cast<rlim_t>(before.size() + 10));
        ASSERT_TRUE(full.IsSet());
        Command(ID_SAVE_PLAYLIST);
    }
    ASSERT_EQ(m_responder.boxes.size(), 1u);
    EXPECT_EQ(m_responder.boxes[0].text, LoadResString(IDS_PLAYLIST_SAVE_FAILED));
    EXPECT_EQ(m_responder.boxes[0].style, MB_ICONERROR);
    EXPECT_FALSE(m_view.bFullScreen) << "the box must not hide behind the full screen";
    EXPECT_EQ(ReadFileBytes(saved), before);
    EXPECT_EQ(QDir(Dir()).entryList(QDir::Files | QDir::Hidden), QStringList { "list.orvl" });
    EXPECT_TRUE(Frame().PlayList().m_bModified);
}

} // namespace
