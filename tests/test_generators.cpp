// The primitive generators through the visualization API, in a real context:
// the OpenGL primitives they choose, what they draw, and their reports.
#include "dderr.h"
#include "ddzAttributeState.h"
#include "ddzDispatch.h"
#include "ddzBoundingVolume.h"
#include "ddzPhysicalDeviceSegment.h"
#include "ddzPrimitiveStatistics.h"
#include "ddzDeviceSettings.h"
#include "dviISegmentManager.h"
#include "dviIPrimitiveBuffer.h"
#include "dviIViewport.h"
#include "ddzSegmentManager.h"
#include "dviTypes.h"
#include "dvisi.h"
#include "pelk_test.h"
#include "support/CoreFakes.h"
#include "support/TestWindows.h"

#include <dlfcn.h>

#include <string>
#include <vector>

namespace {
std::vector<GLenum> begun;
}

// Interposed for the code of this program (beside the counters of test_attributes.cpp).
extern "C" void glBegin(GLenum mode) {
    begun.push_back(mode);
    static auto next = reinterpret_cast<void (*)(GLenum)>(dlsym(RTLD_NEXT, "glBegin"));
    next(mode);
}

namespace {

using TestViewport = testsupport::FakeViewport;
using EmptyPrimitiveBuffer = testsupport::NullPrimitiveBuffer;

class Generators : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(dvisiInitialize(1, true, false, false, false, 16, window.hwnd(), window.dc()), 0);
        dderrClearList();
        testsupport::projectOntoPixels(64, 64, 10);
        glEnable(GL_LIGHT0);
        ddzAttributes() = ddzAttributeState{};
        grdd_c.line_colour = 0xFF0000;
        grdd_c.line_type = 1;
        grdd_c.line_width = 1.0f;
        segments()->SetCurrentContext(3, &viewport);
        window.clearBack(0x000000);
        begun.clear();
    }
    void TearDown() override {
        bool open = false;
        segments()->SegmentIsOpen(&open);
        if (open) segments()->CloseSegment();
        ddzSegmentManager::DeletePrimitiveBuffer();
        glDisable(GL_LIGHTING);
        dvisiTerminate();
        dderrClearList();
        dderrSetRecording(false);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
    static dviISegmentManager* segments() { return dvisiSegmentManager(); }
    static std::vector<std::string> messages() {
        std::vector<std::string> list;
        for (const dderrRecord* r = dderrFirst(); r; r = r->next) list.emplace_back(r->message);
        return list;
    }
    uint32_t pixel(int x, int y) {
        glFinish();
        return window.glPixel(GL_BACK, x, 63 - y);
    }

    testsupport::GlWindow window{0, 0, 64, 64};
    TestViewport viewport;
};

struct PolylineCase {
    int count;
    int minimum;
    GLenum mode;
};

class PolylineModes : public Generators, public ::testing::WithParamInterface<PolylineCase> {};

TEST_P(PolylineModes, ShortPolylinesAreSeparateLines) {
    const PolylineCase& c = GetParam();
    dvisiTerminate();
    ddzSettings().lineStripMinimum = c.minimum;
    ASSERT_EQ(dvisiInitialize(1, true, false, false, false, 16, window.hwnd(), window.dc()), 0);
    segments()->SetCurrentContext(2, &viewport);
    std::vector<float> points;
    for (int i = 0; i < c.count; ++i) points.insert(points.end(), {4.0f + 10.0f * i, 20.5f});
    const int32_t ints[1] = {c.count};
    begun.clear();
    ASSERT_EQ(dvisipolyline(ints, points.data(), 0xFF0000, 1, 1.0f), 0);
    ASSERT_EQ(begun.size(), 1u);
    EXPECT_EQ(begun[0], c.mode);
    EXPECT_EQ(pixel(8, 20), 0xFF0000u);
    ddzSettings().lineStripMinimum = 2;
}

INSTANTIATE_TEST_SUITE_P(Minimum, PolylineModes,
                         ::testing::Values(PolylineCase{2, 2, GL_LINES}, PolylineCase{3, 2, GL_LINE_STRIP},
                                           PolylineCase{3, 4, GL_LINES}, PolylineCase{5, 4, GL_LINE_STRIP}));

TEST_F(Generators, BadPolylinesAreReportedAndDrawNothing) {
    const int32_t one[1] = {1};
    const float p[6] = {};
    EXPECT_EQ(dvisipolyline(one, p, 0, 1, 1.0f), -1);
    const int32_t two[1] = {2};
    EXPECT_EQ(dvisipolyline(two, nullptr, 0, 1, 1.0f), -1);
    EXPECT_TRUE(begun.empty());
    const auto m = messages();
    ASSERT_GE(m.size(), 2u);
    EXPECT_EQ(m[0], "Invalid number of points");
    EXPECT_EQ(reinterpret_cast<intptr_t>(dderrFirst()->object), 4);
}

