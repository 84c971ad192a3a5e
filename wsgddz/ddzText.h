// Immediate text: host strings drawn as bitmap characters of the current text
// font at a raster position, one glCallLists per string.
#pragma once

#include <cstdint>

//! The longest string drawn; longer ones are cut.
constexpr int kMaxTextCharacters = 120;

//! Draws count characters of a host string at a 2D (dimension 2) or 3D point.
void ddzDrawString(int count, const char* hostText, const float* point, int dimension);
