// The device-wide calls of the visualization API.
#include "dvisi.h"

#include "GraphicsWindowState.h"
#include "dderr.h"

#include <GL/gl.h>

namespace {

int stencilSize = 0;

}  // namespace

int dvisiSetStencilSize(int bits) {
    if (bits < 0) {
        dderrorSet("dvisiSetStencilSize", 1, ddzError, reinterpret_cast<const void*>(4), __LINE__, "Invalid stencil size");
        return ddzError;
    }
    stencilSize = bits;
    return ddzOk;
}

int dvisiGetStencilSize() { return stencilSize; }

int dvisiClearDevice(int width, int height) {
    const bool doubleBuffered = ddzWindowState().doubleBuffered;
    glDrawBuffer(doubleBuffered ? GL_FRONT_AND_BACK : GL_FRONT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glViewport(0, 0, width, height);
    glScissor(0, 0, width, height);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glFlush();
    if (doubleBuffered) glDrawBuffer(GL_BACK);
    return ddzOk;
}
