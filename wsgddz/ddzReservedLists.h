// The driver's fixed display lists, reserved in one order at every device open.
#pragma once

#include <cstdint>

struct ddzReservedLists {
    uint32_t markers = 0;               // 9 lists, the marker bitmaps
    uint32_t stippleOn = 0;
    uint32_t stippleOff = 0;
    uint32_t stipplePattern = 0;
    uint32_t fonts = 0;                 // 5328 lists
    uint32_t surfaceTextureState = 0;   // 4 lists
    uint32_t phongOnOff = 0;            // 12 lists
    uint32_t phongTextures = 0;         // one per lighting configuration
    uint32_t surfaceTextures = 0;       // one per texture configuration
    uint32_t dynamicDisplayControl = 0; // 2 lists
};

constexpr uint32_t kMarkerLists = 9;
constexpr uint32_t kFontLists = 5328;
constexpr uint32_t kFixedReservedLists = 5358;  // every group but the configuration-sized ones

ddzReservedLists& ddzReserved();
//! Takes every group from the reserved range, tracing each group that fails.
void ddzReserveDisplayListGroups(uint32_t lightingConfigurations, uint32_t textureConfigurations);
//! Compiles the stipple and dynamic-display-control lists.
void ddzCompileReservedLists();
