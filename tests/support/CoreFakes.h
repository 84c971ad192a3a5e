// Stand-ins for the viewports and the primitive buffer in tests of the core.
#pragma once

#include "dviIPrimitiveBuffer.h"
#include "dviIViewport.h"
#include "dviTypes.h"

namespace testsupport {

class FakeViewport : public dviIMainViewport {
public:
    int displayType = Shaded;
    int id = 1;
    bool switchable = true;
    bool cciActive = false;
    int cciMode = 1;
    int GetDisplayType(int* type) override { return *type = displayType, 0; }
    int GetViewportId(int* out) override { return *out = id, 0; }
    int SetSwitchable(bool on) override { return switchable = on, 0; }
    int QueryCCIControls(bool* active, int* mode) override { return *active = cciActive, *mode = cciMode, 0; }
    uint32_t displayListBytes = 0;
    int memoryQueries = 0;
    int QueryDisplayListMemory(uint32_t* bytes) override { return ++memoryQueries, *bytes = displayListBytes, 0; }
};

//! Collects nothing; its presence switches buffer mode on, so area data get their own list.
class NullPrimitiveBuffer : public dviIPrimitiveBuffer {
public:
    int EmptyPolylineBuffer(int) override { return 0; }
    int EmptyTextBuffer() override { return 0; }
    int EmptyPolymarkerBuffer() override { return 0; }
    int Reinitialize(bool) override { return 0; }
    void ClearOutlineDrawing() override {}
};

}  // namespace testsupport
