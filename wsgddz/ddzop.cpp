// Opening the device: configuration from the environment, the windows and the
// context, the OpenGL implementation's identity, and the capability reports.
#include "ddzDeviceSettings.h"

#include "GraphicsWindowState.h"
#include "ddzDLMemory.h"
#include "ddzGraphicsWindows.h"
#include "ddzMarkerBitmaps.h"
#include "ddzPolyline.h"
#include "dvisiGenerators.h"
#include "ddzReservedLists.h"
#include "ddzWindowsFonts.h"
#include "dvisi.h"
#include "pelk.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr const char* kBanner = "ORBAN OpenGL graphics driver 12.0";

int environmentInteger(const char* value) { return std::atoi(value); }

void keepString(std::string& kept, GLenum name, const char* label, bool trace) {
    const auto* text = reinterpret_cast<const char*>(glGetString(name));
    kept = text ? text : "";
    if (trace && text) std::printf("ddzop: %s is %s\n", label, text);
}

void readConfiguration(ddzDeviceSettings& s) {
    if (const char* info = silgenv_c("KOVA_OGL_INFO")) {
        s.infoLevel = environmentInteger(info);
        std::printf("\nKOVA_OGL_INFO found and set to %i\n\n", s.infoLevel);
        if (s.infoLevel != 0) std::printf("\t%s\n\n", kBanner);
    }
    const bool trace = s.infoLevel != 0;
    if (const char* noRefresh = silgenv_c("ORBAN_NO_REFRESH")) {
        s.noRefresh = environmentInteger(noRefresh);
        if (trace) std::printf("ORBAN_NO_REFRESH found and set.\n");
    } else {
        s.noRefresh = 0;
    }
    s.perfReport = false;
    s.jigglerReps = 100;
    if (silgenv_c("KOVA_GRAPHICS_PERF_REPORT")) {
        s.perfReport = true;
        if (const char* reps = silgenv_c("JIGGLER_REPS")) {
            s.jigglerReps = environmentInteger(reps);
            std::printf("\n JIGGLER_REPS set to %i\n", s.jigglerReps);
        }
        std::printf("\n KOVA_GRAPHICS_PERF_REPORT set for %i reps.\n", s.jigglerReps);
    }
    s.edgeBufferSize = 18000;
    if (const char* size = silgenv_c("KOVA_HL_BUFFER_SIZE")) {
        s.edgeBufferSize = environmentInteger(size);
        std::printf("\n KOVA_HL_BUFFER_SIZE found and set to %i\n", s.edgeBufferSize);
        if (s.edgeBufferSize < 3) {
            s.edgeBufferSize = 3;
            std::printf("\tsize must be at least 3 - setting to 3\n");
        }
    }
    if (trace) std::printf("ddzop: edge buffer size is %i\n", s.edgeBufferSize);
}

void identifyOpenGl(ddzDeviceSettings& s) {
    const bool trace = s.infoLevel > 0;
    keepString(s.glVendor, GL_VENDOR, "GL_VENDOR", trace);
    keepString(s.glRenderer, GL_RENDERER, "GL_RENDERER", trace);
    keepString(s.glVersion, GL_VERSION, "GL_VERSION", trace);
    keepString(s.glExtensions, GL_EXTENSIONS, "GL_EXTENSIONS", trace);
    s.glVersionIndex = ddzVersionIndex(reinterpret_cast<const char*>(glGetString(GL_VERSION)));
}

void reportExtensions(const ddzDeviceSettings& s) {
    if (s.infoLevel <= 0) return;
    std::printf("ddzop:  GL_EXT_texture extension support %i\n", ddzoglext("GL_EXT_texture") ? 1 : 0);
    int polygonOffset = ddzoglext("GL_EXT_polygon_offset") ? 1 : 0;
    std::printf("ddzop:  GL_EXT_polygon_offset extension support %i\n", polygonOffset);
    if (!polygonOffset && s.glVersionIndex > 0) {
        std::printf("ddzop:  OGL 1.1 (or greater) supports polygon offset...\n");
        polygonOffset = 1;
    }
    if (silgenv_c("ORBAN_DISABLE_POLYGONEXT")) {
        std::printf("ORBAN_DISABLE_POLYGONEXT found and set.\n");
        polygonOffset = 0;
    }
    std::printf("ddzop:  ddzpolyoff (polygon offset) set to %i \n", polygonOffset);
}

