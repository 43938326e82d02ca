#include "player/graph/GstErrors.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>

HRESULT HresultFromGstError(const GError* pError, const QString& strFile)
{
    if (!pError)
        return E_FAIL;
    if (pError->domain == GST_RESOURCE_ERROR) {
        switch (pError->code) {
        case GST_RESOURCE_ERROR_NOT_FOUND:
            return E_FILE_NOT_FOUND;
        case GST_RESOURCE_ERROR_NOT_AUTHORIZED:
            return E_ACCESSDENIED;
        case GST_RESOURCE_ERROR_OPEN_READ:
        case GST_RESOURCE_ERROR_OPEN_READ_WRITE:
        case GST_RESOURCE_ERROR_READ: {
            // GStreamer says only "cannot open"; the file itself tells why.
            const QFileInfo info(strFile);
            if (!info.exists())
                return E_FILE_NOT_FOUND;
            if (!info.isReadable())
                return E_ACCESSDENIED;
            return E_FAIL;
        }
        default:
            return E_FAIL;
        }
    }
    if (pError->domain == GST_STREAM_ERROR) {
        switch (pError->code) {
        case GST_STREAM_ERROR_TYPE_NOT_FOUND:
        case GST_STREAM_ERROR_WRONG_TYPE:
            return VFW_E_UNKNOWN_FILE_TYPE;
        case GST_STREAM_ERROR_DEMUX:
        case GST_STREAM_ERROR_DECODE:
        case GST_STREAM_ERROR_FORMAT:
            return VFW_E_INVALID_FILE_FORMAT;
        case GST_STREAM_ERROR_CODEC_NOT_FOUND:
        case GST_STREAM_ERROR_NOT_IMPLEMENTED:
            return VFW_E_UNSUPPORTED_STREAM;
        default:
            return E_FAIL;
        }
    }
    if (pError->domain == GST_CORE_ERROR) {
        switch (pError->code) {
        case GST_CORE_ERROR_MISSING_PLUGIN:
            return VFW_E_UNSUPPORTED_STREAM;
        case GST_CORE_ERROR_NEGOTIATION:
            return VFW_E_CANNOT_RENDER;
        default:
            return E_FAIL;
        }
    }
    return E_FAIL;
}

QString DescribeGstError(GstMessage* pMessage, const QStringList& missing)
{
    QString strText;
    if (pMessage && GST_MESSAGE_TYPE(pMessage) == GST_MESSAGE_ERROR) {
        GError* pError = nullptr;
        gst_message_parse_error(pMessage, &pError, nullptr);
        if (pError)
            strText = QString::fromUtf8(pError->message);
        g_clear_error(&pError);
    }
    for (const QString& strMissing : missing) {
        if (!strText.isEmpty())
            strText += QLatin1Char('\n');
        strText += strMissing;
    }
    return strText;
}

namespace {
void LogGstMessage(GstMessage* pMessage, const QString& strFile, const char* pszKind)
{
    GError* pError = nullptr;
    gchar* pszDebug = nullptr;
    if (GST_MESSAGE_TYPE(pMessage) == GST_MESSAGE_WARNING)
        gst_message_parse_warning(pMessage, &pError, &pszDebug);
    else
        gst_message_parse_error(pMessage, &pError, &pszDebug);
    std::fprintf(stderr, "orv: %s: %s%s\n%s%s", qUtf8Printable(strFile), pszKind, pError ? pError->message : "",
        pszDebug ? pszDebug : "", pszDebug ? "\n" : "");
    g_clear_error(&pError);
    g_free(pszDebug);
}
}

void LogGstError(GstMessage* pMessage, const QString& strFile) { LogGstMessage(pMessage, strFile, ""); }

void LogGstWarning(GstMessage* pMessage, const QString& strFile) { LogGstMessage(pMessage, strFile, "warning: "); }
