// Every enable and check rule of the command table against prepared states.

#include "playlist/PlayList.h"
#include "ui/CommandIds.h"
#include "ui/CommandTable.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace {

using Prepare = std::function<void(CCommandState&)>;

struct RuleCase {
    int nID;
    const char* what;
    Prepare prepare;
    bool bEnabled;
    // -1: not a check item.
    int nChecked;
};

void Nothing(CCommandState&) {}

// A file that plays: loaded, started, seekable, with video and a graph.
void Playing(CCommandState& s)
{
    s.bLoaded = s.bStarted = s.bSeekable = s.bHasVideo = s.bHasFilters = TRUE;
    s.nCount = 2;
    s.nCurrent = 0;
}

void PausedVideo(CCommandState& s)
{
    Playing(s);
    s.bPaused = TRUE;
}

Prepare Count(int n)
{
    return [n](CCommandState& s) { s.nCount = n; };
}

Prepare And(Prepare a, Prepare b)
{
    return [a, b](CCommandState& s) {
        a(s);
        b(s);
    };
}

// The state of a busy, full-screen, A-B-repeating player with everything
// switched on: rules that say "always" must hold here too.
void Everything(CCommandState& s)
{
    PausedVideo(s);
    s.bFullScreen = s.bCapturing = s.bABRepeat = s.bStepBusy = s.bStepAtEnd = s.bStepAtStart = TRUE;
    s.llPointA = 10;
    s.llPointB = 20;
    s.bPlayListFile = s.bUseVolDB = s.bOneLoop = TRUE;
    s.nCount = PLAYLIST_MAX;
}

// Enabled whatever the state, never checked.
const int kAlways[] = { ID_FILE_OPEN, ID_OPEN_FOLDER, ID_OPEN_PLAYLIST, ID_APP_EXIT, ID_EXT_SETTINGS,
    ID_CAPTURE_OPTIONS, ID_FIRST_USE_LIST, ID_BLACK_LIST, ID_HELP_FINDER, ID_APP_ABOUT, ID_FIT_WINDOW };

