#pragma once
// The playback engine: one object per loaded media file. The constructor
// builds the whole graph (or throws CDirectShowErrMessage with nothing held);
// the view owns the object and deletes it before loading the next file.
//
// Construction, release and the media information are in DShowPlayer.cpp and
// DShowPlayerInfo.cpp; seeking set-up in DShowPlayerSeeking.cpp.

#include "player/GraphCB.h"
#include "player/graph/MediaGraph.h"

#include <QString>

#include <array>
#include <memory>

class FilterNameList;
class QWidget;

class CDShowPlayer {
public:
    static constexpr int MAX_FILTERS = 100;
    static constexpr int MAX_FILTER_NAME = 128; // characters, terminator included
    static constexpr int MAX_FIRST_USE = 50;

    // Builds the graph on the program's media framework.
    CDShowPlayer(const QString& strFile, BOOL bAspectFix, BOOL bDisableVMR9, BOOL bDisableDeinterlace,
        const FilterNameList* pBlackList, const FilterNameList* pFirstUseList, QWidget* pView);
    // The same on the graphs of the given factory.
    CDShowPlayer(const QString& strFile, BOOL bAspectFix, BOOL bDisableVMR9, BOOL bDisableDeinterlace,
        const FilterNameList* pBlackList, const FilterNameList* pFirstUseList, QWidget* pView,
        IMediaGraphFactory& factory);
    ~CDShowPlayer();
    CDShowPlayer(const CDShowPlayer&) = delete;
    CDShowPlayer& operator=(const CDShowPlayer&) = delete;

    // ---- media and graph information ----
    // "" outside 0 .. filter count - 1.
    QString GetFilterName(int nIndex) const;
    int GetFilterCount() const { return m_nFilterCount; }
    QString GetAuthor() const { return m_strAuthor; }
    QString GetTitle() const { return m_strTitle; }
    QString GetRating() const { return m_strRating; }
    QString GetDescription() const { return m_strDescription; }
    QString GetCopyright() const { return m_strCopyright; }
    int GetVideoWidth() const { return m_nVideoWidth; }
    int GetVideoHeight() const { return m_nVideoHeight; }
    // Hundredths of a frame per second (2997 is 29.97); 0 when unknown.
    int GetFramesPerSecond() const { return m_nFps; }
    int GetAudioChannels() const { return m_nAudioChannels; }
    int GetAudioSampleRate() const { return m_nAudioSampleRate; }
    int GetAudioBitsPerSample() const { return m_nAudioBitsPerSample; }
    // 0 not reported, 1 progressive, 2 non-interleaved bob, 3 interleaved bob,
    // 4 weave, 5 bob or weave, 6 other.
    int GetInterlaceKind() const { return m_nInterlaceKind; }
    DWORD GetInterlaceFlags() const { return m_dwInterlaceFlags; }
    // 3 while the windowless renderer deinterlaces, else 0.
    int GetDeinterlaceStatus() const { return m_nDeinterlaceStatus; }
    BOOL IsOwnerWindowMode() const { return m_bOwnerWindowMode; }
    BOOL HasWindowlessControl() const { return m_pWindowlessControl != nullptr; }
    // What the media framework said about the last playback failure
    // (an EC_ERRORABORT event), for the error box's detail text.
    QString GetErrorDetail() const;
    // The event queue the main frame drains on WM_GRAPHNOTIFY; null when none.
    IMediaEventEx* GetMediaEvent() const { return m_pMediaEvent; }

    // ---- seeking set-up ----
    int GetSeekMode() const { return SeekMode; }
    DWORD GetSeekingCapabilities() const { return m_dwSeekCaps; }
    TimeFormat GetTimeFormat() const { return m_timeFormat; }
    LONGLONG GetStopPosition() const { return m_llStopPosition; }

private:
    void Build(const QString& strFile, BOOL bDisableVMR9, BOOL bDisableDeinterlace,
        const FilterNameList* pFirstUseList, IMediaGraphFactory& factory);
    // Throws the code with the call's result (the constructor then releases everything).
    [[noreturn]] void Fail(int nCode, HRESULT hr);
    void AddFirstUseFilters(IMediaGraphFactory& factory, const FilterNameList* pFirstUseList);
    HRESULT SetupVMR9(BOOL bDeinterlaceDisabled);
    void RemoveUnconnectedFirstUseFilters();
    void ReadVMR9MediaType();
    void SetupOwnerWindow();
    // The number of filters seen, or -1.
    int EnumFilters(bool* pbOwnerWindowRenderer);
    void ReleaseAll();

    // DShowPlayerSeeking.cpp
    void ReadSeekingCapabilities();
    void SetupSeeking();

    // DShowPlayerInfo.cpp
    void ReadVideoInfo();
    void ReadMediaText(IGraphFilter* pFilter);
    void ReadAudioFormat(IGraphFilter* pFilter);

    TimeFormat m_timeFormat = TimeFormat::None;
    LONGLONG m_llDurationTime = 0;
    LONGLONG m_llDurationFrames = 0;
    // 0 not seekable, 1 positions are media time, 2 positions are frames.
    int SeekMode = 0;
    std::unique_ptr<IMediaGraph> m_pGraph;
    IMediaControl* m_pMediaControl = nullptr;
    IMediaEventEx* m_pMediaEvent = nullptr;
    IMediaSeeking* m_pMediaSeeking = nullptr;
    IBasicAudio* m_pBasicAudio = nullptr;
    IBasicVideo2* m_pBasicVideo = nullptr;
    IVideoWindow* m_pVideoWindow = nullptr;
    IGraphFilter* m_pVMR9 = nullptr;
    IVMRWindowlessControl9* m_pWindowlessControl = nullptr;
    GraphMediaType m_videoMediaType;
    DWORD m_dwSeekCaps = 0;
    std::array<QString, MAX_FILTERS> m_szFilterNames;
    int m_nFilterCount = 0;
    BOOL m_bSegment = FALSE;
    LONGLONG m_llStopPosition = 0;
    LONGLONG m_llSegmentStart = 0;
    LONGLONG m_llSegmentEnd = 0;
    QString m_strAuthor;
    QString m_strTitle;
    QString m_strRating;
    QString m_strDescription;
    QString m_strCopyright;
    int m_nVideoWidth = 0;
    int m_nVideoHeight = 0;
    int m_nFps = 0;
    int m_nAudioChannels = 0;
    int m_nAudioSampleRate = 0;
    int m_nAudioBitsPerSample = 0;
    int m_nInterlaceKind = 0;
    int m_nDeinterlaceStatus = 0;
    DWORD m_dwInterlaceFlags = 0;
    BOOL m_bOwnerWindowMode = FALSE;
    QWidget* m_pView = nullptr;
    BOOL m_bAspectFix = FALSE;
    CGraphCB m_graphCB;
    std::array<IGraphFilter*, MAX_FIRST_USE> m_pFirstUseFilters {};
};
