// The vertex-array path: its decision, and the same pictures as immediate mode
// from collected, batched and flushed vertices.
#include "dderr.h"
#include "ddzDeviceSettings.h"
#include "ddzPhysicalDeviceSegment.h"
#include "ddzSegmentManager.h"
#include "ddzSystemVendorInfo.h"
#include "ddzVertexArrays.h"
#include "dviIPrimitiveBuffer.h"
#include "dviISegmentManager.h"
#include "dviIViewport.h"
#include "dviTypes.h"
#include "dvisi.h"
#include "support/CoreFakes.h"
#include "support/TestWindows.h"

#include <dlfcn.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace {
std::vector<GLenum> drawnArrays;
}

extern "C" void glDrawArrays(GLenum mode, GLint first, GLsizei count) {
    drawnArrays.push_back(mode);
    static auto next = reinterpret_cast<void (*)(GLenum, GLint, GLsizei)>(dlsym(RTLD_NEXT, "glDrawArrays"));
    next(mode, first, count);
}

namespace {

using ShadedViewport = testsupport::FakeViewport;
using NoBuffer = testsupport::NullPrimitiveBuffer;

const char* const kVariables[] = {"KOVA_IBM_VA_ENABLED", "KOVA_IBM_NO_VA", "KOVA_IBM_OVERRIDE_MULTI_DRAW_EXT",
                                  "KOVA_IBM_LONG_STRIPS", "KOVA_IBM_MAX_TRI_STRIP"};

class VertexArrays : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : kVariables) unsetenv(name);
        glViewport(0, 0, 64, 64);
    }
    void TearDown() override {
        dvisiTerminate();
        ddzSegmentManager::DeletePrimitiveBuffer();
        for (const char* name : kVariables) unsetenv(name);
        glDisableClientState(GL_VERTEX_ARRAY);
        glDisableClientState(GL_NORMAL_ARRAY);
        glDisableClientState(GL_COLOR_ARRAY);
        dderrClearList();
        dderrSetRecording(false);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }

    void start() {
        ASSERT_EQ(dvisiInitialize(1, true, false, false, false, 16, window.hwnd(), window.dc()), 0);
        dviIPrimitiveBuffer* buffer = nullptr;
        ddzSegmentManager::CreatePrimitiveBuffer(new NoBuffer, &buffer);
        dvisiSegmentManager()->SetCurrentContext(3, &viewport);
        testsupport::projectOntoPixels(64, 64, 10);
        glEnable(GL_LIGHT0);
    }

    static dvisiAreaCommand area(int count, const float* vertices, const float* normals) {
        dvisiAreaCommand c;
        c.count = count;
        c.options = 0x10 | 2;  // direct colour, vertex normals
        c.flag = 1;
        c.colour = 0xFFFFFF;
        c.kind = 1;
        c.vertices = vertices;
        c.vertexNormals = normals;
        return c;
    }

    //! One segment: separate triangles, a short strip, a long zigzag strip and a 3D polyline.
    std::vector<uint32_t> drawScene() {
        dviISegmentManager* segments = dvisiSegmentManager();
        EXPECT_EQ(segments->OpenSegment(0, false), 0);
        std::vector<float> normals(3 * 2400);
        for (size_t i = 0; i < normals.size(); i += 3) {
            const float tilt = static_cast<float>(i % 9) * 0.05f;
            normals[i] = tilt, normals[i + 1] = 0, normals[i + 2] = 1;
        }
        ddzSettings().triStripUse = 0;
        for (int t = 0; t < 20; ++t) {
            const float x = static_cast<float>(3 * t);
            const float tri[9] = {x, 40, 0, x + 3, 40, 0, x, 46, 0};
            dvisi3dpolygon(area(3, tri, normals.data()));
        }
        const float shortStrip[9] = {2, 50, 0, 20, 50, 0, 2, 60, 0};
        dvisi3dtristrip(area(3, shortStrip, normals.data()));
        std::vector<float> zigzag;  // 2000 vertices: the collection flushes inside it
        for (int i = 0; i < 2000; ++i) {
            zigzag.insert(zigzag.end(), {static_cast<float>(i / 2) * 0.064f, i % 2 ? 30.0f : 2.0f, 0.0f});
        }
        dvisi3dtristrip(area(2000, zigzag.data(), normals.data()));
        const float line[9] = {1, 35, 0, 30, 36, 0, 63, 35, 0};
        const int32_t three[1] = {3};
        dvisipolyline(three, line, 0xFF0000, 1, 1.0f);
        EXPECT_EQ(segments->CloseSegment(), 0);
        ddzPhysicalDeviceSegment* s = nullptr;
        segments->GetSegment(0, &s);
        window.clearBack(0x000000);
        glCallList(s->SegmentList());
        glFinish();
        std::vector<uint32_t> pixels;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) pixels.push_back(window.glPixel(GL_BACK, x, y));
        glDisable(GL_LIGHTING);
        ddzSettings().triStripUse = 1;
        return pixels;
    }

    testsupport::GlWindow window{0, 0, 64, 64};
    ShadedViewport viewport;
};