void readLineStripMinimum(ddzDeviceSettings& s) {
    const bool trace = s.infoLevel > 0;
    if (const char* minimum = silgenv_c("KOVA_OGL_LINESTRIP_MIN")) {
        std::printf("\nKOVA_OGL_LINESTRIP_MIN found and set...\n");
        const int value = environmentInteger(minimum);
        if (value > 1) {
            s.lineStripMinimum = value;
            if (trace) std::printf("\tvalue set to %i\n", value);
        } else {
            s.lineStripMinimum = 2;
            if (trace) std::printf("\tvalue too small - setting to 2 (minimum)\n");
        }
    }
    if (trace) std::printf("ddzop: ddzlinestrip_number set to %i\n", s.lineStripMinimum);
    // The generator was made before the value was read: it takes this open's value now.
    if (auto* polyline = static_cast<ddzPolyline*>(dvisiPolylineGenerator())) polyline->SetLineStripMinimum(s.lineStripMinimum);
}

}  // namespace

int ddzVersionIndex(const char* version) {
    const bool trace = ddzSettings().infoLevel > 0;
    int index = -1;
    const char* known[] = {"1.0", "1.1", "1.2"};
    for (int i = 0; version && i < 3; ++i) {
        if (std::strncmp(version, known[i], 3) == 0) {
            index = i;
            if (trace) std::printf("ddzop: OpenGL version is %s\n", known[i]);
        }
    }
    if (index < 0) {
        index = 0;
        if (trace) std::printf("ddzop: can't determine OpenGL version; using 1.0\n");
    }
    return index;
}

bool ddzExtensionListed(const char* extensions, const char* name) {
    const size_t length = std::strlen(name);
    for (const char* word = extensions; *word;) {
        while (*word == ' ') ++word;
        const char* end = word;
        while (*end && *end != ' ') ++end;
        if (static_cast<size_t>(end - word) == length && length > 0 && std::strncmp(word, name, length) == 0) return true;
        word = end;
    }
    return false;
}

bool ddzoglext(const char* name) {
    const bool trace = ddzSettings().infoLevel > 0;
    if (trace) std::printf("ddzoglext: looking for %s OpenGL extension...\n", name);
    const auto* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    if (!extensions) {
        if (trace) std::printf("\treturn GL_FALSE due to no extensions\n");
        return false;
    }
    const bool listed = ddzExtensionListed(extensions, name);
    if (trace) std::printf(listed ? "\treturn GL_TRUE due to match\n" : "\treturn GL_FALSE due to NO matches\n");
    return listed;
}

void ddzop(int32_t* window, int32_t* redMax, int32_t* greenMax, int32_t* blueMax, int32_t* colourMax,
           int32_t* value60) {
    ddzDeviceSettings& s = ddzSettings();
    s.lineStripMinimum = 2;
    ddzDLResetBase();  // the fixed lists of this device are counted anew
    SilTimerShutDown();
    *window = -1;
    s.infoLevel = 0;
    readConfiguration(s);
    const bool trace = s.infoLevel > 0;
    *value60 = 3;
    if (trace) std::printf("ddzop:  Use Pixmap for pixsav\n");

    ddzCreateGraphicsWindows(window, redMax, greenMax, blueMax, colourMax);
    if (*window == -1) return;

    // Without configuration files there is one lighting and one texture configuration.
    const uint32_t lightingConfigurations = 1, textureConfigurations = 1;
    identifyOpenGl(s);

    GraphicsWindowState& w = ddzWindowState();
    const int initialized = dvisiInitialize(1, w.doubleBuffered, w.swapCopy, w.swapHint, w.forceBackBufferUpdate,
                                            kFixedReservedLists + lightingConfigurations + textureConfigurations,
                                            w.childWindow, w.deviceContext);
    if (trace) {
        std::printf(initialized != 0 ? "ddzop:  error initializing SegmentManager!!\n"
                                     : "ddzop:  SegmentManager initialized...\n");
    }
    ddzReserveDisplayListGroups(lightingConfigurations, textureConfigurations);

    ddzwlfnt();
    s.dynamicViewingMode = 1;
    s.dynamicViewingStep = w.screenHeight / 16;
    if (trace) std::printf("ddzop: Now SetDrawMode ddzbfc(%d) \n", w.doubleBuffered ? 1 : 0);
    glEnable(GL_SCISSOR_TEST);
    if (dvisiClearDevice(w.width, w.height) != 0 && trace) std::printf("ddzop:  error from dvisiClearDevice\n");
    ddzBuildMarkerBitmaps(ddzReserved().markers);

    reportExtensions(s);
    int32_t running = 0;
    pecqfn(&running);
    if (running < 1) std::printf("\n\nYou are running ORBAN with the OpenGL (OGL) graphics driver.\n\n");
    ddzCompileReservedLists();
    readLineStripMinimum(s);
}
