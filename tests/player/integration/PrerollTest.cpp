// Getting a file ready to play on real graphs: files as people have them
// load and tell their length, and inputs that never get ready fail at once
// instead of holding the window.

#include "PlayerFixture.h"
#include "TestEnv.h"

#include "player/graph/GstWarmUp.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gst/gst.h>

#include <atomic>
#include <cstring>
#include <thread>

#include <sys/stat.h>

namespace {

// A demuxer that takes a file in, says nothing and never gives a stream:
// what a damaged file looks like when its demuxer gives up without a word.
struct OrvStallDemux {
    GstElement parent;
};
struct OrvStallDemuxClass {
    GstElementClass parent_class;
};
G_DEFINE_TYPE(OrvStallDemux, orv_stall_demux, GST_TYPE_ELEMENT)

GstStaticPadTemplate g_stallSink
    = GST_STATIC_PAD_TEMPLATE("sink", GST_PAD_SINK, GST_PAD_ALWAYS, GST_STATIC_CAPS("application/x-orv-stall"));
GstStaticPadTemplate g_stallSrc = GST_STATIC_PAD_TEMPLATE("src_%u", GST_PAD_SRC, GST_PAD_SOMETIMES, GST_STATIC_CAPS_ANY);
constexpr char kStallMagic[] = "ORVSTALL";

void orv_stall_demux_class_init(OrvStallDemuxClass* pClass)
{
    GstElementClass* pElementClass = GST_ELEMENT_CLASS(pClass);
    gst_element_class_add_static_pad_template(pElementClass, &g_stallSink);
    gst_element_class_add_static_pad_template(pElementClass, &g_stallSrc);
    gst_element_class_set_static_metadata(pElementClass, "Silent demuxer", "Codec/Demuxer", "Never gives a stream", "orv");
}

void orv_stall_demux_init(OrvStallDemux* pDemux)
{
    GstPad* pPad = gst_pad_new_from_static_template(&g_stallSink, "sink");
    gst_pad_set_chain_function(pPad, [](GstPad*, GstObject*, GstBuffer* pBuffer) {
        gst_buffer_unref(pBuffer);
        return GST_FLOW_OK;
    });
    gst_pad_set_event_function(pPad, [](GstPad*, GstObject*, GstEvent* pEvent) {
        gst_event_unref(pEvent);
        return gboolean(TRUE);
    });
    gst_element_add_pad(GST_ELEMENT(pDemux), pPad);
}

void RegisterStallDemux()
{
    static const bool bRegistered = [] {
        gst_element_register(nullptr, "orvstalldemux", GST_RANK_PRIMARY + 100, orv_stall_demux_get_type());
        GstCaps* pCaps = gst_caps_new_empty_simple("application/x-orv-stall");
        gst_type_find_register(
            nullptr, "orv-stall", GST_RANK_PRIMARY + 100,
            [](GstTypeFind* pFind, gpointer pCaps) {
                const guint8* pData = gst_type_find_peek(pFind, 0, sizeof kStallMagic - 1);
                if (pData && std::memcmp(pData, kStallMagic, sizeof kStallMagic - 1) == 0)
                    gst_type_find_suggest(pFind, GST_TYPE_FIND_MAXIMUM, static_cast<GstCaps*>(pCaps));
            },
            nullptr, pCaps, pCaps, reinterpret_cast<GDestroyNotify>(gst_caps_unref));
        return true;
    }();
    (void)bRegistered;
}

class Preroll : public PlayerFixture {
protected:
    // A file only the silent demuxer takes.
    QString StalledFile()
    {
        RegisterStallDemux();
        const QString path = dir.filePath("stalled.avi");
        WriteFileBytes(path, QByteArray(kStallMagic) + QByteArray(64 * 1024, 'x'));
        return path;
    }
    QTemporaryDir dir;
};

TEST_F(Preroll, AnMp3WithoutHeaderHasALengthAndSeeksAtOnce)
{
    Load(TestClip::Mp3Cbr);
    LONGLONG llMedia = 0, llSeek = 0, llFrames = 0;
    ASSERT_EQ(player->GetDurations(&llMedia, &llSeek, &llFrames), SEEKMODE_TIME);
    EXPECT_NEAR(double(llMedia), 50000000.0, 1000000.0);
    EXPECT_EQ(llFrames, -1); // sound has no frames

    player->Pause();
    player->SetPosition(llMedia / 2);
    EXPECT_NEAR(double(player->GetCurrentPosition()), double(llMedia / 2), 500000.0);

    // Once the parser has measured the stream, the player hears of it and
    // takes the length it found.
    player->SetPosition(0);
    player->Run();
    ASSERT_TRUE(WaitForEvent(EC_LENGTH_CHANGED));
    player->UpdateLength();
    EXPECT_EQ(player->GetDurations(&llMedia, &llSeek, &llFrames), SEEKMODE_TIME);
    EXPECT_NEAR(double(llMedia), 50000000.0, 1000000.0);
    EXPECT_EQ(player->GetStopPosition(), llMedia);
}

TEST_F(Preroll, APictureTrackWithoutPicturesPlaysAsSound)
{
    Load(TestClip::WmvNoPictures);
    EXPECT_FALSE(player->HasWindowlessControl());
    int nWidth = 0;
    int nHeight = 0;
    EXPECT_EQ(player->GetNativeDisplaySize(&nWidth, &nHeight), 0);
    player->Run();
    EXPECT_TRUE(WaitForEvent(EC_COMPLETE));
}

TEST_F(Preroll, InputsThatNeverGetReadyFailAtOnce)
{
    const QString stalled = StalledFile();
    const QString fifo = dir.filePath("pipe.mp3");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);

