// Opening and closing the device on the X display: the windows, the context,
// the settings read from the environment, the traces, and repeated cycles.
#include "GraphicsWindowState.h"
#include "ddzDeviceSettings.h"
#include "ddzDispatch.h"
#include "ddzEntrySlots.h"
#include "ddzGraphicsWindows.h"
#include "pelk_test.h"
#include "support/TestWindows.h"
#include "winsys_x11.h"

#include <cstdlib>
#include <string>

namespace {

const char* const kVariables[] = {"KOVA_OGL_INFO",          "ORBAN_NO_REFRESH",       "KOVA_GRAPHICS_PERF_REPORT",
                                  "JIGGLER_REPS",           "KOVA_HL_BUFFER_SIZE",    "KOVA_OGL_LINESTRIP_MIN",
                                  "KOVA_FORCE_PIXEL_FORMAT", "KOVA_USE_SOFTWARE_OPENGL", "KOVA_TRI_STRIP_SHADING",
                                  "KOVA_TRI_STRIP_ALWAYS",  "KOVA_FORCE_REFRESH_REPAIR", "ORBAN_DISABLE_POLYGONEXT"};

class DeviceOpen : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : kVariables) unsetenv(name);
        pelk::clearRecordedCalls();
        pelk::setNewUILayout(false);
    }
    void TearDown() override {
        ddzCloseDevice();
        for (const char* name : kVariables) unsetenv(name);
        pelk::setNewUILayout(false);
        pelk::failWindowServices(false);
    }

    //! Opens with the given environment and returns what the open printed.
    std::string openPrinting() {
        testing::internal::CaptureStdout();
        ddzOpenDevice();
        return testing::internal::GetCapturedStdout();
    }
    static bool printed(const std::string& out, const std::string& line) { return out.find(line) != std::string::npos; }
};

