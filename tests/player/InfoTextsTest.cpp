// What the information dialogs say for the values the player gathered, and
// that people can copy it out of them.

#include "DialogControls.h"

#include "player/DShowInfoDlg.h"
#include "player/InfoTexts.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

namespace {

MediaInfoValues Clip()
{
    MediaInfoValues values;
    values.strAuthor = QStringLiteral("Artist");
    values.strTitle = QStringLiteral("Title");
    values.bVideo = values.bAudio = true;
    values.nVideoWidth = 720;
    values.nVideoHeight = values.nDisplayHeight = 480;
    values.nDisplayWidth = 853;
    values.nFps = 2997;
    values.nSampleRate = 48000;
    values.nBitsPerSample = 16;
    values.nChannels = 2;
    return values;
}

TEST(InfoTexts, WithoutVideoOrSoundTheirValuesAreNotShown)
{
    MediaInfoValues values = Clip();
    values.bVideo = values.bAudio = false;
    const MediaInfoTexts texts = MakeMediaInfoTexts(values);
    for (const QString* text : { &texts.strNativeSize, &texts.strDisplaySize, &texts.strFrameRate,
             &texts.strSampleRate, &texts.strBitsPerSample, &texts.strChannels })
        EXPECT_TRUE(text->isEmpty()) << qPrintable(*text);
    EXPECT_EQ(texts.strTitle, QStringLiteral("Title"));
}

// ---- the dialogs ----

// Selects everything with the keyboard and copies it, as a user would.
QString CopiedWithKeys(QWidget* field)
{
    QApplication::clipboard()->clear();
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
    return QApplication::clipboard()->text();
}

TEST(InfoDialogs, FilterInformationIsReadOnlyAndCopyable)
{
    DShowInfoValues values;
    values.filterNames = { QStringLiteral("/media/a rather long folder name/clip.avi"), QStringLiteral("Avi demuxer"),
        QStringLiteral("JPEG image decoder") };
    CDShowInfoDlg dlg(MakeDShowInfoTexts(values));
    dlg.show();

    QLineEdit* source = Control<QLineEdit>(dlg, 1013);
    EXPECT_TRUE(source->isReadOnly());
    EXPECT_EQ(source->cursorPosition(), 0);
    EXPECT_EQ(CopiedWithKeys(source), QStringLiteral("/media/a rather long folder name/clip.avi"));

    QPlainTextEdit* filters = Control<QPlainTextEdit>(dlg, 1014);
    EXPECT_TRUE(filters->isReadOnly());
    EXPECT_EQ(CopiedWithKeys(filters), QStringLiteral("Avi demuxer\nJPEG image decoder\n"));
}

} // namespace
