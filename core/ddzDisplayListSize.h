// Estimated display-list sizes: drawing code counts the OpenGL commands it
// issues by category; fixed byte weights turn the counts into bytes.
#pragma once

#include <cstdint>

enum class ddzDLCommand {
    Colour,         // glColor3f, 12 bytes
    MatrixPushPop,  // glPushMatrix / glPopMatrix, 4 bytes
    ListCall,       // glCallList, 4 bytes
    EnableDisable,  // glEnable / glDisable, 4 bytes
    MultMatrix,     // glMultMatrixf, 64 bytes
};

void ddzDLCount(ddzDLCommand command, uint32_t times = 1);
//! Adds bytes counted by a primitive generator.
void ddzDLAddBytes(uint32_t bytes);
//! Bytes counted since the last reset.
uint32_t ddzDLCurrentSize();
//! Starts counting a new list.
void ddzDLResetSize();
