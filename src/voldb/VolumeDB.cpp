#include "voldb/VolumeDB.h"

#include "voldb/VolumeDbFile.h"
#include "voldb/VolumeDbLines.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <utility>

#include <unistd.h>

CVolumeDB::CVolumeDB(QString strPath, BOOL bPrimary)
    : m_strPath(std::move(strPath))
    , m_bPrimary(bPrimary)
{
}

bool CVolumeDB::IsStorablePath(const QString& path)
{
    return !path.isEmpty() && !path.contains(QLatin1Char('|')) && !path.contains(QLatin1Char('\n'))
        && !path.contains(QLatin1Char('\r'));
}

int CVolumeDB::FindCached(const QString& path) const
{
    for (int i = 0; i < m_nCount; ++i)
        if (m_aEntry[i].strName == path)
            return i;
    return -1;
}

int CVolumeDB::Lookup(const QString& path)
{
    m_bLookedUp = TRUE;
    if (m_nCurrent != -1 && m_aEntry[m_nCurrent].strName == path)
        return m_aEntry[m_nCurrent].nVolume;
    m_nCurrent = FindCached(path);
    if (m_nCurrent != -1)
        return m_aEntry[m_nCurrent].nVolume;
    if (!IsStorablePath(path))
        return -1;
    qint64 llOffset = 0;
    const int nVolume = ReadEntry(path, &llOffset);
    // A full cache still lets the file's value be used, uncached.
    if (nVolume == -1 || m_nCount == VOLDB_CACHE_SIZE)
        return nVolume;
    m_aEntry[m_nCount] = Entry { path, nVolume, ENTRY_STORED, llOffset };
    m_nCurrent = m_nCount++;
    return nVolume;
}

BOOL CVolumeDB::Remember(const QString& path, int nVolume)
{
    nVolume = std::clamp(nVolume, 0, 100);
    const bool bBound = m_bLookedUp && m_nCurrent != -1 && m_aEntry[m_nCurrent].strName == path;
    if (!bBound) {
        // A full cache takes no new file, but one it holds is still updated.
        if (!IsStorablePath(path) || (m_nCount == VOLDB_CACHE_SIZE && FindCached(path) == -1)) {
            ForgetCurrent();
            return FALSE;
        }
        Lookup(path);
    }
    m_bLookedUp = FALSE;
    if (m_nCurrent == -1) {
        m_aEntry[m_nCount] = Entry { path, nVolume, ENTRY_NEW, 0 };
        m_nCurrent = m_nCount++;
        return TRUE;
    }
    Entry& entry = m_aEntry[m_nCurrent];
    if (entry.nVolume != nVolume) {
        entry.nVolume = nVolume;
        // An entry not in the file yet is still appended whole.
        if (entry.nState != ENTRY_NEW)
            entry.nState = ENTRY_CHANGED;
    }
    return TRUE;
}

BOOL CVolumeDB::Flush()
{
    if (m_nCurrent == -1)
        return FALSE;
    Entry& entry = m_aEntry[m_nCurrent];
    m_nCurrent = -1;
    // A secondary instance keeps its values for the run only.
    if (!m_bPrimary)
        return TRUE;
    if (entry.strName.isEmpty())
        return FALSE;
    // A failed write keeps the state, so it is tried again when the file is
    // next left.
    return entry.nState == ENTRY_STORED || WriteEntry(entry) ? TRUE : FALSE;
}

void CVolumeDB::ForgetCurrent()
{
    m_nCurrent = -1;
    m_bLookedUp = FALSE;
}

BOOL CVolumeDB::Reset()
{
    if (::unlink(QFile::encodeName(m_strPath).constData()) != 0 && errno != ENOENT)
        return FALSE;
    // The volumes stay for the run; each goes into the new file when its
    // file is next left.
    for (int i = 0; i < m_nCount; ++i)
        m_aEntry[i].nState = ENTRY_NEW;
    return TRUE;
}

BOOL CVolumeDB::TakeTimedOut() { return std::exchange(m_bTimedOut, FALSE); }

