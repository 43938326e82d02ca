#pragma once
// Choosing output sinks the way filters are chosen: the user's preferred
// ones first, black-listed ones never, and only a sink that can open its
// device (reaches READY). ORV_AUDIO_SINK / ORV_VIDEO_SINK name one outright.

#include "player/graph/MediaGraph.h"

#include <gst/gst.h>

#include <functional>

enum class SinkKind {
    Audio,
    OverlayVideo, // draws into a window it is given (GstVideoOverlay)
};

struct SinkChoiceRules {
    std::function<bool(const FilterMoniker&)> isRefused;
    std::function<bool(const QString& strFactory)> isPreferred;
};

// A floating-free reference to a sink in READY, or null when none can be
// opened; *pChosen names its factory.
GstElement* ChooseSink(SinkKind kind, const SinkChoiceRules& rules, FilterMoniker* pChosen);

// A sink that plays silence in time with the clock, for a machine without
// any usable sound output.
GstElement* MakeSilentAudioSink(FilterMoniker* pChosen);
