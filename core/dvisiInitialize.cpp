// The driver-wide objects of the core: created at device open, destroyed at terminate.
#include "dvisi.h"

#include "dderr.h"
#include "ddzDeviceSettings.h"
#include "ddzRendererOGL.h"
#include "ddzAreaPrimitive.h"
#include "ddzPhysicalDeviceSegment.h"
#include "ddzPolyline.h"
#include "ddzVertexArrays.h"
#include "dvisiGenerators.h"
#include "ddzSegmentManager.h"
#include "dviDisplayListManager.h"
#include "pelk.h"

#include <new>
#include <utility>

namespace {

struct CoreObjects {
    masVariable* area = nullptr;
    dviDisplayListManager* displayLists = nullptr;
    ddzRendererOGL* renderer = nullptr;
    dviISegmentManager* segments = nullptr;
    ddzAreaPrimitiveUtility* areaUtility = nullptr;
    ddzAreaPrimitive* triangle = nullptr;
    ddzAreaPrimitive* triStrip = nullptr;
    ddzPolyline* polyline = nullptr;
    ddzFilledPolygon* filledPolygon = nullptr;
};
CoreObjects core;

constexpr const char* kInitialize = "dvisiInitialize";

template <typename T, typename... Args>
T* createIn(masVariable& area, Args&&... args) {
    void* memory = area.AllocateMemory(sizeof(T));
    return memory ? new (memory) T(std::forward<Args>(args)...) : nullptr;
}

template <typename T>
void destroyIn(masVariable& area, T*& object) {
    if (!object) return;
    object->~T();
    area.DeleteMemory(object);
    object = nullptr;
}

}  // namespace

int dvisiInitialize(int creationFlag, bool, bool, bool, bool, uint32_t reservedDisplayLists, HWND, HDC) {
    if (core.area) dvisiTerminate();  // a second open starts from nothing
    dderrSetRecording(true);

    void* areaMemory = orban_malloc(sizeof(masVariable), "dvisiVMAS", 0);
    if (!areaMemory) {
        dderrOutOfMemory(kInitialize, __LINE__, "Error creating VMAS_dvisi object.");
        return ddzOutOfMemory;
    }
    core.area = new (areaMemory) masVariable("dvisiVMAS");

    core.displayLists = createIn<dviDisplayListManager>(*core.area, reservedDisplayLists);
    if (!core.displayLists) {
        dderrOutOfMemory(kInitialize, __LINE__, "Error creating display list manager");
        return ddzOutOfMemory;
    }
    ddzPhysicalDeviceSegment::SetDisplayListManager(core.displayLists);
    if (dviSegmentManagerFactory::InstantiateSegmentManager(creationFlag, &core.segments) != ddzOk) {
        dderrorSet(kInitialize, 1, ddzUserAbort, nullptr, __LINE__, "User Abort Detected");
        return ddzUserAbort;
    }
    core.renderer = createIn<ddzRendererOGL>(*core.area, ddzSettings().infoLevel != 0);
    if (!core.renderer) {
        dderrOutOfMemory(kInitialize, __LINE__, "Error creating OGL renderer");
        return ddzOutOfMemory;
    }
    va_QueryInit();
    const bool vertexArrays = va_State().enabled;
    const int lineStripMinimum = ddzSettings().lineStripMinimum;
    core.areaUtility = createIn<ddzAreaPrimitiveUtility>(*core.area);
    core.polyline = vertexArrays ? createIn<ddzVertexArrayPolyline>(*core.area, lineStripMinimum)
                                 : createIn<ddzPolyline>(*core.area, lineStripMinimum);
    if (core.areaUtility) {
        core.triangle = vertexArrays ? static_cast<ddzAreaPrimitive*>(createIn<ddzVertexArrayTriangle>(*core.area, core.areaUtility))
                                     : createIn<ddzTriangle>(*core.area, core.areaUtility);
        core.triStrip = vertexArrays ? static_cast<ddzAreaPrimitive*>(createIn<ddzVertexArrayTriStrip>(*core.area, core.areaUtility))
                                     : createIn<ddzTriStrip>(*core.area, core.areaUtility);
    }
    core.filledPolygon = createIn<ddzFilledPolygon>(*core.area);
    const std::pair<const void*, const char*> generators[] = {{core.polyline, "Error creating polyline."},
                                                              {core.triangle, "Error creating triangle."},
                                                              {core.triStrip, "Error creating tristrip."},
                                                              {core.filledPolygon, "Error creating filled polygon."}};
    for (const auto& [generator, message] : generators) {
        if (!generator) {
            dderrOutOfMemory(kInitialize, __LINE__, message);
            return ddzOutOfMemory;
        }
    }
    ddzAreaStateOf() = ddzAreaState{};
    return ddzOk;
}

int dvisiTerminate() {
    if (!core.area) return ddzOk;
    if (core.segments) {
        core.segments = nullptr;
        if (dviSegmentManagerFactory::TerminateSegmentManager() != ddzOk) {
            dderrorSet("dvisiTerminate", 1, ddzUserAbort, nullptr, __LINE__, "User Abort Detected");
        }
    }
    ddzPhysicalDeviceSegment::SetDisplayListManager(nullptr);
    dvisiForgetViewports();
    va_Reset();
    destroyIn(*core.area, core.displayLists);
    destroyIn(*core.area, core.renderer);
    destroyIn(*core.area, core.polyline);
    destroyIn(*core.area, core.triangle);
    destroyIn(*core.area, core.triStrip);
    destroyIn(*core.area, core.areaUtility);
    destroyIn(*core.area, core.filledPolygon);
    core.area->~masVariable();
    orban_free(core.area);
    core.area = nullptr;
    return ddzOk;
}

int dvisiAllocateReservedDisplayListId(uint32_t* name) {
    *name = 0;
    if (!core.displayLists) {
        dderrorSet("dvisiAllocateReservedDisplayListId", 1, ddzError, nullptr, __LINE__,
                   "Invalid display list manager pointer");
        return ddzError;
    }
    if (core.displayLists->AllocateReservedDisplayListId(name) != ddzOk) {
        dderrorSet("dvisiAllocateReservedDisplayListId", 1, ddzUserAbort, nullptr, __LINE__, "User Abort Detected");
        return ddzUserAbort;
    }
    return ddzOk;
}

dviIDisplayListManager* dvisiDisplayListManager() { return core.displayLists; }
dviIRenderer* dvisiRenderer() { return core.renderer; }
dviISegmentManager* dvisiSegmentManager() { return core.segments; }

ddzIAreaPrimitive* dvisiTriangleGenerator() { return core.triangle; }
ddzIAreaPrimitive* dvisiTriStripGenerator() { return core.triStrip; }
ddzIPolyline* dvisiPolylineGenerator() { return core.polyline; }
ddzIFilledPolygon* dvisiFilledPolygonGenerator() { return core.filledPolygon; }
