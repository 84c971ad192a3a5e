#include "ddzAreaPrimitive.h"

#include "dderr.h"
#include "ddzAttributeState.h"
#include "ddzDLMemory.h"
#include "ddzDeviceSettings.h"
#include "ddzPackedColour.h"
#include "ddzPrimitiveStatistics.h"
#include "ddzVertexArrays.h"
#include "dviISegmentManager.h"
#include "dviIViewport.h"
#include "dviTypes.h"
#include "dvisi.h"
#include "pelk.h"

#include <GL/gl.h>

namespace {

int badPoints(const char* operation, int line, const char* message) {
    dderrorSet(operation, 1, ddzError, reinterpret_cast<const void*>(4), line, message);
    return ddzError;
}

int userAbort(const char* operation, int line) {
    dderrorSet(operation, 1, ddzUserAbort, nullptr, line, "User Abort Detected");
    return ddzUserAbort;
}

int currentDisplayType() {
    dviISegmentManager* segments = dvisiSegmentManager();
    dviIViewport* viewport = segments ? segments->CurrentViewport() : nullptr;
    int type = Wireframe;
    if (viewport) viewport->GetDisplayType(&type);
    return type;
}

void setLighting(bool on) {
    ddzAreaState& s = ddzAreaStateOf();
    if (s.lightingOn == static_cast<int>(on)) return;
    on ? glEnable(GL_LIGHTING) : glDisable(GL_LIGHTING);
    ddzDLCountState(ddzDLState::EnableDisable);
    s.lightingOn = on;
}

void colourOf(const ddzAreaPrimitiveRequest& r, float* rgb) {
    if (r.colourIsIndex) {
        int32_t index = r.colour;
        tumcol(&index, rgb);
    } else {
        ddzUnpackColour(r.colour, rgb);
    }
}

}  // namespace

ddzAreaState& ddzAreaStateOf() {
    static ddzAreaState state;
    return state;
}

ddzPrimitiveStatistics& ddzStatistics() {
    static ddzPrimitiveStatistics statistics;
    return statistics;
}

int ddzAreaPrimitiveUtility::PrepareAreaPrimitive(const ddzAreaPrimitiveRequest& r) {
    ddzAreaState& s = ddzAreaStateOf();
    if (r.unlit) {
        const int type = currentDisplayType();
        if ((type == Shaded || type == HiddenOver) && s.lightingOn != 0) setLighting(false);
        if (!r.colourIndices) ddzApplyAttributes(5);
    } else {
        setLighting(true);
    }
    if (r.shade != s.currentShade) {
        glShadeModel(r.shade == 3 ? GL_SMOOTH : GL_FLAT);
        ddzDLCountState(ddzDLState::ShadeModel);
        s.currentShade = r.shade;
    }
    if (r.colourMaterial) {
        if (!s.colourMaterialOn) {
            glEnable(GL_COLOR_MATERIAL);
            glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
            ddzDLCountState(ddzDLState::EnableDisable);
            ddzDLCountState(ddzDLState::ColourMaterial);
            s.colourMaterialOn = true;
        }
    } else {
        if (s.colourMaterialOn) {
            glDisable(GL_COLOR_MATERIAL);
            ddzDLCountState(ddzDLState::EnableDisable);
            s.colourMaterialOn = false;
        }
        if (!r.unlit) {
            float diffuse[4] = {0, 0, 0, 1};
            colourOf(r, diffuse);
            const float ambient[4] = {diffuse[0] * r.ambientFactor, diffuse[1] * r.ambientFactor,
                                      diffuse[2] * r.ambientFactor, 1.0f};
            glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
            glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
            ddzDLCountState(ddzDLState::Material, 2);
        }
    }
    return SetAreaTexture();
}

// Textures and transparency apply through the current viewport's texture state once it exists.
int ddzAreaPrimitiveUtility::SetAreaTexture() { return ddzOk; }

