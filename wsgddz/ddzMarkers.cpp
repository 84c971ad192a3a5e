#include "ddzMarkers.h"

#include "ddzAttributeState.h"
#include "ddzDLMemory.h"
#include "ddzReservedLists.h"
#include "ddzVertexArrays.h"
#include "ddzWindowsFonts.h"
#include "pelk.h"

#include <GL/gl.h>

namespace {

// A character marker: the type is the character, drawn once at the first point.
void characterMarker(int type, const float* point, int dimension) {
    ddzApplyAttributes(8);
    const GLubyte character = static_cast<GLubyte>(type & 0xff);
    glListBase(ddzFontListBase(ddzAttributes().currentTextFont));
    dimension == 2 ? glRasterPos2f(point[0], point[1]) : glRasterPos3f(point[0], point[1], point[2]);
    glCallLists(1, GL_UNSIGNED_BYTE, &character);
    glListBase(0);
    ddzDLCountState(ddzDLState::ListBase, 2);
    ddzDLCountState(dimension == 2 ? ddzDLState::RasterPosition2D : ddzDLState::RasterPosition3D);
    ddzDLCountState(ddzDLState::ListCall);
}

void bitmapMarkers(int count, const float* points, GLuint list) {
    glListBase(0);
    for (int i = 0; i < count; ++i) {
        glRasterPos3fv(points + 3 * i);
        glCallList(list);
    }
    ddzDLCountState(ddzDLState::RasterPosition3D, count);
    ddzDLCountState(ddzDLState::ListCall, count);
    ddzDLCountState(ddzDLState::ListBase, 2);
}

}  // namespace

void ddzDrawMarkers(int count, const float* points, int type, int dimension) {
    if (count <= 0 || !points) return;
    const GLuint markerBase = ddzReserved().markers;
    if (dimension < 3) {
        if (type == 1) {
            ddzApplyAttributes(2);
            glBegin(GL_POINTS);
            for (int i = 0; i < count; ++i) glVertex2fv(points + 2 * i);
            glEnd();
            ddzDLCountPrimitive(ddzDLPrimitive::Points, 1, count, 0);
        } else if (type >= 2 && type <= 9) {
            ddzApplyAttributes(2);
            const int32_t n = count;
            ddumr2(&n, points);
        } else if (type >= 10 && type <= 31) {
            ddzApplyAttributes(3);
            glBegin(GL_POINTS);
            glVertex2fv(points);
            glEnd();
            ddzDLCountPrimitive(ddzDLPrimitive::Points, 1, 1, 0);
        } else if (type >= 32) {
            characterMarker(type, points, 2);
        }
        return;
    }
    if (type == 1) {
        ddzApplyAttributes(2);
        const ddzVertexDispatch& d = va_Dispatch();
        d.begin(GL_POINTS);
        for (int i = 0; i < count; ++i) d.vertex(points + 3 * i);
        d.end();
        ddzDLCountPrimitive(ddzDLPrimitive::Points, 1, 0, count);
    } else if (type >= 2 && type <= 9) {
        ddzApplyAttributes(2);
        if (markerBase) bitmapMarkers(count, points, markerBase + static_cast<GLuint>(type) - 1);
    } else if (type >= 10 && type <= 31) {
        // No bitmap of their own: the dot marks each point.
        ddzApplyAttributes(2);
        if (markerBase) bitmapMarkers(count, points, markerBase);
    } else if (type >= 32) {
        characterMarker(type, points, 3);
    }
}
