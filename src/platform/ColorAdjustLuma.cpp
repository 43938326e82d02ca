#include "platform/ColorAdjustLuma.h"

#include <algorithm>

QColor ColorAdjustLuma(const QColor& clr, int n, BOOL fScale)
{
    const QColor hsl = clr.toHsl();
    // Greys have no hue; any hue will do with zero saturation.
    const float h = std::max(hsl.hslHueF(), 0.0f);
    const float s = hsl.hslSaturationF();
    float l = hsl.lightnessF();
    const float amount = static_cast<float>(n) / 1000.0f;
    if (!fScale)
        l += amount;
    else if (n > 0)
        l += (1.0f - l) * amount;
    else
        l += l * amount;
    return QColor::fromHslF(h, s, std::clamp(l, 0.0f, 1.0f), clr.alphaF()).toRgb();
}
