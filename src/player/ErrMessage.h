#pragma once
// The error objects the playback engine throws: a code, its text from the
// string table, the failed call's result and a kind that tells the view
// whether it may degrade quietly.

#include "platform/WinTypes.h"
#include "player/PlayerCodes.h"

#include <QString>

class CErrMessage {
public:
    CErrMessage() = default;
    CErrMessage(int nCode, QString strMessage);
    virtual ~CErrMessage() = default;
    CErrMessage(const CErrMessage&) = default;
    CErrMessage& operator=(const CErrMessage&) = default;

    int m_nCode = 0;
    QString m_strMessage;
};

// Failure kinds.
constexpr int ERRKIND_GENERAL = 0;
constexpr int ERRKIND_VIDEO = 1;  // windowless sizing, painting, aspect mode, image grab
constexpr int ERRKIND_VOLUME = 2;

class CDirectShowErrMessage : public CErrMessage {
public:
    CDirectShowErrMessage() = default;
    // A PlayerError; the text is string DShowErrorStringId(code).
    CDirectShowErrMessage(int nCode, HRESULT hr, int nKind = ERRKIND_GENERAL, QString strDetail = QString());
    CDirectShowErrMessage(const CDirectShowErrMessage&) = default;
    CDirectShowErrMessage& operator=(const CDirectShowErrMessage&) = default;

    // "<text> Code = 0x<8 lower-case hex digits>", as the error box shows it.
    QString FormatText() const;

    HRESULT m_hr = E_FAIL;
    int m_nKind = ERRKIND_GENERAL;
    // What the media framework said (and a missing decoder's name), for the
    // box's detail text and standard error.
    QString m_strDetail;
};

// "%s Code = 0x%08x"
QString FormatErrorText(const QString& message, HRESULT hr);
