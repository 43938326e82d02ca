#pragma once
// A player built on a fake graph, for the tests of its operations.

#include "FakeMediaGraph.h"

#include "filters/FilterNameList.h"
#include "player/DShowPlayer.h"
#include "player/ErrMessage.h"

#include <gtest/gtest.h>

#include <QWidget>

#include <functional>

inline const QString kFakeFile = QStringLiteral("/media/clip.avi");

struct PlayerOptions {
    BOOL bAspectFix = TRUE;
    BOOL bDisableVMR9 = FALSE;
    BOOL bDisableDeinterlace = FALSE;
    FilterNameList blackList;
    FilterNameList firstUse;
};

// A file with picture and sound, as the fake renders it.
inline void VideoAndAudio(FakeGraphState& state)
{
    FakeFilterSpec source = FakeFilterSpec::Connected(kFakeFile, FilterRole::Source);
    source.bMediaContent = true;
    source.strTitle = QStringLiteral("Title");
    FakeFilterSpec audio = FakeFilterSpec::Connected(QStringLiteral("Audio sink (ALSA)"), FilterRole::AudioRenderer);
    audio.connectionType = FakeAudioType(2, 48000, 16);
    state.rendered = { source, FakeFilterSpec::Connected(QStringLiteral("Avi demuxer")),
        FakeFilterSpec::Connected(QStringLiteral("JPEG image decoder")), audio };
    state.videoType = FakeVideoType(640, 480, 400000);
}

// The same file shown through the owner-window renderer.
inline void OwnerWindowVideo(FakeGraphState& state, PlayerOptions& options)
{
    options.bDisableVMR9 = TRUE;
    state.bOwnerWindowPossible = true;
    state.rendered.push_back(FakeFilterSpec::Connected(QStringLiteral("Video sink"), FilterRole::OwnerWindowRenderer));
}

class PlayerTest : public ::testing::Test {
protected:
    void SetUp() override { VideoAndAudio(*fake.state); }

    std::unique_ptr<CDShowPlayer> Build()
    {
        return std::make_unique<CDShowPlayer>(kFakeFile, options.bAspectFix, options.bDisableVMR9,
            options.bDisableDeinterlace, &options.blackList, &options.firstUse, &view, &notifyTarget, fake.factory);
    }

    // The error a construction throws; fails the test when none is thrown.
    CDirectShowErrMessage BuildFailure()
    {
        return Failure([&] { Build(); });
    }

    // The error an operation throws; fails the test when none is thrown.
    static CDirectShowErrMessage Failure(const std::function<void()>& operation)
    {
        try {
            operation();
        } catch (const CDirectShowErrMessage& e) {
            return e;
        }
        ADD_FAILURE() << "nothing was thrown";
        return CDirectShowErrMessage();
    }

    FakeGraphSetup fake;
    PlayerOptions options;
    QWidget view;
    QObject notifyTarget;
};