TEST_F(DeviceOpen, OpensRealWindowsWithACurrentContext) {
    ddzOpenDevice();
    const GraphicsWindowState& s = ddzWindowState();
    ASSERT_NE(wsdcpt_c.ws_window, -1);
    EXPECT_EQ(reinterpret_cast<HWND>(static_cast<uintptr_t>(static_cast<uint32_t>(wsdcpt_c.ws_window))),
              s.parentWindow);
    EXPECT_EQ(wsdcpt_c.ws_open, 1);
    EXPECT_EQ(wsdcpt_c.ws_value_60, 3);
    EXPECT_EQ(s.screenWidth, 1280);
    EXPECT_EQ(s.width, 1088);   // trunc(1280 x 0.85)
    EXPECT_EQ(s.height, 849);   // trunc(1024 x 0.83)
    RECT parent{};
    GetWindowRect(s.parentWindow, &parent);
    EXPECT_EQ(parent.right - parent.left, 1088);
    EXPECT_EQ(parent.bottom - parent.top, 849);
    EXPECT_EQ(GetParent(s.childWindow), s.parentWindow);
    EXPECT_NE(winsysXWindow(s.childWindow), 0u);
    EXPECT_EQ(wglGetCurrentContext(), s.renderingContext);
    EXPECT_EQ(wglGetCurrentDC(), s.deviceContext);
    EXPECT_EQ(ddzSettings().redMax, 255);
    EXPECT_EQ(ddzSettings().colourMax, 255);
    EXPECT_FALSE(ddzSettings().glRenderer.empty());
    EXPECT_EQ(pelk::callCount("SilTimerShutDown"), 1);
    EXPECT_EQ(pelk::callCount("gpscsh"), 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(DeviceOpen, GeometryOfTheOpenedChildReachesTheHostBlocks) {
    ddzOpenDevice();
    ddzDeviceGeometry();
    RECT child{};
    GetClientRect(ddzWindowState().childWindow, &child);
    const float scale = static_cast<float>(std::max(child.right, child.bottom) - 1);
    EXPECT_FLOAT_EQ(grdd_c.raster_scale, scale);
    EXPECT_FLOAT_EQ(grdd_c.raster_max[0], static_cast<float>(child.right - 1));
    EXPECT_FLOAT_EQ(grdd_c.ndc_y_max, static_cast<float>(child.bottom - 1) / scale);
}

TEST_F(DeviceOpen, ShowingTheWindowsClearsWhatTheChildShows) {
    ddzOpenDevice();
    const int32_t deviceControl = 1, show = 12;
    ddzCommand(&deviceControl, &show, nullptr, nullptr, nullptr);
    const GraphicsWindowState& s = ddzWindowState();
    ASSERT_TRUE(testsupport::pumpUntil([&] {
        RECT r;
        return GetClipBox(s.deviceContext, &r) == SIMPLEREGION;
    }));
    glFinish();
    WindowImage image;
    ASSERT_TRUE(captureWindow(s.childWindow, image));
    EXPECT_EQ(image.at(image.width / 2, image.height / 2), 0x000000u);
    EXPECT_EQ(image.at(0, 0), 0x000000u);
}

TEST_F(DeviceOpen, FailedOpenReportsTheHostConditionAndStaysClosed) {
    pelk::setNewUILayout(true);
    pelk::failWindowServices(true);
    wsdcpt_c.ws_open = 0;
    ddzOpenDevice();
    EXPECT_EQ(wsdcpt_c.ws_window, -1);
    EXPECT_EQ(wsdcpt_c.ws_open, 0);
    ASSERT_EQ(pelk::callCount("gpscsh"), 1);
    for (const auto& c : pelk::recordedCalls()) {
        if (c.name != "gpscsh") continue;
        EXPECT_EQ(c.text, "SNOPBF");
        EXPECT_EQ(c.numbers, std::vector<long>{12004});
    }
}

TEST_F(DeviceOpen, NewLayoutEmbedsTheChildAndKeepsAHiddenSeparateWindow) {
    pelk::setNewUILayout(true);
    ddzOpenDevice();
    const GraphicsWindowState& s = ddzWindowState();
    ASSERT_NE(wsdcpt_c.ws_window, -1);
    EXPECT_TRUE(s.newLayout);
    EXPECT_EQ(s.topIconWindow, nullptr);
    EXPECT_NE(s.separateWindow, nullptr);
    EXPECT_FALSE(IsWindowVisible(s.separateWindow));
    EXPECT_EQ(GetParent(s.parentWindow), s.topWindow);
    EXPECT_EQ(GetWindowLongA(s.parentWindow, GWL_WNDPROC), reinterpret_cast<LONG_PTR>(&ddzParentGraphicsInput));
    RECT client{}, child{};
    GetClientRect(s.parentWindow, &client);
    GetClientRect(s.childWindow, &child);
    EXPECT_TRUE(EqualRect(&client, &child));  // no status bar of its own
    EXPECT_EQ(pelk::callCount("wguiSetGraphicsView"), 1);
    bool sawTopWindow = false;
    for (const auto& c : pelk::recordedCalls()) {
        if (c.name == "wguiCreateTopWindow") {
            sawTopWindow = true;
            EXPECT_EQ(c.numbers, (std::vector<long>{0, 0, 1088, 1024}));  // full screen height
        }
    }
    EXPECT_TRUE(sawTopWindow);
}

TEST_F(DeviceOpen, TracesAtLevelOne) {
    setenv("KOVA_OGL_INFO", "1", 1);
    const std::string out = openPrinting();
    for (const char* line : {"\nKOVA_OGL_INFO found and set to 1\n\n", "ddzop: edge buffer size is 18000\n",
                             "ddzop:  Use Pixmap for pixsav\n", "\nOutputPixelFormatTable:  Device OpenGL",
                             "\nFound pixel format ", "ddzop: GL_VENDOR is ", "ddzop: GL_RENDERER is ",
                             "ddzop: Now SetDrawMode ddzbfc(1) \n", "ddzop:  ddzpolyoff (polygon offset) set to ",
                             "\n\nYou are running ORBAN with the OpenGL (OGL) graphics driver.\n\n",
                             "ddzop: ddzlinestrip_number set to 2\n"}) {
        EXPECT_TRUE(printed(out, line)) << line;
    }
}

TEST_F(DeviceOpen, SilentAtLevelZero) {
    const std::string out = openPrinting();
    EXPECT_FALSE(printed(out, "ddzop:"));
    EXPECT_TRUE(printed(out, "You are running ORBAN"));
}

TEST_F(DeviceOpen, OutOfRangeSettingsAreCorrected) {
    setenv("KOVA_OGL_INFO", "1", 1);
    setenv("KOVA_HL_BUFFER_SIZE", "1", 1);
    setenv("KOVA_OGL_LINESTRIP_MIN", "abc", 1);
    setenv("JIGGLER_REPS", "7", 1);  // without the report switch it has no effect
    const std::string out = openPrinting();
    EXPECT_EQ(ddzSettings().edgeBufferSize, 3);
    EXPECT_TRUE(printed(out, "\n KOVA_HL_BUFFER_SIZE found and set to 1\n\tsize must be at least 3 - setting to 3\n"));
    EXPECT_EQ(ddzSettings().lineStripMinimum, 2);
    EXPECT_TRUE(printed(out, "\nKOVA_OGL_LINESTRIP_MIN found and set...\n\tvalue too small - setting to 2 (minimum)\n"));
    EXPECT_EQ(ddzSettings().jigglerReps, 100);
    EXPECT_FALSE(ddzSettings().perfReport);
}

TEST_F(DeviceOpen, ValidSettingsAreKept) {
    setenv("KOVA_OGL_LINESTRIP_MIN", "6", 1);
    setenv("KOVA_GRAPHICS_PERF_REPORT", "", 1);
    setenv("JIGGLER_REPS", "7", 1);
    setenv("ORBAN_NO_REFRESH", "2", 1);
    const std::string out = openPrinting();
    EXPECT_EQ(ddzSettings().lineStripMinimum, 6);
    EXPECT_TRUE(ddzSettings().perfReport);
    EXPECT_EQ(ddzSettings().jigglerReps, 7);
    EXPECT_EQ(ddzSettings().noRefresh, 2);
    EXPECT_TRUE(printed(out, "\n JIGGLER_REPS set to 7\n\n KOVA_GRAPHICS_PERF_REPORT set for 7 reps.\n"));
}

TEST_F(DeviceOpen, UnknownForcedFormatFallsBackToTheSearch) {
    setenv("KOVA_FORCE_PIXEL_FORMAT", "99999", 1);
    const std::string out = openPrinting();
    EXPECT_NE(wsdcpt_c.ws_window, -1);
    EXPECT_TRUE(printed(out, "KOVA_FORCE_PIXEL_FORMAT value not valid\ncontinuing with normal search"));
}

TEST_F(DeviceOpen, FiftyOpenCloseCyclesLeakNothing) {
    ddzOpenDevice();
    ddzCloseDevice();
    int windows = 0, dcs = 0, contexts = 0;
    winsysObjectCounts(&windows, &dcs, &contexts);
    const long allocations = pelk::liveAllocations();
    for (int cycle = 0; cycle < 50; ++cycle) {
        ddzOpenDevice();
        ASSERT_NE(wsdcpt_c.ws_window, -1);
        ddzCloseDevice();
    }
    int windowsAfter = 0, dcsAfter = 0, contextsAfter = 0;
    winsysObjectCounts(&windowsAfter, &dcsAfter, &contextsAfter);
    EXPECT_EQ(windowsAfter, windows);
    EXPECT_EQ(dcsAfter, dcs);
    EXPECT_EQ(contextsAfter, contexts);
    EXPECT_EQ(contexts, 0);
    EXPECT_EQ(pelk::liveAllocations(), allocations);
}

struct VersionCase {
    const char* version;
    int index;
    const char* line;
};

void PrintTo(const VersionCase& c, std::ostream* os) { *os << (c.version ? c.version : "null"); }

class VersionIndex : public ::testing::TestWithParam<VersionCase> {};

TEST_P(VersionIndex, FollowsTheFirstThreeCharacters) {
    ddzSettings().infoLevel = 1;
    testing::internal::CaptureStdout();
    EXPECT_EQ(ddzVersionIndex(GetParam().version), GetParam().index);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), GetParam().line);
    ddzSettings().infoLevel = 0;
}

