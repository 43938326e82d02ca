// The information dialogs and the filter list dialog of a frame on an X
// display, run modally and used with the mouse and keys as a user would: the
// black list changes the decoder of the next file and the information shows
// a clip's format.

#include "FrameFixture.h"
#include "GstTestSupport.h"
#include "TestMedia.h"

#include "ui/CommandIds.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

const QString kJpegDecoder = QStringLiteral("JPEG image decoder");
const QString kLibavDecoder = QStringLiteral("libav MJPEG (Motion JPEG) decoder");

void ClickButton(QDialog& dlg, const char* pszID)
{
    auto* button = dlg.findChild<QPushButton*>(QString::fromLatin1(pszID));
    ASSERT_NE(button, nullptr) << pszID;
    QTest::mouseClick(button, Qt::LeftButton);
}

QString FieldText(QDialog& dlg, int nID)
{
    const QString name = QString::number(nID);
    if (auto* line = dlg.findChild<QLineEdit*>(name))
        return line->text();
    if (auto* box = dlg.findChild<QPlainTextEdit*>(name))
        return box->toPlainText();
    ADD_FAILURE() << "no field " << nID;
    return {};
}

class InfoDialogs : public OnScreenFrameFixture {
protected:
    void SetUp() override
    {
        OnScreenFrameFixture::SetUp();
        if (IsSkipped())
            return;
        Frame().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Frame()));
    }
    // The next dialog the frame opens runs modally, on screen; `user` works
    // it once it shows. Whatever `user` leaves open is cancelled.
    void NextDialog(std::function<void(QDialog&)> user)
    {
        m_responder.dialogScripts.push_back([user](QDialog& dlg) {
            QTimer::singleShot(0, &dlg, [&dlg, user] {
                if (QTest::qWaitForWindowExposed(&dlg))
                    user(dlg);
                else
                    ADD_FAILURE() << "the dialog did not show";
                if (dlg.isVisible())
                    dlg.reject();
            });
            return dlg.exec();
        });
    }
    // The filter list dialog: every installed filter, then the name
    // registered, then OK.
    void RegisterWithOk(const QString& name)
    {
        NextDialog([name](QDialog& dlg) {
            auto* category = dlg.findChild<QComboBox*>(QStringLiteral("1030"));
            auto* filters = dlg.findChild<QListWidget*>(QStringLiteral("1014"));
            ASSERT_TRUE(category && filters);
            category->setFocus();
            QTest::keyClick(category, Qt::Key_End);
            const QList<QListWidgetItem*> found = filters->findItems(name, Qt::MatchExactly);
            ASSERT_FALSE(found.isEmpty()) << qPrintable(name);
            filters->scrollToItem(found.first());
            QTest::mouseClick(
                filters->viewport(), Qt::LeftButton, {}, filters->visualItemRect(found.first()).center());
            ClickButton(dlg, "1031");
            ClickButton(dlg, "1");
        });
    }
    QString Copy(TestClip clip, const QString& name)
    {
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(QFile::copy(TestMediaPath(clip), path));
        return path;
    }
    bool Plays(const QString& path)
    {
        return ProcessEventsUntil(
            [&] { return Frame().LoadedFile() == path && Frame().View().IsStarted(); }, 20000);
    }
    // The filter box and the source of the filter information.
    QStringList FilterInformation(QString* pSource = nullptr)
    {
        QString filters;
        NextDialog([&](QDialog& dlg) {
            EXPECT_EQ(dlg.windowTitle(), QStringLiteral("DirectShowフィルタ情報"));
            filters = FieldText(dlg, 1014);
            if (pSource)
                *pSource = FieldText(dlg, 1013);
            ClickButton(dlg, "1");
        });
        Command(ID_DSHOW_INFO);
        return filters.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    QTemporaryDir m_dir;
};

TEST_F(InfoDialogs, ABlackListedDecoderGivesWayAtTheNextFileAndTheInformationNamesItsStandIn)
{
    const QString first = Copy(TestClip::AviMjpegPcm, QStringLiteral("first.avi"));
    const QString second = Copy(TestClip::AviMjpegPcm, QStringLiteral("second.avi"));
    Frame().OnDropFiles({ first, second });
    ASSERT_TRUE(Plays(first));
    // Held where it is, so that nothing moves on while the dialogs are open.
    Command(ID_PLAY_PAUSE);
    EXPECT_TRUE(FilterInformation().contains(kJpegDecoder));

    RegisterWithOk(kJpegDecoder);
    Command(ID_BLACK_LIST);
    ASSERT_EQ(Frame().ViewSettings().m_blackList.GetCount(), 1);
    EXPECT_EQ(Frame().ViewSettings().m_blackList.GetAt(0), kJpegDecoder);
    // The file already loaded keeps its decoder.
    EXPECT_TRUE(FilterInformation().contains(kJpegDecoder));

    Command(ID_NEXT);
    ASSERT_TRUE(Plays(second));
    QString source;
    const QStringList filters = FilterInformation(&source);
    EXPECT_EQ(source, second);
    EXPECT_TRUE(filters.contains(kLibavDecoder)) << qPrintable(filters.join(QStringLiteral(", ")));
    EXPECT_FALSE(filters.contains(kJpegDecoder));
}

TEST_F(InfoDialogs, MediaInformationShowsTheClipsPictureAndSound)
{
    const QString clip = Copy(TestClip::AviMjpegPcm, QStringLiteral("clip.avi"));
    Frame().OnDropFiles({ clip });
    ASSERT_TRUE(Plays(clip));
    Command(ID_PLAY_PAUSE);
    QStringList texts;
    NextDialog([&](QDialog& dlg) {
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("メディア情報"));
        for (int nID = 1023; nID <= 1028; ++nID)
            texts << FieldText(dlg, nID);
        ClickButton(dlg, "1");
    });
    Command(ID_MEDIA_INFO);
    EXPECT_EQ(texts,
        (QStringList { QStringLiteral("160 × 120"), QStringLiteral("160 × 120"), QStringLiteral("44100Hz"),
            QStringLiteral("16ビット"), QStringLiteral("ステレオ"), QStringLiteral("25.00") }));
}

} // namespace