TEST_F(VertexArrays, PathIsOffOnThisMachineUnlessEnabled) {
    start();
    EXPECT_FALSE(va_State().enabled);  // no vital product data here
    dvisiTerminate();
    setenv("KOVA_IBM_VA_ENABLED", "1", 1);
    start();
    EXPECT_TRUE(va_State().enabled);
    dvisiTerminate();
    setenv("KOVA_IBM_NO_VA", "1", 1);
    start();
    EXPECT_FALSE(va_State().enabled);
}

TEST_F(VertexArrays, MultiDrawOverrideUsesTheDriversOwnLoop) {
    setenv("KOVA_IBM_VA_ENABLED", "1", 1);
    setenv("KOVA_IBM_OVERRIDE_MULTI_DRAW_EXT", "1", 1);
    start();
    EXPECT_EQ(va_State().multiDraw, 0);
}

TEST_F(VertexArrays, CollectedSceneMatchesImmediateMode) {
    start();
    const std::vector<uint32_t> immediate = drawScene();
    dvisiTerminate();
    ddzSegmentManager::DeletePrimitiveBuffer();
    setenv("KOVA_IBM_VA_ENABLED", "1", 1);
    start();
    ASSERT_TRUE(va_State().enabled);
    drawnArrays.clear();
    const std::vector<uint32_t> collected = drawScene();
    EXPECT_FALSE(drawnArrays.empty());
    int differing = 0, lit = 0;
    for (size_t i = 0; i < immediate.size(); ++i) {
        differing += immediate[i] != collected[i];
        lit += immediate[i] != 0;
    }
    EXPECT_GT(lit, 500);
    EXPECT_EQ(differing, 0);
}

TEST_F(VertexArrays, LongStripsStitchIntoTheSamePicture) {
    start();
    const std::vector<uint32_t> immediate = drawScene();
    dvisiTerminate();
    ddzSegmentManager::DeletePrimitiveBuffer();
    setenv("KOVA_IBM_VA_ENABLED", "1", 1);
    setenv("KOVA_IBM_LONG_STRIPS", "1", 1);
    setenv("KOVA_IBM_MAX_TRI_STRIP", "600", 1);
    start();
    EXPECT_TRUE(va_State().longStrips);
    EXPECT_EQ(va_State().maxStitchedStrip, 600);
    EXPECT_EQ(drawScene(), immediate);
}

TEST_F(VertexArrays, ThreeVertexStripJoinsTheTriangleArray) {
    setenv("KOVA_IBM_VA_ENABLED", "1", 1);
    start();
    dviISegmentManager* segments = dvisiSegmentManager();
    segments->OpenSegment(0, false);
    const float strip[9] = {0, 0, 0, 10, 0, 0, 0, 10, 0};
    const float normals[9] = {0, 0, 1, 0, 0, 1, 0, 0, 1};
    drawnArrays.clear();
    dvisi3dtristrip(area(3, strip, normals));
    EXPECT_TRUE(drawnArrays.empty());  // collected, not yet drawn
    segments->CloseSegment();
    EXPECT_EQ(drawnArrays, std::vector<GLenum>{GL_TRIANGLES});
}