INSTANTIATE_TEST_SUITE_P(
    Versions, VersionIndex,
    ::testing::Values(VersionCase{"1.0", 0, "ddzop: OpenGL version is 1.0\n"},
                      VersionCase{"1.1 Mesa", 1, "ddzop: OpenGL version is 1.1\n"},
                      VersionCase{"1.2.1", 2, "ddzop: OpenGL version is 1.2\n"},
                      VersionCase{"1.3", 0, "ddzop: can't determine OpenGL version; using 1.0\n"},
                      VersionCase{"4.5 (Compatibility Profile)", 0, "ddzop: can't determine OpenGL version; using 1.0\n"},
                      VersionCase{nullptr, 0, "ddzop: can't determine OpenGL version; using 1.0\n"}));

TEST(Extensions, MatchWholeWordsOnly) {
    EXPECT_FALSE(ddzExtensionListed("GL_EXT_texture3D GL_ARB_multitexture", "GL_EXT_texture"));
    EXPECT_TRUE(ddzExtensionListed("GL_EXT_texture3D GL_EXT_texture", "GL_EXT_texture"));
    EXPECT_TRUE(ddzExtensionListed("GL_EXT_texture", "GL_EXT_texture"));
    EXPECT_FALSE(ddzExtensionListed("GL_EXT_tex", "GL_EXT_texture"));
    EXPECT_FALSE(ddzExtensionListed("", "GL_EXT_texture"));
    EXPECT_FALSE(ddzExtensionListed("GL_A  GL_B ", ""));
}

