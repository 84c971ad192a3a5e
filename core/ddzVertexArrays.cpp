#include "ddzVertexArrays.h"

#include "ddzDeviceSettings.h"
#include "ddzDLMemory.h"
#include "ddzSystemVendorInfo.h"
#include "pelk.h"
#include "win32.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr GLenum kNoMode = 0xFFFFF;
constexpr int kNormals = 1, kColours = 2, kTextures = 4;

using MultiDraw = void (*)(GLenum, const GLint*, const GLsizei*, GLsizei);

struct Collection {
    std::array<float, 3 * kVertexArrayCapacity> vertices{};
    std::array<float, 3 * kVertexArrayCapacity> normals{};
    std::array<float, 3 * kVertexArrayCapacity> colours{};
    std::array<float, 2 * kVertexArrayCapacity> textures{};
    int count = 0;  // committed vertices
    int bits = 0;   // attributes the committed vertices carry
    std::vector<GLint> starts;
    std::vector<GLsizei> sizes;

    void reset() {
        count = 0;
        bits = 0;
        starts.clear();
        sizes.clear();
    }
};

// Copies vertex i of one collection, with its attributes, to position j of another.
void copyVertexBetween(const Collection& from, int i, Collection& to, int j) {
    std::memcpy(&to.vertices[static_cast<size_t>(3 * j)], &from.vertices[static_cast<size_t>(3 * i)], 3 * sizeof(float));
    std::memcpy(&to.normals[static_cast<size_t>(3 * j)], &from.normals[static_cast<size_t>(3 * i)], 3 * sizeof(float));
    std::memcpy(&to.colours[static_cast<size_t>(3 * j)], &from.colours[static_cast<size_t>(3 * i)], 3 * sizeof(float));
    std::memcpy(&to.textures[static_cast<size_t>(2 * j)], &from.textures[static_cast<size_t>(2 * i)], 2 * sizeof(float));
}

ddzVertexArrayState state;
MultiDraw multiDrawFunction = fn_glMultiDrawArraysEXT;
Collection points, lineStrips, triangles, triangleStrips;
GLenum mode = kNoMode;
Collection* selected = nullptr;
int inProgress = 0;       // vertices of the primitive being built
int primitiveBits = 0;    // attributes given to it
bool passThrough = false; // a mode that is not collected goes straight to OpenGL
float pendingNormal[3] = {0, 0, 1}, pendingColour[3] = {1, 1, 1}, pendingTexture[2] = {0, 0};
bool collecting = false;

int level() { return ddzSettings().infoLevel; }

void plainBegin(GLenum m) { glBegin(m); }
void plainEnd() { glEnd(); }
void plainVertex(const float* v) { glVertex3fv(v); }
void plainNormal(const float* n) { glNormal3fv(n); }
void plainColour(float r, float g, float b) { glColor3f(r, g, b); }
void plainTexture(float s, float t) { glTexCoord2f(s, t); }

void setClientArrays(Collection& c) {
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, c.vertices.data());
    if (c.bits & kNormals) {
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, 0, c.normals.data());
    } else {
        glDisableClientState(GL_NORMAL_ARRAY);
    }
    if (c.bits & kColours) {
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(3, GL_FLOAT, 0, c.colours.data());
    } else {
        glDisableClientState(GL_COLOR_ARRAY);
    }
    if (c.bits & kTextures) {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, 0, c.textures.data());
    } else {
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
}

void countArea(const Collection& c, bool isTriangles, int primitives, int vertices) {
    ddzDLCountArea(isTriangles ? ddzDLArea::TriangleLists : ddzDLArea::OtherAreas, primitives,
                   (c.bits & kNormals) ? vertices : 0, (c.bits & kColours) ? vertices : 0,
                   (c.bits & kTextures) ? vertices : 0, vertices);
}

void drawRange(Collection& c, GLenum drawMode, int first, int n) {
    if (n <= 0) return;
    setClientArrays(c);
    glDrawArrays(drawMode, first, n);
}

// Draws the collected triangles and empties their collection.
void flushTriangles() {
    if (triangles.count == 0) return;
    countArea(triangles, true, 1, triangles.count);
    drawRange(triangles, GL_TRIANGLES, 0, triangles.count);
    triangles.reset();
}

