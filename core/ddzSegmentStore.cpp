#include "ddzSegmentStore.h"

#include "dderr.h"
#include "ddzBoundingVolume.h"
#include "ddzPhysicalDeviceSegment.h"

#include <new>

namespace {

constexpr int kVolumePoolMode = 0;
constexpr int kSegmentPoolMode = 1;

void nonExistent(const char* operation, int line) {
    dderrorSet(operation, 1, ddzError, nullptr, line, "Attempting to access a non-existent segment");
}

}  // namespace

ddzSegmentStore::ddzSegmentStore()
    : volumes_(kVolumePoolMode, sizeof(ddzBoundingVolume), "Bounding Volume Store"),
      segments_(kSegmentPoolMode, sizeof(ddzPhysicalDeviceSegment), "Segment Store") {}

int ddzSegmentStore::CreateBoundingVolume(ddzBoundingVolume** volume) {
    int index = -1;
    *volume = new (volumes_, index) ddzBoundingVolume;
    if (!*volume) {
        dderrOutOfMemory("ddzSegmentStore::CreateBoundingVolume", __LINE__, "Could not allocate new bounding volume");
        return ddzOutOfMemory;
    }
    return ddzOk;
}

int ddzSegmentStore::DeleteBoundingVolume(ddzBoundingVolume** volume) {
    if (!*volume) return ddzOk;
    (*volume)->~ddzBoundingVolume();
    volumes_.DeleteObject(-1, *volume);  // the pool finds it by its address
    *volume = nullptr;
    return ddzOk;
}

int ddzSegmentStore::CreateSegment(bool burnThrough, int mixedType, int id, int dimension, dviIViewport* viewport,
                                   bool bufferMode, bool partState, ddzPhysicalDeviceSegment** segment) {
    constexpr const char* kOperation = "ddzSegmentStore::CreateSegment";
    *segment = nullptr;
    const int largest = segments_.LargestObject();
    if (id < 0 || id > largest + 1) {
        nonExistent(kOperation, __LINE__);
        return ddzError;
    }
    if (id <= largest) {
        auto* record = static_cast<ddzPhysicalDeviceSegment*>(segments_.ConvertIndexToPointer(id));
        if (!record || !record->IsDeleted()) {
            dderrorSet(kOperation, 1, ddzError, nullptr, __LINE__, "Requesting to allocate a non-deleted segment");
            return ddzError;
        }
        *segment = record;
        return record->InitializeAttributes(burnThrough, mixedType, dimension, viewport, bufferMode, partState) == ddzOk
                   ? ddzOk
                   : ddzUserAbort;
    }
    int index = -1;
    void* memory = segments_.Allocate(index);
    if (!memory) {
        dderrOutOfMemory(kOperation, __LINE__, "Could not allocate new physical device segment");
        return ddzOutOfMemory;
    }
    auto* record = new (memory) ddzPhysicalDeviceSegment(burnThrough, mixedType, id, dimension, viewport, bufferMode,
                                                         partState);
    *segment = record;
    if (index != id) {
        dderrorSet(kOperation, 1, ddzError, nullptr, __LINE__, "Segment Id does not match requested Id");
        return ddzError;
    }
    return record->LineList() || record->AreaList() ? ddzOk : ddzUserAbort;
}

int ddzSegmentStore::GetSegment(int id, ddzPhysicalDeviceSegment** segment) {
    *segment = nullptr;
    if (id < 0 || id > segments_.LargestObject()) {
        nonExistent("ddzSegmentStore::GetSegment", __LINE__);
        return ddzError;
    }
    *segment = static_cast<ddzPhysicalDeviceSegment*>(segments_.ConvertIndexToPointer(id));
    return ddzOk;
}

int ddzSegmentStore::DeleteSegment(int id, masVariable& displayListStore) {
    ddzPhysicalDeviceSegment* record = nullptr;
    if (GetSegment(id, &record) != ddzOk) {
        dderrorSet("ddzSegmentStore::DeleteSegment", 1, ddzUserAbort, nullptr, __LINE__, "User Abort Detected");
        return ddzUserAbort;
    }
    if (!record) return ddzOk;
    if (record->BoundingVolume()) {
        dderrorSet("ddzSegmentStore::DeleteSegment", 1, ddzError, nullptr, __LINE__,
                   "Segment deleted with valid bounding volume");
    }
    return record->Delete(displayListStore);
}

void ddzSegmentStore::Reinitialize(int mode) {
    segments_.Reinitialize(mode);
    volumes_.Reinitialize(mode);
}
