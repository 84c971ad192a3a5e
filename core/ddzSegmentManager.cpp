#include "ddzSegmentManager.h"

#include "dderr.h"
#include "ddzPhysicalDeviceSegment.h"
#include "ddzVertexArrays.h"
#include "dviIPrimitiveBuffer.h"
#include "dviIViewport.h"
#include "dviTypes.h"
#include "dvisi.h"
#include "pelk.h"

#include <GL/gl.h>

#include <bit>
#include <new>

namespace {

ddzSegmentManager* theManager = nullptr;
dviIPrimitiveBuffer* thePrimitiveBuffer = nullptr;

int userAbort(const char* operation, int line) {
    dderrorSet(operation, 1, ddzUserAbort, nullptr, line, "User Abort Detected");
    return ddzUserAbort;
}

// Ends a compilation left open by a failed or abandoned segment, so no list stays open.
void glEndListIfCompiling() {
    GLint compiling = 0;
    glGetIntegerv(GL_LIST_INDEX, &compiling);
    if (compiling != 0) glEndList();
}

int report(const char* operation, int line, const char* message, int status = ddzError, const void* object = nullptr) {
    dderrorSet(operation, 1, status, object, line, message);
    return status;
}

}  // namespace

dviIPrimitiveBuffer* dviCurrentPrimitiveBuffer() { return thePrimitiveBuffer; }
void dviSetPrimitiveBuffer(dviIPrimitiveBuffer* buffer) { thePrimitiveBuffer = buffer; }
ddzSegmentManager* ddzTheSegmentManager() { return theManager; }

ddzSegmentManager::ddzSegmentManager(int creationArgument)
    : currentId_(kNoSegment), state_((creationArgument & 1) ? kCreationBit : 0) {}

ddzSegmentManager::~ddzSegmentManager() = default;

int dviSegmentManagerFactory::InstantiateSegmentManager(int creationArgument, dviISegmentManager** manager) {
    void* memory = theManager ? nullptr : orban_malloc(sizeof(ddzSegmentManager), "ddzSegmentManager", 0);
    if (!memory) {
        const bool existed = theManager != nullptr;
        if (!existed) theManager = nullptr;
        *manager = nullptr;
        dderrOutOfMemory("dviSegmentManagerFactory::InstantiateSegmentManager", __LINE__,
                         existed ? "Segment Manager already instantiated" : "Error creating segment manager");
        return ddzOutOfMemory;
    }
    theManager = new (memory) ddzSegmentManager(creationArgument);
    *manager = theManager;
    return ddzOk;
}

int dviSegmentManagerFactory::TerminateSegmentManager() {
    if (ddzSegmentManager::Terminate() != ddzOk) {
        return userAbort("dviSegmentManagerFactory::TerminateSegmentManager", __LINE__);
    }
    return ddzOk;
}

int ddzSegmentManager::Terminate() {
    if (!theManager) return report("ddzSegmentManager::Terminate", __LINE__, "Segment Manager is not initialized");
    theManager->~ddzSegmentManager();
    orban_free(theManager);
    theManager = nullptr;
    return ddzOk;
}

int ddzSegmentManager::SetCurrentContext(int dimension, dviIViewport* viewport) {
    constexpr const char* kOperation = "ddzSegmentManager::SetCurrentContext";
    if (!viewport) return report(kOperation, __LINE__, "Invalid viewport reference.");
    if (dimension != 2 && dimension != 3) {
        return report(kOperation, __LINE__, "Invalid segment dimensionality", ddzError, reinterpret_cast<const void*>(4));
    }
    currentViewport_ = viewport;
    state_ = (state_ & ~(kDimensionMask | kBufferMode)) | (static_cast<uint32_t>(dimension) << kDimensionShift);
    int type = Wireframe;
    viewport->GetDisplayType(&type);
    if (thePrimitiveBuffer && dimension == 3 && type != Wireframe) state_ |= kBufferMode;
    return ddzOk;
}

void ddzSegmentManager::CurrentContext(int* dimension, int* viewportId) {
    *dimension = static_cast<int>((state_ & kDimensionMask) >> kDimensionShift);
    *viewportId = 0;
    if (currentViewport_) currentViewport_->GetViewportId(viewportId);
}

void ddzSegmentManager::SegmentIsOpen(bool* isOpen) { *isOpen = (state_ & kOpen) != 0; }
void ddzSegmentManager::QueryBufferMode(bool* bufferMode) { *bufferMode = (state_ & kBufferMode) != 0; }

