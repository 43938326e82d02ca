#pragma once
// How many threads a video decoder runs. Left to itself libav starts a frame
// thread per core, and each keeps pictures of its own (12 to 19 MB at 1080p).
// Two decode H.264 and older codecs up to 1080p30 with room to spare; one
// would do on an idle machine but falls behind on a busy one, where two
// threads get twice the share. Larger, faster or dearer streams keep the
// decoder's own choice.

#include <gst/gst.h>

// For each element the decoder bin adds; leaves elements without the
// setting alone. The choice is made again whenever the stream's caps change.
void LimitDecoderThreads(GstElement* pElement);