int ddzAreaPrimitiveUtility::EndAreaPrimitive(const ddzAreaPrimitiveRequest& r, int attributeBits) {
    dviISegmentManager* segments = dvisiSegmentManager();
    if (!segments) return ddzOk;
    if (segments->AddVerticesToBoundingVolume(r.vertices, r.count, true, attributeBits) != ddzOk) {
        return userAbort("ddzAreaPrimitiveUtility::EndAreaPrimitive", __LINE__);
    }
    return ddzOk;
}

int ddzAreaPrimitive::Add2DAreaPrimitive(int count, bool filled, bool edged, const float* points) {
    constexpr const char* kOperation = "ddzAreaPrimitive::Add2DAreaPrimitive";
    if (count < 2) return badPoints(kOperation, __LINE__, "Invalid number of points");
    if (!points) return badPoints(kOperation, __LINE__, "Invalid input points");
    ddzApplyAttributes(5);
    if (edged && !filled) ddzApplyAttributes(7);
    if (filled) {
        int32_t n = count;
        ddupg2(&n, const_cast<float*>(points), nullptr);
        return ddzOk;
    }
    glBegin(GL_LINE_LOOP);
    for (int i = 0; i < count; ++i) glVertex2fv(points + 2 * i);
    glEnd();
    ddzDLCountPrimitive(ddzDLPrimitive::LineStrips, 1, count, 0);
    return ddzOk;
}

int ddzAreaPrimitive::Add3DAreaPrimitive(const ddzAreaPrimitiveRequest& r) {
    constexpr const char* kOperation = "ddzAreaPrimitive::Add3DAreaPrimitive";
    if (r.count < 3) return badPoints(kOperation, __LINE__, "Invalid number of points");
    return add3D(r, kOperation);
}

int ddzAreaPrimitive::add3D(const ddzAreaPrimitiveRequest& r, const char* operation) {
    if (!r.vertices) return badPoints(operation, __LINE__, "Invalid input points");
    if (PrepareFor3DAreaPrimitive(r) != ddzOk) return userAbort("ddzAreaPrimitive::PrepareFor3DAreaPrimitive", __LINE__);
    if (Generate3DAreaPrimitive(r) != ddzOk) return userAbort(operation, __LINE__);
    if (utility_->EndAreaPrimitive(r, attributeBits_) != ddzOk) return userAbort(operation, __LINE__);
    CountAreaPrimitive(r.count);
    return ddzOk;
}

int ddzAreaPrimitive::PrepareFor3DAreaPrimitive(const ddzAreaPrimitiveRequest& r) { return utility_->PrepareAreaPrimitive(r); }

namespace {

// The plain entry points, in the dispatch's shape.
struct ImmediateMode {
    void (*begin)(GLenum) = [](GLenum m) { glBegin(m); };
    void (*end)() = [] { glEnd(); };
    void (*vertex)(const float*) = [](const float* v) { glVertex3fv(v); };
    void (*normal)(const float*) = [](const float* n) { glNormal3fv(n); };
    void (*colour)(float, float, float) = [](float r, float g, float b) { glColor3f(r, g, b); };
    void (*textureCoordinate)(float, float) = [](float s, float t) { glTexCoord2f(s, t); };
};

}  // namespace

template <typename Dispatch>
void ddzAreaPrimitive::emit(const ddzAreaPrimitiveRequest& r, const Dispatch& d) {
    attributeBits_ = kVertices;
    d.begin(glMode_);
    if (r.facetNormal) d.normal(r.facetNormal);
    for (int i = 0; i < r.count; ++i) {
        if (r.colourIndices) {
            int32_t index = r.colourIndices[i];
            float rgb[3];
            tumcol(&index, rgb);
            d.colour(rgb[0], rgb[1], rgb[2]);
            ddzAreaStateOf().currentColourIndex = index;
            attributeBits_ |= kColours;
        }
        if (r.textureCoordinates) {
            d.textureCoordinate(r.textureCoordinates[2 * i], r.textureCoordinates[2 * i + 1]);
            attributeBits_ |= kTextures;
        }
        if (r.vertexNormals) {
            d.normal(r.vertexNormals + 3 * i);
            attributeBits_ |= kNormals;
        }
        d.vertex(r.vertices + 3 * i);
    }
    d.end();
    if (r.colourIndices) ddzApplyColourUnknown();
}