void CVolumeDB::NoteOpen(VolDbOpen result)
{
    if (result == VolDbOpen::TimedOut)
        m_bTimedOut = TRUE;
}

int CVolumeDB::ReadEntry(const QString& path, qint64* pOffset)
{
    *pOffset = 0;
    CVolumeDbFile file;
    const VolDbOpen result = file.OpenForReading(m_strPath);
    NoteOpen(result);
    QByteArray bytes;
    if (result != VolDbOpen::Opened || !file.ReadAt(0, file.Size(), &bytes))
        return -1;
    file.Close();
    VolumeDbFound found;
    if (!FindVolumeDbLine(bytes, path, &found))
        return -1;
    *pOffset = found.llOffset;
    return found.nVolume;
}

BOOL CVolumeDB::WriteEntry(Entry& entry)
{
    if (entry.nState == ENTRY_STORED)
        return TRUE;
    CVolumeDbFile file;
    const VolDbOpen result = file.OpenForWriting(m_strPath);
    NoteOpen(result);
    if (result != VolDbOpen::Opened)
        return FALSE;
    // A new (or emptied) file gets its mark; a file that does not start
    // with one is not ours and is left alone.
    const qint64 size = file.Size();
    QByteArray head;
    if (size == 0) {
        if (!file.WriteAt(0, VOLDB_BOM)) {
            file.Truncate(0);
            return FALSE;
        }
    } else if (!file.ReadAt(0, VOLDB_BOM_BYTES, &head) || head != VOLDB_BOM) {
        return FALSE;
    }
    const bool bWritten = entry.nState == ENTRY_CHANGED ? RewriteLine(file, entry) : AppendLine(file, entry);
    if (!bWritten)
        return FALSE;
    entry.nState = ENTRY_STORED;
    return TRUE;
}

bool CVolumeDB::RewriteLine(CVolumeDbFile& file, Entry& entry)
{
    const QByteArray line = VolumeDbLine(entry.strName, entry.nVolume);
    QByteArray around;
    if (entry.llOffset >= VOLDB_BOM_BYTES
        && file.ReadAt(entry.llOffset - 2, line.size() + 2, &around)
        && IsVolumeDbLineAt(around, entry.llOffset, entry.strName))
        return file.WriteAt(entry.llOffset, line);
    // The line is not where we found it: the file was cut or edited behind
    // our back. Writing there could land in the middle of another line, so
    // the line a lookup now takes is rewritten instead, or, when there is
    // none of the same length, the entry goes to the end.
    QByteArray bytes;
    VolumeDbFound found;
    if (!file.ReadAt(0, file.Size(), &bytes))
        return false;
    if (FindVolumeDbLine(bytes, entry.strName, &found)
        && IsVolumeDbLineAt(bytes.mid(found.llOffset - 2, line.size() + 2), found.llOffset, entry.strName)) {
        if (!file.WriteAt(found.llOffset, line))
            return false;
        entry.llOffset = found.llOffset;
        return true;
    }
    return AppendLine(file, entry);
}

bool CVolumeDB::AppendLine(CVolumeDbFile& file, Entry& entry)
{
    const qint64 size = file.Size();
    if (size < VOLDB_BOM_BYTES)
        return false;
    // A last line left unfinished behind our back is ended first, so that
    // ours never becomes part of it.
    QByteArray bytes;
    if (size % 2 != 0)
        bytes.append('\0');
    QByteArray last;
    if (size > VOLDB_BOM_BYTES
        && (size % 2 != 0 || !file.ReadAt(size - 2, 2, &last) || last != QByteArray("\n\0", 2)))
        bytes.append("\r\0\n\0", 4);
    const qint64 llOffset = size + bytes.size();
    bytes.append(VolumeDbLine(entry.strName, entry.nVolume));
    // Beyond the limit the file would no longer be read at all.
    if (size + bytes.size() > VOLDB_MAX_FILE_BYTES)
        return false;
    if (!file.WriteAt(size, bytes)) {
        // No half line stays behind to be read as a value.
        file.Truncate(size);
        return false;
    }
    entry.llOffset = llOffset;
    return true;
}
