// The zoom of the current sign's picture as the zoom dialog sets it: the
// dialog offers zoom 1 (the largest dots) to 4 (the smallest), each as a
// sample of the sign drawn at that zoom, and OK stores the chosen one.
#pragma once

#include <cstdint>
#include <functional>

namespace kv {

// The zooms the dialog offers.
constexpr int16_t kFirstOfferedZoom = 1;
constexpr int16_t kLastOfferedZoom = 4;

// The zoom the dialog starts with: the current sign's when it is one of those
// offered, else 0 (no sample is chosen, and OK keeps the zoom).
int16_t SignScaleStart();

// OK with the chosen zoom (0: none chosen): the current sign takes it and the
// dot size that goes with it and is painted again; a selected area keeps its
// frame (the marked cells' frame while the text editor has the keys).
void ApplySignScale(int16_t chosen);

// The dots of a sample of the current graphic sign drawn at a zoom: every
// lit dot as one or two pixel rectangles (x1, y1, x2, y2, inclusive) of the
// dot painter. Nothing for a sign without a picture.
void ForEachSampleRect(int16_t zoom, const std::function<void(int32_t x1, int32_t y1, int32_t x2, int32_t y2)>& rect);

}  // namespace kv
