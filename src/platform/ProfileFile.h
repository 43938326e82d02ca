#pragma once
// Our own profile (INI) file functions. Section and key names compare
// without regard to case; lines we do not own are kept as they are. A save
// re-reads the file under an advisory lock, changes only its own keys and
// replaces the file atomically, so processes never lose each other's keys.

#include <QString>

#include <utility>
#include <vector>

// Up to nSize - 1 UTF-16 units of the value; the default when the key is missing.
QString GetPrivateProfileString(const QString& section, const QString& key,
    const QString& defaultValue, const QString& path, int nSize = 261);
// The value's leading integer (optional sign, then digits); 0 when it has
// none; the default when the key is missing.
int GetPrivateProfileInt(const QString& section, const QString& key, int defaultValue,
    const QString& path);
// Writes one key at once. Returns false when the file could not be written.
bool WritePrivateProfileString(const QString& section, const QString& key,
    const QString& value, const QString& path);

// Several writes to one file committed together, in one locked rewrite.
class ProfileWriteBatch {
public:
    explicit ProfileWriteBatch(QString path);
    void Set(const QString& section, const QString& key, const QString& value);
    bool Commit();
    bool IsEmpty() const { return m_entries.empty(); }

private:
    struct Entry {
        QString section, key, value;
    };
    QString m_path;
    std::vector<Entry> m_entries;
};

// The leading-integer rule on its own.
int ProfileTextToInt(const QString& text);
