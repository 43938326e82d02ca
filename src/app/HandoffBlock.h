#pragma once
// The block through which a second start hands its files to the primary
// instance: "ORV_004", 535060 bytes, little-endian, no header.

#include "platform/WinTypes.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>

constexpr int HANDOFF_MAX_FILES = 1024;
constexpr int HANDOFF_SLOT_UNITS = MAX_PATH + 1; // UTF-16 units, terminator included

struct HandoffBlock {
    char16_t szFiles[HANDOFF_MAX_FILES][HANDOFF_SLOT_UNITS]; // zero-terminated paths
    char16_t szPlaylist[HANDOFF_SLOT_UNITS]; // save target of a lone .orvl, else ""
    std::uint16_t wPadding;
    std::int32_t nCount;       // used slots
    std::int32_t bPlaylistArg; // the command line was one playlist file
};

static_assert(offsetof(HandoffBlock, szFiles) == 0);
static_assert(offsetof(HandoffBlock, szPlaylist) == 534528);
static_assert(offsetof(HandoffBlock, wPadding) == 535050);
static_assert(offsetof(HandoffBlock, nCount) == 535052);
static_assert(offsetof(HandoffBlock, bPlaylistArg) == 535056);
static_assert(sizeof(HandoffBlock) == 535060);

// What a second start handed over, after checking.
struct CHandoffContent {
    // The paths of the used slots, in order; empty or unterminated slots are
    // left out.
    QStringList m_files;
    // The playlist file that becomes the save target, or "".
    QString m_strPlaylist;
    BOOL m_bPlaylistArg = FALSE;
};

// Fills `block` (every byte, little-endian) from a start's command line: the
// paths of its playlist, the number of parameters it took and the path of
// its first playlist file. A path that does not fit a slot is left out, never
// cut: a cut path would name another file. Returns the number of paths left out.
int EncodeHandoffBlock(HandoffBlock& block, const QStringList& files, int nParamCount, const QString& strFirstPlaylist);

// Reads a block written by another process. The block is untrusted: the count
// is clamped to 0..1024 and no slot is read past its last unit.
CHandoffContent DecodeHandoffBlock(const HandoffBlock& block);
