#pragma once
// GStreamer made ready on a thread of its own while the window is being
// built: its registry, the plugins every graph uses, and the plugins of the
// first file's demuxer, parsers and decoders. Loading those (libav alone
// links well over a hundred libraries) is most of a cold start, and the
// window takes as long again on the other core.

#include <QString>

// Initializes GStreamer and loads the common plugins; then the thread waits
// for WarmUpDecodersFor or FinishGstWarmUp.
void StartGstWarmUp();
// Loads the plugins strFile will need (nothing when it is empty). Called
// once the program knows it opens a window: a copy that hands its files to
// the primary needs no decoders.
void WarmUpDecodersFor(const QString& strFile);
// The first real graph is being built: the warm-up stops reading the file
// (it does not wait for that), so two pipelines never read it at once.
void CancelGstWarmUp();
// Waits until GStreamer is initialized and the common plugins are loaded
// (not for the decoders); false when GStreamer cannot be initialized.
bool WaitGstReady();
// Stops the warm-up and waits for its end (before the program ends).
void FinishGstWarmUp();
