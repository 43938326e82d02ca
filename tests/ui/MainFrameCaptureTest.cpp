// The capture command and the capture settings in the frame: what the user
// is asked and told, the files that come of it, and the command held back
// while a save runs.

#include "FileSizeLimit.h"
#include "FrameFixture.h"
#include "TestEnv.h"

#include "app/INIFile.h"
#include "capture/CaptureNaming.h"
#include "platform/Dib.h"
#include "platform/ResString.h"
#include "res/StringIds.h"
#include "ui/CommandIds.h"
#include "ui/CommandTable.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QTemporaryDir>

namespace {

// The scripted view with a picture to give.
class PictureView : public FakeVideoView {
public:
    QByteArray image;
    int nGrabs = 0;
    QByteArray GetCurrentImage() override
    {
        ++nGrabs;
        return image;
    }
};

QByteArray NoiseDib(int nWidth, int nHeight)
{
    QImage picture(nWidth, nHeight, QImage::Format_RGB32);
    QRandomGenerator random(11);
    for (int y = 0; y < nHeight; ++y)
        for (int x = 0; x < nWidth; ++x)
            picture.setPixel(x, y, random.generate() & 0xFFFFFF);
    return MakePackedDib32(picture.constBits(), nWidth, nHeight, int(picture.bytesPerLine()));
}

// What the settings dialog is to do: OK with these values, or cancel.
struct DialogAnswer {
    bool bOk = true;
    int nFormat = SAVE_FORMAT_BMP;
    QString strFolder;
    int nQuality = 90;
};
const DialogAnswer kCancel { false, SAVE_FORMAT_BMP, QString(), 90 };

class MainFrameCapture : public FrameFixture {
protected:
    void SetUp() override
    {
        FrameFixture::SetUp();
        Frame().SetVideoView(&m_picture);
        m_picture.Playing(QSize(32, 24));
        m_picture.image = NoiseDib(32, 24);
        StartList({ kClip });
        Frame().PlayListFromTop();
    }
    void AnswerDialog(const DialogAnswer& answer)
    {
        m_responder.dialogScripts.push_back([this, answer](QDialog& dlg) {
            ++m_nDialogs;
            if (!answer.bOk)
                return int(QDialog::Rejected);
            dlg.findChild<QRadioButton*>(answer.nFormat == SAVE_FORMAT_JPEG ? "1001" : "1000")->click();
            dlg.findChild<QLineEdit*>("1002")->setText(answer.strFolder);
            dlg.findChild<QLineEdit*>("1004")->setText(QString::number(answer.nQuality));
            dlg.accept();
            return dlg.result();
        });
    }
    // The settings as the capture settings command leaves them.
    void Configure(const DialogAnswer& answer)
    {
        AnswerDialog(answer);
        Command(ID_CAPTURE_OPTIONS);
    }
    // Ctrl+T, the save to its end and its report handled.
    void CaptureAndReport()
    {
        Command(ID_SAVE_STILL);
        Frame().WaitForCaptureThread();
        RunPosted();
    }
    bool CanCapture() { return Frame().Commands().IsEnabled(ID_SAVE_STILL) && Button(ID_SAVE_STILL).isEnabled(); }
    QStringList Files() const { return QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden); }
    QString FilePath(const QString& name) const { return m_dir.filePath(name); }

    const QString kClip = QStringLiteral("/media/clip.avi");
    PictureView m_picture;
    QTemporaryDir m_dir;
    int m_nDialogs = 0;
};

TEST_F(MainFrameCapture, NoFolderAsksForOneThenSavesWhereTheDialogSays)
{
    m_picture.bFullScreen = TRUE;
    AnswerDialog({ true, SAVE_FORMAT_BMP, m_dir.path(), 90 });
    CaptureAndReport();

    ASSERT_EQ(m_responder.boxes.size(), 1u);
    EXPECT_EQ(m_responder.boxes[0].text, LoadResString(IDS_SAVE_FOLDER_NEEDED));
    EXPECT_EQ(m_responder.boxes[0].style, unsigned(MB_ICONINFORMATION));
    EXPECT_FALSE(m_picture.bFullScreen);
    EXPECT_EQ(m_nDialogs, 1);
    EXPECT_EQ(Frame().ViewSettings().m_strSaveFolder, m_dir.path());
    EXPECT_EQ(Files(), QStringList { "clip_00000.bmp" });
    EXPECT_TRUE(CanCapture());
}

