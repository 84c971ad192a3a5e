#include "ddzClass1.h"

#include "GraphicsWindowState.h"
#include "dderr.h"
#include "ddzEntrySlots.h"
#include "ddzGraphicsWindows.h"
#include "dvisi.h"

#include <GL/gl.h>

void ddzc12(int32_t*, float*, void* const*) {
    if (const int status = dvisiTerminate(); status != ddzOk) {
        dderrorSet("ddzc12", 1, status, nullptr, __LINE__, "Error terminating the Segment Manager");
    }
}

void ddzc14(int32_t*, float*, void* const*) { MessageBeep(static_cast<UINT>(-1)); }

void ddzc19(int32_t* ints, float*, void* const*) {
    ints[0] = 0;
    ints[1] = 1;
    ints[2] = 1;
}

void ddzc1c(int32_t*, float*, void* const*) {
    ddzShowGraphicsWindows();
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glFlush();
}

void ddzc1d(int32_t* ints, float*, void* const*) {
    uint32_t bytes = 0;
    dvisiopenglmemory(&bytes);
    ints[0] = static_cast<int32_t>(bytes);  // the host reads the word as unsigned
}

void ddzc116(int32_t*, float*, void* const*) {
    const GraphicsWindowState& s = ddzWindowState();
    if (s.deviceContext && s.renderingContext) wglMakeCurrent(s.deviceContext, s.renderingContext);
}

void ddzc117(int32_t* ints, float*, void* const*) { dderrSetCheckLevel(ints); }
void ddzc118(int32_t*, float*, void* const*) { dderrClearList(); }
void ddzc119(int32_t* ints, float*, void* const*) { dderrReturnList(ints); }