void drawStrips(Collection& c, GLenum drawMode) {
    if (c.starts.empty()) return;
    setClientArrays(c);
    multiDrawFunction(drawMode, c.starts.data(), c.sizes.data(), static_cast<GLsizei>(c.starts.size()));
}

// Joins the strips into long ones with repeated vertices: each strip starts at an
// even position and ends with a copy of its last vertex.
void drawStitched(const Collection& c) {
    static Collection stitched;
    stitched.reset();
    stitched.bits = c.bits;
    auto flush = [&] {
        if (stitched.count == 0) return;
        if (level() >= 2) std::printf("va_dumpTriangleStrips : --------------- Triangle Strips: %4d(%4d)\n", 1, stitched.count);
        drawRange(stitched, GL_TRIANGLE_STRIP, 0, stitched.count);
        stitched.count = 0;
    };
    auto append = [&](const Collection& from, int i) { copyVertexBetween(from, i, stitched, stitched.count++); };
    for (size_t s = 0; s < c.starts.size(); ++s) {
        const int first = c.starts[s], size = c.sizes[s];
        if (stitched.count + size + 3 > kVertexArrayCapacity || stitched.count >= state.maxStitchedStrip) flush();
        if (stitched.count > 0) {
            append(c, first);
            if (stitched.count % 2 == 1) append(c, first);
        }
        for (int i = 0; i < size; ++i) append(c, first + i);
        append(stitched, stitched.count - 1);
    }
    flush();
}

void va_dumpTriangleStrips() {
    Collection& c = triangleStrips;
    if (c.starts.empty()) return;
    const int strips = static_cast<int>(c.starts.size());
    countArea(c, false, strips, c.count);
    if (state.longStrips && c.count / strips > 10) {
        drawStitched(c);
        return;
    }
    if (state.dump) {
        std::printf("glVertexPointer( 3, GL_FLOAT, 0, tstripVertice );\n");
        std::printf("glColorPointer( 3, GL_FLOAT, 0, tstripColor );\n");
        std::printf("glTexCoordPointer( 2, GL_FLOAT, 0, tstripTexture );\n");
        std::printf("glNormalPointer( GL_FLOAT, 0, tstripNormal );\n");
    }
    if (level() >= 2) std::printf("va_dumpTriangleStrips : +++++++++++++++ Triangle Strips: %4d(%4d)\n", strips, c.count);
    if (!state.dump) setClientArrays(c);
    multiDrawFunction(GL_TRIANGLE_STRIP, c.starts.data(), c.sizes.data(), strips);
}

void drawLineStrips() {
    Collection& c = lineStrips;
    if (c.starts.empty()) return;
    ddzDLCountPrimitive(ddzDLPrimitive::LineStrips, static_cast<double>(c.starts.size()), 0, c.count);
    if (state.multiDraw == 1 && c.count > 3) {
        if (level() >= 2) std::printf("+++++++++++++++ Line Strips: %4d(%4d)\n", static_cast<int>(c.starts.size()), c.count);
        drawStrips(c, GL_LINE_STRIP);
        return;
    }
    for (size_t s = 0; s < c.starts.size(); ++s) {
        glBegin(GL_LINE_STRIP);
        for (int i = 0; i < c.sizes[s]; ++i) glVertex3fv(&c.vertices[static_cast<size_t>(3 * (c.starts[s] + i))]);
        glEnd();
    }
}

// Moves the primitive in progress to the front of its collection, after the committed part was drawn.
void keepInProgress(Collection& c) {
    for (int i = 0; i < inProgress; ++i) copyVertexBetween(c, c.count + i, c, i);
    c.count = 0;
    c.starts.clear();
    c.sizes.clear();
}

void printTable() {
    if (level() < 2) return;
    std::printf("==========================================\n");
    std::printf(" Primitive       | #Points | #Primitives \n");
    std::printf("==========================================\n");
    if (triangles.count) std::printf(" Triangles       |%9d|%13d\n", triangles.count, triangles.count / 3);
    if (triangleStrips.count) {
        std::printf(" Triangle Strips |%9d|%13d\n", triangleStrips.count, static_cast<int>(triangleStrips.starts.size()));
    }
    if (points.count) std::printf(" Points          |%9d|%13d\n", points.count, points.count);
    if (lineStrips.count) std::printf(" Line Strips     |%9d|%13d\n", lineStrips.count, static_cast<int>(lineStrips.starts.size()));
}

