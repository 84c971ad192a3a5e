#include "ddzPhysicalDeviceSegment.h"

#include "dderr.h"
#include "ddzAttributeState.h"
#include "ddzBoundingVolume.h"
#include "ddzDLMemory.h"
#include "dviIDisplayListManager.h"
#include "dviIPrimitiveBuffer.h"
#include "dviIViewport.h"
#include "dviTypes.h"
#include "pelk.h"

#include <GL/gl.h>

#include <cstring>
#include <initializer_list>

dviIDisplayListManager* ddzPhysicalDeviceSegment::displayLists_ = nullptr;

namespace {

int userAbort(const char* operation, int line) {
    dderrorSet(operation, 1, ddzUserAbort, nullptr, line, "User Abort Detected");
    return ddzUserAbort;
}

// Allocation through the display list store: 2 when it is exhausted, 1 otherwise.
int storeFailure(const char* function, int line, const char* message, bool exhausted) {
    if (exhausted) {
        dderrOutOfMemory(function, line, message);
        return ddzOutOfMemory;
    }
    dderrorSet(function, 1, ddzError, nullptr, line, message);
    return ddzError;
}

}  // namespace

ddzPhysicalDeviceSegment::ddzPhysicalDeviceSegment(bool burnThrough, int mixedType, int id, int dimension,
                                                   dviIViewport* viewport, bool bufferMode, bool partState) {
    InitializeAttributes(burnThrough, mixedType, dimension, viewport, bufferMode, partState);
    id_ = id;
}

int ddzPhysicalDeviceSegment::InitializeAttributes(bool burnThrough, int mixedType, int dimension,
                                                   dviIViewport* viewport, bool bufferMode, bool partState) {
    viewport_ = viewport;
    boundingVolume_ = nullptr;
    temporalNext = temporalPrevious = noPreprocessNext = noPreprocessPrevious = nullptr;
    transformTags_ = nullptr;
    transformCount_ = 0;
    segmentList_ = 0;
    flags_ = (flags_ & kKeptBits) | (burnThrough ? kBurnThrough : 0) |
             ((static_cast<uint32_t>(mixedType) & 7u) << kMixedShift) | kEmpty |
             ((static_cast<uint32_t>(dimension) & 3u) << kDimensionShift) | kVisible | (bufferMode ? kBufferMode : 0) |
             (partState ? kPartState : 0);
    partColour_[0] = partColour_[1] = partColour_[2] = -1.0f;
    areaSize_ = lineSize_ = outlineSize_ = segmentListSize_ = 0;
    constexpr const char* kOperation = "ddzPhysicalDeviceSegment::InitializeAttributes";
    uint32_t names[4] = {};
    if (!displayLists_ || displayLists_->AllocateDisplayListIds(4, names) != ddzOk) {
        areaList_ = lineList_ = outlineList_ = 0;
        return userAbort(kOperation, __LINE__);
    }
    segmentList_ = names[0];
    areaList_ = names[1];
    lineList_ = names[2];
    outlineList_ = names[3];
    ddzDLReset();
    if (displayLists_->OpenDisplayList(bufferMode ? areaList_ : lineList_) != ddzOk) return userAbort(kOperation, __LINE__);
    return ddzOk;
}

void ddzPhysicalDeviceSegment::AddPrimitive(int kind) {
    flags_ &= ~kEmpty;
    if (kind == dviLinePrimitive) flags_ |= kHasLine;
    if (kind == dviOutlinePrimitive) flags_ |= kHasOutline;
    if (kind == dviAreaPrimitive) flags_ |= kHasArea;
}

int ddzPhysicalDeviceSegment::closeCompiling(uint32_t& size) {
    const int status = displayLists_->CloseDisplayList();
    ddzDLSize(&size);
    return status;
}

