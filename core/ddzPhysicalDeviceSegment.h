// One retained segment: up to three content lists (area, line, outline) and a
// small segment list that calls them as the viewport's display type requires.
#pragma once

#include <cstdint>

class ddzBoundingVolume;
class dviIDisplayListManager;
class dviIViewport;
class masVariable;

class ddzPhysicalDeviceSegment {
public:
    // Flags word, bit for bit.
    static constexpr uint32_t kBurnThrough = 1u << 0;
    static constexpr uint32_t kHasArea = 1u << 1;
    static constexpr uint32_t kHasOutline = 1u << 2;
    static constexpr uint32_t kHasLine = 1u << 3;
    static constexpr uint32_t kCulled = 1u << 4;
    static constexpr uint32_t kDeleted = 1u << 5;
    static constexpr uint32_t kMixedShift = 6;
    static constexpr uint32_t kMixedMask = 7u << kMixedShift;
    static constexpr uint32_t kEmpty = 1u << 9;
    static constexpr uint32_t kDimensionShift = 10;
    static constexpr uint32_t kDimensionMask = 3u << kDimensionShift;
    static constexpr uint32_t kTransformPushOpen = 1u << 12;
    static constexpr uint32_t kVisible = 1u << 13;
    static constexpr uint32_t kBufferMode = 1u << 28;
    static constexpr uint32_t kAreaAsWireframe = 1u << 29;
    static constexpr uint32_t kPartState = 1u << 30;
    static constexpr uint32_t kKeptBits = 0x0FFFC000u | (1u << 31);  // bits 14..27 and 31

    ddzPhysicalDeviceSegment(bool burnThrough, int mixedType, int id, int dimension, dviIViewport* viewport,
                             bool bufferMode, bool partState);
    virtual ~ddzPhysicalDeviceSegment() = default;
    ddzPhysicalDeviceSegment(const ddzPhysicalDeviceSegment&) = delete;
    ddzPhysicalDeviceSegment& operator=(const ddzPhysicalDeviceSegment&) = delete;

    //! Resets the record and leaves it compiling its first content list; -1 when no names could be had.
    int InitializeAttributes(bool burnThrough, int mixedType, int dimension, dviIViewport* viewport, bool bufferMode,
                             bool partState);
    //! Ends the open list, empties the primitive buffer into the lists, builds the segment list.
    int CloseSegment();
    //! Compiles the segment list for a display type; 2 on an unknown type or mixed type (no list left open).
    int BuildSegmentList(int displayType, bool cciActive, int cciMode);
    //! Frees the lists and marks the record deleted; the id stays for reuse.
    int Delete(masVariable& displayListStore);
    //! Frees the content list the display type never draws.
    int MemoryCleanup(int displayType, bool* released);
    //! Brackets what follows in push, a call of a new transform list, and pop; result = {id, tag}.
    int SetModelingXForm(int32_t* result, masVariable& displayListStore);
    //! Recompiles the transform list tag with matrix (column-major).
    int ModifyModelingXForm(const int32_t* idAndTag, const float* matrix);
    int SaveDisplayListId(uint32_t name, masVariable& displayListStore);
    int GetDisplayListId(const uint32_t** names, int* count) const;
    int SetPartState(bool state);
    void SetPartColor(int32_t colourIndex);
    void GetPartColor(float* rgb) const;
    bool GetPartState() const { return flags_ & kPartState; }
    uint32_t GetDisplayListMemory() const { return areaSize_ + lineSize_ + outlineSize_ + segmentListSize_; }
    dviIViewport* GetViewport() const { return viewport_; }
    int GetViewportId() const;
    void SetAreaAsWireframe(bool on);
    bool GetAreaAsWireframe() const { return flags_ & kAreaAsWireframe; }

    //! Records what a primitive added (clears empty; line, outline or area).
    void AddPrimitive(int kind);
    void SetMixedType(int type) { flags_ = (flags_ & ~kMixedMask) | ((static_cast<uint32_t>(type) & 7u) << kMixedShift); }
    int MixedType() const { return static_cast<int>((flags_ & kMixedMask) >> kMixedShift); }
    int Dimension() const { return static_cast<int>((flags_ & kDimensionMask) >> kDimensionShift); }
    uint32_t Flags() const { return flags_; }
    void SetFlags(uint32_t flags) { flags_ = flags; }
    bool IsEmpty() const { return flags_ & kEmpty; }
    bool IsDeleted() const { return flags_ & kDeleted; }
    int Id() const { return id_; }
    int TransformCount() const { return transformCount_; }
    ddzBoundingVolume* BoundingVolume() const { return boundingVolume_; }
    void SetBoundingVolume(ddzBoundingVolume* volume) { boundingVolume_ = volume; }
    uint32_t SegmentList() const { return segmentList_; }
    uint32_t AreaList() const { return areaList_; }
    uint32_t LineList() const { return lineList_; }
    uint32_t OutlineList() const { return outlineList_; }

    //! The display-list manager every record uses; set once by the core's initialisation.
    static void SetDisplayListManager(dviIDisplayListManager* manager) { displayLists_ = manager; }

    // Links of the viewports' lists.
    ddzPhysicalDeviceSegment* temporalNext = nullptr;
    ddzPhysicalDeviceSegment* temporalPrevious = nullptr;
    ddzPhysicalDeviceSegment* noPreprocessNext = nullptr;
    ddzPhysicalDeviceSegment* noPreprocessPrevious = nullptr;

private:
    void callIfPresent(uint32_t list, uint32_t hasFlag) const;
    void compileCapability(bool enable, unsigned capability) const;
    int compileDisplayType(int displayType, bool stencilGuard);
    int closeCompiling(uint32_t& size);

    ddzBoundingVolume* boundingVolume_ = nullptr;
    dviIViewport* viewport_ = nullptr;
    uint32_t* transformTags_ = nullptr;
    int transformCount_ = 0;  // 0 none; > 0 the one tag; < 0 minus the number in transformTags_
    int id_ = -1;
    float partColour_[3] = {-1.0f, -1.0f, -1.0f};
    uint32_t segmentList_ = 0;
    uint32_t areaList_ = 0;
    uint32_t lineList_ = 0;
    uint32_t outlineList_ = 0;
    uint32_t flags_ = 0;
    uint32_t areaSize_ = 0, lineSize_ = 0, outlineSize_ = 0, segmentListSize_ = 0;

    static dviIDisplayListManager* displayLists_;
};
