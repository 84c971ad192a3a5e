#pragma once

#include "dviIDisplayListManager.h"

class dviDisplayListManager : public dviIDisplayListManager {
public:
    //! Claims the reserved names 1..reservedCount with one glGenLists.
    explicit dviDisplayListManager(uint32_t reservedCount);
    ~dviDisplayListManager() override;

    int AllocateDisplayListIds(int count, uint32_t* names) override;
    int AllocateReservedDisplayListId(uint32_t* name) override;
    int CloseDisplayList() override;
    int DeleteDisplayList(int count, const uint32_t* names) override;
    int DeleteAllViewportDisplayLists() override;
    int OpenDisplayList(uint32_t name) override;

    //! glDeleteLists over first..last; lowers the high-water mark when the range reaches it.
    int DeleteRangeDisplayLists(uint32_t first, uint32_t last);

    uint32_t HighestId() const { return highestId_; }
    uint32_t ReservedCount() const { return reservedCount_; }

private:
    uint32_t highestId_;
    uint32_t reservedCount_;
    uint32_t reservedHandedOut_ = 0;
};
