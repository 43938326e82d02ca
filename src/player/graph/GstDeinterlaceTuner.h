#pragma once
// Fits the deinterlacer's work to the size the picture is shown at. Shown at
// half the video's height or less, one field holds every row that reaches the
// screen: the deinterlacer then makes one picture per frame, from its top
// field by the linear method, instead of one per field, which halves what it,
// the scaler and the window do. Shown larger, it runs as it comes: every
// field, its own method.
//
// The element swaps its method object at once when told, even while a
// picture is going through the old one; so both settings are made on its
// streaming thread, between pictures.

#include <gst/gst.h>

#include <atomic>

class CGstDeinterlaceTuner {
public:
    // The element belongs to the renderer's bin and outlives this.
    explicit CGstDeinterlaceTuner(GstElement* pDeinterlace);
    ~CGstDeinterlaceTuner();
    CGstDeinterlaceTuner(const CGstDeinterlaceTuner&) = delete;
    CGstDeinterlaceTuner& operator=(const CGstDeinterlaceTuner&) = delete;

    // The rows of the picture the scaler takes and the rows it makes of them
    // (device pixels); the next picture into the deinterlacer follows. Any
    // thread.
    void SetShownRows(int nSourceRows, int nShownRows);
    // Off while the user has deinterlacing turned off: the element then only
    // passes pictures on, and is left as it is. Before playing.
    void SetEnabled(bool bEnabled) { m_bEnabled = bEnabled; }

private:
    static GstPadProbeReturn OnBuffer(GstPad* pPad, GstPadProbeInfo* pInfo, gpointer pData);
    void Apply(bool bFieldEnough);

    GstElement* m_pDeinterlace;
    GstPad* m_pSinkPad;
    gulong m_ulProbe = 0;
    // The element's own settings, to go back to.
    gint m_nDefaultMethod = 0;
    gint m_nDefaultFields = 0;
    std::atomic<int> m_nSourceRows { 0 };
    std::atomic<int> m_nShownRows { 0 };
    std::atomic<bool> m_bEnabled { true };
    // What the element runs now; the streaming thread's alone.
    bool m_bFieldOnly = false;
};
