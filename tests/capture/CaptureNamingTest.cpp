// Still-image names: the first free number, per extension, within MAX_PATH.

#include "TestEnv.h"

#include "capture/CaptureNaming.h"
#include "platform/WinTypes.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

class CaptureNaming : public ::testing::Test {
protected:
    void Touch(const QString& name) { WriteFileBytes(m_dir.filePath(name), "x"); }
    QString Next(const QString& source, int nFormat = SAVE_FORMAT_BMP)
    {
        return MakeCaptureFilePath(source, m_dir.path(), nFormat);
    }

    QTemporaryDir m_dir;
};

TEST_F(CaptureNaming, TheFirstFreeNumberIsTaken)
{
    const QString clip = QStringLiteral("/media/movie/clip.avi");
    EXPECT_EQ(Next(clip), m_dir.filePath("clip_00000.bmp"));
    Touch("clip_00000.bmp");
    Touch("clip_00002.bmp");
    EXPECT_EQ(Next(clip), m_dir.filePath("clip_00001.bmp"));
    Touch("clip_00001.bmp");
    EXPECT_EQ(Next(clip), m_dir.filePath("clip_00003.bmp"));

    // JPEG numbers its own files and does not look at the BMP ones.
    EXPECT_EQ(Next(clip, SAVE_FORMAT_JPEG), m_dir.filePath("clip_00000.jpg"));
    // An unknown format saves BMP.
    EXPECT_EQ(Next(clip, 7), m_dir.filePath("clip_00003.bmp"));

    // A link that leads nowhere still holds its name.
    ASSERT_TRUE(QFile::link(m_dir.filePath("gone"), m_dir.filePath("clip_00003.bmp")));
    EXPECT_EQ(Next(clip), m_dir.filePath("clip_00004.bmp"));
}

TEST_F(CaptureNaming, TheBaseIsTheFileNameWithoutItsExtension)
{
    EXPECT_EQ(Next("/m/archive.tar.gz"), m_dir.filePath("archive.tar_00000.bmp"));
    EXPECT_EQ(Next("/m/noext"), m_dir.filePath("noext_00000.bmp"));
    EXPECT_EQ(Next("/m.d/50%1 off.mkv"), m_dir.filePath("50%1 off_00000.bmp"));
}

TEST_F(CaptureNaming, APathLongerThanMaxPathHasNoName)
{
    // "/" + folder name + "/c_00000.bmp" (12 characters).
    const QString fits = QLatin1Char('/') + QString(MAX_PATH - 13, QLatin1Char('d'));
    const QString path = MakeCaptureFilePath("/m/c.avi", fits, SAVE_FORMAT_BMP);
    EXPECT_EQ(path.size(), MAX_PATH);
    EXPECT_TRUE(MakeCaptureFilePath("/m/c.avi", fits + "d", SAVE_FORMAT_BMP).isEmpty());
}

} // namespace
