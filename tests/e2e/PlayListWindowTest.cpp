// The playlist window on a real display with the frame's own view: it lists
// what the frame plays, plays, takes out and reorders entries from the
// keyboard and by drag, follows every change of the list, and comes back
// where it was left.

#include "FrameFixture.h"
#include "TestMedia.h"

#include "ui/CommandIds.h"
#include "ui/CommandTable.h"
#include "ui/PlayListModel.h"
#include "ui/PlayListWnd.h"

#include <QAction>
#include <QDeadlineTimer>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <QUrl>

#include <sys/stat.h>

namespace {

class PlayListWindowTest : public OnScreenFrameFixture {
protected:
    void SetUp() override
    {
        OnScreenFrameFixture::SetUp();
        if (IsSkipped())
            return;
        Frame().show();
        for (const char* name : { "one.wav", "two.wav", "three.wav" }) {
            const QString path = m_dir.filePath(QString::fromLatin1(name));
            ASSERT_TRUE(QFile::copy(TestMediaPath(TestClip::WavTwoSeconds), path));
            m_files << path;
        }
    }
    // The three files opened as media files: the first plays.
    void OpenThree()
    {
        m_responder.openAnswers = { m_files };
        Command(ID_FILE_OPEN);
        ASSERT_EQ(Frame().LoadedFile(), m_files[0]);
    }
    CPlayListWnd* Wnd() { return Frame().findChild<CPlayListWnd*>(); }
    QTreeView& View() { return Wnd()->View(); }
    QString Cell(int nRow, int nColumn) { return View().model()->index(nRow, nColumn).data().toString(); }
    QStringList Names()
    {
        QStringList out;
        for (int i = 0; i < View().model()->rowCount(); ++i)
            out << Cell(i, CPlayListModel::ColName);
        return out;
    }
    bool Checked() { return Frame().CommandState().bPlayListWnd; }
    void Key(Qt::Key key) { QTest::keyClick(View().viewport(), key); }
    // Drops the data between rows, just above the row's middle.
    void DropAbove(int nRow, QMimeData& data, Qt::DropAction action)
    {
        const QRect rc = View().visualRect(View().model()->index(nRow, CPlayListModel::ColName));
        const QPoint pos(rc.center().x(), rc.top() + 1);
        QDragEnterEvent enter(pos, action, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(View().viewport(), &enter);
        QDragMoveEvent move(pos, action, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(View().viewport(), &move);
        QDropEvent drop(QPointF(pos), action, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(View().viewport(), &drop);
    }
    QStringList FileNames() const
    {
        QStringList out;
        for (const QString& path : m_files)
            out << QFileInfo(path).fileName();
        return out;
    }

    QTemporaryDir m_dir;
    QStringList m_files;
};

TEST_F(PlayListWindowTest, TheCommandShowsTheListAndEnterPlaysTheChosenEntry)
{
    OpenThree();
    EXPECT_FALSE(Checked());
    Command(ID_PLAYLIST_WINDOW);
    ASSERT_TRUE(Wnd() && Wnd()->isVisible());
    EXPECT_TRUE(Checked());
    EXPECT_EQ(Names(), FileNames());

    const BOOL bModified = Frame().PlayList().m_bModified;
    View().setFocus();
    View().setCurrentIndex(View().model()->index(0, 0));
    Key(Qt::Key_Down);
    Key(Qt::Key_Return);
    EXPECT_EQ(Frame().LoadedFile(), m_files[1]);
    EXPECT_TRUE(Frame().View().IsStarted());
    EXPECT_EQ(Current(), 1);
    EXPECT_EQ(Frame().PlayList().m_bModified, bModified);
    // The playing row is marked, and only it.
    const auto colour = [this](int nRow) {
        return View().model()->index(nRow, CPlayListModel::ColName).data(Qt::ForegroundRole);
    };
    EXPECT_NE(colour(1), colour(0));
    EXPECT_EQ(colour(0), colour(2));

    Command(ID_PLAYLIST_WINDOW);
    EXPECT_FALSE(Wnd()->isVisible());
    EXPECT_FALSE(Checked());
}

TEST_F(PlayListWindowTest, DeleteTakesOutTheSelectedEntriesAndTheFrameFollows)
{
    OpenThree();
    Command(ID_PLAYLIST_WINDOW);
    View().setFocus();
    View().setCurrentIndex(View().model()->index(1, 0));
    Key(Qt::Key_Delete);
    EXPECT_EQ(Names(), (QStringList { FileNames()[0], FileNames()[2] }));
    EXPECT_EQ(Entries().size(), 2);

    // The playing entry goes too: it plays on, and the next one is current.
    View().setCurrentIndex(View().model()->index(0, 0));
    Key(Qt::Key_Delete);
    EXPECT_EQ(Names(), QStringList { FileNames()[2] });
    EXPECT_EQ(Frame().LoadedFile(), m_files[0]);
    EXPECT_TRUE(Frame().View().IsStarted());
    EXPECT_EQ(Entries().value(Current()), m_files[2]);
}

TEST_F(PlayListWindowTest, ADragReordersTheListAndSaveAsWritesTheNewOrder)
{
    OpenThree();
    Command(ID_PLAYLIST_WINDOW);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Wnd()));
    std::unique_ptr<QMimeData> rows(View().model()->mimeData({ View().model()->index(2, 0) }));
    DropAbove(0, *rows, Qt::MoveAction);
    EXPECT_EQ(Names(), (QStringList { FileNames()[2], FileNames()[0], FileNames()[1] }));
    EXPECT_EQ(Entries().value(Current()), m_files[0]) << "the playing entry stays current";

    const QString saved = m_dir.filePath(QStringLiteral("order.orvl"));
    m_responder.saveAnswers = { saved };
    Command(ID_SAVE_PLAYLIST_AS);
    EXPECT_EQ(ReadFileBytes(saved), (m_files[2] + "\r\n" + m_files[0] + "\r\n" + m_files[1] + "\r\n").toUtf8());

    // Files from outside are added as on the main window.
    const QString added = m_dir.filePath(QStringLiteral("four.wav"));
    ASSERT_TRUE(QFile::copy(m_files[0], added));
    QMimeData files;
    files.setUrls({ QUrl::fromLocalFile(added) });
    DropAbove(0, files, Qt::CopyAction);
    RunPosted();
    EXPECT_EQ(Names().value(3), QStringLiteral("four.wav"));
}

TEST_F(PlayListWindowTest, OpeningOtherFilesReplacesTheRowsAndAFifoGetsNoLength)
{
    OpenThree();
    Command(ID_PLAYLIST_WINDOW);
    const QString fifo = m_dir.filePath(QStringLiteral("pipe.wav"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    m_responder.boxAnswers = { IDNO };
    m_responder.openAnswers = { { m_files[2], fifo } };
    Command(ID_FILE_OPEN);
    EXPECT_EQ(Names(), (QStringList { FileNames()[2], QStringLiteral("pipe.wav") }));
    EXPECT_EQ(Frame().LoadedFile(), m_files[2]);

    // Lengths come in the background, but the pipe is never opened for its
    // length (that would hang the prober on a pipe with no writer); the file
    // after it still gets its own.
    Frame().OnDropFiles({ m_files[0] });
    const QDeadlineTimer deadline(10000);
    while (Cell(2, CPlayListModel::ColDuration).isEmpty() && !deadline.hasExpired())
        QTest::qWait(20);
    EXPECT_EQ(Cell(2, CPlayListModel::ColDuration), "00:00:02");
    EXPECT_TRUE(Cell(1, CPlayListModel::ColDuration).isEmpty());
}

TEST_F(PlayListWindowTest, TheWindowComesBackWhereItWasLeft)
{
    Command(ID_PLAYLIST_WINDOW);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Wnd()));
    const QRect placed(Wnd()->geometry().topLeft() + QPoint(20, 30), QSize(300, 250));
    Wnd()->setGeometry(placed);
    QTest::qWait(50);
    const QRect rc = Wnd()->geometry();
    m_frame.reset();

    m_frame = std::make_unique<CMainFrame>(m_ini);
    ASSERT_TRUE(m_frame->LoadFrame());
    EXPECT_FALSE(Wnd()) << "made when the frame shows";
    Frame().show();
    ASSERT_TRUE(Wnd());
    EXPECT_TRUE(Wnd()->isVisible());
    EXPECT_EQ(Wnd()->geometry(), rc);

    // Closed by its own button: hidden at the next start.
    Wnd()->close();
    m_frame.reset();
    m_frame = std::make_unique<CMainFrame>(m_ini);
    ASSERT_TRUE(m_frame->LoadFrame());
    Frame().show();
    EXPECT_FALSE(Wnd());
    EXPECT_FALSE(Checked());
}


} // namespace
