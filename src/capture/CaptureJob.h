#pragma once
// One still-image capture: what to save where, and the report that comes
// back (WM_CAPTURE_DONE, wParam 1 and lParam 0 on success, wParam 0 and a
// CaptureResult otherwise).

#include "capture/CaptureNaming.h"

#include <QByteArray>
#include <QString>

#include <QtGlobal>

class QObject;

enum CaptureResult : qintptr {
    CAPTURE_OK = 0,
    CAPTURE_ERR_FILENAME = 5001, // no free file name
    CAPTURE_ERR_BMP = 5002,      // the BMP file could not be written
    CAPTURE_ERR_JPEG = 5003,     // the JPEG file could not be written
};

struct CCaptureJob {
    // Filled on the UI thread before the worker starts; the worker alone
    // touches the job from then on.
    QObject* pNotifyWnd = nullptr; // gets the report; must outlive the worker
    QString strSourcePath;         // the media file, whose name the still takes
    QString strFolder;
    QByteArray image; // packed DIB, as the view's GetCurrentImage gives it
    int nFormat = SAVE_FORMAT_BMP;
    int nQuality = 90;
    // Set by the worker: the file it chose, empty when none was free.
    QString strOutputPath;
};

// Names and writes the file of the job; the worker's whole work. Any thread.
CaptureResult RunCaptureJob(CCaptureJob& job);

// The message the user is shown for a failed capture's lParam, 0 for none.
int CaptureFailureStringId(qintptr lParam);