TEST_F(Generators, FilledPolygonTakesTheFillColour) {
    ddzAttributes().fillColour = 0x00FF00;
    const float square[12] = {10, 10, 0, 30, 10, 0, 30, 30, 0, 10, 30, 0};
    const int32_t ints[1] = {4};
    ASSERT_EQ(dvisifilledpolygon(ints, square, 0x00FF00), 0);
    EXPECT_EQ(begun, std::vector<GLenum>{GL_POLYGON});
    EXPECT_EQ(pixel(20, 20), 0x00FF00u);
    EXPECT_EQ(pixel(40, 40), 0x000000u);
}

TEST_F(Generators, TwoDimensionalPolygonOutlineOrHostFill) {
    segments()->SetCurrentContext(2, &viewport);
    const float square[8] = {10.5f, 10.5f, 30.5f, 10.5f, 30.5f, 30.5f, 10.5f, 30.5f};
    const int32_t ints[1] = {4};
    grdd_c.edge_flag = 1;
    ASSERT_EQ(dvisi2dpolygon(ints, 0, 1, square), 0);
    EXPECT_EQ(begun, std::vector<GLenum>{GL_LINE_LOOP});
    EXPECT_EQ(pixel(10, 20), 0xFF0000u);
    EXPECT_EQ(pixel(20, 20), 0x000000u);
    pelk::clearRecordedCalls();
    ASSERT_EQ(dvisi2dpolygon(ints, 1, 0, square), 0);
    EXPECT_EQ(pelk::callCount("ddupg2"), 1);
    grdd_c.edge_flag = 0;
    segments()->SetCurrentContext(3, &viewport);
    EXPECT_EQ(dvisi2dpolygon(ints, 0, 0, square), 2);
    EXPECT_EQ(messages().back(), "Incorrect dimension for adding 2D polygon");
}

dvisiAreaCommand quad(const float* vertices, int kind) {
    dvisiAreaCommand c;
    c.count = 4;
    c.options = 0x10;
    c.flag = 1;
    c.colour = 0xFFFFFF;
    c.kind = kind;
    c.vertices = vertices;
    return c;
}

TEST_F(Generators, LitStripInAnOpenSegmentMarksAreaDataAndItsVolume) {
    ddzSettings().infoLevel = 1;
    const float halfLight[4] = {0.5f, 0.5f, 0.5f, 1.0f};
    glLightfv(GL_LIGHT0, GL_DIFFUSE, halfLight);
    const float strip[12] = {0, 0, 0, 64, 0, 0, 0, 32, 0, 64, 32, 0};
    const float normal[3] = {0, 0, 1};
    dviIPrimitiveBuffer* buffer = nullptr;
    ddzSegmentManager::CreatePrimitiveBuffer(new EmptyPrimitiveBuffer, &buffer);
    segments()->SetCurrentContext(3, &viewport);
    ASSERT_EQ(segments()->OpenSegment(0, false), 0);
    dvisiAreaCommand c = quad(strip, 1);
    c.options = 0x10 | 4;  // direct colour with a facet normal
    c.facetNormal = normal;
    ASSERT_EQ(dvisi3dtristrip(c), 0);
    ASSERT_EQ(segments()->CloseSegment(), 0);
    ddzPhysicalDeviceSegment* s = nullptr;
    segments()->GetSegment(0, &s);
    EXPECT_TRUE(s->Flags() & ddzPhysicalDeviceSegment::kHasArea);
    EXPECT_TRUE(s->GetAreaAsWireframe());
    EXPECT_FALSE(viewport.switchable);
    ASSERT_NE(s->BoundingVolume(), nullptr);
    float box[6];
    s->BoundingVolume()->GetBoundingVolume(box);
    EXPECT_EQ(box[3], 64.0f);
    EXPECT_EQ(ddzStatistics().byVertexCount[4], 1u);
    window.clearBack(0x000000);
    glCallList(s->SegmentList());
    const uint32_t lit = pixel(10, 10);
    EXPECT_NE(lit, 0xFFFFFFu);  // lit by the half-strength light, not drawn in its plain colour
    EXPECT_NEAR(static_cast<int>(lit & 0xff), 128, 3);
    const float fullLight[4] = {1, 1, 1, 1};
    glLightfv(GL_LIGHT0, GL_DIFFUSE, fullLight);
    ddzSettings().infoLevel = 0;
}

