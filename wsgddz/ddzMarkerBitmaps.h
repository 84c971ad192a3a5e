// The nine 17 x 17 marker bitmaps, compiled at device open into the reserved
// marker lists; 3D marker type t (2..9) calls list first + t - 1.
#pragma once

#include <cstdint>

constexpr int kMarkerBitmapSize = 17;

//! The bitmap of list i (0..8): 17 rows of 3 bytes, bottom row first, bit 0 the leftmost pixel.
const uint8_t* ddzMarkerBitmap(int list);
//! Compiles the nine lists first..first + 8 and counts them for the memory estimate.
void ddzBuildMarkerBitmaps(uint32_t first);
