#pragma once
// How a gradient is divided into bands of colour. Plain arithmetic, no
// drawing: the gradient control paints what this returns, and tests check it
// without a window.

#include <cstdint>
#include <vector>

namespace pos {

// One filled stretch along the gradient's extent (top to bottom when
// vertical, left to right otherwise). Colours are $BBGGRR.
struct TGradientFill {
    int start = 0;
    int length = 0;
    std::uint32_t color = 0;
    friend bool operator==(const TGradientFill&, const TGradientFill&) = default;
};

struct TGradientLayout {
    int extent = 0;               // pixels along the colour change
    int step = 50;                // number of bands
    int skipStart = 0;            // bands at the start in the plain start colour
    int skipEnd = 0;              // bands at the end in the plain end colour
    std::uint32_t colorFrom = 0xFF0000;
    std::uint32_t colorTo = 0x000000;
};

// The fills in painting order: the start fill, the bands, the end fill (which
// is painted last and so covers a band that runs past it). Bands may reach
// past the extent; the painter clips them.
//
// A gradient of fewer than two bands (after the skips) has no colour
// difference to spread and no band thickness to divide by: its middle is one
// plain fill in the start colour.
std::vector<TGradientFill> GradientFills(const TGradientLayout& aLayout);

// Per-channel colour of band k of n: from + round(k * (to - from) / (n - 1)).
std::uint32_t GradientBandColor(std::uint32_t aFrom, std::uint32_t aTo, int k, int n);

}  // namespace pos
