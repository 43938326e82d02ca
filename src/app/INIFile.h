#pragma once
// Access to the settings file: its path and the section the next access uses.

#include "platform/WinTypes.h"

#include <QString>

#include <memory>

class ProfileWriteBatch;

class CINIFile {
public:
    CINIFile();
    virtual ~CINIFile();
    CINIFile(const CINIFile&) = delete;
    CINIFile& operator=(const CINIFile&) = delete;

    // Works out m_strPath (see SettingsFilePath).
    virtual void InitPath();

    // Values longer than 260 characters are cut.
    QString GetString(const QString& key) const;
    int GetInt(const QString& key, int defaultValue) const;
    BOOL WriteInt(const QString& key, int value);
    BOOL WriteString(const QString& key, const QString& value);

    // Between these two calls writes are collected and then stored in one
    // rewrite of the file.
    void BeginWrite();
    BOOL EndWrite();

    QString m_strPath;
    QString m_strSection;

private:
    std::unique_ptr<ProfileWriteBatch> m_pBatch;
};