int ddzAreaPrimitive::Generate3DAreaPrimitive(const ddzAreaPrimitiveRequest& r) {
    emit(r, ImmediateMode{});
    const double n = r.count;
    const ddzDLArea family = glMode_ == GL_TRIANGLES ? ddzDLArea::TriangleLists : ddzDLArea::OtherAreas;
    ddzDLCountArea(family, 1, (r.vertexNormals ? n : 0) + (r.facetNormal ? 1 : 0), r.colourIndices ? n : 0,
                   r.textureCoordinates ? n : 0, n);
    return ddzOk;
}

int ddzVertexArrayPrimitive::PrepareFor3DAreaPrimitive(const ddzAreaPrimitiveRequest& r) {
    const ddzAreaState& s = ddzAreaStateOf();
    // Collected vertices are drawn under the state they were given in.
    if (r.shade != s.currentShade || (r.colourIsIndex && r.colour != s.currentColourIndex) || !r.colourMaterial) {
        va_Dump(true);
    }
    if (utility_->PrepareAreaPrimitive(r) != ddzOk) {
        dderrorSet("ddzVertexArrayPrimitive::PrepareFor3DAreaPrimitive", 1, ddzUserAbort, nullptr, __LINE__,
                   "User Abort Detected");
        return ddzUserAbort;
    }
    return ddzOk;
}

int ddzVertexArrayPrimitive::Generate3DAreaPrimitive(const ddzAreaPrimitiveRequest& r) {
    if (!r.vertexNormals) return ddzAreaPrimitive::Generate3DAreaPrimitive(r);
    emit(r, va_Dispatch());  // the dispatch counts what it emits when it flushes
    return ddzOk;
}

void ddzAreaPrimitive::CountAreaPrimitive(int count) const {
    if (ddzSettings().infoLevel == 0) return;
    ddzPrimitiveStatistics& s = ddzStatistics();
    ++s.byVertexCount[count < kStatisticsBuckets - 1 ? count : kStatisticsBuckets - 1];
    if (glMode_ == GL_TRIANGLES) {
        ++s.triangles;
    } else {
        ++s.strips;
    }
}

ddzTriangle::ddzTriangle(ddzIAreaPrimitiveUtility* utility) : ddzAreaPrimitive(GL_TRIANGLES, utility) {}

int ddzTriangle::Add3DAreaPrimitive(const ddzAreaPrimitiveRequest& r) {
    constexpr const char* kOperation = "ddzTriangle::Add3DAreaPrimitive";
    if (r.count != 3) return badPoints(kOperation, __LINE__, "Invalid number of points");
    return add3D(r, kOperation);
}

ddzTriStrip::ddzTriStrip(ddzIAreaPrimitiveUtility* utility) : ddzAreaPrimitive(GL_TRIANGLE_STRIP, utility) {}

ddzVertexArrayTriangle::ddzVertexArrayTriangle(ddzIAreaPrimitiveUtility* utility)
    : ddzVertexArrayPrimitive(GL_TRIANGLES, utility) {}

int ddzVertexArrayTriangle::Add3DAreaPrimitive(const ddzAreaPrimitiveRequest& r) {
    constexpr const char* kOperation = "ddzVertexArrayTriangle::Add3DAreaPrimitive";
    if (r.count != 3) return badPoints(kOperation, __LINE__, "Invalid number of points");
    return add3D(r, kOperation);
}

ddzVertexArrayTriStrip::ddzVertexArrayTriStrip(ddzIAreaPrimitiveUtility* utility)
    : ddzVertexArrayPrimitive(GL_TRIANGLE_STRIP, utility) {}
