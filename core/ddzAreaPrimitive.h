// Generators of 2D and 3D area primitives: prepare the OpenGL state, generate
// the vertices, finish with the bounding volume and the statistics.
#pragma once

#include <cstdint>

//! One 3D area primitive as the drawing orders hand it on.
struct ddzAreaPrimitiveRequest {
    int count = 0;
    int32_t colour = 0;            // a host colour index, or a packed colour
    bool colourIsIndex = true;
    float ambientFactor = 0.0f;
    int transparency = 0;          // percent
    bool colourMaterial = false;
    int shade = 2;                 // 3 smooth, else flat
    bool unlit = false;
    const float* vertices = nullptr;          // 3 floats each
    const float* vertexNormals = nullptr;     // 3 floats each, or null
    const float* textureCoordinates = nullptr;  // 2 floats each, or null
    const int32_t* colourIndices = nullptr;   // per vertex, or null
    const float* facetNormal = nullptr;       // 3 floats, or null
};

//! What area generators share: the state around a primitive and its end.
class ddzIAreaPrimitiveUtility {
public:
    virtual ~ddzIAreaPrimitiveUtility() = default;
    virtual int PrepareAreaPrimitive(const ddzAreaPrimitiveRequest& request) = 0;
    //! Adds the vertices to the open segment's bounding volume, attribute bits as the mask.
    virtual int EndAreaPrimitive(const ddzAreaPrimitiveRequest& request, int attributeBits) = 0;
    virtual int SetAreaTexture() = 0;
};

class ddzAreaPrimitiveUtility : public ddzIAreaPrimitiveUtility {
public:
    int PrepareAreaPrimitive(const ddzAreaPrimitiveRequest& request) override;
    int EndAreaPrimitive(const ddzAreaPrimitiveRequest& request, int attributeBits) override;
    int SetAreaTexture() override;
};

class ddzIAreaPrimitive {
public:
    virtual ~ddzIAreaPrimitive() = default;
    //! A 2D polygon: filled by the host, else its outline as a line loop.
    virtual int Add2DAreaPrimitive(int count, bool filled, bool edged, const float* points) = 0;
    virtual int Add3DAreaPrimitive(const ddzAreaPrimitiveRequest& request) = 0;
};

class ddzAreaPrimitive : public ddzIAreaPrimitive {
public:
    // Attribute bits of the last primitive.
    static constexpr int kVertices = 1, kColours = 2, kNormals = 4, kTextures = 8;

    ddzAreaPrimitive(unsigned glMode, ddzIAreaPrimitiveUtility* utility) : glMode_(glMode), utility_(utility) {}

    int Add2DAreaPrimitive(int count, bool filled, bool edged, const float* points) override;
    int Add3DAreaPrimitive(const ddzAreaPrimitiveRequest& request) override;
    int AttributeBits() const { return attributeBits_; }

protected:
    int add3D(const ddzAreaPrimitiveRequest& request, const char* operation);
    virtual int PrepareFor3DAreaPrimitive(const ddzAreaPrimitiveRequest& request);
    virtual int Generate3DAreaPrimitive(const ddzAreaPrimitiveRequest& request);
    //! Emits the vertices through begin/vertex/attribute calls of the given entry points.
    template <typename Dispatch>
    void emit(const ddzAreaPrimitiveRequest& request, const Dispatch& dispatch);
    void CountAreaPrimitive(int count) const;

    unsigned glMode_;
    int attributeBits_ = 0;
    ddzIAreaPrimitiveUtility* utility_;
};

//! Separate triangles: exactly three points a primitive.
class ddzTriangle : public ddzAreaPrimitive {
public:
    explicit ddzTriangle(ddzIAreaPrimitiveUtility* utility);
    int Add3DAreaPrimitive(const ddzAreaPrimitiveRequest& request) override;
};

class ddzTriStrip : public ddzAreaPrimitive {
public:
    explicit ddzTriStrip(ddzIAreaPrimitiveUtility* utility);
};

//! Area primitives through the vertex dispatch, which collects them into vertex arrays.
class ddzVertexArrayPrimitive : public ddzAreaPrimitive {
public:
    using ddzAreaPrimitive::ddzAreaPrimitive;

protected:
    int PrepareFor3DAreaPrimitive(const ddzAreaPrimitiveRequest& request) override;
    int Generate3DAreaPrimitive(const ddzAreaPrimitiveRequest& request) override;
};

class ddzVertexArrayTriangle : public ddzVertexArrayPrimitive {
public:
    explicit ddzVertexArrayTriangle(ddzIAreaPrimitiveUtility* utility);
    int Add3DAreaPrimitive(const ddzAreaPrimitiveRequest& request) override;
};

class ddzVertexArrayTriStrip : public ddzVertexArrayPrimitive {
public:
    explicit ddzVertexArrayTriStrip(ddzIAreaPrimitiveUtility* utility);
};

//! Lighting, shading and colour-material state the area generators keep for OpenGL.
struct ddzAreaState {
    int lightingOn = -1;  // -1 unknown
    int currentShade = -1;
    int32_t currentColourIndex = -1;
    bool colourMaterialOn = false;
};
ddzAreaState& ddzAreaStateOf();