int ddzPhysicalDeviceSegment::SetModelingXForm(int32_t* result, masVariable& displayListStore) {
    constexpr const char* kOperation = "ddzPhysicalDeviceSegment::SetModelingXForm";
    if (flags_ & kTransformPushOpen) {
        glPopMatrix();
        ddzDLCountState(ddzDLState::MatrixPushPop);
    }
    result[0] = result[1] = 0;
    uint32_t name = 0;
    if (displayLists_->AllocateDisplayListIds(1, &name) != ddzOk) return userAbort(kOperation, __LINE__);
    if (SaveDisplayListId(name, displayListStore) != ddzOk) return userAbort(kOperation, __LINE__);
    glPushMatrix();
    dderrCheckOGLError();
    flags_ |= kTransformPushOpen;
    glCallList(name);
    dderrCheckOGLError();
    ddzDLCountState(ddzDLState::MatrixPushPop);
    ddzDLCountState(ddzDLState::ListCall);
    result[0] = id_;
    result[1] = static_cast<int32_t>(name);
    return ddzOk;
}

int ddzPhysicalDeviceSegment::SaveDisplayListId(uint32_t name, masVariable& store) {
    constexpr const char* kOperation = "ddzPhysicalDeviceSegment::SaveDisplayListId";
    if (transformCount_ == 0) {
        transformCount_ = static_cast<int>(name);
        return ddzOk;
    }
    if (transformCount_ > 0) {
        auto* names = static_cast<uint32_t*>(store.AllocateMemory(2 * sizeof(uint32_t)));
        if (!names) return storeFailure(kOperation, __LINE__, "Invalid display list.", true);
        names[0] = static_cast<uint32_t>(transformCount_);
        names[1] = name;
        transformTags_ = names;
        transformCount_ = -2;
        return ddzOk;
    }
    if (!transformTags_) return storeFailure(kOperation, __LINE__, "Invalid display list.", false);
    const int n = -transformCount_;
    auto* names = static_cast<uint32_t*>(store.AllocateMemory(static_cast<size_t>(n + 1) * sizeof(uint32_t)));
    if (!names) return storeFailure(kOperation, __LINE__, "Failed to alloc memory for display list", true);
    std::memcpy(names, transformTags_, static_cast<size_t>(n) * sizeof(uint32_t));
    names[n] = name;
    store.DeleteMemory(transformTags_);
    transformTags_ = names;
    transformCount_ = -(n + 1);
    return ddzOk;
}

int ddzPhysicalDeviceSegment::GetDisplayListId(const uint32_t** names, int* count) const {
    if (transformCount_ == 0) {
        *count = 0;
        *names = nullptr;
        return ddzOk;
    }
    if (transformCount_ > 0) {
        *count = 1;
        *names = reinterpret_cast<const uint32_t*>(&transformCount_);
        return ddzOk;
    }
    if (!transformTags_) {
        dderrorSet("ddzPhysicalDeviceSegment::GetDisplayListId", 1, ddzError, nullptr, __LINE__, "Invalid display list.");
        return ddzError;
    }
    *count = -transformCount_;
    *names = transformTags_;
    return ddzOk;
}

int ddzPhysicalDeviceSegment::ModifyModelingXForm(const int32_t* idAndTag, const float* matrix) {
    constexpr const char* kOperation = "ddzPhysicalDeviceSegment::ModifyModelingXForm";
    const uint32_t tag = static_cast<uint32_t>(idAndTag[1]);
    if (displayLists_->DeleteDisplayList(1, &tag) != ddzOk || displayLists_->OpenDisplayList(tag) != ddzOk) {
        return userAbort(kOperation, __LINE__);
    }
    glMultMatrixf(matrix);
    dderrCheckOGLError();
    if (displayLists_->CloseDisplayList() != ddzOk) return userAbort(kOperation, __LINE__);
    if (boundingVolume_) boundingVolume_->SetMatrix(matrix);
    return ddzOk;
}

