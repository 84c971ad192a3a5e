// The flat visualization API through which the driver drives its retained-mode
// core. Every function returns a status code.
#pragma once

//! Stores the stencil depth of the chosen pixel format; 2 for a negative size.
int dvisiSetStencilSize(int bits);
int dvisiGetStencilSize();
//! Clears front and back (or the front) to black over the whole drawing surface.
int dvisiClearDevice(int width, int height);
