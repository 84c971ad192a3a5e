#pragma once

#include "ddzBoundingVolume.h"
#include "ddzSegmentStore.h"
#include "dviISegmentManager.h"

class dviIPrimitiveBuffer;

class ddzSegmentManager : public dviISegmentManager {
public:
    // State bits.
    static constexpr uint32_t kMixedMask = 7u;
    static constexpr uint32_t kOpen = 1u << 3;
    static constexpr uint32_t kDimensionShift = 4;
    static constexpr uint32_t kDimensionMask = 3u << kDimensionShift;
    static constexpr uint32_t kCreationBit = 1u << 6;
    static constexpr uint32_t kContributed = 1u << 7;
    static constexpr uint32_t kBufferMode = 1u << 8;
    static constexpr uint32_t kPartState = 1u << 9;

    explicit ddzSegmentManager(int creationArgument);
    ~ddzSegmentManager() override;

    int AddPrimitiveToSegment(int kind) override;
    int AddVerticesToBoundingVolume(const float* vertices, int count, bool contributes, int mask) override;
    int CloseSegment() override;
    void CurrentContext(int* dimension, int* viewportId) override;
    void SegmentIsOpen(bool* isOpen) override;
    int DeleteAllForNewModelFile() override;
    int DeleteAllForRedisplay() override;
    int DeleteSegment(int id) override;
    int GetCurrentSegment(ddzPhysicalDeviceSegment** segment) override;
    int GetSegment(int id, ddzPhysicalDeviceSegment** segment) override;
    int ModifyModelingXform(const int32_t* idAndTag, const float* matrix, ddzPhysicalDeviceSegment** segment) override;
    int ModifySegmentDisplayType(int id, int mixedType) override;
    int OpenSegment(int id, bool burnThrough) override;
    void QuerySegmentEmpty(int id, bool* empty) override;
    int SetCurrentContext(int dimension, dviIViewport* viewport) override;
    int SetModelingXform(int32_t* result) override;
    int SetSegmentMixedModeDisplayType(int mixedType) override;
    int SetSegmentPartColor(int32_t colourIndex) override;
    int SetSegmentPartState(bool state) override;
    void QueryBufferMode(bool* bufferMode) override;
    dviIViewport* CurrentViewport() override { return currentViewport_; }

    //! Destroys the one manager; 2 when there is none.
    static int Terminate();
    //! Installs a primitive buffer (replacing any); buffer mode follows it from the next context.
    static int CreatePrimitiveBuffer(dviIPrimitiveBuffer* buffer, dviIPrimitiveBuffer** out);
    static int DeletePrimitiveBuffer();
    static int ReInitializePrimitiveBuffer(bool flag);

    uint32_t StateBits() const { return state_; }
    int CurrentSegmentId() const { return currentId_; }

private:
    int deleteAll(int mode);

    ddzSegmentStore store_;
    ddzBoundingVolume workingVolume_;
    masVariable displayListStore_{"Display List Store"};
    ddzPhysicalDeviceSegment* currentSegment_ = nullptr;
    dviIViewport* currentViewport_ = nullptr;
    int currentId_;
    uint32_t state_;
};

//! The one segment manager, null when none exists.
ddzSegmentManager* ddzTheSegmentManager();

class dviSegmentManagerFactory {
public:
    //! Creates the one manager; 1 (fatal) when it exists already or memory ran out.
    static int InstantiateSegmentManager(int creationArgument, dviISegmentManager** manager);
    //! Destroys it; -1 when there is none.
    static int TerminateSegmentManager();
};
