#pragma once
// A player on a real graph, with a stand-in main frame that hears its
// notices, for tests that play media made at test time.

#include "GstTestSupport.h"
#include "TestMedia.h"

#include "filters/FilterNameList.h"
#include "player/DShowPlayer.h"
#include "player/ErrMessage.h"

#include <QWidget>

#include <ios>
#include <memory>

class PlayerFixture : public QuietGstTest {
protected:
    void TearDown() override
    {
        player.reset();
        QuietGstTest::TearDown();
    }

    // Throws what the player throws; Load says which file failed and why first.
    void TryLoad(const QString& path)
    {
        player = std::make_unique<CDShowPlayer>(
            path, TRUE, bDisableVMR9, bDisableDeinterlace, &blackList, &firstUse, &view, &target);
    }
    void Load(const QString& path)
    {
        try {
            TryLoad(path);
        } catch (const CDirectShowErrMessage& e) {
            ADD_FAILURE() << "could not load " << qPrintable(path) << ": code " << e.m_nCode << ", hr 0x"
                          << std::hex << static_cast<unsigned long>(e.m_hr) << ", " << qPrintable(e.m_strDetail);
            throw;
        }
    }
    void Load(TestClip clip) { Load(TestMediaPath(clip)); }
    // The error loading throws; fails the test when the file loads.
    CDirectShowErrMessage LoadFailure(const QString& path)
    {
        try {
            TryLoad(path);
        } catch (const CDirectShowErrMessage& e) {
            return e;
        }
        ADD_FAILURE() << qPrintable(path) << " loaded";
        return CDirectShowErrMessage();
    }

    // As the main frame does: the queue is drained only when a notice has
    // come, until the event is among what it held. False when it does not
    // come within timeoutMs.
    bool WaitForEvent(long lWanted, int timeoutMs = 10000)
    {
        bool bSeen = false;
        return ProcessEventsUntil(
            [&] {
                if (target.nNotified == 0)
                    return false;
                target.nNotified = 0;
                long lCode = 0;
                qintptr l1 = 0;
                qintptr l2 = 0;
                while (player->GetMediaEvent()->GetEvent(&lCode, &l1, &l2, 0) == S_OK)
                    bSeen = bSeen || lCode == lWanted;
                return bSeen;
            },
            timeoutMs);
    }

    GraphNotifyTarget target;
    QWidget view;
    BOOL bDisableVMR9 = FALSE;
    BOOL bDisableDeinterlace = FALSE;
    FilterNameList blackList;
    FilterNameList firstUse;
    std::unique_ptr<CDShowPlayer> player;
};