const RuleCase kCases[] = {

    // Adding needs a list that has entries and room.
    { ID_ADD_FILES, "empty list", Count(0), false, -1 },
    { ID_ADD_FILES, "one short of full", Count(PLAYLIST_MAX - 1), true, -1 },
    { ID_ADD_FILES, "full list", Count(PLAYLIST_MAX), false, -1 },
    { ID_ADD_FOLDER, "empty list", Count(0), false, -1 },
    { ID_ADD_FOLDER, "full list", Count(PLAYLIST_MAX), false, -1 },
    { ID_ADD_PLAYLIST, "empty list", Count(0), false, -1 },
    { ID_ADD_PLAYLIST, "full list", Count(PLAYLIST_MAX), false, -1 },

    // Saving needs more than one entry; "save" also a playlist file.
    { ID_SAVE_PLAYLIST, "one entry with a file", And(Count(1), [](CCommandState& s) { s.bPlayListFile = TRUE; }),
        false, -1 },
    { ID_SAVE_PLAYLIST, "two entries with a file", And(Count(2), [](CCommandState& s) { s.bPlayListFile = TRUE; }),
        true, -1 },
    { ID_SAVE_PLAYLIST, "two entries, no file", Count(2), false, -1 },
    { ID_SAVE_PLAYLIST_AS, "one entry", Count(1), false, -1 },
    { ID_SAVE_PLAYLIST_AS, "two entries", Count(2), true, -1 },

    { ID_PLAYLIST_WINDOW, "never", Everything, false, -1 },

    { ID_DSHOW_INFO, "loaded with a graph", Playing, true, -1 },
    { ID_DSHOW_INFO, "loaded, no filter", And(Playing, [](CCommandState& s) { s.bHasFilters = FALSE; }), false, -1 },
    { ID_DSHOW_INFO, "nothing loaded", Nothing, false, -1 },
    { ID_MEDIA_INFO, "loaded", [](CCommandState& s) { s.bLoaded = TRUE; }, true, -1 },
    { ID_MEDIA_INFO, "nothing loaded", Count(3), false, -1 },

    // Play/pause: a loaded file, or a list with a current entry.
    { ID_PLAY_PAUSE, "empty list, nothing loaded", Nothing, false, -1 },
    { ID_PLAY_PAUSE, "entries without a current one", Count(2), false, -1 },
    { ID_PLAY_PAUSE, "entries with a current one", [](CCommandState& s) { s.nCount = 2, s.nCurrent = 1; }, true, -1 },
    { ID_PLAY_PAUSE, "loaded, empty list", [](CCommandState& s) { s.bLoaded = TRUE; }, true, -1 },
    { ID_STOP, "started", Playing, true, -1 },
    { ID_STOP, "loaded, stopped", [](CCommandState& s) { s.bLoaded = TRUE; }, false, -1 },
    { ID_PREV, "previous available", [](CCommandState& s) { s.bPrevAvailable = TRUE; }, true, -1 },
    { ID_PREV, "only next available", [](CCommandState& s) { s.bNextAvailable = TRUE; }, false, -1 },
    { ID_NEXT, "next available", [](CCommandState& s) { s.bNextAvailable = TRUE; }, true, -1 },
    { ID_NEXT, "only previous available", [](CCommandState& s) { s.bPrevAvailable = TRUE; }, false, -1 },

    { ID_FULL_SCREEN, "started with video", Playing, true, -1 },
    { ID_FULL_SCREEN, "started, audio only", And(Playing, [](CCommandState& s) { s.bHasVideo = FALSE; }), false,
        -1 },
    { ID_FULL_SCREEN, "video, stopped", And(Playing, [](CCommandState& s) { s.bStarted = FALSE; }), false, -1 },

    // Sizes: grey in full screen, checked by the stored size.
    { ID_SIZE_50, "nothing plays, size 0", [](CCommandState& s) { s.nDisplaySize = 0; }, true, 1 },
    { ID_SIZE_50, "size 1", Nothing, true, 0 },
    { ID_SIZE_100, "size 1", Nothing, true, 1 },
    { ID_SIZE_200, "size 2", [](CCommandState& s) { s.nDisplaySize = 2; }, true, 1 },
    { ID_SIZE_200, "full screen", And(Playing, [](CCommandState& s) { s.bFullScreen = TRUE; }), false, 0 },
    { ID_ASPECT_FIX, "fixed", Nothing, true, 1 },
    { ID_ASPECT_FIX, "free", [](CCommandState& s) { s.bAspectFix = FALSE; }, true, 0 },

    // Steps forward and back.
    { ID_FRAME_FORWARD, "paused video", PausedVideo, true, -1 },
    { ID_SKIP_BACK, "paused video", PausedVideo, true, -1 },
    { ID_FRAME_FORWARD, "playing", Playing, false, -1 },
    { ID_FRAME_BACK, "paused, audio only", And(PausedVideo, [](CCommandState& s) { s.bHasVideo = FALSE; }), false,
        -1 },
    { ID_SKIP_FORWARD, "paused, not seekable", And(PausedVideo, [](CCommandState& s) { s.bSeekable = FALSE; }),
        false, -1 },
    { ID_FRAME_FORWARD, "step running", And(PausedVideo, [](CCommandState& s) { s.bStepBusy = TRUE; }), false, -1 },
    { ID_FRAME_FORWARD, "at the end", And(PausedVideo, [](CCommandState& s) { s.bStepAtEnd = TRUE; }), false, -1 },
    { ID_SKIP_FORWARD, "at the end", And(PausedVideo, [](CCommandState& s) { s.bStepAtEnd = TRUE; }), false, -1 },
    { ID_FRAME_BACK, "at the end", And(PausedVideo, [](CCommandState& s) { s.bStepAtEnd = TRUE; }), true, -1 },
    { ID_FRAME_BACK, "at the start", And(PausedVideo, [](CCommandState& s) { s.bStepAtStart = TRUE; }), false,
        -1 },
    { ID_SKIP_BACK, "at the start", And(PausedVideo, [](CCommandState& s) { s.bStepAtStart = TRUE; }), false, -1 },
    { ID_SKIP_FORWARD, "at the start", And(PausedVideo, [](CCommandState& s) { s.bStepAtStart = TRUE; }), true,
        -1 },

    { ID_SAVE_STILL, "started with video", Playing, true, -1 },
    { ID_SAVE_STILL, "capturing", And(Playing, [](CCommandState& s) { s.bCapturing = TRUE; }), false, -1 },
    { ID_SAVE_STILL, "audio only", And(Playing, [](CCommandState& s) { s.bHasVideo = FALSE; }), false, -1 },

    { ID_MUTE, "sound on", Nothing, true, 0 },
    { ID_MUTE, "sound off", [](CCommandState& s) { s.bSoundOn = FALSE; }, true, 1 },
    { ID_REPEAT_NONE, "mode 0", Nothing, true, 1 },
    { ID_REPEAT_ALL, "mode 1", [](CCommandState& s) { s.nLoopMode = LOOP_ALL; }, true, 1 },
    { ID_REPEAT_RANDOM, "mode 2", [](CCommandState& s) { s.nLoopMode = LOOP_RANDOM; }, true, 1 },
    { ID_REPEAT_NONE, "mode 2", [](CCommandState& s) { s.nLoopMode = LOOP_RANDOM; }, true, 0 },
    { ID_ONE_LOOP, "off", Nothing, true, 0 },
    { ID_ONE_LOOP, "on", [](CCommandState& s) { s.bOneLoop = TRUE; }, true, 1 },

    // A-B repeat.
    { ID_A_SET, "started, seekable", Playing, true, 0 },
    { ID_B_SET, "started, seekable", Playing, true, 0 },
    { ID_A_SET, "A set", And(Playing, [](CCommandState& s) { s.llPointA = 0; }), true, 1 },
    { ID_B_SET, "B set", And(Playing, [](CCommandState& s) { s.llPointB = 5; }), true, 1 },
    { ID_A_SET, "repeat running", Everything, false, 1 },
    { ID_B_SET, "not seekable", And(Playing, [](CCommandState& s) { s.bSeekable = FALSE; }), false, 0 },
    { ID_A_SET, "stopped", [](CCommandState& s) { s.bSeekable = TRUE; }, false, 0 },
    { ID_AB_CLEAR, "nothing set", Playing, false, -1 },
    { ID_AB_CLEAR, "A set", [](CCommandState& s) { s.llPointA = 0; }, true, -1 },
    { ID_AB_CLEAR, "B set", [](CCommandState& s) { s.llPointB = 7; }, true, -1 },
    { ID_AB_CLEAR, "repeat running", Everything, false, -1 },
    { ID_A_GO, "A set", And(Playing, [](CCommandState& s) { s.llPointA = 3; }), true, -1 },
    { ID_A_GO, "only B set", And(Playing, [](CCommandState& s) { s.llPointB = 3; }), false, -1 },
    { ID_B_GO, "B set", And(Playing, [](CCommandState& s) { s.llPointB = 3; }), true, -1 },
    { ID_B_GO, "B set, stopped", [](CCommandState& s) { s.llPointB = 3, s.bSeekable = TRUE; }, false, -1 },
    { ID_A_GO, "repeat running", Everything, true, -1 },
    { ID_AB_START, "A and B set", And(Playing, [](CCommandState& s) { s.llPointA = 1, s.llPointB = 2; }), true, -1 },
    { ID_AB_START, "only A set", And(Playing, [](CCommandState& s) { s.llPointA = 1; }), false, -1 },
    { ID_AB_START, "already running", Everything, false, -1 },
    { ID_AB_END, "running", Everything, true, -1 },
    { ID_AB_END, "not running", And(Playing, [](CCommandState& s) { s.llPointA = 1, s.llPointB = 2; }), false, -1 },

    // Settings.
    { ID_USE_VOL_DB, "off", Nothing, true, 0 },
    { ID_USE_VOL_DB, "on", [](CCommandState& s) { s.bUseVolDB = TRUE; }, true, 1 },
    { ID_RESET_VOL_DB, "database off", Nothing, false, -1 },
    { ID_RESET_VOL_DB, "database on", [](CCommandState& s) { s.bUseVolDB = TRUE; }, true, -1 },
    { ID_ACC_MULTI_BOOT, "on", [](CCommandState& s) { s.bAccMultiBoot = TRUE; }, true, 1 },
    { ID_ACC_SAME_DATA, "on", [](CCommandState& s) { s.bAccSameData = TRUE; }, true, 1 },
    { ID_ACC_SAME_DATA, "off", [](CCommandState& s) { s.bAccMultiBoot = TRUE; }, true, 0 },
    { ID_ACC_SUB_FOLDER, "on", [](CCommandState& s) { s.bAccSubFolder = TRUE; }, true, 1 },
    { ID_DISABLE_VMR9, "on", [](CCommandState& s) { s.bDisableVMR9 = TRUE; }, true, 1 },
    { ID_DISABLE_VMR9, "off", [](CCommandState& s) { s.bDisableDeinterlace = TRUE; }, true, 0 },
    { ID_DISABLE_DEINTERLACE, "on", [](CCommandState& s) { s.bDisableDeinterlace = TRUE; }, true, 1 },
    { ID_SENDTO_REGISTER, "not registered", [](CCommandState& s) { s.bSendToPath = TRUE; }, true, -1 },
    { ID_SENDTO_REGISTER, "registered", [](CCommandState& s) { s.bSendToPath = s.bSendToExists = TRUE; }, false,
        -1 },
    { ID_SENDTO_REGISTER, "no folder", Nothing, false, -1 },
    { ID_SENDTO_UNREGISTER, "registered", [](CCommandState& s) { s.bSendToPath = s.bSendToExists = TRUE; }, true,
        -1 },
    { ID_SENDTO_UNREGISTER, "not registered", [](CCommandState& s) { s.bSendToPath = TRUE; }, false, -1 },
};