    struct Case {
        QString path;
        HRESULT hr; // S_OK: whichever failure the framework names
    };
    const Case cases[] = {
        { stalled, E_FAIL },
        { TestMediaPath(TestClip::TruncatedMp4), S_OK },
        { fifo, VFW_E_INVALID_FILE_FORMAT },
        { QStringLiteral("/dev/zero"), VFW_E_INVALID_FILE_FORMAT },
        { dir.path(), VFW_E_INVALID_FILE_FORMAT },
    };
    for (const Case& c : cases) {
        // A failure that comes late only now and then: each is tried a few times.
        for (int i = 0; i < 4; ++i) {
            QElapsedTimer timer;
            timer.start();
            const CDirectShowErrMessage e = LoadFailure(c.path);
            const qint64 msTaken = timer.elapsed();
            EXPECT_EQ(e.m_nCode, ERR_RENDER_FILE) << qPrintable(c.path);
            EXPECT_TRUE(c.hr == S_OK ? FAILED(e.m_hr) : e.m_hr == c.hr) << qPrintable(c.path);
            EXPECT_FALSE(e.m_strDetail.isEmpty()) << qPrintable(c.path);
            // Under a second here; the bound leaves room for a slow machine
            // and still tells it from the ten-second wait for preroll.
            EXPECT_LT(msTaken, 2500) << qPrintable(c.path);
        }
    }
}

// While the process works (a decoder's plugin loading on a loaded machine,
// say), quiet pads are not yet a stall; once it is idle they are.
TEST_F(Preroll, QuietPadsAreNoStallWhileTheProcessWorks)
{
    const QString stalled = StalledFile();

    std::atomic<bool> bStop { false };
    std::thread busy([&] {
        QElapsedTimer spent;
        spent.start();
        while (!bStop && spent.elapsed() < 1500) {
        }
    });
    QElapsedTimer timer;
    timer.start();
    const CDirectShowErrMessage e = LoadFailure(stalled);
    const qint64 msTaken = timer.elapsed();
    bStop = true;
    busy.join();
    EXPECT_EQ(e.m_nCode, ERR_RENDER_FILE);
    EXPECT_GE(msTaken, 1500);
    EXPECT_LT(msTaken, 4000);
}

TEST_F(Preroll, TheWarmUpNeverOpensAPipe)
{
    const QString fifo = dir.filePath("pipe.mp4");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    StartGstWarmUp();
    ASSERT_TRUE(WaitGstReady());
    WarmUpDecodersFor(fifo);
    // Would wait for a writer for good, and the program's end with it.
    QElapsedTimer timer;
    timer.start();
    FinishGstWarmUp();
    EXPECT_LT(timer.elapsed(), 2500);
}

} // namespace
