// Settings the device keeps from its open to its close, read from the environment.
#pragma once

#include <cstdint>
#include <string>

struct ddzDeviceSettings {
    int infoLevel = 0;  // KOVA_OGL_INFO: 1 general, 2 per event, 3 per candidate
    int noRefresh = 0;
    bool perfReport = false;
    int jigglerReps = 100;
    int edgeBufferSize = 18000;
    int lineStripMinimum = 2;
    int glVersionIndex = 0;
    int triStripUse = 1;
    int triStripAlways = 1;
    std::string glVendor, glRenderer, glVersion, glExtensions;
    // The colour capabilities of the chosen pixel format (entry slot 18 passes them to the open).
    int32_t redMax = 0, greenMax = 0, blueMax = 0, colourMax = 0;
    int dynamicViewingMode = 0;
    int dynamicViewingStep = 0;  // one sixteenth of the screen height
};

ddzDeviceSettings& ddzSettings();

//! Reads KOVA_TRI_STRIP_SHADING and KOVA_TRI_STRIP_ALWAYS; use receives the tri-strip use.
void ddztstp(int* use);

//! True when name is one of the blank-separated words of GL_EXTENSIONS.
bool ddzoglext(const char* name);
//! True when name is one of the blank-separated words of extensions (same length, same characters).
bool ddzExtensionListed(const char* extensions, const char* name);
//! The version index of a GL_VERSION string: "1.0" 0, "1.1" 1, "1.2" 2, anything else 0.
int ddzVersionIndex(const char* version);
//! Opens the device (entry slot 18 passes ws_window, the colour capabilities and ws_value_60).
void ddzop(int32_t* window, int32_t* redMax, int32_t* greenMax, int32_t* blueMax, int32_t* colourMax,
           int32_t* value60);