TEST_F(Generators, UnlitPolygonIsDrawnInTheFillColour) {
    ddzAttributes().fillColour = 0x0000FF;
    const float triangle[9] = {0, 0, 0, 60, 0, 0, 0, 60, 0};
    dvisiAreaCommand c = quad(triangle, 0);
    c.count = 3;
    ddzSettings().triStripUse = 0;
    EXPECT_EQ(dvisi3dpolygon(c), -1);  // the direct form needs an open segment
    EXPECT_EQ(messages().front(), "Invalid segment pointer");
    ASSERT_EQ(segments()->OpenSegment(0, false), 0);
    segments()->CloseSegment();  // drawing outside a list: immediate
    c.options = 0;               // the indexed form
    ASSERT_EQ(dvisi3dpolygon(c), 0);
    EXPECT_EQ(begun, std::vector<GLenum>{GL_TRIANGLES});
    EXPECT_EQ(pixel(5, 5), 0x0000FFu);
    ddzSettings().triStripUse = 1;
}

TEST_F(Generators, AreaPrimitivesNeedThreeDimensionsAndEnoughPoints) {
    const float points[12] = {};
    segments()->SetCurrentContext(2, &viewport);
    EXPECT_EQ(dvisi3dtristrip(quad(points, 1)), -1);
    EXPECT_EQ(messages().front(), "Incorrect dimension for adding 3D polygon");
    segments()->SetCurrentContext(3, &viewport);
    dderrClearList();
    ddzSettings().triStripUse = 0;
    dvisiAreaCommand four = quad(points, 1);
    four.options = 0;
    ASSERT_EQ(dvisi3dpolygon(four), 0);  // the generator's refusal is reported, not passed up
    EXPECT_EQ(messages(), (std::vector<std::string>{"Invalid number of points", "Error adding 3D Area Primitive"}));
    EXPECT_TRUE(begun.empty());
    ddzSettings().triStripUse = 1;
}

TEST_F(Generators, ClassEightCodeNineDrawsThroughTheDispatcher) {
    ddzAttributes().fillColour = 0x00FF00;
    ddzAttributes().materialKind = 0;
    float strip[12] = {0, 0, 0, 64, 0, 0, 0, 32, 0, 64, 32, 0};
    int32_t ints[3] = {2, 4, 0};  // sub-code 2, four points, the indexed form
    void* extra[6] = {};
    const int32_t c = 8, code = 9;
    ddzCommand(&c, &code, ints, strip, extra);
    EXPECT_EQ(begun, std::vector<GLenum>{GL_TRIANGLE_STRIP});
    EXPECT_EQ(pixel(10, 10), 0x00FF00u);
    EXPECT_TRUE(messages().empty());
}

}  // namespace

#include "ddzMarkerBitmaps.h"
#include "ddzReservedLists.h"

namespace {

class Markers : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(dvisiInitialize(1, true, false, false, false, 5360, window.hwnd(), window.dc()), 0);
        ddzReserveDisplayListGroups(1, 1);
        ddzBuildMarkerBitmaps(ddzReserved().markers);
        testsupport::projectOntoPixels(64, 64, 10);
        ddzAttributes() = ddzAttributeState{};
        grdd_c.marker_colour = 0x00FF00;
        window.clearBack(0x000000);
        pelk::clearRecordedCalls();
    }
    void TearDown() override {
        dvisiTerminate();
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
    uint32_t pixel(int x, int y) {
        glFinish();
        return window.glPixel(GL_BACK, x, 63 - y);
    }
    testsupport::GlWindow window{0, 0, 64, 64};
};

TEST_F(Markers, ThreeDimensionalPlusIsItsBitmap) {
    const float at[6] = {20, 20, 0, 45, 45, 0};
    const int32_t ints[1] = {2};
    ASSERT_EQ(dvisipolymarker(ints, at, 2, 3, 0, 0), 0);
    EXPECT_EQ(pixel(19, 19), 0x00FF00u);  // the centre of the first plus
    EXPECT_EQ(pixel(26, 19), 0x00FF00u);  // its arm
    EXPECT_EQ(pixel(24, 24), 0x000000u);  // not a diagonal
    EXPECT_EQ(pixel(44, 44), 0x00FF00u);  // the second marker
}

TEST_F(Markers, TwoDimensionalShapesAreTheHostsAndPointsAreOurs) {
    const float at[4] = {10.5f, 10.5f, 30.5f, 30.5f};
    const int32_t ints[1] = {2};
    dvisipolymarker(ints, at, 5, 2, 0, 0);
    EXPECT_EQ(pelk::callCount("ddumr2"), 1);
    EXPECT_EQ(pixel(10, 10), 0x000000u);
    dvisipolymarker(ints, at, 1, 2, 0, 0);
    EXPECT_EQ(pixel(10, 10), 0x00FF00u);
    EXPECT_EQ(pixel(30, 30), 0x00FF00u);
}

}  // namespace
