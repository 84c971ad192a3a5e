#include "ddzDeviceSettings.h"

#include "pelk.h"

#include <cstdio>
#include <cstdlib>

ddzDeviceSettings& ddzSettings() {
    static ddzDeviceSettings settings;
    return settings;
}

void ddztstp(int* use) {
    ddzDeviceSettings& s = ddzSettings();
    const bool trace = s.infoLevel > 0;
    s.triStripUse = 1;
    s.triStripAlways = 1;
    if (const char* shading = silgenv_c("KOVA_TRI_STRIP_SHADING")) {
        if (trace) std::printf("ddztstp: KOVA_TRI_STRIP_SHADING detected...\n");
        s.triStripUse = s.triStripAlways = std::atoi(shading) != 0;
        if (trace) {
            std::printf(s.triStripUse ? "\tKOVA_TRI_STRIP_SHADING set to use tri-strips.\n"
                                      : "\tKOVA_TRI_STRIP_SHADING set to NOT use tri-strips.\n");
        }
    }
    if (const char* always = silgenv_c("KOVA_TRI_STRIP_ALWAYS")) {
        if (trace) std::printf("ddztstp: KOVA_TRI_STRIP_ALWAYS detected...\n");
        s.triStripAlways = std::atoi(always) != 0;
        if (trace) {
            std::printf(s.triStripAlways ? "\tKOVA_TRI_STRIP_ALWAYS set to use tri-strips\n"
                                         : "\tKOVA_TRI_STRIP_ALWAYS set to NOT use tri-strips.\n");
            std::printf("\t\tinstead of triangles.\n");
        }
        if (use) *use = s.triStripUse;
        return;
    }
    if (trace) {
        std::printf("ddztstp:  tri-strip support set to %i\n", s.triStripUse);
        std::printf("ddztstp:  tri-strip always support set to %i\n", s.triStripAlways);
    }
    if (use) *use = s.triStripUse;
}
