// Settings the device keeps from its open to its close, read from the environment.
#pragma once

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
};

ddzDeviceSettings& ddzSettings();

//! Reads KOVA_TRI_STRIP_SHADING and KOVA_TRI_STRIP_ALWAYS; use receives the tri-strip use.
void ddztstp(int* use);
