// Attribute memories the driver holds beside grdd_c.
#pragma once

#include <cstdint>

struct ddzAttributeState {
    int lastLineType = -1;  // -1: unknown, so the next application sets it
    int lastEdgeFlag = -1;
    int32_t fillColour = 0xFFFFFF;
    int32_t secondFillColour = 0;
    int rasterTransferLimit = 1024;
    float currentPoint[2] = {0.0f, 0.0f};  // normalised units, entry slot 4
};

ddzAttributeState& ddzAttributes();

//! Forgets the last-applied attributes, so the next application sets them again.
void ddzInvalidateAttributeCache();
