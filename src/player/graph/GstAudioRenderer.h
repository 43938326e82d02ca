#pragma once
// The audio renderer: audioconvert -> audioresample -> volume -> the chosen sink.

#include "player/graph/GstFilters.h"

#include <memory>

class CGstAudioRenderer final : public CGstFilterBase {
public:
    // Takes over the sink; null when the converters are not installed.
    static std::unique_ptr<CGstAudioRenderer> Create(GstElement* pSink, FilterMoniker moniker);
    ~CGstAudioRenderer() override;

    GstElement* Bin() const { return m_pBin; }
    GstPad* SinkPad() const { return m_pSinkPad; }
    // Linear factor, 0 .. 1.
    void SetVolume(double dVolume);

    HRESULT QueryFilterInfo(QString* pName) override;
    FilterRole GetRole() const override { return FilterRole::AudioRenderer; }
    HRESULT EnumPins(std::vector<GraphPin>* pPins) override;
    HRESULT ConnectionMediaType(std::size_t nPin, GraphMediaType* pmt) override;

private:
    CGstAudioRenderer(GstElement* pBin, GstElement* pVolume, FilterMoniker moniker);

    GstElement* m_pBin;
    GstElement* m_pVolume;
    GstPad* m_pSinkPad;
    FilterMoniker m_moniker;
};
