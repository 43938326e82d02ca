#include "TestMedia.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
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
const QMap<TestClip, ClipRecipe>& Recipes()
{
    static const QMap<TestClip, ClipRecipe> recipes {
        { TestClip::AviMjpegPcm,
            { "mjpeg-pcm.avi",
                "videotestsrc num-buffers=50 ! video/x-raw,width=160,height=120,framerate=25/1 ! jpegenc ! queue ! mux. "
                "audiotestsrc num-buffers=87 ! audio/x-raw,format=S16LE,rate=44100,channels=2 ! queue ! mux. "
                "avimux name=mux ! filesink location=%1" } },
        { TestClip::AviMjpegOnly,
            { "mjpeg-only.avi",
                "videotestsrc num-buffers=25 ! video/x-raw,width=160,height=120,framerate=25/1 ! jpegenc ! avimux "
                "! filesink location=%1" } },
        { TestClip::AviFrameCounter,
            { "counter-25fps.avi",
                "videotestsrc num-buffers=75 pattern=smpte ! video/x-raw,width=320,height=240,framerate=25/1 "
                "! timecodestamper ! timeoverlay time-mode=time-code font-desc=\"Sans 24\" ! jpegenc quality=60 ! queue ! mux. "
                "audiotestsrc num-buffers=130 ! audio/x-raw,format=S16LE,rate=44100,channels=2 ! queue ! mux. "
                "avimux name=mux ! filesink location=%1" } },
        { TestClip::AviNtsc,
            { "ntsc.avi",
                "videotestsrc num-buffers=30 ! video/x-raw,width=160,height=120,framerate=30000/1001 ! jpegenc "
                "! avimux ! filesink location=%1" } },
        { TestClip::AviOddSize,
            { "odd-size.avi",
                "videotestsrc num-buffers=25 ! video/x-raw,width=321,height=241,framerate=25/1 ! jpegenc "
                "! avimux ! filesink location=%1" } },
        { TestClip::AviRedOverGreen,
            { "red-over-green.avi",
                "videotestsrc num-buffers=5 pattern=solid-color foreground-color=0xffff0000 "
                "! video/x-raw,format=AYUV,width=176,height=48,framerate=25/1 ! videobox bottom=-48 fill=green "
                "! videoconvert ! jpegenc quality=95 ! avimux ! filesink location=%1" } },
        { TestClip::AviHd1080,
            { "hd-1080.avi",
                "videotestsrc num-buffers=5 ! video/x-raw,width=1920,height=1080,framerate=25/1 ! jpegenc quality=50 "
                "! avimux ! filesink location=%1" } },
        { TestClip::Wav,
            { "tone.wav",
                "audiotestsrc num-buffers=43 ! audio/x-raw,format=S16LE,rate=44100,channels=2 ! wavenc "
                "! filesink location=%1" } },
        { TestClip::WavTwoSeconds,
            { "tone-2s.wav",
                "audiotestsrc num-buffers=87 ! audio/x-raw,format=S16LE,rate=44100,channels=2 ! wavenc "
                "! filesink location=%1" } },
        { TestClip::OggTagged,
            { "tagged.ogg",
                "videotestsrc num-buffers=25 ! video/x-raw,width=160,height=120,framerate=25/1 ! theoraenc ! queue ! mux. "
                "audiotestsrc num-buffers=43 ! audio/x-raw,rate=44100,channels=2 "
                R"(! taginject 'tags="title=\"Test Title\",artist=\"Test Artist\""' ! audioconvert ! vorbisenc )"
                "! queue ! mux. oggmux name=mux ! filesink location=%1" } },
        { TestClip::Interlaced,
            { "interlaced.mp4",
                "videotestsrc num-buffers=10 ! video/x-raw,format=I420,width=64,height=48,framerate=25/1,"
                "interlace-mode=interleaved ! x264enc interlaced=true ! mp4mux ! filesink location=%1" } },
        { TestClip::Aiff,
            { "tone.aiff",
                "audiotestsrc num-buffers=43 ! audio/x-raw,format=S16BE,rate=44100,channels=2 ! aiffmux "
                "! filesink location=%1" } },
        { TestClip::Mp3, { "short.mp3", kShortSound "! lamemp3enc target=bitrate bitrate=128 cbr=true ! filesink location=%1" } },
        { TestClip::Mp3Cbr,
            { "cbr.mp3",
                "audiotestsrc num-buffers=215 ! audio/x-raw,rate=44100,channels=2 "
                "! lamemp3enc target=bitrate bitrate=128 cbr=true ! filesink location=%1" } },
        // ASF with both picture and sound from this muxer comes out differently
        // each time, and some of it never ends: one stream a file.
        { TestClip::Wmv, { "clip.wmv", kShortPicture "! avenc_wmv2 ! asfmux ! filesink location=%1" } },
        { TestClip::Wma, { "clip.wma", kShortSound "! avenc_wmav2 ! asfmux ! filesink location=%1" } },
        { TestClip::WmvNoPictures,
            { "no-pictures.wmv", kShortPicture "! avenc_wmv2 ! queue ! mux. " kShortSound
                "! avenc_wmav2 ! queue ! mux. asfmux name=mux ! filesink location=%1" } },
        { TestClip::Mp4,
            { "clip.mp4", kShortPicture "! x264enc ! queue ! mux. " kShortSound
                "! avenc_aac ! queue ! mux. mp4mux name=mux ! filesink location=%1" } },
        { TestClip::Mkv,
            { "clip.mkv", kShortPicture "! x264enc ! queue ! mux. " kShortSound
                "! vorbisenc ! queue ! mux. matroskamux name=mux ! filesink location=%1" } },
        { TestClip::Webm,
            { "clip.webm", kShortPicture "! vp8enc deadline=1 ! queue ! mux. " kShortSound
                "! opusenc ! queue ! mux. webmmux name=mux ! filesink location=%1" } },
        { TestClip::Ts,
            { "clip.ts", kShortPicture "! x264enc ! queue ! mux. " kShortSound
                "! avenc_aac ! aacparse ! queue ! mux. mpegtsmux name=mux ! filesink location=%1" } },
        { TestClip::Flac, { "clip.flac", kShortSound "! flacenc ! filesink location=%1" } },
        { TestClip::Opus, { "clip.opus", kShortSound "! opusenc ! oggmux ! filesink location=%1" } },
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
    const QString strLine = QString::fromUtf8(recipe.pipeline).arg(strPartial);
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QStringLiteral("/bin/sh"),
        { QStringLiteral("-c"), QStringLiteral("gst-launch-1.0 -q -e ") + strLine });
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0
        && QFile::rename(strPartial, strPath);
}
}

