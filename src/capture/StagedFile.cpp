#include "capture/StagedFile.h"

#include "platform/Paths.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Attempts at a hidden name nobody else has taken.
constexpr int kTempNameTries = 100;

} // namespace

CStagedFile::CStagedFile(const QString& strPath)
    : m_path(QFile::encodeName(strPath))
{
}

CStagedFile::~CStagedFile() { Discard(); }

bool CStagedFile::Open()
{
    if (m_pStream || m_path.isEmpty())
        return false;
    const QString folder = PathRemoveFileSpec(QFile::decodeName(m_path));
    int fd = -1;
    for (int i = 0; i < kTempNameTries && fd < 0; ++i) {
        m_tempPath = QFile::encodeName(PathAppend(folder,
            QStringLiteral(".orv-still-%1.tmp").arg(QRandomGenerator::global()->generate64(), 0, 36)));
        // 0666 less the umask, as any new file gets; mkstemp would give 0600.
        fd = ::open(m_tempPath.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        m_tempPath.clear();
        return false;
    }
    m_pStream = ::fdopen(fd, "wb");
    if (!m_pStream) {
        ::close(fd);
        Discard();
        return false;
    }
    return true;
}

bool CStagedFile::Commit()
{
    if (!m_pStream)
        return false;
    bool ok = std::fflush(m_pStream) == 0 && !std::ferror(m_pStream) && ::fsync(::fileno(m_pStream)) == 0;
    ok = std::fclose(m_pStream) == 0 && ok;
    m_pStream = nullptr;
    ok = ok && ::rename(m_tempPath.constData(), m_path.constData()) == 0;
    if (!ok) {
        Discard();
        return false;
    }
    m_tempPath.clear();
    return true;
}

void CStagedFile::Discard()
{
    if (m_pStream) {
        std::fclose(m_pStream);
        m_pStream = nullptr;
    }
    if (!m_tempPath.isEmpty()) {
        ::unlink(m_tempPath.constData());
        m_tempPath.clear();
    }
}