void dumpSelected() {
    Collection* c = selected;
    if (!c) {
        // A mode the collector passes straight to OpenGL has nothing to flush.
        if (mode != kNoMode && level() >= 2) std::printf("Unsupported mode: %d\n", static_cast<int>(mode));
        return;
    }
    if (c == &points) {
        if (level() >= 2) std::printf("_______________ Points: %4d\n", c->count);
        ddzDLCountPrimitive(ddzDLPrimitive::Points, 1, 0, c->count);
        drawRange(*c, GL_POINTS, 0, c->count);
        keepInProgress(*c);
    } else if (c == &triangles) {
        countArea(*c, true, 1, c->count);
        drawRange(*c, GL_TRIANGLES, 0, c->count);
        keepInProgress(*c);
    } else if (c == &lineStrips) {
        if (!c->starts.empty()) {
            drawLineStrips();
            keepInProgress(*c);
        } else if (inProgress > 1) {
            drawRange(*c, GL_LINE_STRIP, 0, inProgress);
            copyVertexBetween(*c, inProgress - 1, *c, 0);
            inProgress = 1;
        }
    } else if (c == &triangleStrips) {
        if (!c->starts.empty()) {
            va_dumpTriangleStrips();
            keepInProgress(*c);
        } else if (inProgress > 2) {
            countArea(*c, false, 1, inProgress);
            drawRange(*c, GL_TRIANGLE_STRIP, 0, inProgress);
            // Restart from the last two vertices; a repeated first vertex keeps the winding of odd splits.
            const bool odd = (inProgress - 2) % 2 == 1;
            const int a = inProgress - 2, b = inProgress - 1;
            copyVertexBetween(*c, a, *c, 0);
            if (odd) {
                copyVertexBetween(*c, a, *c, 1);
                copyVertexBetween(*c, b, *c, 2);
                inProgress = 3;
            } else {
                copyVertexBetween(*c, b, *c, 1);
                inProgress = 2;
            }
        }
    }
}

void dumpAll() {
    printTable();
    flushTriangles();
    va_dumpTriangleStrips();
    if (points.count) {
        ddzDLCountPrimitive(ddzDLPrimitive::Points, 1, 0, points.count);
        drawRange(points, GL_POINTS, 0, points.count);
    }
    drawLineStrips();
    for (Collection* c : {&triangles, &triangleStrips, &points, &lineStrips}) c->reset();
    mode = kNoMode;
    selected = nullptr;
    inProgress = 0;
    primitiveBits = 0;
}

// Capacity: a full collection is drawn before the next vertex is stored.
void makeRoom() {
    if (selected && selected->count + inProgress + 1 >= kVertexArrayCapacity) dumpSelected();
}

// An attribute lands with the vertex that follows it; a primitive whose attributes
// differ from those already collected is drawn apart from them at its end.
void storeAttribute(int bit) {
    if (!selected) return;
    makeRoom();
    primitiveBits |= bit;
}

void collectBegin(GLenum m) {
    mode = m;
    inProgress = 0;
    primitiveBits = 0;
    passThrough = false;
    switch (m) {
        case GL_POINTS: selected = &points; break;
        case GL_LINE_STRIP: selected = &lineStrips; break;
        case GL_TRIANGLES: selected = &triangles; break;
        case GL_TRIANGLE_STRIP: selected = &triangleStrips; break;
        default:
            selected = nullptr;
            passThrough = true;
            glBegin(m);
            return;
    }
}

void collectVertex(const float* v) {
    if (passThrough) {
        glVertex3fv(v);
        return;
    }
    if (!selected) return;
    makeRoom();
    Collection& c = *selected;
    const int at = c.count + inProgress;
    std::memcpy(&c.vertices[static_cast<size_t>(3 * at)], v, 3 * sizeof(float));
    if (primitiveBits & kNormals) std::memcpy(&c.normals[static_cast<size_t>(3 * at)], pendingNormal, sizeof pendingNormal);
    if (primitiveBits & kColours) std::memcpy(&c.colours[static_cast<size_t>(3 * at)], pendingColour, sizeof pendingColour);
    if (primitiveBits & kTextures) {
        std::memcpy(&c.textures[static_cast<size_t>(2 * at)], pendingTexture, sizeof pendingTexture);
    }
    ++inProgress;
}