TEST(Extensions, ProbeTracesItsAnswer) {
    testsupport::GlWindow w(0, 0, 16, 16);
    ddzSettings().infoLevel = 1;
    testing::internal::CaptureStdout();
    const bool found = ddzoglext("GL_NO_SUCH_extension");
    EXPECT_FALSE(found);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "ddzoglext: looking for GL_NO_SUCH_extension OpenGL extension...\n\treturn GL_FALSE due to NO matches\n");
    ddzSettings().infoLevel = 0;
}

struct TriStripCase {
    const char* shading;
    const char* always;
    int use;
    int alwaysValue;
};

void PrintTo(const TriStripCase& c, std::ostream* os) {
    *os << (c.shading ? c.shading : "unset") << "/" << (c.always ? c.always : "unset");
}

class TriStripSwitches : public ::testing::TestWithParam<TriStripCase> {};

TEST_P(TriStripSwitches, FollowTheEnvironment) {
    const TriStripCase& c = GetParam();
    c.shading ? setenv("KOVA_TRI_STRIP_SHADING", c.shading, 1) : unsetenv("KOVA_TRI_STRIP_SHADING");
    c.always ? setenv("KOVA_TRI_STRIP_ALWAYS", c.always, 1) : unsetenv("KOVA_TRI_STRIP_ALWAYS");
    int use = -1;
    ddztstp(&use);
    EXPECT_EQ(use, c.use);
    EXPECT_EQ(ddzSettings().triStripUse, c.use);
    EXPECT_EQ(ddzSettings().triStripAlways, c.alwaysValue);
    unsetenv("KOVA_TRI_STRIP_SHADING");
    unsetenv("KOVA_TRI_STRIP_ALWAYS");
}

INSTANTIATE_TEST_SUITE_P(Environment, TriStripSwitches,
                         ::testing::Values(TriStripCase{nullptr, nullptr, 1, 1}, TriStripCase{"0", nullptr, 0, 0},
                                           TriStripCase{"0", "1", 0, 1}, TriStripCase{"1", "0", 1, 0},
                                           TriStripCase{"x", nullptr, 0, 0}));

TEST(TriStripSwitchesTrace, AlwaysSwitchEndsWithoutTheSummary) {
    setenv("KOVA_TRI_STRIP_ALWAYS", "0", 1);
    ddzSettings().infoLevel = 1;
    testing::internal::CaptureStdout();
    int use = 0;
    ddztstp(&use);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "ddztstp: KOVA_TRI_STRIP_ALWAYS detected...\n\tKOVA_TRI_STRIP_ALWAYS set to NOT use tri-strips.\n"
              "\t\tinstead of triangles.\n");
    ddzSettings().infoLevel = 0;
    unsetenv("KOVA_TRI_STRIP_ALWAYS");
}

}  // namespace
