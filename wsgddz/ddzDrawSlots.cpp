// Entry slots 3 and 4: characters at a device position, and pen moves.
#include "ddzEntrySlots.h"

#include "ddzAttributeState.h"
#include "pelk.h"

#include <GL/gl.h>

void ddzDrawText(const int32_t*, const int32_t*, const int32_t* count, const char* text) {
    if (!count || *count <= 0 || !text) return;
    // Characters are drawn by the bitmap fonts once they exist for the device.
}

void ddzPenMove(const int32_t* pen, const int32_t* x, const int32_t* y) {
    const float device[2] = {static_cast<float>(*x), static_cast<float>(*y)};
    float normalised[2];
    ddudn2(device, normalised);
    ddzAttributeState& attributes = ddzAttributes();
    if (*pen == 1) {
        glBegin(GL_LINES);
        glVertex2fv(attributes.currentPoint);
        glVertex2fv(normalised);
        glEnd();
    }
    attributes.currentPoint[0] = normalised[0];
    attributes.currentPoint[1] = normalised[1];
}