void collectNormal(const float* n) {
    if (passThrough) return glNormal3fv(n);
    storeAttribute(kNormals);
    std::memcpy(pendingNormal, n, sizeof pendingNormal);
}

void collectColour(float r, float g, float b) {
    if (passThrough) return glColor3f(r, g, b);
    storeAttribute(kColours);
    pendingColour[0] = r, pendingColour[1] = g, pendingColour[2] = b;
}

void collectTexture(float s, float t) {
    if (passThrough) return glTexCoord2f(s, t);
    storeAttribute(kTextures);
    pendingTexture[0] = s, pendingTexture[1] = t;
}

void trace(const char* name, int total) {
    if (level() >= 2) std::printf(" va_glEnd (%s) : Num points = %d\n", name, total);
}

void collectEnd() {
    if (passThrough) {
        glEnd();
        passThrough = false;
        mode = kNoMode;
        return;
    }
    Collection* c = selected;
    if (!c) return;
    // A primitive with other attributes than the committed ones is drawn apart from them.
    if (c->count > 0 && c->bits != primitiveBits) dumpSelected();
    c->bits = primitiveBits;
    if (c == &lineStrips) {
        c->starts.push_back(c->count);
        c->sizes.push_back(inProgress);
        c->count += inProgress;
    } else if (c == &triangleStrips && inProgress == 3) {
        // A three-vertex strip is one triangle and joins the triangle array.
        if ((triangles.count > 0 && triangles.bits != primitiveBits) || triangles.count + 3 >= kVertexArrayCapacity) {
            flushTriangles();
        }
        for (int i = 0; i < 3; ++i) copyVertexBetween(*c, c->count + i, triangles, triangles.count + i);
        triangles.count += 3;
        triangles.bits = primitiveBits;
        trace("GL_TRIANGLES (mod. t-strip)", triangles.count);
    } else if (c == &triangleStrips) {
        if (inProgress > 3) {
            c->starts.push_back(c->count);
            c->sizes.push_back(inProgress);
            c->count += inProgress;
        }
        trace("GL_TRIANGLE_STRIP", c->count);
    } else {
        c->count += inProgress;
        trace(c == &points ? "GL_POINTS" : "GL_TRIANGLES", c->count);
    }
    inProgress = 0;
    mode = kNoMode;
}

constexpr ddzVertexDispatch kPlain{plainBegin, plainEnd, plainVertex, plainNormal, plainColour, plainTexture};
constexpr ddzVertexDispatch kCollecting{collectBegin, collectEnd, collectVertex, collectNormal, collectColour, collectTexture};

bool environmentSet(const char* name) { return silgenv_c(name) != nullptr; }

}  // namespace

const ddzVertexDispatch& va_Dispatch() { return collecting ? kCollecting : kPlain; }
const ddzVertexArrayState& va_State() { return state; }

void va_QueryInit() {
    state = ddzVertexArrayState{};
    state.enabled = true;
    FillSystemVendorInfo();
    const bool trace = level() != 0;
    const ddzSystemVendorInfo& v = ddzVendorInfo();
    if (!environmentSet("KOVA_IBM_VA_ENABLED") && !(v.systemType == 1 && v.graphicsType == 1)) {
        state.enabled = false;
        if (trace) std::printf("va_QueryInit : IBM vertex array disabled (%d %d)\n", v.systemType != 1, v.graphicsType != 1);
    }
    if (environmentSet("KOVA_IBM_NO_VA")) {
        state.enabled = false;
        if (trace) std::printf("va_QueryInit : IBM vertex array disabled (KOVA_IBM_NO_VA set)\n");
        return;
    }
    if (!state.enabled) return;
    va_queryMultiDraw(silgenv_c("KOVA_IBM_OVERRIDE_MULTI_DRAW_EXT"));
    if (environmentSet("KOVA_IBM_LONG_STRIPS")) {
        state.longStrips = true;
        if (trace) std::printf("va_QueryInit : Found KOVA_IBM_LONG_STRIPS env. variable \n");
        if (const char* maximum = silgenv_c("KOVA_IBM_MAX_TRI_STRIP")) {
            state.maxStitchedStrip = std::atoi(maximum);
            if (trace) std::printf(".... Setting to %d\n", state.maxStitchedStrip);
        }
    }
    if (environmentSet("ZAPPdbOutput")) {
        state.dump = true;
        if (trace) std::printf("va_QueryInit : Found ZAPPdbOutput env. variable \n");
    }
}

