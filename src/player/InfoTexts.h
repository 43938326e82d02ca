#pragma once
// What the two information dialogs show, made from plain values so that the
// rules can be checked without a graph: the frame fills the values from the
// view and the player, and the dialogs show the texts as they are.

#include "platform/WinTypes.h"
#include "player/PlayerCodes.h"

#include <QSize>
#include <QString>
#include <QStringList>

class CDShowPlayer;

// ---- filter information ----

struct DShowInfoValues {
    // The graph's filter names, in the player's order.
    QStringList filterNames;
    // A player exists and the file has video.
    bool bVideo = false;
    bool bOwnerWindowMode = false;
    int nInterlaceKind = INTERLACE_NOT_REPORTED;
    DWORD dwInterlaceFlags = 0;
    int nDeinterlaceStatus = DEINTERLACE_OFF;
};

struct DShowInfoTexts {
    QString strSource;            // the file path the source filter is named with
    QString strFilters;           // every other filter, each followed by a line feed
    QString strInterlaceMode;     // what the decoder tells the renderer
    QString strDeinterlaceState;  // whether the renderer deinterlaces
};

DShowInfoTexts MakeDShowInfoTexts(const DShowInfoValues& values);

// The player's side of the values; bHasVideo is the view's word on video.
DShowInfoValues DShowInfoValuesOf(const CDShowPlayer& player, bool bHasVideo);

// ---- media information ----

struct MediaInfoValues {
    QString strAuthor, strTitle, strRating, strDescription, strCopyright;
    // A player exists and the file has video.
    bool bVideo = false;
    int nVideoWidth = 0, nVideoHeight = 0;
    // The size the picture is shown at 100 %.
    int nDisplayWidth = 0, nDisplayHeight = 0;
    // Hundredths of a frame per second.
    int nFps = 0;
    // A player exists and its sound can be controlled.
    bool bAudio = false;
    int nSampleRate = 0, nBitsPerSample = 0, nChannels = 0;
};

// In the order of the dialog's fields.
struct MediaInfoTexts {
    QString strAuthor, strTitle, strRating, strDescription, strCopyright;
    QString strNativeSize, strDisplaySize;
    QString strSampleRate, strBitsPerSample, strChannels;
    QString strFrameRate;
};

MediaInfoTexts MakeMediaInfoTexts(const MediaInfoValues& values);

// The player's side of the values, with the view's word on video and sound
// and its native display size.
MediaInfoValues MediaInfoValuesOf(const CDShowPlayer& player, bool bHasVideo, bool bAudioAvailable, QSize displaySize);