QString TestMediaPath(TestClip clip)
{
    QTemporaryDir& dir = MediaDir();
    if (!dir.isValid()) {
        ADD_FAILURE() << "no temporary folder for test media";
        return QString();
    }
    switch (clip) {
    case TestClip::ZeroByte: {
        const QString strPath = dir.filePath(QStringLiteral("empty.avi"));
        QFile f(strPath);
        if (!f.exists() && f.open(QIODevice::WriteOnly))
            f.close();
        return strPath;
    }
    case TestClip::TextAsAvi: {
        const QString strPath = dir.filePath(QStringLiteral("text.avi"));
        QFile f(strPath);
        if (!f.exists() && f.open(QIODevice::WriteOnly))
            f.write("This is a plain text file, not a movie.\nIt only has an .avi name.\n");
        return strPath;
    }
    default:
        break;
    }
    const ClipRecipe& recipe = Recipes()[clip];
    const QString strPath = dir.filePath(QString::fromUtf8(recipe.fileName));
    if (!QFile::exists(strPath) && !Generate(recipe, strPath)) {
        ADD_FAILURE() << "could not make test media " << recipe.fileName;
        return QString();
    }
    return strPath;
}

QString MissingMediaPath() { return MediaDir().filePath(QStringLiteral("no-such-file.avi")); }
