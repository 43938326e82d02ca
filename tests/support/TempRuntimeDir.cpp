#include "TempRuntimeDir.h"

#include <QFile>

TempRuntimeDir::TempRuntimeDir()
    : m_env("XDG_RUNTIME_DIR", m_dir.path())
{
    QFile::setPermissions(m_dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}
