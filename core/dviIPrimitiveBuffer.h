// The buffer into which lines, outlines, text and markers of an open 3D
// segment are collected, emptied into the segment's lists when it closes.
#pragma once

class dviIPrimitiveBuffer {
public:
    virtual ~dviIPrimitiveBuffer() = default;
    //! Draws the collected polylines of kind 0 (lines) or 1 (outlines) into the list being compiled.
    virtual int EmptyPolylineBuffer(int kind) = 0;
    virtual int EmptyTextBuffer() = 0;
    virtual int EmptyPolymarkerBuffer() = 0;
    //! Clears what was collected; flag as the writer defines it.
    virtual int Reinitialize(bool flag) = 0;
    //! The outline-drawing flag that emptying outlines sets.
    virtual void ClearOutlineDrawing() = 0;
};

//! The one primitive buffer of the segment code, null while there is none.
dviIPrimitiveBuffer* dviCurrentPrimitiveBuffer();
void dviSetPrimitiveBuffer(dviIPrimitiveBuffer* buffer);
