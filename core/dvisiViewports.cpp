// The viewport table of the visualization API (ids 0..4 and the overlay) and
// the device's OpenGL memory total, cached until segments change.
#include "dvisi.h"

#include "dderr.h"
#include "ddzDLMemory.h"
#include "dviIViewport.h"

#include <cstdint>

namespace {

constexpr int kRegularViewports = 5;
constexpr int kOverlaySlot = kRegularViewports;

dviIViewport* viewportTable[kRegularViewports + 1] = {};

struct MemoryCache {
    bool valid = false;
    uint32_t bytes = 0;
};
MemoryCache memoryCache;

// -1 is the overlay's slot.
int slotOf(int id) { return id == -1 ? kOverlaySlot : id; }

int report(const char* function, int line, const char* message, const void* object = nullptr) {
    dderrorSet(function, 1, ddzError, object, line, message);
    return ddzError;
}

}  // namespace

int dvisiAddViewportToList(int id, dviIViewport* viewport) {
    constexpr const char* kFunction = "dvisiAddViewportToList";
    if (id < -1 || id >= kRegularViewports) {
        return report(kFunction, __LINE__, "Invalid viewport identifier", reinterpret_cast<const void*>(4));
    }
    if (!viewport) return report(kFunction, __LINE__, "Invalid viewport pointer");
    dviIViewport*& slot = viewportTable[slotOf(id)];
    if (slot) return report(kFunction, __LINE__, "Trying to overwrite a valid viewport");
    slot = viewport;
    memoryCache.valid = false;
    return ddzOk;
}

dviIViewport* dvisiViewport(int id) { return id < -1 || id >= kRegularViewports ? nullptr : viewportTable[slotOf(id)]; }

void dvisiForgetViewports() {
    for (dviIViewport*& slot : viewportTable) slot = nullptr;
    memoryCache.valid = false;
}

void dvisiOpenGLMemoryChanged() { memoryCache.valid = false; }

int dvisiopenglmemory(uint32_t* bytes) {
    if (!memoryCache.valid) {
        // The overlay first, then the regular viewports; the driver's own lists on top.
        uint64_t total = 0;
        const int order[] = {kOverlaySlot, 0, 1, 2, 3, 4};
        for (const int slot : order) {
            uint32_t viewportBytes = 0;
            if (viewportTable[slot] && viewportTable[slot]->QueryDisplayListMemory(&viewportBytes) == ddzOk) {
                total += viewportBytes;
            }
        }
        uint32_t base = 0;
        ddzDLBaseSize(&base);
        total += base;
        if (total > UINT32_MAX) {
            report("dvisiopenglmemory", __LINE__, "dvisiopenglmemory size overflows unsigned");
            total = UINT32_MAX;
        }
        memoryCache = MemoryCache{true, static_cast<uint32_t>(total)};
    }
    *bytes = memoryCache.bytes;
    return ddzOk;
}