TEST(CommandRulesTest, EveryRuleAgainstPreparedStates)
{
    for (const int nID : kAlways)
        for (const Prepare& prepare : { Prepare(Nothing), Prepare(Everything) }) {
            CCommandState state;
            prepare(state);
            EXPECT_TRUE(RuleEnabled(*CCommandTable::Find(nID), state)) << nID;
            EXPECT_EQ(CCommandTable::Find(nID)->pCheck, nullptr) << nID;
        }
    for (const RuleCase& c : kCases) {
        const CCommandDef* def = CCommandTable::Find(c.nID);
        ASSERT_NE(def, nullptr) << c.nID;
        CCommandState state;
        c.prepare(state);
        EXPECT_EQ(RuleEnabled(*def, state), c.bEnabled) << c.nID << " " << c.what;
        if (c.nChecked < 0)
            EXPECT_EQ(def->pCheck, nullptr) << c.nID << " is a check item";
        else
            EXPECT_EQ(RuleChecked(*def, state), c.nChecked == 1) << c.nID << " " << c.what;
    }
}

// Every command of the menu has at least one case above.
TEST(CommandRulesTest, EveryMenuCommandHasACase)
{
    std::set<int> tested(std::begin(kAlways), std::end(kAlways));
    for (const RuleCase& c : kCases)
        tested.insert(c.nID);
    std::function<void(const std::vector<CCommandTable::MenuItem>&)> walk
        = [&](const std::vector<CCommandTable::MenuItem>& items) {
              for (const CCommandTable::MenuItem& item : items) {
                  if (item.pszPopup) {
                      walk(item.subItems);
                  } else if (item.nID != 0) {
                      EXPECT_TRUE(tested.count(item.nID)) << item.nID;
                  }
              }
          };
    for (const CCommandTable::MenuPopup& popup : CCommandTable::MenuLayout())
        walk(popup.items);
}

TEST(CommandRulesTest, LabelsSplitIntoNameAndKeyText)
{
    EXPECT_EQ(PlainLabel(QStringLiteral("50%(&5)\tCtrl+1")), QStringLiteral("50%(5)"));
    EXPECT_EQ(LabelKeyText(QStringLiteral("50%(&5)\tCtrl+1")), QStringLiteral("Ctrl+1"));
    EXPECT_EQ(LabelKeyText(QStringLiteral("しない(&N)")), QString());
}

} // namespace