int ddzSegmentManager::OpenSegment(int id, bool burnThrough) {
    constexpr const char* kOperation = "ddzSegmentManager::OpenSegment";
    if (state_ & kOpen) {
        if (CloseSegment() != ddzOk) return userAbort(kOperation, __LINE__);
        report(kOperation, __LINE__, "Trying to open segment when another is open");
    }
    dderrCheckOGLError();
    ddzPhysicalDeviceSegment* segment = nullptr;
    const int dimension = static_cast<int>((state_ & kDimensionMask) >> kDimensionShift);
    const int status = store_.CreateSegment(burnThrough, static_cast<int>(state_ & kMixedMask), id, dimension,
                                            currentViewport_, state_ & kBufferMode, state_ & kPartState, &segment);
    if (status != ddzOk) {
        glEndListIfCompiling();
        return status == ddzOutOfMemory ? status : userAbort(kOperation, __LINE__);
    }
    currentSegment_ = segment;
    workingVolume_.Reset();
    currentId_ = id;
    state_ = (state_ & ~kContributed) | kOpen;
    va_Start();
    return ddzOk;
}

int ddzSegmentManager::AddPrimitiveToSegment(int kind) {
    if (!(state_ & kOpen) || !currentSegment_) {
        return report("ddzSegmentManager::AddPrimitiveToSegment", __LINE__, "No segment currently open");
    }
    currentSegment_->AddPrimitive(kind);
    return ddzOk;
}

int ddzSegmentManager::AddVerticesToBoundingVolume(const float* vertices, int count, bool contributes, int mask) {
    if (contributes) state_ |= kContributed;
    if (workingVolume_.AddVertices(vertices, count) != ddzOk) {
        return userAbort("ddzSegmentManager::AddVerticesToBoundingVolume", __LINE__);
    }
    if (count > 0) {
        const auto values = static_cast<uint64_t>(count) * static_cast<uint64_t>(std::popcount(static_cast<unsigned>(mask) & 0x1fu));
        workingVolume_.AddComplexity(values > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(values));
    }
    return ddzOk;
}

int ddzSegmentManager::CloseSegment() {
    constexpr const char* kOperation = "ddzSegmentManager::CloseSegment";
    if (currentId_ == kNoSegment || !currentSegment_) return report(kOperation, __LINE__, "No segment currently open");
    va_End();  // what was collected is drawn into the segment's open list
    dvisiOpenGLMemoryChanged();
    if (state_ & kContributed) {
        ddzBoundingVolume* volume = nullptr;
        if (store_.CreateBoundingVolume(&volume) != ddzOk) return userAbort(kOperation, __LINE__);
        volume->CopyFrom(workingVolume_);
        currentSegment_->SetBoundingVolume(volume);
    }
    const int status = currentSegment_->CloseSegment();
    state_ &= ~kOpen;
    currentId_ = kNoSegment;
    return status == ddzOk ? ddzOk : userAbort(kOperation, __LINE__);
}

int ddzSegmentManager::GetCurrentSegment(ddzPhysicalDeviceSegment** segment) {
    *segment = currentSegment_;
    return ddzOk;
}

int ddzSegmentManager::GetSegment(int id, ddzPhysicalDeviceSegment** segment) {
    if (store_.GetSegment(id, segment) != ddzOk) return userAbort("ddzSegmentManager::GetSegment", __LINE__);
    return ddzOk;
}

int ddzSegmentManager::SetModelingXform(int32_t* result) {
    constexpr const char* kOperation = "ddzSegmentManager::SetModelingXform";
    if (!(state_ & kOpen) || !currentSegment_) return report(kOperation, __LINE__, "No segment currently open");
    if (currentSegment_->SetModelingXForm(result, displayListStore_) != ddzOk) return userAbort(kOperation, __LINE__);
    return ddzOk;
}

int ddzSegmentManager::ModifyModelingXform(const int32_t* idAndTag, const float* matrix,
                                           ddzPhysicalDeviceSegment** segment) {
    constexpr const char* kOperation = "ddzSegmentManager::ModifyModelingXform";
    *segment = nullptr;
    ddzPhysicalDeviceSegment* record = nullptr;
    if (GetSegment(idAndTag[0], &record) != ddzOk) return userAbort(kOperation, __LINE__);
    if (!record) {
        report(kOperation, __LINE__, "Cannot find segment to modify transform");
        return ddzOk;
    }
    if (record->IsDeleted()) return report(kOperation, __LINE__, "Attempt to modify deleted segment xform");
    *segment = record;
    if (record->IsEmpty() && record->TransformCount() == 0) return ddzOk;
    const uint32_t* tags = nullptr;
    int count = 0;
    if (record->GetDisplayListId(&tags, &count) != ddzOk) return userAbort(kOperation, __LINE__);
    for (int i = 0; i < count; ++i) {
        if (tags[i] != static_cast<uint32_t>(idAndTag[1])) continue;
        if (record->ModifyModelingXForm(idAndTag, matrix) != ddzOk) return userAbort(kOperation, __LINE__);
        return ddzOk;
    }
    return report(kOperation, __LINE__, "Invalid transform tag for this segment");
}

