#include "app/HandoffBlock.h"

#include "playlist/MediaFiles.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace {

// FALSE when the path cannot travel whole: too long, empty, or holding a
// zero unit that would end it early on the other side.
bool EncodeSlot(char16_t (&slot)[HANDOFF_SLOT_UNITS], const QString& path)
{
    if (path.isEmpty() || path.size() > MAX_PATH || path.contains(QChar(0)))
        return false;
    for (qsizetype i = 0; i < path.size(); ++i)
        slot[i] = qToLittleEndian(static_cast<char16_t>(path[i].unicode()));
    slot[path.size()] = 0;
    return true;
}

// "" for an unterminated slot: the end of that path is missing.
QString DecodeSlot(const char16_t (&slot)[HANDOFF_SLOT_UNITS])
{
    QString s;
    for (int i = 0; i < HANDOFF_SLOT_UNITS; ++i) {
        const char16_t unit = qFromLittleEndian(slot[i]);
        if (unit == 0)
            return s;
        s.append(QChar(unit));
    }
    return QString();
}

} // namespace

int EncodeHandoffBlock(HandoffBlock& block, const QStringList& files, int nParamCount, const QString& strFirstPlaylist)
{
    std::memset(&block, 0, sizeof block);
    int nUsed = 0;
    int nLeftOut = 0;
    for (const QString& path : files) {
        if (nUsed < HANDOFF_MAX_FILES && EncodeSlot(block.szFiles[nUsed], path))
            ++nUsed;
        else
            ++nLeftOut;
    }
    block.nCount = qToLittleEndian<std::int32_t>(nUsed);

    if (nParamCount == 1 && !strFirstPlaylist.isEmpty()) {
        block.bPlaylistArg = qToLittleEndian<std::int32_t>(1);
        // A .orvl path too long for its slot loses only the save target.
        if (IsOwnPlayListFile(strFirstPlaylist))
            EncodeSlot(block.szPlaylist, strFirstPlaylist);
    }
    return nLeftOut;
}

CHandoffContent DecodeHandoffBlock(const HandoffBlock& block)
{
    CHandoffContent content;
    const int nCount = std::clamp<std::int32_t>(qFromLittleEndian(block.nCount), 0, HANDOFF_MAX_FILES);
    for (int i = 0; i < nCount; ++i) {
        const QString path = DecodeSlot(block.szFiles[i]);
        if (!path.isEmpty())
            content.m_files.append(path);
    }
    content.m_strPlaylist = DecodeSlot(block.szPlaylist);
    content.m_bPlaylistArg = qFromLittleEndian(block.bPlaylistArg) != 0 ? TRUE : FALSE;
    return content;
}
