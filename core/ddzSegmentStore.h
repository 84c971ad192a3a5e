// The two host pools of the segment code: segment records, whose pool index
// is the segment id, and bounding volumes.
#pragma once

#include "pelk.h"

class ddzBoundingVolume;
class ddzPhysicalDeviceSegment;
class dviIViewport;

class ddzSegmentStore {
public:
    ddzSegmentStore();

    int CreateBoundingVolume(ddzBoundingVolume** volume);
    //! Destroys the volume and returns it to its pool; volume is cleared.
    int DeleteBoundingVolume(ddzBoundingVolume** volume);
    //! A new record at the next index, or the deleted record at id made anew.
    int CreateSegment(bool burnThrough, int mixedType, int id, int dimension, dviIViewport* viewport, bool bufferMode,
                      bool partState, ddzPhysicalDeviceSegment** segment);
    int DeleteSegment(int id, masVariable& displayListStore);
    //! The record at id (null when the pool has none there); 2 beyond the largest index.
    int GetSegment(int id, ddzPhysicalDeviceSegment** segment);
    //! Empties both pools (the records are discarded without being deleted one by one).
    void Reinitialize(int mode);
    int LargestSegmentIndex() const { return segments_.LargestObject(); }

private:
    masFixed volumes_;
    masFixed segments_;
};
