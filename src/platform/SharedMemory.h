#pragma once
// A named block of shared memory between the processes of one user (POSIX
// shared memory), private to that user.

#include "platform/WinTypes.h"

#include <QString>

#include <cstddef>

class CSharedMemory {
public:
    CSharedMemory() = default;
    ~CSharedMemory();
    CSharedMemory(const CSharedMemory&) = delete;
    CSharedMemory& operator=(const CSharedMemory&) = delete;

    // The system name of the object `name` for this user and this private
    // runtime folder (see RuntimeDir.h): users never share one, and neither do
    // processes that use different runtime folders, as they share no locks.
    // "" when the runtime folder is refused.
    static QString SystemName(const QString& name);

    // Makes a fresh, zeroed object of `size` bytes, mode 0600, and maps it
    // read/write. An old object of the same name is removed first, so nobody
    // who had opened that one can see what is written into this one.
    BOOL Create(const QString& name, std::size_t size);
    // Maps an existing object read-only. It must belong to this user, grant
    // no group or other access and have exactly `size` bytes.
    BOOL OpenReadOnly(const QString& name, std::size_t size);
    // Removes the name; the memory lives on while mapped. TRUE when this call
    // removed it (FALSE when it was already gone).
    static BOOL Unlink(const QString& name);

    void* Data() const { return m_pData; }
    std::size_t Size() const { return m_nSize; }
    void Close();

private:
    BOOL Map(int fd, std::size_t size, bool bWritable);

    void* m_pData = nullptr;
    std::size_t m_nSize = 0;
};
