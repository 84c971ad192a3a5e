#include "ddzDLMemory.h"

#include "dderr.h"

#include <cmath>

namespace {

constexpr double kStateBytes[static_cast<int>(ddzDLState::Count)] = {12, 4, 4, 4,  4,  8,  12, 4,  8,  24, 12,
                                                                     12, 12, 128, 4, 4, 16, 16, 32, 4, 4,  6};

struct PrimitiveCounts {
    double primitives = 0, vertices2D = 0, vertices3D = 0;
    double bytes() const { return 4 * primitives + 8 * vertices2D + 12 * vertices3D; }
};

struct AreaCounts {
    double primitives = 0, normals = 0, colours = 0, textureCoordinates = 0, vertices = 0;
    double bytes() const { return 4 * primitives + 12 * normals + 12 * colours + 8 * textureCoordinates + 12 * vertices; }
};

struct Counters {
    double state[static_cast<int>(ddzDLState::Count)] = {};
    PrimitiveCounts primitives[static_cast<int>(ddzDLPrimitive::Count)];
    AreaCounts areas[static_cast<int>(ddzDLArea::Count)];
    double scanLines = 0, pixels = 0;
    uint32_t words = 0;
};

struct BaseMemory {
    double lists = 0, bitmapBytes = 0, textureBytes = 0;
};

Counters counters;
BaseMemory base;

void store(double sum, uint32_t* size, const char* function, const char* message) {
    if (sum > 4294967295.0) {
        dderrorSet(function, 1, ddzError, nullptr, __LINE__, message);
        *size = 0xFFFFFFFFu;
        return;
    }
    *size = static_cast<uint32_t>(sum);
}

}  // namespace

void ddzDLCountState(ddzDLState command, double times) { counters.state[static_cast<int>(command)] += times; }

void ddzDLCountPrimitive(ddzDLPrimitive family, double primitives, double vertices2D, double vertices3D) {
    PrimitiveCounts& c = counters.primitives[static_cast<int>(family)];
    c.primitives += primitives;
    c.vertices2D += vertices2D;
    c.vertices3D += vertices3D;
}

void ddzDLCountArea(ddzDLArea family, double primitives, double normals, double colours, double textureCoordinates,
                    double vertices) {
    AreaCounts& c = counters.areas[static_cast<int>(family)];
    c.primitives += primitives;
    c.normals += normals;
    c.colours += colours;
    c.textureCoordinates += textureCoordinates;
    c.vertices += vertices;
}

void ddzDLCountPixels(double scanLines, double pixels) {
    counters.scanLines += scanLines;
    counters.pixels += pixels;
}

void ddzDLCountWords(uint32_t words) { counters.words += words; }

void ddzDLCountLists(double lists) { base.lists += lists; }

void ddzDLCountBitmapLists(double lists, int width, int height) {
    base.lists += lists;
    const double area = static_cast<double>(width) * height;
    base.bitmapBytes += lists * (area > 8 ? area / 8 : 1);
}

void ddzDLCountTexture(int width, int height) {
    base.lists += 1;
    if (width < 1 || height < 1) return;
    const int a = static_cast<int>(std::floor(std::log2(width)));
    const int b = static_cast<int>(std::floor(std::log2(height)));
    double texels = 0;
    for (int k = 0; k < std::min(a, b); ++k) texels += std::ldexp(1.0, a - k) * std::ldexp(1.0, b - k);
    base.textureBytes += 16 * texels;
}

void ddzDLSize(uint32_t* size) {
    double sum = 0;
    for (int i = 0; i < static_cast<int>(ddzDLState::Count); ++i) sum += counters.state[i] * kStateBytes[i];
    for (const PrimitiveCounts& c : counters.primitives) sum += c.bytes();
    for (const AreaCounts& c : counters.areas) sum += c.bytes();
    sum += 4 * counters.scanLines + 16 * counters.pixels;
    sum += 4.0 * (counters.words % (1u << 30));
    store(sum, size, "ddzDLSize", "ddzDLSize size overflows unsigned");
}

void ddzDLBaseSize(uint32_t* size) {
    store(base.lists * 4 + base.bitmapBytes + base.textureBytes, size, "ddzDLBaseSize",
          "ddzDLBaseSize size overflows unsigned");
}

void ddzDLReset() { counters = Counters{}; }
void ddzDLResetBase() { base = BaseMemory{}; }