int ddzPhysicalDeviceSegment::CloseSegment() {
    constexpr const char* kOperation = "ddzPhysicalDeviceSegment::CloseSegment";
    if (flags_ & kTransformPushOpen) {
        glPopMatrix();
        ddzDLCountState(ddzDLState::MatrixPushPop);
        flags_ &= ~kTransformPushOpen;
    }
    const bool bufferMode = flags_ & kBufferMode;
    if (closeCompiling(bufferMode ? areaSize_ : lineSize_) != ddzOk) return userAbort(kOperation, __LINE__);

    dviIPrimitiveBuffer* buffer = dviCurrentPrimitiveBuffer();
    if (bufferMode && buffer) {
        auto report = [](const char* message) {
            dderrorSet("ddzPhysicalDeviceSegment::CloseSegment", 1, ddzError, nullptr, __LINE__, message);
        };
        if (flags_ & kHasOutline) {
            displayLists_->OpenDisplayList(outlineList_);
            ddzDLReset();
            ddzInvalidateAttributeCache();
            if (buffer->EmptyPolylineBuffer(1) != ddzOk) report("Error emptying outline buffer.");
            closeCompiling(outlineSize_);
            buffer->ClearOutlineDrawing();
        }
        if (flags_ & kHasLine) {
            displayLists_->OpenDisplayList(lineList_);
            ddzDLReset();
            ddzInvalidateAttributeCache();
            if (buffer->EmptyPolylineBuffer(0) != ddzOk) report("Error emptying line buffer.");
            if (buffer->EmptyTextBuffer() != ddzOk) report("Error emptying text buffer.");
            if (buffer->EmptyPolymarkerBuffer() != ddzOk) report("Error emptying marker buffer.");
            closeCompiling(lineSize_);
        }
        if (buffer->Reinitialize(false) != ddzOk) report("Error reinitializing primitive buffer.");
    }

    bool cciActive = false;
    int cciMode = 1;
    if (Dimension() == 3) {
        if (auto* main = dynamic_cast<dviIMainViewport*>(viewport_)) main->QueryCCIControls(&cciActive, &cciMode);
    }
    int displayType = Wireframe;
    if (viewport_) viewport_->GetDisplayType(&displayType);
    if (BuildSegmentList(displayType, cciActive, cciMode) != ddzOk) return userAbort(kOperation, __LINE__);
    return ddzOk;
}

void ddzPhysicalDeviceSegment::callIfPresent(uint32_t list, uint32_t hasFlag) const {
    if (list == 0 || !(flags_ & hasFlag)) return;
    glCallList(list);
    ddzDLCountState(ddzDLState::ListCall);
}

void ddzPhysicalDeviceSegment::compileCapability(bool enable, unsigned capability) const {
    enable ? glEnable(capability) : glDisable(capability);
    ddzDLCountState(ddzDLState::EnableDisable);
}

int ddzPhysicalDeviceSegment::compileDisplayType(int displayType, bool stencilGuard) {
    switch (displayType) {
        case Wireframe:
            compileCapability(false, GL_LIGHTING);
            callIfPresent(outlineList_, kHasOutline);
            if ((flags_ & kHasLine) || ((flags_ & kAreaAsWireframe) && (flags_ & kHasArea))) {
                if (lineList_) {
                    glCallList(lineList_);
                    ddzDLCountState(ddzDLState::ListCall);
                }
            }
            return ddzOk;
        case HiddenLine:
        case Shaded:
        case HiddenOver: {
            compileCapability(displayType != HiddenLine, GL_LIGHTING);
            callIfPresent(areaList_, kHasArea);
            if (displayType != HiddenLine) compileCapability(false, GL_LIGHTING);
            if (stencilGuard) compileCapability(false, GL_STENCIL_TEST);
            if (displayType != Shaded) callIfPresent(outlineList_, kHasOutline);
            callIfPresent(lineList_, kHasLine);
            if (stencilGuard) compileCapability(true, GL_STENCIL_TEST);
            return ddzOk;
        }
        default: {
            const int mixed = MixedType();
            if (mixed == 0 || mixed > 4) {
                dderrorSet("ddzPhysicalDeviceSegment::BuildSegmentList", 1, ddzError, nullptr, __LINE__,
                           "Invalid segment mixed mode type");
                return ddzError;
            }
            if (mixed <= 2) return compileDisplayType(mixed, stencilGuard);
            const int shown = displayType == MixedShaded ? Shaded : HiddenOver;
            SetMixedType(shown);
            return compileDisplayType(shown, stencilGuard);
        }
    }
}

