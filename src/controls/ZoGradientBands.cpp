#include "controls/ZoGradientBands.h"

#include <algorithm>
#include <cmath>

namespace pos {

namespace {

int channel(std::uint32_t c, int shift) { return static_cast<int>((c >> shift) & 0xFFu); }

}  // namespace

std::uint32_t GradientBandColor(std::uint32_t aFrom, std::uint32_t aTo, int k, int n)
{
    if (n < 2) return aFrom & 0xFFFFFFu;
    std::uint32_t result = 0;
    for (int shift : {0, 8, 16}) {
        const int from = channel(aFrom, shift);
        const int to = channel(aTo, shift);
        const long v = from + std::lround(static_cast<double>(k) * (to - from) / (n - 1));
        result |= static_cast<std::uint32_t>(std::clamp<long>(v, 0, 255)) << shift;
    }
    return result;
}

std::vector<TGradientFill> GradientFills(const TGradientLayout& aLayout)
{
    std::vector<TGradientFill> fills;
    const int extent = std::max(0, aLayout.extent);
    const std::uint32_t from = aLayout.colorFrom & 0xFFFFFFu;
    const std::uint32_t to = aLayout.colorTo & 0xFFFFFFu;
    if (extent == 0) return fills;
    if (aLayout.step < 1) {
        fills.push_back({0, extent, from});
        return fills;
    }

    const int step = aLayout.step;
    const int skipStart = std::clamp(aLayout.skipStart, 0, step - 1);
    const int skipEnd = std::clamp(std::min(aLayout.skipEnd, step - skipStart - 1), 0, step - 1);
    const double bandPixels = static_cast<double>(extent) / step;
    const int startFill = static_cast<int>(std::lround(bandPixels * skipStart));
    const int endFill = static_cast<int>(std::lround(bandPixels * skipEnd));

    if (startFill > 0) fills.push_back({0, startFill, from});

    const int n = step - skipStart - skipEnd;
    const double middle = extent - bandPixels * (skipStart + skipEnd);
    if (n < 2) {
        fills.push_back({startFill, std::max(0, extent - startFill - endFill), from});
    } else {
        const double t = middle / (n - 1);
        const int thickness = static_cast<int>(std::lround(t)) + 1;
        for (int k = 0; k < n; ++k) {
            const int start = startFill + static_cast<int>(std::lround(k * t));
            fills.push_back({start, thickness, GradientBandColor(from, to, k, n)});
        }
    }

    if (endFill > 0) fills.push_back({extent - endFill, endFill, to});
    return fills;
}

}  // namespace pos