TEST_F(MainFrameCapture, CancellingTheDialogAfterEitherQuestionSavesNothing)
{
    AnswerDialog(kCancel);
    CaptureAndReport();
    EXPECT_EQ(TakeBoxes(), QStringList { LoadResString(IDS_SAVE_FOLDER_NEEDED) });
    EXPECT_TRUE(Frame().ViewSettings().m_strSaveFolder.isEmpty());

    // A folder that was there when chosen and has gone since.
    const QString stills = FilePath("stills");
    ASSERT_TRUE(QDir().mkdir(stills));
    Configure({ true, SAVE_FORMAT_JPEG, stills, 40 });
    ASSERT_TRUE(QDir().rmdir(stills));
    AnswerDialog(kCancel);
    CaptureAndReport();
    ASSERT_EQ(m_responder.boxes.size(), 1u);
    EXPECT_EQ(m_responder.boxes[0].text, LoadResString(IDS_SAVE_FOLDER_MISSING));
    EXPECT_EQ(m_responder.boxes[0].style, unsigned(MB_ICONINFORMATION));
    EXPECT_EQ(m_nDialogs, 3);
    EXPECT_EQ(Frame().ViewSettings().m_strSaveFolder, stills);
    EXPECT_EQ(Frame().ViewSettings().m_nSaveFormat, SAVE_FORMAT_JPEG);
    EXPECT_EQ(m_picture.nGrabs, 0);
    EXPECT_TRUE(CanCapture());
    EXPECT_TRUE(Files().isEmpty());
}

TEST_F(MainFrameCapture, NoPictureIsToldAndLeavesTheCommandFree)
{
    Configure({ true, SAVE_FORMAT_BMP, m_dir.path(), 90 });
    m_picture.image.clear();
    CaptureAndReport();
    ASSERT_EQ(m_responder.boxes.size(), 1u);
    EXPECT_EQ(m_responder.boxes[0].text, LoadResString(IDS_STILL_GRAB_FAILED));
    EXPECT_EQ(m_responder.boxes[0].style, unsigned(MB_ICONERROR));
    EXPECT_TRUE(CanCapture());
    EXPECT_TRUE(Files().isEmpty());
}

TEST_F(MainFrameCapture, AFailedWriteIsToldAndLeavesNoFile)
{
    m_picture.image = NoiseDib(96, 96);
    for (int nFormat : { SAVE_FORMAT_BMP, SAVE_FORMAT_JPEG }) {
        Configure({ true, nFormat, m_dir.path(), 100 });
        {
            const FileSizeLimit limit(2048);
            ASSERT_TRUE(limit.IsSet());
            Command(ID_SAVE_STILL);
            Frame().WaitForCaptureThread();
        }
        RunPosted();
        ASSERT_EQ(m_responder.boxes.size(), 1u) << nFormat;
        EXPECT_EQ(m_responder.boxes[0].text,
            LoadResString(nFormat == SAVE_FORMAT_JPEG ? IDS_JPEG_SAVE_FAILED : IDS_BMP_SAVE_FAILED));
        EXPECT_EQ(m_responder.boxes[0].style, unsigned(MB_ICONERROR));
        m_responder.boxes.clear();
        EXPECT_TRUE(Files().isEmpty()) << Files().join(' ').toStdString();
        EXPECT_TRUE(CanCapture());
    }
}

TEST_F(MainFrameCapture, AReportArrivingUnderABoxWaitsForItToClose)
{
    // A folder so deep that no still's path fits the length limit.
    QString deep = m_dir.path();
    while (deep.size() < MAX_PATH - 10)
        deep += QLatin1Char('/') + QString(40, QLatin1Char('d'));
    ASSERT_TRUE(QDir().mkpath(deep));
    Configure({ true, SAVE_FORMAT_BMP, deep, 90 });
    Command(ID_SAVE_STILL);
    Frame().WaitForCaptureThread();
    // Until the report, the save holds the frame steps back too.
    m_picture.bPaused = TRUE;
    m_picture.nStepResult = STEPFLAG_STARTED;
    Command(ID_FRAME_FORWARD);
    EXPECT_FALSE(Frame().Marks().bStepBusy);

    size_t nBoxesUnderBox = 0;
    bool bFreeUnderBox = true;
    m_responder.whileBoxOpen.push_back([&] {
        RunPosted();
        nBoxesUnderBox = m_responder.boxes.size();
        bFreeUnderBox = CanCapture();
    });
    AfxMessageBox(QStringLiteral("another box"));
    EXPECT_EQ(nBoxesUnderBox, 1u);
    EXPECT_FALSE(bFreeUnderBox);
    RunPosted();
    EXPECT_EQ(TakeBoxes(), (QStringList { "another box", LoadResString(IDS_STILL_NAME_FAILED) }));
    EXPECT_TRUE(CanCapture());
}

TEST_F(MainFrameCapture, ClosingTheWindowWaitsForTheSave)
{
    Configure({ true, SAVE_FORMAT_BMP, m_dir.path(), 90 });
    // Large enough that the write is still under way when close begins.
    m_picture.image = NoiseDib(2000, 1500);
    Command(ID_SAVE_STILL);
    Frame().close();
    EXPECT_TRUE(m_responder.boxes.empty());
    ASSERT_EQ(Files(), QStringList { "clip_00000.bmp" });
    EXPECT_EQ(QFileInfo(FilePath("clip_00000.bmp")).size(), 14 + m_picture.image.size());
}

} // namespace
