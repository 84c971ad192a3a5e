// The primitive calls of the visualization API: the flat entry to the generators.
#include "dvisi.h"

#include "dderr.h"
#include "ddzAreaPrimitive.h"
#include "ddzAttributeState.h"
#include "ddzDeviceSettings.h"
#include "ddzPolyline.h"
#include "dviISegmentManager.h"
#include "dviIViewport.h"
#include "dviTypes.h"
#include "ddzPhysicalDeviceSegment.h"
#include "dvisiGenerators.h"
#include "ddzMarkers.h"
#include "ddzText.h"

namespace {

constexpr int kDirectColour = 0x10;

int report(const char* function, int line, const char* message, int status = ddzError) {
    dderrorSet(function, 1, status, nullptr, line, message);
    return status;
}

int currentDimension() {
    int dimension = 0, viewport = 0;
    if (dviISegmentManager* segments = dvisiSegmentManager()) segments->CurrentContext(&dimension, &viewport);
    return dimension;
}

int dvisiAdd3DAreaPrimitive(const dvisiAreaCommand& c, ddzIAreaPrimitive* generator) {
    constexpr const char* kFunction = "dvisiAdd3DAreaPrimitive";
    dviISegmentManager* segments = dvisiSegmentManager();
    if (!segments) return report(kFunction, __LINE__, "Invalid segment manager pointer");
    if (!generator) return report(kFunction, __LINE__, "Error creating triangle.");
    if (currentDimension() != 3) return report(kFunction, __LINE__, "Incorrect dimension for adding 3D polygon");
    const bool direct = c.options & kDirectColour;
    dviIViewport* viewport = segments->CurrentViewport();
    if (c.kind == 0 || direct) {
        if (!viewport) return report(kFunction, __LINE__, "Null viewport returned");
        viewport->SetSwitchable(false);
    }
    ddzPhysicalDeviceSegment* open = nullptr;
    bool isOpen = false;
    segments->SegmentIsOpen(&isOpen);
    if (isOpen) segments->GetCurrentSegment(&open);
    if (direct) {
        if (!open) return report(kFunction, __LINE__, "Invalid segment pointer");
        open->SetAreaAsWireframe(true);
    }
    int displayType = Wireframe;
    if (viewport) viewport->GetDisplayType(&displayType);

    ddzAreaPrimitiveRequest r;
    r.count = c.count;
    r.unlit = c.kind == 0 || (direct && (displayType == Wireframe || displayType == HiddenLine));
    r.colourIsIndex = !direct;
    r.colour = direct && !(c.options & 1) && !c.flag ? c.alternateColour : c.colour;
    if (!direct && isOpen && segments->SetSegmentPartColor(c.colour) != ddzOk) {
        report(kFunction, __LINE__, "Error setting segment part color");
    }
    r.colourMaterial = !r.unlit && direct && (c.options & 1);
    r.shade = ((direct && ddzAttributes().smoothShading == 1) || (!direct && c.kind != 0)) ? 3 : 2;
    r.ambientFactor = c.ambientFactor;
    r.transparency = c.transparency;
    r.vertices = c.vertices;
    r.facetNormal = (c.kind == 1 || c.kind == 2 || (direct && (c.options & 4))) ? c.facetNormal : nullptr;
    r.colourIndices = direct && (c.options & 1) ? c.colourIndices : nullptr;
    r.vertexNormals = direct ? ((c.options & 2) ? c.vertexNormals : nullptr) : (r.unlit ? nullptr : c.vertexNormals);
    r.textureCoordinates = nullptr;  // texturing applies once the texture state exists
    if (const int status = generator->Add3DAreaPrimitive(r); status != ddzOk) {
        report(kFunction, __LINE__, "Error adding 3D Area Primitive", status);
    }
    return ddzOk;
}

int markArea(const char* function, int line, const char* failure, int status) {
    if (status != ddzOk) return report(function, line, failure, ddzUserAbort);
    if (dvisiAddPrimitiveToSegment(dviAreaPrimitive) != ddzOk) return report(function, line, failure, ddzUserAbort);
    return ddzOk;
}

}  // namespace

