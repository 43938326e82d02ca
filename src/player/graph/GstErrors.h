#pragma once
// Turning what GStreamer reports into the results the player keeps.

#include "platform/WinTypes.h"

#include <QString>

#include <gst/gst.h>

// The documented result that matches a GStreamer error, else E_FAIL.
// strFile is the file being played, to tell "cannot open" apart.
HRESULT HresultFromGstError(const GError* pError, const QString& strFile);

// An ERROR message as the user's detail text: GStreamer's message, then the
// descriptions of the decoders that were missing.
QString DescribeGstError(GstMessage* pMessage, const QStringList& missing);

// Writes the error and its debug text to standard error.
void LogGstError(GstMessage* pMessage, const QString& strFile);

// Writes a WARNING message and its debug text to standard error.
void LogGstWarning(GstMessage* pMessage, const QString& strFile);
