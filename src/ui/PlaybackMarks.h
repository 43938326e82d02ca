#pragma once
// Where playback stands as the window shows it: the A-B points and their
// repeat, what the last frame step found, the counters and the end of the
// list. The command rules read it through CCommandState, the information
// areas through CInfoValues.

#include "platform/WinTypes.h"

struct CPlaybackMarks {
    // Points in the counter unit; -1 = not set.
    LONGLONG llPointA = -1;
    LONGLONG llPointB = -1;
    BOOL bABRepeat = FALSE;

    // A frame step waits for the renderer; a step ran into an end.
    BOOL bStepBusy = FALSE;
    BOOL bStepAtEnd = FALSE;
    BOOL bStepAtStart = FALSE;
    void ClearStep() { bStepBusy = bStepAtEnd = bStepAtStart = FALSE; }

    // Length in 100-ns units and in frames; -1 = unknown.
    LONGLONG llDuration = -1;
    LONGLONG llTotalFrames = -1;
    // What the view's poll found last.
    LONGLONG llPosition = 0;
    LONGLONG llFrame = 0;
    // The points and counters are frame numbers (the media seeks by frames).
    BOOL bFrameCounter = FALSE;

    // The list played to its end and stopped on its first entry.
    BOOL bListEnded = FALSE;
};
