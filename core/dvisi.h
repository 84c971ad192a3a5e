// The flat visualization API through which the driver drives its retained-mode
// core. Every function returns a status code.
#pragma once

#include "win32.h"

#include <cstdint>

class dviIDisplayListManager;
class dviIRenderer;
class dviISegmentManager;
class dviIViewport;

//! Creates the driver-wide objects of the core in the area "dvisiVMAS":
//! 0, 1 when memory ran out (the display is aborted), 2 or -1 on other failures.
int dvisiInitialize(int creationFlag, bool doubleBuffered, bool swapCopies, bool swapHint, bool forceBackRefresh,
                    uint32_t reservedDisplayLists, HWND window, HDC deviceContext);
//! Destroys what dvisiInitialize made; every display list goes with the display-list manager.
int dvisiTerminate();
//! The next reserved display-list name.
int dvisiAllocateReservedDisplayListId(uint32_t* name);
//! The core's objects, null before dvisiInitialize and after dvisiTerminate.
dviIDisplayListManager* dvisiDisplayListManager();
dviIRenderer* dvisiRenderer();
dviISegmentManager* dvisiSegmentManager();

//! Stores the stencil depth of the chosen pixel format; 2 for a negative size.
int dvisiSetStencilSize(int bits);
int dvisiGetStencilSize();
//! Clears front and back (or the front) to black over the whole drawing surface.
int dvisiClearDevice(int width, int height);

// ---- Viewport table and memory
//! Enters a viewport under id 0..4, or -1 for the overlay; an occupied slot is refused.
int dvisiAddViewportToList(int id, dviIViewport* viewport);
//! The viewport of id (-1 the overlay), null when there is none.
dviIViewport* dvisiViewport(int id);
//! Empties the table (the viewport manager owns the viewports).
void dvisiForgetViewports();
//! The display-list memory of every viewport plus the driver's fixed lists; cached.
int dvisiopenglmemory(uint32_t* bytes);
//! Segments were closed, deleted or cleaned up: the memory total is taken anew.
void dvisiOpenGLMemoryChanged();

// ---- Primitives
struct ddzAreaPrimitiveRequest;

//! A 3D area primitive as the drawing orders give it; see dvisiAdd3DAreaPrimitive.
struct dvisiAreaCommand {
    int count = 0;
    int options = 0;  // bit 0x10: direct colour; bits 0, 1, 2: colour indices, vertex normals, facet normal
    int flag = 0;
    int32_t alternateColour = 0;
    int32_t colour = 0;
    float ambientFactor = 0.0f;
    int transparency = 0;
    int kind = 0;  // 0 unlit
    const int32_t* colourIndices = nullptr;
    const float* vertices = nullptr;
    const float* vertexNormals = nullptr;
    const float* facetNormal = nullptr;
    const float* textureCoordinates = nullptr;
};

//! A 3D polygon (triangles, or a strip when tri-strips are in use); marks the segment's area data.
int dvisi3dpolygon(const dvisiAreaCommand& command);
int dvisi3dtristrip(const dvisiAreaCommand& command);
//! A 2D polygon of ints[0] points (reals, 2 floats each).
int dvisi2dpolygon(const int32_t* ints, int fillStyle, int edgeFlag, const float* reals);
//! A polyline of ints[0] points in the current dimension.
int dvisipolyline(const int32_t* ints, const float* reals, int32_t colour, int lineType, float lineWidth);
//! A filled polygon of ints[0] 3D points.
int dvisifilledpolygon(const int32_t* ints, const float* reals, int32_t colour);
//! Marks what a primitive adds to the open segment, when one is open.
int dvisiAddPrimitiveToSegment(int kind);
//! Markers of ints[0] points (reals) in the current dimension.
int dvisipolymarker(const int32_t* ints, const float* reals, int markerType, int dimension, int font, int32_t colour);
//! 3D text: ints[0] characters of the host string at ints + 1, at the point reals; drawn in a 3D context.
int dvisitext(const int32_t* ints, const float* reals, int font, int32_t colour);
