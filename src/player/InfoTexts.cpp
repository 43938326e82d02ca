// The texts of the information dialogs.
#include "player/InfoTexts.h"

#include "player/DShowPlayer.h"

#include <algorithm>

namespace {

// The source filter enters the graph under the file's path.
bool IsSourcePath(const QString& strName) { return strName.startsWith(QLatin1Char('/')); }

QString InterlaceModeText(int nKind, DWORD dwFlags)
{
    switch (nKind) {
    case INTERLACE_NOT_REPORTED: return QStringLiteral("インターレースモードはVMR9に通知されていない");
    case INTERLACE_PROGRESSIVE: return QStringLiteral("プログレッシブフレーム");
    case INTERLACE_NONINTERLEAVED_BOB: return QStringLiteral("非インターリーブ ボブ");
    case INTERLACE_INTERLEAVED_BOB: return QStringLiteral("インターリーブ ボブ");
    case INTERLACE_WEAVE: return QStringLiteral("ウィーブ");
    case INTERLACE_BOB_OR_WEAVE: return QStringLiteral("ボブまたはウィーブ");
    default:
        return QStringLiteral("不明なモード ") + QString::asprintf("dwInterlaceFlags:%08x", static_cast<unsigned>(dwFlags));
    }
}

QString DeinterlaceStateText(int nStatus)
{
    switch (nStatus) {
    case DEINTERLACE_ON: return QStringLiteral("機能している");
    case DEINTERLACE_OFF: return QStringLiteral("機能していない");
    default: return QString();
    }
}

// "640 × 480"; empty when both are 0.
QString SizeText(int nWidth, int nHeight)
{
    if (nWidth == 0 && nHeight == 0)
        return QString();
    return QStringLiteral("%1 × %2").arg(nWidth).arg(nHeight);
}

// 2997 hundredths read 29.97; empty when 0.
QString FrameRateText(int nFps)
{
    if (nFps == 0)
        return QString();
    return QStringLiteral("%1.%2").arg(nFps / 100).arg(nFps % 100, 2, 10, QLatin1Char('0'));
}

QString ChannelsText(int nChannels)
{
    switch (nChannels) {
    case 1: return QStringLiteral("モノラル");
    case 2: return QStringLiteral("ステレオ");
    default: return QString();
    }
}

// The number followed by its unit; empty when 0.
QString NumberText(int nValue, const QString& strUnit)
{
    return nValue == 0 ? QString() : QString::number(nValue) + strUnit;
}

} // namespace

DShowInfoTexts MakeDShowInfoTexts(const DShowInfoValues& values)
{
    DShowInfoTexts texts;
    for (const QString& strName : values.filterNames) {
        if (IsSourcePath(strName))
            texts.strSource = strName;
        else
            texts.strFilters += strName + QLatin1Char('\n');
    }
    if (!values.bVideo)
        return texts;
    if (values.bOwnerWindowMode) {
        texts.strInterlaceMode = QStringLiteral("VMR9は使用されていない");
    } else {
        texts.strInterlaceMode = InterlaceModeText(values.nInterlaceKind, values.dwInterlaceFlags);
        texts.strDeinterlaceState = DeinterlaceStateText(values.nDeinterlaceStatus);
    }
    return texts;
}

DShowInfoValues DShowInfoValuesOf(const CDShowPlayer& player, bool bHasVideo)
{
    DShowInfoValues values;
    for (int i = 0; i < player.GetFilterCount(); ++i)
        values.filterNames << player.GetFilterName(i);
    values.bVideo = bHasVideo;
    values.bOwnerWindowMode = player.IsOwnerWindowMode();
    values.nInterlaceKind = player.GetInterlaceKind();
    values.dwInterlaceFlags = player.GetInterlaceFlags();
    values.nDeinterlaceStatus = player.GetDeinterlaceStatus();
    return values;
}

MediaInfoTexts MakeMediaInfoTexts(const MediaInfoValues& values)
{
    MediaInfoTexts texts;
    texts.strAuthor = values.strAuthor;
    texts.strTitle = values.strTitle;
    texts.strRating = values.strRating;
    texts.strDescription = values.strDescription;
    texts.strCopyright = values.strCopyright;
    if (values.bVideo) {
        texts.strNativeSize = SizeText(values.nVideoWidth, values.nVideoHeight);
        texts.strDisplaySize = SizeText(values.nDisplayWidth, values.nDisplayHeight);
        texts.strFrameRate = FrameRateText(values.nFps);
    }
    if (values.bAudio) {
        texts.strSampleRate = NumberText(values.nSampleRate, QStringLiteral("Hz"));
        texts.strBitsPerSample = NumberText(values.nBitsPerSample, QStringLiteral("ビット"));
        texts.strChannels = ChannelsText(values.nChannels);
    }
    return texts;
}

MediaInfoValues MediaInfoValuesOf(const CDShowPlayer& player, bool bHasVideo, bool bAudioAvailable, QSize displaySize)
{
    MediaInfoValues values;
    values.strAuthor = player.GetAuthor();
    values.strTitle = player.GetTitle();
    values.strRating = player.GetRating();
    values.strDescription = player.GetDescription();
    values.strCopyright = player.GetCopyright();
    values.bVideo = bHasVideo;
    values.nVideoWidth = player.GetVideoWidth();
    values.nVideoHeight = player.GetVideoHeight();
    // An empty QSize is -1 × -1.
    values.nDisplayWidth = std::max(0, displaySize.width());
    values.nDisplayHeight = std::max(0, displaySize.height());
    values.nFps = player.GetFramesPerSecond();
    values.bAudio = bAudioAvailable;
    values.nSampleRate = player.GetAudioSampleRate();
    values.nBitsPerSample = player.GetAudioBitsPerSample();
    values.nChannels = player.GetAudioChannels();
    return values;
}
