// Attribute memories the driver holds beside grdd_c: the driver-held
// attributes and the last-applied values (-1 means unknown, forcing the next
// application to reach OpenGL).
#pragma once

#include <cstdint>

struct ddzAttributeState {
    // Driver-held attributes.
    int32_t fillColour = 0xFFFFFF;
    int32_t secondFillColour = 0;
    int currentTextFont = 0;
    int requestFont = 0;  // chosen for the last character-size request
    int fixedFont = 0;    // chosen for the fixed 8.1 x 10.1 pixel cell
    bool textPairPending = false;
    int smoothShading = 0;
    int currentKind = 1;
    int viewportDisplayMode = 0;  // display mode of the current viewport
    int rasterTransferLimit = 1024;
    float currentPoint[2] = {0.0f, 0.0f};  // normalised units, entry slot 4

    // The material of the last class 9 code 2, which 3D area primitives take.
    float materialAmbient = 0.2f;
    int materialTransparency = 0;
    int materialKind = 1;

    // Last applied.
    int32_t lastColour = -1;
    int lastLineType = -1;
    float lastLineWidth = -1.0f;
    float lastGlLineWidth = -1.0f;  // any driver code's last glLineWidth
    int lastEdgeFlag = -1;
    int32_t lastEdgeColour = -1;
    float lastEdgeRgb[3] = {-1.0f, -1.0f, -1.0f};
};

ddzAttributeState& ddzAttributes();

//! Class 4 code 1: forgets the line memories and the font cells, so the next application sets them again.
void ddzInvalidateAttributeCache();
//! A segment opens: the colour and the glLineWidth memories become unknown.
void ddzForgetColourForSegment();
//! Entry slot 1: carries the attributes of primitive kind into OpenGL (any other kind acts as 1).
void ddzApplyAttributes(int kind);
//! Gives OpenGL a packed colour unless it is the last one applied.
void ddzApplyColour(int32_t packed);
//! Applies a line width through both width memories.
void ddzApplyLineWidth(float width);
//! Applies the stipple of a line type (1 solid, 2..6 patterns; others leave the state as it was).
void ddzApplyLineType(int lineType);
//! Per-vertex colours went to OpenGL: the colour memory no longer holds.
void ddzApplyColourUnknown();
