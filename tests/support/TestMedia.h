#pragma once
// Tiny media files made with GStreamer when a test first asks for them, kept
// in one temporary folder for the rest of the test run.

#include <QString>

enum class TestClip {
    AviMjpegPcm,      // 2 s, 160x120 MJPEG at 25 fps + 44.1 kHz stereo PCM
    AviMjpegOnly,     // 1 s, MJPEG video only
    AviFrameCounter,  // 3 s, 320x240 MJPEG at 25 fps showing its time code (HH:MM:SS:FF) + PCM
    AviNtsc,          // 1 s, MJPEG at 30000/1001 fps
    AviRedOverGreen,  // 0.2 s, 176x96 MJPEG at 25 fps: the top half red, the bottom half green
    AviHd1080,        // 0.2 s, 1920x1080 MJPEG at 25 fps
    AviLongSmall,     // 20 s, 64x48 MJPEG at 5 fps, no sound: room for seeking by seconds
    Wav,              // 1 s, 44.1 kHz stereo 16-bit
    WavTwoSeconds,    // 2 s, 44.1 kHz stereo 16-bit
    OggTagged,        // 1 s, Theora + Vorbis, title "Test Title", artist "Test Artist", album "Test Album"
    Interlaced,       // 0.4 s, interlaced H.264 in MP4
    // Today's formats, each 0.4 s with picture (25 fps) and sound unless said:
    Aiff,             // 1 s, 44.1 kHz stereo 16-bit big-endian
    Mp3,              // sound only, constant bitrate, no Xing/Info header
    Mp3Cbr,           // the same, 5 s
    Wmv,              // picture only, WMV2 in ASF
    Wma,              // sound only, WMA2 in ASF
    WmvNoPictures,    // WMV2 + WMA2 in ASF, muxed so that the picture track holds no pictures
    Mp4,              // H.264 + AAC
    Mkv,              // H.264 + Vorbis
    Webm,             // VP8 + Opus
    Ts,               // H.264 + AAC in MPEG-TS
    Flac,             // sound only
    TruncatedMp4,     // an MP4 whose index never came: the first 60000 bytes of a longer one
    ZeroByte,         // an empty file named .avi
    TextAsAvi,        // a text file named .avi
};

// The clip's path; empty (and the test fails) when it cannot be made.
QString TestMediaPath(TestClip clip);
// A path in the same folder where no file exists.
QString MissingMediaPath();

inline constexpr const char* kTestTitle = "Test Title";
inline constexpr const char* kTestArtist = "Test Artist";
inline constexpr const char* kTestAlbum = "Test Album";
