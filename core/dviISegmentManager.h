// The segment manager: turns each open-draw-close sequence of a host segment
// into a physical device segment with its display lists and bounding volume.
#pragma once

#include <cstdint>

class ddzPhysicalDeviceSegment;
class dviIViewport;

class dviISegmentManager {
public:
    virtual ~dviISegmentManager() = default;
    //! Marks what a primitive (dviPrimitiveKind) adds to the open segment; 2 when none is open.
    virtual int AddPrimitiveToSegment(int kind) = 0;
    //! Grows the working volume; mask bits 0..4 count attribute values toward the complexity.
    virtual int AddVerticesToBoundingVolume(const float* vertices, int count, bool contributes, int mask) = 0;
    //! Closes the open segment and builds its segment list; 2 when none is open.
    virtual int CloseSegment() = 0;
    virtual void CurrentContext(int* dimension, int* viewportId) = 0;
    virtual void SegmentIsOpen(bool* isOpen) = 0;
    virtual int DeleteAllForNewModelFile() = 0;
    virtual int DeleteAllForRedisplay() = 0;
    virtual int DeleteSegment(int id) = 0;
    virtual int GetCurrentSegment(ddzPhysicalDeviceSegment** segment) = 0;
    virtual int GetSegment(int id, ddzPhysicalDeviceSegment** segment) = 0;
    //! Recompiles one transform list of a segment; idAndTag = {segment id, transform tag}.
    virtual int ModifyModelingXform(const int32_t* idAndTag, const float* matrix, ddzPhysicalDeviceSegment** segment) = 0;
    virtual int ModifySegmentDisplayType(int id, int mixedType) = 0;
    //! Opens segment id in the current context, closing any open one first.
    virtual int OpenSegment(int id, bool burnThrough) = 0;
    virtual void QuerySegmentEmpty(int id, bool* empty) = 0;
    virtual int SetCurrentContext(int dimension, dviIViewport* viewport) = 0;
    //! Starts a transform in the open segment; result = {segment id, transform tag}.
    virtual int SetModelingXform(int32_t* result) = 0;
    virtual int SetSegmentMixedModeDisplayType(int mixedType) = 0;
    virtual int SetSegmentPartColor(int32_t colourIndex) = 0;
    virtual int SetSegmentPartState(bool state) = 0;
    virtual void QueryBufferMode(bool* bufferMode) = 0;
    //! The viewport of the current context (null before the first SetCurrentContext).
    virtual dviIViewport* CurrentViewport() = 0;
};
