// The vertex dispatch of the generators. Outside segments it is plain
// immediate mode; while a segment is open on the vertex-array path it collects
// vertices per primitive kind (points, line strips, triangles, triangle
// strips) in arrays of 1500 and emits them as vertex arrays.
#pragma once

#include <GL/gl.h>

struct ddzVertexDispatch {
    void (*begin)(GLenum mode);
    void (*end)();
    void (*vertex)(const float* xyz);
    void (*normal)(const float* xyz);
    void (*colour)(float r, float g, float b);
    void (*textureCoordinate)(float s, float t);
};

//! The dispatch the vertex-array generators call.
const ddzVertexDispatch& va_Dispatch();

constexpr int kVertexArrayCapacity = 1500;

struct ddzVertexArrayState {
    bool enabled = false;
    bool longStrips = false;
    int maxStitchedStrip = kVertexArrayCapacity;
    bool dump = false;
    int multiDraw = 0;  // 1 when the extension's function is used
};

const ddzVertexArrayState& va_State();
//! Decides once (at the core's initialisation) whether the vertex-array path is on.
void va_QueryInit();
void va_queryMultiDraw(const char* override);
//! Segment open: collect from now on (when the path is on).
void va_Start();
//! Draws what was collected: all, or only the current mode's collection keeping the primitive in progress.
void va_Dump(bool all);
//! Segment close: flush everything and go back to plain immediate mode.
void va_End();
//! The driver's own multi-draw: one glDrawArrays per strip.
void fn_glMultiDrawArraysEXT(GLenum mode, const GLint* starts, const GLsizei* sizes, GLsizei count);
//! Switches the path off and the dispatch back to plain (the core's termination).
void va_Reset();
