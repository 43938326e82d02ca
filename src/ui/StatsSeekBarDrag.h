#pragma once
// A seek-bar drag the program makes on itself for measuring the window
// (ORV_STATS=1 with ORV_STATS_DRAG=<ms>): the mouse is pressed at the start
// of the bar, moved along it and let go at its end over the given time, so
// the whole path from the bar to the player runs as under a user's hand.
// Meanwhile a heartbeat on the UI thread times the longest stall, and the
// view reports the pictures it paints. One "drag_ms=" line follows.
// UI thread only.

#include <QElapsedTimer>
#include <QEvent>
#include <QObject>
#include <QString>
#include <QTimer>

class CJumpSlider;

class CStatsSeekBarDrag : public QObject {
    Q_OBJECT
public:
    // ORV_STATS_DRAG in milliseconds; 0 when unset or not a positive number.
    static int RequestedMs();

    // The drag lasts msDrag; pictures are counted only when the view paints
    // them itself (bCountsPictures), a window of the graph's own being out
    // of its sight. The drag lives as a child of the bar and goes with it.
    CStatsSeekBarDrag(CJumpSlider& bar, int msDrag, bool bCountsPictures, const QString& strFile);

    // Presses the bar and starts the moves and the heartbeat; deletes itself
    // after writing the line, or at once when the bar cannot be dragged.
    void Start();
    // The view painted a picture it had been asked to show.
    void PicturePainted();

private:
    enum class Phase { Waiting, Dragging, Released };

    void Move();
    void Beat();
    double ElapsedMs() const;
    void SendMouse(QEvent::Type type, double x);

    CJumpSlider& m_bar;
    const int m_msDrag;
    const bool m_bCountsPictures;
    const QString m_strFile;
    Phase m_phase = Phase::Waiting;
    QTimer m_moves;
    QTimer m_heartbeat;
    QElapsedTimer m_clock;
    double m_msLastBeat = 0;
    double m_msStallMax = 0;
    double m_msReleased = 0;
    int m_nPictures = 0;
};