void va_queryMultiDraw(const char* override) {
    const bool trace = level() != 0;
    state.multiDraw = 0;
    multiDrawFunction = fn_glMultiDrawArraysEXT;
    if (override) {
        if (trace) std::printf("va_queryMultiDraw : IBM Multi-buffer extension overidden \n");
    } else {
        const auto* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
        if (extensions && ddzExtensionListed(extensions, "GL_EXT_multi_draw_arrays")) {
            if (trace) std::printf("va_queryMultiDraw : IBM Multi-buffer extension found \n");
            if (auto found = reinterpret_cast<MultiDraw>(wglGetProcAddress("glMultiDrawArraysEXT"))) {
                multiDrawFunction = found;
                state.multiDraw = 1;
            } else if (trace) {
                std::printf("va_queryMultiDraw : Symbol glMultiDrawArraysEXT not found \n");
            }
        }
    }
    if (trace) {
        std::printf(state.multiDraw ? "va_queryMultiDraw : Multi-Draw Extension found \n"
                                    : "va_queryMultiDraw : Using Vertex Array instead of IBM Multi-draw extn. \n");
    }
}

void va_Start() {
    if (!state.enabled) {
        collecting = false;
        return;
    }
    if (collecting) return;
    for (Collection* c : {&triangles, &triangleStrips, &points, &lineStrips}) c->reset();
    mode = kNoMode;
    selected = nullptr;
    inProgress = 0;
    primitiveBits = 0;
    collecting = true;
}

void va_Dump(bool all) {
    if (!state.enabled || !collecting) return;
    all ? dumpAll() : dumpSelected();
}

void va_End() {
    if (!state.enabled) return;
    const bool anything = triangles.count || triangleStrips.count || points.count || lineStrips.count;
    if (anything || collecting) {
        if (level() >= 2) std::printf("va_End : Dump Called\n");
        if (collecting) dumpAll();
        collecting = false;
    }
}

void va_Reset() {
    collecting = false;
    state = ddzVertexArrayState{};
}

void fn_glMultiDrawArraysEXT(GLenum drawMode, const GLint* starts, const GLsizei* sizes, GLsizei count) {
    if (!state.dump) {
        for (GLsizei i = 0; i < count; ++i) glDrawArrays(drawMode, starts[i], sizes[i]);
        return;
    }
    const Collection& c = triangleStrips;
    int offset = 0;
    for (GLsizei i = 0; i < count; ++i) {
        std::printf("tstripOffset[%d]=%d; tstripSizes[%d]=%d;\n", i, offset, i, sizes[i]);
        for (int v = starts[i]; v < starts[i] + sizes[i]; ++v) {
            for (int k = 0; k < 3; ++k) {
                std::printf("%s[%d]=%f;%s[%d]=%f;", "tstripColor", 3 * v + k, c.colours[static_cast<size_t>(3 * v + k)],
                            "tstripNormal", 3 * v + k, c.normals[static_cast<size_t>(3 * v + k)]);
                std::printf("%s[%d]=%f;", "tstripVertice", 3 * v + k, c.vertices[static_cast<size_t>(3 * v + k)]);
            }
            for (int k = 0; k < 2; ++k) {
                std::printf("%s[%d]=%f;", "tstripTexture", 2 * v + k, c.textures[static_cast<size_t>(2 * v + k)]);
            }
            std::printf("\n");
        }
        offset += sizes[i];
    }
    std::printf("fn_glMultiDrawArraysEXT( mode, tstripOffset, tstripSizes, %d );\n", count);
}
