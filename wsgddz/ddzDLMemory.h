// The display-list memory estimate. OpenGL does not say how much a list takes,
// so every routine that issues OpenGL commands counts them by category; fixed
// byte weights turn the counts into a size. Counts are doubles, never decremented.
#pragma once

#include <cstdint>

//! State commands and their bytes each.
enum class ddzDLState : int {
    Colour,              // glColor3f, 12
    MatrixPushPop,       // glPushMatrix / glPopMatrix, 4
    ListCall,            // glCallList and each character of glCallLists, 4
    EnableDisable,       // glEnable / glDisable, 4
    ListBase,            // glListBase, 4
    RasterPosition2D,    // glRasterPos2f / glRasterPos2i, 8
    RasterPosition3D,    // glRasterPos3f, 12
    ShadeModel,          // 4
    ColourMaterial,      // 8
    Material,            // glMaterialfv, 24
    TexGen,              // 12
    TexParameter,        // 12
    TexEnv,              // 12
    PolygonStipple,      // 128
    MatrixMode,          // 4
    LoadIdentity,        // 4
    Viewport,            // 16
    Scissor,             // 16
    Ortho,               // gluOrtho2D, 32
    AttribPushPop,       // 4
    LineWidth,           // 4
    LineStipple,         // 6
    Count
};

//! Primitive families: size = 4 x primitives + 8 x 2D vertices + 12 x 3D vertices.
enum class ddzDLPrimitive : int { Points, Lines, LineStrips, FilledPolygons, HostAreas, Count };

//! Area families: size = 4 x primitives + 12 x normals + 12 x colours + 8 x texture coordinates + 12 x vertices.
enum class ddzDLArea : int { TriangleLists, OtherAreas, Count };

void ddzDLCountState(ddzDLState command, double times = 1.0);
void ddzDLCountPrimitive(ddzDLPrimitive family, double primitives, double vertices2D, double vertices3D);
void ddzDLCountArea(ddzDLArea family, double primitives, double normals, double colours, double textureCoordinates,
                    double vertices);
void ddzDLCountPixels(double scanLines, double pixels);
void ddzDLCountWords(uint32_t words);

// Base memory: the driver's own lists, bitmaps and textures; never reset.
void ddzDLCountLists(double lists);
void ddzDLCountBitmapLists(double lists, int width, int height);
void ddzDLCountTexture(int width, int height);

//! The estimate of everything counted since the last reset; all bits set (with a report) above 32 bits.
void ddzDLSize(uint32_t* size);
//! List count x 4 + bitmap bytes + texture bytes.
void ddzDLBaseSize(uint32_t* size);
//! Zeroes every counter but the base memory.
void ddzDLReset();
//! Zeroes the base memory too (a new device).
void ddzDLResetBase();
