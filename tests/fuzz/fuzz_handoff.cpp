// The block a second start hands over, read as the primary reads it: the
// bytes come from another process and are not trusted.

#include "app/HandoffBlock.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    auto block = std::make_unique<HandoffBlock>();
    std::memset(block.get(), 0, sizeof(HandoffBlock));
    // The input fills the block from both ends: the slots, and the count and
    // flags at its end, which decide how much of it is read.
    const std::size_t nHead = std::min(nSize, sizeof(HandoffBlock));
    std::memcpy(block.get(), pData, nHead);
    const std::size_t nTail = std::min<std::size_t>(nSize, 12);
    std::memcpy(reinterpret_cast<std::uint8_t*>(block.get()) + sizeof(HandoffBlock) - nTail, pData, nTail);
    const CHandoffContent content = DecodeHandoffBlock(*block);
    if (content.m_files.size() > HANDOFF_MAX_FILES || content.m_strPlaylist.size() > MAX_PATH)
        __builtin_trap();
    for (const QString& file : content.m_files)
        if (file.isEmpty() || file.size() > MAX_PATH || file.contains(QChar(0)))
            __builtin_trap();
    return 0;
}
