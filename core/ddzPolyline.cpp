#include "ddzPolyline.h"

#include "dderr.h"
#include "ddzAreaPrimitive.h"
#include "ddzAttributeState.h"
#include "ddzDLMemory.h"
#include "ddzVertexArrays.h"
#include "dviISegmentManager.h"
#include "dvisi.h"

#include <GL/gl.h>

#include <vector>

namespace {

int badPoints(const char* operation, int line, const char* message) {
    dderrorSet(operation, 1, ddzError, reinterpret_cast<const void*>(4), line, message);
    return ddzError;
}

void vertex(int dimension, const float* points, int i) {
    dimension == 2 ? glVertex2fv(points + 2 * i) : glVertex3fv(points + 3 * i);
}

}  // namespace

int ddzPolyline::AddPolyline(int dimension, int count, const float* points, bool* colourMaterialOn) {
    ddzApplyAttributes(1);
    if (colourMaterialOn && *colourMaterialOn) {
        glDisable(GL_COLOR_MATERIAL);
        ddzDLCountState(ddzDLState::EnableDisable);
        *colourMaterialOn = false;
    }
    const int status = GeneratePolyline(dimension, count, points);
    if (status != ddzOk) {
        dderrorSet("ddzPolyline::AddPolyline", 1, ddzUserAbort, nullptr, __LINE__, "User Abort Detected");
        return ddzUserAbort;
    }
    // The points reach the bounding volume without extending it; 2D points are read as (x, y, 0).
    if (dviISegmentManager* segments = dvisiSegmentManager()) {
        std::vector<float> spatial;
        const float* asSpatial = points;
        if (dimension == 2) {
            spatial.reserve(static_cast<size_t>(count) * 3);
            for (int i = 0; i < count; ++i) spatial.insert(spatial.end(), {points[2 * i], points[2 * i + 1], 0.0f});
            asSpatial = spatial.data();
        }
        segments->AddVerticesToBoundingVolume(asSpatial, count, false, 1);
    }
    return ddzOk;
}

int ddzPolyline::GeneratePolyline(int dimension, int count, const float* points) {
    constexpr const char* kOperation = "ddzPolyline::GeneratePolyline";
    if (count <= 1) return badPoints(kOperation, __LINE__, "Invalid number of points");
    if (!points) return badPoints(kOperation, __LINE__, "Invalid input points");
    const double twoD = dimension == 2 ? 1 : 0;
    if (count > lineStripMinimum_) {
        glBegin(GL_LINE_STRIP);
        for (int i = 0; i < count; ++i) vertex(dimension, points, i);
        glEnd();
        ddzDLCountPrimitive(ddzDLPrimitive::LineStrips, 1, twoD * count, (1 - twoD) * count);
        return ddzOk;
    }
    glBegin(GL_LINES);
    for (int i = 0; i + 1 < count; ++i) {
        vertex(dimension, points, i);
        vertex(dimension, points, i + 1);
    }
    glEnd();
    const double vertices = 2.0 * (count - 1);
    ddzDLCountPrimitive(ddzDLPrimitive::Lines, 1, twoD * vertices, (1 - twoD) * vertices);
    return ddzOk;
}

int ddzFilledPolygon::AddFilledPolygon(int count, const float* points) {
    constexpr const char* kOperation = "ddzFilledPolygon::GenerateFilledPolygon";
    ddzApplyAttributes(6);
    if (count <= 2) return badPoints(kOperation, __LINE__, "Invalid number of points");
    if (!points) return badPoints(kOperation, __LINE__, "Invalid input points");
    glShadeModel(GL_FLAT);
    ddzAreaStateOf().currentShade = 2;
    glBegin(GL_POLYGON);
    for (int i = 0; i < count; ++i) glVertex3fv(points + 3 * i);
    glEnd();
    ddzDLCountState(ddzDLState::ShadeModel);
    ddzDLCountPrimitive(ddzDLPrimitive::FilledPolygons, 1, 0, count);
    return ddzOk;
}

int ddzVertexArrayPolyline::GeneratePolyline(int dimension, int count, const float* points) {
    if (dimension == 2) return ddzPolyline::GeneratePolyline(dimension, count, points);
    constexpr const char* kOperation = "ddzVertexArrayPolyline::GeneratePolyline";
    if (count <= 1) return badPoints(kOperation, __LINE__, "Invalid number of points");
    if (!points) return badPoints(kOperation, __LINE__, "Invalid input points");
    const ddzVertexDispatch& d = va_Dispatch();
    d.begin(GL_LINE_STRIP);
    for (int i = 0; i < count; ++i) d.vertex(points + 3 * i);
    d.end();
    return ddzOk;
}
