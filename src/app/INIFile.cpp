#include "app/INIFile.h"

#include "platform/Paths.h"
#include "platform/ProfileFile.h"

#include <cstdio>

CINIFile::CINIFile()
    : m_strSection(QStringLiteral("Orvalo"))
{
}

CINIFile::~CINIFile() = default;

void CINIFile::InitPath() { m_strPath = SettingsFilePath(); }

QString CINIFile::GetString(const QString& key) const
{
    return GetPrivateProfileString(m_strSection, key, QString(), m_strPath, MAX_PATH + 1);
}

int CINIFile::GetInt(const QString& key, int defaultValue) const
{
    return GetPrivateProfileInt(m_strSection, key, defaultValue, m_strPath);
}

BOOL CINIFile::WriteInt(const QString& key, int value)
{
    return WriteString(key, QString::number(value));
}

BOOL CINIFile::WriteString(const QString& key, const QString& value)
{
    if (m_pBatch) {
        m_pBatch->Set(m_strSection, key, value);
        return TRUE;
    }
    return WritePrivateProfileString(m_strSection, key, value, m_strPath) ? TRUE : FALSE;
}

void CINIFile::BeginWrite()
{
    if (!m_pBatch)
        m_pBatch = std::make_unique<ProfileWriteBatch>(m_strPath);
}

BOOL CINIFile::EndWrite()
{
    if (!m_pBatch)
        return TRUE;
    const bool ok = m_pBatch->Commit();
    m_pBatch.reset();
    // The user's file is as it was; they should be able to find out why
    // their changes did not stay.
    if (!ok)
        std::fprintf(stderr, "orv: the settings could not be saved to %s\n", qPrintable(m_strPath));
    return ok ? TRUE : FALSE;
}
