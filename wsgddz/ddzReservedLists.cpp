#include "ddzReservedLists.h"

#include "ddzDLMemory.h"
#include "ddzDeviceSettings.h"
#include "dviIDisplayListManager.h"
#include "dvisi.h"

#include <GL/gl.h>

#include <cstdio>

namespace {

// Takes count consecutive reserved names; first receives the first of them. Only
// the last allocation's status counts, as a group is consecutive or useless anyway.
bool reserveGroup(uint32_t count, uint32_t& first, const char* failure) {
    int status = 0;
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t name = 0;
        status = dvisiAllocateReservedDisplayListId(&name);
        if (i == 0) first = name;
    }
    if (status != 0 && ddzSettings().infoLevel != 0) std::printf("%s", failure);
    return status == 0;
}

void compile(uint32_t name, void (*body)()) {
    dviIDisplayListManager* lists = dvisiDisplayListManager();
    if (!lists || name == 0) return;
    lists->OpenDisplayList(name);
    if (body) body();
    lists->CloseDisplayList();
}

}  // namespace

ddzReservedLists& ddzReserved() {
    static ddzReservedLists lists;
    return lists;
}

void ddzReserveDisplayListGroups(uint32_t lightingConfigurations, uint32_t textureConfigurations) {
    ddzReservedLists& r = ddzReserved();
    r = ddzReservedLists{};
    reserveGroup(kMarkerLists, r.markers, "ddzop: error allocating marker display list ids\n");
    reserveGroup(1, r.stippleOn, "ddzop: error allocating stipple display list ids\n");
    reserveGroup(1, r.stippleOff, "ddzop: error allocating stipple display list ids\n");
    reserveGroup(1, r.stipplePattern, "ddzop: error allocating stipple display list ids\n");
    reserveGroup(kFontLists, r.fonts, "ddzop: error allocating font display list ids\n");
    reserveGroup(4, r.surfaceTextureState, "ddzop: error allocating surface texture state ids\n");
    reserveGroup(12, r.phongOnOff, "ddzop: error allocating phong onoff display list ids\n");
    reserveGroup(lightingConfigurations, r.phongTextures, "ddzop: error allocating phong texture display list ids\n");
    reserveGroup(textureConfigurations, r.surfaceTextures, "ddzop: error allocating surface texture display list ids\n");
    reserveGroup(2, r.dynamicDisplayControl, "ddzop: error allocating dynamic display control list ids\n");
}

void ddzCompileReservedLists() {
    const ddzReservedLists& r = ddzReserved();
    compile(r.stippleOn, [] { glEnable(GL_POLYGON_STIPPLE); });
    compile(r.stippleOff, [] { glDisable(GL_POLYGON_STIPPLE); });
    compile(r.stipplePattern, nullptr);
    ddzDLCountLists(3);
    compile(r.dynamicDisplayControl, nullptr);
    compile(r.dynamicDisplayControl ? r.dynamicDisplayControl + 1 : 0, nullptr);
    ddzDLCountLists(2);
    ddzDLCountLists(1);
}