int ddzPhysicalDeviceSegment::BuildSegmentList(int displayType, bool cciActive, int cciMode) {
    if (displayType < Wireframe || displayType > MixedHiddenOver) {
        dderrorSet("ddzPhysicalDeviceSegment::BuildSegmentList", 1, ddzError, nullptr, __LINE__,
                   "Invalid viewport display type");
        return ddzError;  // rejected before any list is opened
    }
    if (displayLists_->OpenDisplayList(segmentList_) != ddzOk) return ddzUserAbort;
    ddzDLReset();
    const bool stencilGuard = cciActive && (cciMode == 2 || cciMode == 3) && (flags_ & kHasArea);
    const int status = compileDisplayType(displayType, stencilGuard);
    // A rejected mixed type still ends the compilation, so no list is left open.
    displayLists_->CloseDisplayList();
    ddzDLSize(&segmentListSize_);
    return status;
}

int ddzPhysicalDeviceSegment::Delete(masVariable& store) {
    if (boundingVolume_) {
        dderrorSet("ddzPhysicalDeviceSegment::Delete", 1, ddzError, nullptr, __LINE__, "Bounding volume is being leaked");
    }
    flags_ |= kDeleted;
    const uint32_t* tags = nullptr;
    int count = 0;
    if (GetDisplayListId(&tags, &count) == ddzOk && count > 0) displayLists_->DeleteDisplayList(count, tags);
    if (transformCount_ < 0 && transformTags_) store.DeleteMemory(transformTags_);
    uint32_t lists[4];
    int n = 0;
    for (uint32_t name : {segmentList_, areaList_, lineList_, outlineList_}) {
        if (name) lists[n++] = name;
    }
    if (n > 0) displayLists_->DeleteDisplayList(n, lists);
    transformCount_ = 0;
    transformTags_ = nullptr;
    segmentList_ = areaList_ = lineList_ = outlineList_ = 0;
    areaSize_ = lineSize_ = outlineSize_ = segmentListSize_ = 0;
    flags_ &= ~kBufferMode;
    return ddzOk;
}

int ddzPhysicalDeviceSegment::MemoryCleanup(int displayType, bool* released) {
    *released = false;
    const bool mixed = displayType == MixedShaded || displayType == MixedHiddenOver;
    const bool wireframe = displayType == Wireframe || (mixed && MixedType() == 1);
    const bool shaded = displayType == Shaded || (mixed && MixedType() == 3);
    if (wireframe && areaSize_ != 0) {
        displayLists_->DeleteDisplayList(1, &areaList_);
        flags_ &= ~kHasArea;
        areaList_ = 0;
        areaSize_ = 0;
        *released = true;
    }
    if (shaded && outlineSize_ != 0) {
        displayLists_->DeleteDisplayList(1, &outlineList_);
        flags_ &= ~kHasOutline;
        outlineList_ = 0;
        outlineSize_ = 0;
        *released = true;
    }
    return ddzOk;
}

int ddzPhysicalDeviceSegment::SetPartState(bool state) {
    if (!(flags_ & kHasArea)) {
        flags_ = state ? (flags_ | kPartState) : (flags_ & ~kPartState);
        return ddzOk;
    }
    if (state && !(flags_ & kPartState)) {
        dderrorSet("ddzPhysicalDeviceSegment::SetPartState", 1, ddzError, nullptr, __LINE__, "Error modifying part state");
        return ddzError;
    }
    return ddzOk;
}

void ddzPhysicalDeviceSegment::SetPartColor(int32_t colourIndex) {
    if (partColour_[0] != -1.0f) return;  // the first colour wins
    tumcol(&colourIndex, partColour_);
}

void ddzPhysicalDeviceSegment::GetPartColor(float* rgb) const {
    const bool unset = partColour_[0] == -1.0f;
    for (int i = 0; i < 3; ++i) rgb[i] = unset ? 1.0f : partColour_[i];
}

int ddzPhysicalDeviceSegment::GetViewportId() const {
    int id = 0;
    if (viewport_) viewport_->GetViewportId(&id);
    return id;
}

void ddzPhysicalDeviceSegment::SetAreaAsWireframe(bool on) {
    flags_ = on ? (flags_ | kAreaAsWireframe) : (flags_ & ~kAreaAsWireframe);
}
