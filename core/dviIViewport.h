// What the segment code needs of a viewport. Viewports themselves are built by
// the viewport manager.
#pragma once

#include <cstdint>

class dviIViewport {
public:
    virtual ~dviIViewport() = default;
    //! The display type the viewport draws its segments in (dviDisplayType).
    virtual int GetDisplayType(int* type) = 0;
    //! The viewport's identifier (-1 the overlay, 0..4 the regular viewports).
    virtual int GetViewportId(int* id) = 0;
    //! Whether dynamic viewing may switch the viewport's display type.
    virtual int SetSwitchable(bool switchable) = 0;
    //! The display-list memory of the viewport's segments, in bytes.
    virtual int QueryDisplayListMemory(uint32_t* bytes) = 0;
};

//! A 3D main viewport: also answers for its clipping, capping and interference controls.
class dviIMainViewport : public dviIViewport {
public:
    //! Whether clipping/capping/interference is active, and its mode (1..3).
    virtual int QueryCCIControls(bool* active, int* mode) = 0;
};
