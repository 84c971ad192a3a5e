// The flat visualization API through which the driver drives its retained-mode
// core. Every function returns a status code.
#pragma once

#include "win32.h"

#include <cstdint>

class dviIDisplayListManager;
class dviIRenderer;
class dviISegmentManager;

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
