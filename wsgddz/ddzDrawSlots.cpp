// Entry slots 3 and 4: characters at a device position, and pen moves.
#include "ddzEntrySlots.h"

#include "ddzAttributeState.h"
#include "ddzText.h"
#include "pelk.h"

#include <GL/gl.h>

void ddzDrawText(const int32_t* x, const int32_t* y, const int32_t* count, const char* text) {
    if (!x || !y || !count || *count <= 0 || !text) return;
    const float device[2] = {static_cast<float>(*x), static_cast<float>(*y)};
    float normalised[2];
    ddudn2(device, normalised);
    ddzDrawString(*count, text, normalised, 2);
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
