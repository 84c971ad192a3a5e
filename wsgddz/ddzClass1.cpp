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

void ddzc14Command(int32_t*, float*, void* const*) { ddzc14(); }

void ddzc19Query(int32_t* ints, float*, void* const*) {
    ints[0] = 0;
    ints[1] = 1;
    ints[2] = 1;
}

void ddzc1cShowWindows(int32_t*, float*, void* const*) {
    ddzShowGraphicsWindows();
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glFlush();
}

void ddzc1gMakeCurrent(int32_t*, float*, void* const*) {
    const GraphicsWindowState& s = ddzWindowState();
    if (s.deviceContext && s.renderingContext) wglMakeCurrent(s.deviceContext, s.renderingContext);
}

void ddzc1hCheckLevel(int32_t* ints, float*, void* const*) { dderrSetCheckLevel(ints); }
void ddzc1iClearErrors(int32_t*, float*, void* const*) { dderrClearList(); }
void ddzc1jReturnErrors(int32_t* ints, float*, void* const*) { dderrReturnList(ints); }