TEST(SystemVendorInfo, WithoutTheLibraryEverythingIsUnknown) {
    ddzSettings().glRenderer = "ATI Fire GL 4000";
    FillSystemVendorInfo();
    const ddzSystemVendorInfo& v = ddzVendorInfo();
    EXPECT_STREQ(v.model, "UNKNOWN");
    EXPECT_STREQ(v.name, "UNKNOWN");
    EXPECT_EQ(v.systemType, 0);
    EXPECT_EQ(v.graphicsType, 1);  // the renderer still counts
    ddzSettings().glRenderer.clear();
}

unsigned char* record(const char* model, char lengthByte = '0') {
    static unsigned char r[46];
    std::memset(r, ' ', sizeof r);
    std::memcpy(r, "VPD", 3);
    r[3] = static_cast<unsigned char>(lengthByte);
    std::memcpy(r + 11, "BUILD0001", 9);
    std::memcpy(r + 20, "SYS0001", 7);
    std::memcpy(r + 27, "BOARD000001", 11);
    std::memcpy(r + 38, model, 7);
    return r;
}

TEST(SystemVendorInfo, RecordsAreParsedAndModelsNamed) {
    char model[8], system[8], board[12], build[10], name[13];
    int type = -1;
    ASSERT_EQ(ddzParseVPD(record("6203ABC"), model, system, board, build, name, &type), 1);
    EXPECT_STREQ(name, "Cyclops (Tow");
    EXPECT_EQ(type, 1);
    EXPECT_STREQ(model, "6203ABC");
    EXPECT_STREQ(board, "BOARD000001");
    EXPECT_STREQ(build, "BUILD0001");
    ASSERT_EQ(ddzParseVPD(record("9999XYZ"), model, system, board, build, name, &type), 1);
    EXPECT_STREQ(name, "");
    EXPECT_EQ(type, 0);
    EXPECT_EQ(ddzParseVPD(record("6203ABC", '7'), model, system, board, build, name, &type), 0);
}

}  // namespace

namespace {

TEST_F(VertexArrays, TheCollectorTracesEachEndAndItsTableAtLevelTwo) {
    setenv("KOVA_IBM_VA_ENABLED", "1", 1);
    start();
    dviISegmentManager* segments = dvisiSegmentManager();
    segments->OpenSegment(0, false);
    const float strip[15] = {0, 0, 0, 10, 0, 0, 0, 10, 0, 10, 10, 0, 0, 20, 0};
    const float normals[15] = {0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1};
    ddzSettings().infoLevel = 2;
    testing::internal::CaptureStdout();
    dvisi3dtristrip(area(3, strip, normals));
    dvisi3dtristrip(area(5, strip, normals));
    // A mode the collector does not keep goes straight through and leaves nothing to flush.
    va_Dispatch().begin(GL_POLYGON);
    va_Dump(false);
    va_Dispatch().end();
    segments->CloseSegment();
    const std::string out = testing::internal::GetCapturedStdout();
    ddzSettings().infoLevel = 0;
    for (const char* line : {" va_glEnd (GL_TRIANGLES (mod. t-strip)) : Num points = 3\n",
                             " va_glEnd (GL_TRIANGLE_STRIP) : Num points = 5\n", "Unsupported mode: 9\n",
                             "va_End : Dump Called\n", " Primitive       | #Points | #Primitives \n",
                             " Triangles       |        3|            1\n",
                             " Triangle Strips |        5|            1\n"}) {
        EXPECT_NE(out.find(line), std::string::npos) << line << "--- in ---\n" << out;
    }
    EXPECT_EQ(out.find(" Points          |"), std::string::npos);  // empty collections print no row
}

}  // namespace
