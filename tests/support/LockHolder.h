#pragma once
// Another process that holds a file's advisory lock, as a second copy of the
// program does while it reads or writes the file, until the object goes.
// The file-wait helper's pauses are counted instead of slept meanwhile.

#include <QProcess>
#include <QString>

class LockHolder {
public:
    // bExclusive: as a writer holds it; else as a reader.
    LockHolder(const QString& path, bool bExclusive);
    ~LockHolder();
    LockHolder(const LockHolder&) = delete;
    LockHolder& operator=(const LockHolder&) = delete;

    bool IsHolding() const { return m_bHolding; }
    void Release();
    // The 500 ms pauses the file-wait helper made since the holder was made.
    static int Waits();

private:
    QProcess m_process;
    bool m_bHolding = false;
};