int ddzSegmentManager::ModifySegmentDisplayType(int id, int mixedType) {
    constexpr const char* kOperation = "ddzSegmentManager::ModifySegmentDisplayType";
    ddzPhysicalDeviceSegment* record = nullptr;
    if (GetSegment(id, &record) != ddzOk) return userAbort(kOperation, __LINE__);
    if (!record) {
        report(kOperation, __LINE__, "Cannot find segment to modify display");
        return ddzOk;
    }
    if (record->IsEmpty()) {
        record->SetMixedType(mixedType);
        return ddzOk;
    }
    report("ddzPhysicalDeviceSegment::SetMixedModeDisplayType", __LINE__, "Trying to set display type for non-empty segment");
    return userAbort(kOperation, __LINE__);
}

int ddzSegmentManager::SetSegmentMixedModeDisplayType(int mixedType) {
    state_ = (state_ & ~kMixedMask) | (static_cast<uint32_t>(mixedType) & kMixedMask);
    if ((state_ & kOpen) && currentSegment_ && currentSegment_->IsEmpty()) currentSegment_->SetMixedType(mixedType);
    return ddzOk;
}

int ddzSegmentManager::SetSegmentPartColor(int32_t colourIndex) {
    if (!(state_ & kOpen) || !currentSegment_) return report("ddzSegmentManager::SetSegmentPartColor", __LINE__, "No open segment");
    currentSegment_->SetPartColor(colourIndex);
    return ddzOk;
}

int ddzSegmentManager::SetSegmentPartState(bool state) {
    state_ = state ? (state_ | kPartState) : (state_ & ~kPartState);
    if ((state_ & kOpen) && currentSegment_ && currentSegment_->SetPartState(state) != ddzOk) {
        return userAbort("ddzSegmentManager::SetSegmentPartState", __LINE__);
    }
    return ddzOk;
}

void ddzSegmentManager::QuerySegmentEmpty(int id, bool* empty) {
    ddzPhysicalDeviceSegment* record = nullptr;
    if (store_.GetSegment(id, &record) != ddzOk || !record) return;
    *empty = record->IsEmpty() && record->TransformCount() == 0;
}

int ddzSegmentManager::DeleteSegment(int id) {
    constexpr const char* kOperation = "ddzSegmentManager::DeleteSegment";
    ddzPhysicalDeviceSegment* record = nullptr;
    if (GetSegment(id, &record) != ddzOk) return userAbort(kOperation, __LINE__);
    if (record && record->BoundingVolume()) {
        ddzBoundingVolume* volume = record->BoundingVolume();
        store_.DeleteBoundingVolume(&volume);
        record->SetBoundingVolume(nullptr);
    }
    if (store_.DeleteSegment(id, displayListStore_) != ddzOk) return userAbort(kOperation, __LINE__);
    dvisiOpenGLMemoryChanged();
    if (record == currentSegment_ && !(state_ & kOpen)) currentSegment_ = nullptr;
    return ddzOk;
}

int ddzSegmentManager::deleteAll(int mode) {
    if (state_ & kOpen) glEndListIfCompiling();
    state_ &= ~(kOpen | kContributed | kBufferMode | kPartState);
    currentSegment_ = nullptr;
    currentId_ = kNoSegment;
    store_.Reinitialize(mode);
    displayListStore_.Reinitialize(1);
    dvisiOpenGLMemoryChanged();
    return ddzOk;
}

int ddzSegmentManager::DeleteAllForNewModelFile() { return deleteAll(1); }
int ddzSegmentManager::DeleteAllForRedisplay() { return deleteAll(0); }

int ddzSegmentManager::CreatePrimitiveBuffer(dviIPrimitiveBuffer* buffer, dviIPrimitiveBuffer** out) {
    *out = nullptr;
    if (thePrimitiveBuffer) DeletePrimitiveBuffer();
    if (!buffer) {
        dderrOutOfMemory("dviCreatePrimitiveBuffer", __LINE__, "Primitive Buffer creation failed.");
        return userAbort("ddzSegmentManager::CreatePrimitiveBuffer", __LINE__);
    }
    thePrimitiveBuffer = buffer;
    *out = buffer;
    return ddzOk;
}

int ddzSegmentManager::DeletePrimitiveBuffer() {
    delete thePrimitiveBuffer;
    thePrimitiveBuffer = nullptr;
    return ddzOk;
}

int ddzSegmentManager::ReInitializePrimitiveBuffer(bool flag) {
    constexpr const char* kOperation = "ddzSegmentManager::ReInitializePrimitiveBuffer";
    if (!thePrimitiveBuffer) return report(kOperation, __LINE__, "Primitive buffer has not been created yet.");
    if (thePrimitiveBuffer->Reinitialize(flag) != ddzOk) return userAbort(kOperation, __LINE__);
    return ddzOk;
}
