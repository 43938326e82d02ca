#include "player/ErrMessage.h"

#include "platform/ResString.h"

#include <utility>

CErrMessage::CErrMessage(int nCode, QString strMessage)
    : m_nCode(nCode)
    , m_strMessage(std::move(strMessage))
{
}

CDirectShowErrMessage::CDirectShowErrMessage(int nCode, HRESULT hr, int nKind, QString strDetail)
    : CErrMessage(nCode, LoadResString(DShowErrorStringId(static_cast<PlayerError>(nCode))))
    , m_hr(hr)
    , m_nKind(nKind)
    , m_strDetail(std::move(strDetail))
{
}

QString CDirectShowErrMessage::FormatText() const { return FormatErrorText(m_strMessage, m_hr); }

QString FormatErrorText(const QString& message, HRESULT hr)
{
    // One pass, so a '%' in the message can never be taken for a marker.
    return QStringLiteral("%1 Code = 0x%2")
        .arg(message, QStringLiteral("%1").arg(static_cast<quint32>(hr), 8, 16, QLatin1Char('0')));
}
