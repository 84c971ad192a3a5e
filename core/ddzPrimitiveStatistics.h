// Statistics of what was drawn: how many area primitives of each vertex count
// (below 53, then one shared counter), gathered while tracing is on, and the
// characters of text.
#pragma once

#include <cstdint>

constexpr int kStatisticsBuckets = 54;

struct ddzPrimitiveStatistics {
    uint32_t byVertexCount[kStatisticsBuckets] = {};
    uint32_t triangles = 0;
    uint32_t strips = 0;
    uint32_t characters = 0;
};

ddzPrimitiveStatistics& ddzStatistics();
