// Enumerations shared by the retained-mode core and the main-viewport rendering.
#pragma once

//! How a 3D viewport draws its segments.
enum dviDisplayType : int {
    Wireframe = 1,
    HiddenLine = 2,
    Shaded = 3,
    HiddenOver = 4,
    MixedShaded = 5,
    MixedHiddenOver = 6,
};

//! What a primitive adds to its segment.
enum dviPrimitiveKind : int {
    dviLinePrimitive = 1,
    dviOutlinePrimitive = 2,
    dviAreaPrimitive = 3,
};

constexpr int kNoSegment = -999;
