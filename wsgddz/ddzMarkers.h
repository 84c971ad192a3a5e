// Immediate markers: points, the host's 2D markers, the marker bitmaps and
// character markers.
#pragma once

//! Draws count markers of type at points (2 or 3 floats each, by dimension).
void ddzDrawMarkers(int count, const float* points, int type, int dimension);
