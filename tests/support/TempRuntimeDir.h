#pragma once
// A private runtime folder (mode 0700) that is $XDG_RUNTIME_DIR while the
// object lives, so the instance locks, socket and shared block of a test
// never meet those of another test or of a running player.

#include "TestEnv.h"

#include <QTemporaryDir>

class TempRuntimeDir {
public:
    TempRuntimeDir();
    QString Path() const { return m_dir.path(); }
    // The program's own folder inside it.
    QString OrvDir() const { return m_dir.filePath(QStringLiteral("orv")); }

private:
    QTemporaryDir m_dir;
    ScopedEnv m_env;
};
