#include "TestMedia.h"

#include "TestEnv.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>

namespace {
QTemporaryDir& MediaDir()
{
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/orv-media-XXXXXX"));
    return dir;
}

struct ClipRecipe {
    const char* fileName;
    const char* pipeline; // gst-launch-1.0 description; %1 is the output file
};

// Audio: 1024 samples a buffer, so 44.1 kHz needs 43 buffers a second.
#define kShortPicture "videotestsrc num-buffers=10 ! video/x-raw,width=160,height=120,framerate=25/1 "
#define kShortSound "audiotestsrc num-buffers=18 ! audio/x-raw,rate=44100,channels=2 ! audioconvert ! audioresample "
#define kPcm(buffers) "audiotestsrc num-buffers=" #buffers " ! audio/x-raw,format=S16LE,rate=44100,channels=2 "
#define kMjpeg(buffers, size) "videotestsrc num-buffers=" #buffers " ! video/x-raw," size ",framerate=25/1 ! jpegenc "
#define kAviOut "! avimux ! filesink location=%1"
#define kMux(mux) "! queue ! mux. " mux " name=mux ! filesink location=%1"
#define kBoth(video, audio, mux) kShortPicture "! " video " ! queue ! mux. " kShortSound "! " audio " " kMux(mux)
const QMap<TestClip, ClipRecipe>& Recipes()
{
    static const QMap<TestClip, ClipRecipe> recipes {
        { TestClip::AviMjpegPcm,
            { "mjpeg-pcm.avi", kMjpeg(50, "width=160,height=120") "! queue ! mux. " kPcm(87) kMux("avimux") } },
        { TestClip::AviMjpegOnly, { "mjpeg-only.avi", kMjpeg(25, "width=160,height=120") kAviOut } },
        { TestClip::AviLongSmall,
            { "long-small.avi",
                "videotestsrc num-buffers=100 ! video/x-raw,width=64,height=48,framerate=5/1 ! jpegenc " kAviOut } },
        { TestClip::AviFrameCounter,
            { "counter-25fps.avi",
                "videotestsrc num-buffers=75 pattern=smpte ! video/x-raw,width=320,height=240,framerate=25/1 "
                "! timecodestamper ! timeoverlay time-mode=time-code font-desc=\"Sans 24\" ! jpegenc quality=60 "
                "! queue ! mux. " kPcm(130) kMux("avimux") } },
        { TestClip::AviNtsc,
            { "ntsc.avi",
                "videotestsrc num-buffers=30 ! video/x-raw,width=160,height=120,framerate=30000/1001 ! jpegenc "
                kAviOut } },
        { TestClip::AviRedOverGreen,
            { "red-over-green.avi",
                "videotestsrc num-buffers=5 pattern=solid-color foreground-color=0xffff0000 "
                "! video/x-raw,format=AYUV,width=176,height=48,framerate=25/1 ! videobox bottom=-48 fill=green "
                "! videoconvert ! jpegenc quality=95 " kAviOut } },
        { TestClip::AviHd1080,
            { "hd-1080.avi",
                "videotestsrc num-buffers=5 ! video/x-raw,width=1920,height=1080,framerate=25/1 ! jpegenc quality=50 "
                kAviOut } },
        { TestClip::Wav, { "tone.wav", kPcm(43) "! wavenc ! filesink location=%1" } },
        { TestClip::WavTwoSeconds, { "tone-2s.wav", kPcm(87) "! wavenc ! filesink location=%1" } },
        { TestClip::OggTagged,
            { "tagged.ogg",
                "videotestsrc num-buffers=25 ! video/x-raw,width=160,height=120,framerate=25/1 ! theoraenc ! queue ! mux. "
                "audiotestsrc num-buffers=43 ! audio/x-raw,rate=44100,channels=2 "
                R"(! taginject 'tags="title=\"Test Title\",artist=\"Test Artist\",album=\"Test Album\""' ! audioconvert ! vorbisenc )"
                kMux("oggmux") } },
        { TestClip::Interlaced,
            { "interlaced.mp4",
                "videotestsrc num-buffers=10 ! video/x-raw,format=I420,width=64,height=48,framerate=25/1,"
                "interlace-mode=interleaved ! x264enc interlaced=true ! mp4mux ! filesink location=%1" } },
        { TestClip::Aiff,
            { "tone.aiff",
                "audiotestsrc num-buffers=43 ! audio/x-raw,format=S16BE,rate=44100,channels=2 ! aiffmux "
                "! filesink location=%1" } },
        { TestClip::Mp3,
            { "short.mp3", kShortSound "! lamemp3enc target=bitrate bitrate=128 cbr=true ! filesink location=%1" } },
        { TestClip::Mp3Cbr,
            { "cbr.mp3",
                "audiotestsrc num-buffers=215 ! audio/x-raw,rate=44100,channels=2 "
                "! lamemp3enc target=bitrate bitrate=128 cbr=true ! filesink location=%1" } },
        // ASF with both picture and sound from this muxer comes out differently
        // each time, and some of it never ends: one stream a file.
        { TestClip::Wmv, { "clip.wmv", kShortPicture "! avenc_wmv2 ! asfmux ! filesink location=%1" } },
        { TestClip::Wma, { "clip.wma", kShortSound "! avenc_wmav2 ! asfmux ! filesink location=%1" } },
        { TestClip::WmvNoPictures, { "no-pictures.wmv", kBoth("avenc_wmv2", "avenc_wmav2", "asfmux") } },
        { TestClip::Mp4, { "clip.mp4", kBoth("x264enc", "avenc_aac", "mp4mux") } },
        { TestClip::Mkv, { "clip.mkv", kBoth("x264enc", "vorbisenc", "matroskamux") } },
        { TestClip::Webm, { "clip.webm", kBoth("vp8enc deadline=1", "opusenc", "webmmux") } },
        { TestClip::Ts, { "clip.ts", kBoth("x264enc", "avenc_aac ! aacparse", "mpegtsmux") } },
        { TestClip::Flac, { "clip.flac", kShortSound "! flacenc ! filesink location=%1" } },
        // The index of an MP4 comes last; cut before it, nothing says what the file holds.
        { TestClip::TruncatedMp4,
            { "truncated.mp4",
                "videotestsrc num-buffers=50 ! video/x-raw,width=320,height=240,framerate=25/1 ! x264enc "
                "! mp4mux ! filesink location=%1.whole && head -c 60000 %1.whole > %1 && rm %1.whole" } },
    };
    return recipes;
}

bool Generate(const ClipRecipe& recipe, const QString& strPath)
{
    const QString strPartial = strPath + QStringLiteral(".part");
    const ProgramRun run = RunProgram(QStringLiteral("/bin/sh"),
        { QStringLiteral("-c"), QStringLiteral("gst-launch-1.0 -q -e ") + QString::fromUtf8(recipe.pipeline).arg(strPartial) });
    if (run.exitCode == 0 && QFile::rename(strPartial, strPath))
        return true;
    ADD_FAILURE() << "could not make test media " << recipe.fileName << ": " << run.err.toStdString();
    return false;
}
}

QString TestMediaPath(TestClip clip)
{
    QTemporaryDir& dir = MediaDir();
    if (!dir.isValid()) {
        ADD_FAILURE() << "no temporary folder for test media";
        return QString();
    }
    if (clip == TestClip::ZeroByte || clip == TestClip::TextAsAvi) {
        const bool bText = clip == TestClip::TextAsAvi;
        const QString strPath = dir.filePath(bText ? QStringLiteral("text.avi") : QStringLiteral("empty.avi"));
        if (!QFile::exists(strPath))
            WriteFileBytes(strPath, bText ? "This is a plain text file, not a movie.\nIt only has an .avi name.\n" : "");
        return strPath;
    }
    const ClipRecipe& recipe = Recipes()[clip];
    const QString strPath = dir.filePath(QString::fromUtf8(recipe.fileName));
    return QFile::exists(strPath) || Generate(recipe, strPath) ? strPath : QString();
}

QString MissingMediaPath() { return MediaDir().filePath(QStringLiteral("no-such-file.avi")); }