int dvisiAddPrimitiveToSegment(int kind) {
    dviISegmentManager* segments = dvisiSegmentManager();
    if (!segments) return report("dvisiAddPrimitiveToSegment", __LINE__, "Invalid segment manager pointer");
    bool open = false;
    segments->SegmentIsOpen(&open);
    return open ? segments->AddPrimitiveToSegment(kind) : ddzOk;
}

int dvisi3dpolygon(const dvisiAreaCommand& c) {
    ddzIAreaPrimitive* generator = ddzSettings().triStripUse ? dvisiTriStripGenerator() : dvisiTriangleGenerator();
    return markArea("dvisi3dpolygon", __LINE__, "Error adding 3D Triangle", dvisiAdd3DAreaPrimitive(c, generator));
}

int dvisi3dtristrip(const dvisiAreaCommand& c) {
    return markArea("dvisi3dtristrip", __LINE__, "Error adding 3D Tristrip",
                    dvisiAdd3DAreaPrimitive(c, dvisiTriStripGenerator()));
}

int dvisi2dpolygon(const int32_t* ints, int fillStyle, int edgeFlag, const float* reals) {
    constexpr const char* kFunction = "dvisi2dpolygon";
    if (currentDimension() != 2) return report(kFunction, __LINE__, "Incorrect dimension for adding 2D polygon");
    ddzIAreaPrimitive* generator = dvisiTriangleGenerator();
    if (!generator || generator->Add2DAreaPrimitive(ints[0], fillStyle != 0, edgeFlag != 0, reals) != ddzOk) {
        return report(kFunction, __LINE__, "Error adding 2D polygon", ddzUserAbort);
    }
    return ddzOk;
}

int dvisipolyline(const int32_t* ints, const float* reals, int32_t, int, float) {
    constexpr const char* kFunction = "dvisipolyline";
    ddzIPolyline* generator = dvisiPolylineGenerator();
    bool colourMaterial = ddzAreaStateOf().colourMaterialOn;
    const int dimension = currentDimension() == 2 ? 2 : 3;
    if (!generator || generator->AddPolyline(dimension, ints[0], reals, &colourMaterial) != ddzOk) {
        return report(kFunction, __LINE__, "Error adding polyline", ddzUserAbort);
    }
    ddzAreaStateOf().colourMaterialOn = colourMaterial;
    if (dvisiAddPrimitiveToSegment(dviLinePrimitive) != ddzOk) {
        return report(kFunction, __LINE__, "Error setting segment contains line data flag", ddzUserAbort);
    }
    return ddzOk;
}

int dvisifilledpolygon(const int32_t* ints, const float* reals, int32_t) {
    constexpr const char* kFunction = "dvisifilledpolygon";
    ddzIFilledPolygon* generator = dvisiFilledPolygonGenerator();
    if (!generator || generator->AddFilledPolygon(ints[0], reals) != ddzOk) {
        return report(kFunction, __LINE__, "Error adding filled polygon", ddzUserAbort);
    }
    if (dvisiAddPrimitiveToSegment(dviLinePrimitive) != ddzOk) {
        return report(kFunction, __LINE__, "Error setting segment contains line data flag", ddzUserAbort);
    }
    return ddzOk;
}

int dvisipolymarker(const int32_t* ints, const float* reals, int markerType, int dimension, int, int32_t) {
    ddzDrawMarkers(ints[0], reals, markerType, dimension);
    return ddzOk;
}

int dvisitext(const int32_t* ints, const float* reals, int, int32_t) {
    if (!ints || !reals) return ddzOk;
    if (currentDimension() == 3) ddzDrawString(ints[0], reinterpret_cast<const char*>(ints + 1), reals, 3);
    return ddzOk;
}
