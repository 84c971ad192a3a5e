// Packed colours 0x00RRGGBB: packing truncates channel x 255 (a channel above
// 1.0 carries into the next one, as the sum does); unpacking multiplies by 1/255.
#pragma once

#include <cstdint>

constexpr int32_t ddzPackColour(float r, float g, float b) {
    return (static_cast<int32_t>(r * 255.0f) << 16) + (static_cast<int32_t>(g * 255.0f) << 8) +
           static_cast<int32_t>(b * 255.0f);
}

inline void ddzUnpackColour(int32_t packed, float* rgb) {
    constexpr float kByte = 0.003921569f;
    rgb[0] = static_cast<float>((packed >> 16) & 0xff) * kByte;
    rgb[1] = static_cast<float>((packed >> 8) & 0xff) * kByte;
    rgb[2] = static_cast<float>(packed & 0xff) * kByte;
}
