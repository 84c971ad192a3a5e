// Segments compiled in a real context: content lists, segment lists per
// display type, transforms, ids, deletion and the reports of each failure.
#include "dderr.h"
#include "ddzBoundingVolume.h"
#include "ddzDLMemory.h"
#include "ddzPhysicalDeviceSegment.h"
#include "ddzSegmentManager.h"
#include "dviDisplayListManager.h"
#include "dviIPrimitiveBuffer.h"
#include "dviIViewport.h"
#include "dviTypes.h"
#include "support/CoreFakes.h"
#include "support/TestWindows.h"

#include <string>
#include <vector>

namespace {

constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00;

using TestViewport = testsupport::FakeViewport;

// Draws a green border line when its lines are emptied into the segment.
class TestPrimitiveBuffer : public dviIPrimitiveBuffer {
public:
    int EmptyPolylineBuffer(int kind) override {
        if (kind == 0) {
            glColor3ub(0, 255, 0);
            glBegin(GL_LINES);
            glVertex2f(0.5f, 40.5f);
            glVertex2f(63.5f, 40.5f);
            glEnd();
        }
        return 0;
    }
    int EmptyTextBuffer() override { return 0; }
    int EmptyPolymarkerBuffer() override { return 0; }
    int Reinitialize(bool) override { return 0; }
    void ClearOutlineDrawing() override {}
};

class Segments : public ::testing::Test {
protected:
    static constexpr uint32_t kReserved = 10;

    void SetUp() override {
        dderrClearList();
        dderrSetRecording(true);
        testsupport::projectOntoPixels(64, 64, 10);
        glEnable(GL_LIGHT0);  // white light along +z; a lit quad turns grey
        ddzPhysicalDeviceSegment::SetDisplayListManager(&lists);
        manager.SetCurrentContext(3, &viewport);
    }
    void TearDown() override {
        ddzSegmentManager::DeletePrimitiveBuffer();
        ddzPhysicalDeviceSegment::SetDisplayListManager(nullptr);
        GLint compiling = -1;
        glGetIntegerv(GL_LIST_INDEX, &compiling);
        EXPECT_EQ(compiling, 0);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        dderrClearList();
        dderrSetRecording(false);
    }

    void useBufferMode() {
        dviIPrimitiveBuffer* out = nullptr;
        ASSERT_EQ(ddzSegmentManager::CreatePrimitiveBuffer(new TestPrimitiveBuffer, &out), 0);
        manager.SetCurrentContext(3, &viewport);
    }

    //! A red quad over the lower half, recorded as an area primitive with its vertices.
    void drawArea(float x0 = 0, float x1 = 64) {
        const float corners[12] = {x0, 0, 0, x1, 0, 0, x1, 32, 0, x0, 32, 0};
        glColor3ub(255, 0, 0);
        glNormal3f(0, 0, 1);
        glBegin(GL_QUADS);
        for (int i = 0; i < 4; ++i) glVertex3fv(corners + 3 * i);
        glEnd();
        ddzDLCountArea(ddzDLArea::OtherAreas, 1, 1, 0, 0, 4);
        manager.AddPrimitiveToSegment(dviAreaPrimitive);
        manager.AddVerticesToBoundingVolume(corners, 4, true, 1);
    }

    uint32_t drawn(ddzPhysicalDeviceSegment* segment, int x, int y) {
        window.clearBack(0x000000);
        glCallList(segment->SegmentList());
        glDisable(GL_LIGHTING);
        return window.glPixel(GL_BACK, x, 63 - y);
    }

    std::vector<std::string> messages() const {
        std::vector<std::string> list;
        for (const dderrRecord* r = dderrFirst(); r; r = r->next) list.emplace_back(r->message);
        return list;
    }

    ddzPhysicalDeviceSegment* segment(int id) {
        ddzPhysicalDeviceSegment* s = nullptr;
        manager.GetSegment(id, &s);
        return s;
    }

    testsupport::GlWindow window{0, 0, 64, 64};
    dviDisplayListManager lists{kReserved};
    TestViewport viewport;
    ddzSegmentManager manager{0};
};

TEST_F(Segments, ShadedAreaIsLitAndWireframeShowsOnlyItsLines) {
    useBufferMode();
    bool bufferMode = false;
    manager.QueryBufferMode(&bufferMode);
    ASSERT_TRUE(bufferMode);
    ASSERT_EQ(manager.OpenSegment(0, false), 0);
    drawArea();
    manager.AddPrimitiveToSegment(dviLinePrimitive);
    ASSERT_EQ(manager.CloseSegment(), 0);
    ddzPhysicalDeviceSegment* s = segment(0);
    const uint32_t lit = drawn(s, 10, 10);
    EXPECT_NE(lit, kRed);
    EXPECT_EQ((lit >> 16) & 0xff, (lit >> 8) & 0xff);  // grey: the light, not the colour
    EXPECT_GT((lit >> 16) & 0xff, 100u);
    EXPECT_EQ(drawn(s, 10, 40), kGreen);
    ASSERT_EQ(s->BuildSegmentList(Wireframe, false, 1), 0);
    EXPECT_EQ(drawn(s, 10, 10), 0x000000u);
    EXPECT_EQ(drawn(s, 10, 40), kGreen);
}

TEST_F(Segments, AreaWithoutBufferModeGoesIntoTheLineList) {
    viewport.displayType = Wireframe;
    manager.SetCurrentContext(3, &viewport);
    manager.OpenSegment(0, false);
    drawArea();
    manager.CloseSegment();
    ddzPhysicalDeviceSegment* s = segment(0);
    EXPECT_EQ(drawn(s, 10, 10), 0x000000u);  // wireframe: area data is not drawn
    s->SetAreaAsWireframe(true);
    s->BuildSegmentList(Wireframe, false, 1);
    EXPECT_EQ(drawn(s, 10, 10), kRed);  // unless it is to show as wireframe, unlit
}

TEST_F(Segments, MixedTypeFourInMixedShadedDrawsShadedAndBecomesThree) {
    useBufferMode();
    manager.SetSegmentMixedModeDisplayType(4);
    manager.OpenSegment(0, false);
    drawArea();
    manager.CloseSegment();
    ddzPhysicalDeviceSegment* s = segment(0);
    ASSERT_EQ(s->BuildSegmentList(MixedShaded, false, 1), 0);
    EXPECT_EQ(s->MixedType(), 3);
    EXPECT_NE(drawn(s, 10, 10), kRed);  // lit
    s->SetMixedType(1);
    s->BuildSegmentList(MixedShaded, false, 1);
    EXPECT_EQ(drawn(s, 10, 10), 0x000000u);  // as wireframe
}

TEST_F(Segments, RejectedTypesLeaveNoListOpen) {
    manager.OpenSegment(0, false);
    drawArea();
    manager.CloseSegment();
    ddzPhysicalDeviceSegment* s = segment(0);
    EXPECT_EQ(s->BuildSegmentList(7, false, 1), 2);
    s->SetMixedType(0);
    EXPECT_EQ(s->BuildSegmentList(MixedHiddenOver, false, 1), 2);
    EXPECT_EQ(messages(), (std::vector<std::string>{"Invalid viewport display type", "Invalid segment mixed mode type"}));
}

TEST_F(Segments, TwoTransformsCompileTwoBracketsAndBothTagsModify) {
    useBufferMode();
    manager.OpenSegment(0, false);
    int32_t first[2] = {}, second[2] = {};
    ASSERT_EQ(manager.SetModelingXform(first), 0);
    drawArea(0, 8);
    ASSERT_EQ(manager.SetModelingXform(second), 0);
    manager.CloseSegment();
    ddzPhysicalDeviceSegment* s = segment(0);
    EXPECT_EQ(first[0], 0);
    EXPECT_NE(first[1], second[1]);
    EXPECT_EQ(s->TransformCount(), -2);
    const float moveRight[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 40, 0, 0, 1};
    ddzPhysicalDeviceSegment* modified = nullptr;
    ASSERT_EQ(manager.ModifyModelingXform(first, moveRight, &modified), 0);
    EXPECT_EQ(modified, s);
    EXPECT_NE(drawn(s, 44, 10), 0x000000u);  // the area moved with the first transform
    EXPECT_EQ(drawn(s, 4, 10), 0x000000u);
    float box[6];
    s->BoundingVolume()->GetBoundingVolume(box);
    EXPECT_FLOAT_EQ(box[0], 40.0f);
    EXPECT_FLOAT_EQ(box[3], 48.0f);
    const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    EXPECT_EQ(manager.ModifyModelingXform(second, identity, &modified), 0);
    const int32_t bogus[2] = {0, 9999};
    EXPECT_EQ(manager.ModifyModelingXform(bogus, identity, &modified), 2);
    EXPECT_EQ(messages(), std::vector<std::string>{"Invalid transform tag for this segment"});
}

TEST_F(Segments, IdsAreDenseAndReusedOnlyWhenDeleted) {
    ASSERT_EQ(manager.OpenSegment(0, false), 0);
    manager.CloseSegment();
    EXPECT_EQ(manager.OpenSegment(2, false), -1);
    EXPECT_EQ(manager.OpenSegment(1, false), 0);
    manager.CloseSegment();
    EXPECT_EQ(manager.OpenSegment(0, false), -1);
    ddzPhysicalDeviceSegment* before = segment(0);
    ASSERT_EQ(manager.DeleteSegment(0), 0);
    EXPECT_TRUE(before->IsDeleted());
    ASSERT_EQ(manager.OpenSegment(0, false), 0);
    manager.CloseSegment();
    EXPECT_EQ(segment(0), before);
    EXPECT_FALSE(before->IsDeleted());
    const auto m = messages();
    ASSERT_GE(m.size(), 3u);
    EXPECT_EQ(m[0], "Attempting to access a non-existent segment");
    EXPECT_EQ(m[1], "User Abort Detected");
    EXPECT_EQ(m[2], "Requesting to allocate a non-deleted segment");
}

TEST_F(Segments, OpeningWhileOpenClosesTheFirst) {
    manager.OpenSegment(0, false);
    drawArea();
    ASSERT_EQ(manager.OpenSegment(1, false), 0);
    EXPECT_EQ(manager.CurrentSegmentId(), 1);
    EXPECT_NE(segment(0)->BoundingVolume(), nullptr);  // closed properly
    manager.CloseSegment();
    EXPECT_EQ(messages(), std::vector<std::string>{"Trying to open segment when another is open"});
    EXPECT_EQ(manager.CloseSegment(), 2);
    EXPECT_EQ(messages().back(), "No segment currently open");
}

TEST_F(Segments, OnlyContributingVerticesMakeABoundingVolume) {
    manager.OpenSegment(0, false);
    const float p[3] = {1, 2, 3};
    manager.AddVerticesToBoundingVolume(p, 1, false, 0x1f);
    manager.CloseSegment();
    EXPECT_EQ(segment(0)->BoundingVolume(), nullptr);
    manager.OpenSegment(1, false);
    manager.AddVerticesToBoundingVolume(p, 1, true, 0x7);  // three attribute values
    manager.AddVerticesToBoundingVolume(p, 1, false, 0x21);  // bit 5 does not count
    manager.CloseSegment();
    ASSERT_NE(segment(1)->BoundingVolume(), nullptr);
    EXPECT_EQ(segment(1)->BoundingVolume()->Complexity(), 4u);
}

TEST_F(Segments, BufferModeFollowsTheViewportsDisplayType) {
    useBufferMode();
    bool bufferMode = false;
    viewport.displayType = Wireframe;
    manager.SetCurrentContext(3, &viewport);
    manager.QueryBufferMode(&bufferMode);
    EXPECT_FALSE(bufferMode);
    viewport.displayType = Shaded;
    manager.SetCurrentContext(2, &viewport);
    manager.QueryBufferMode(&bufferMode);
    EXPECT_FALSE(bufferMode);  // 2D never buffers
    manager.SetCurrentContext(3, &viewport);
    manager.QueryBufferMode(&bufferMode);
    EXPECT_TRUE(bufferMode);
    EXPECT_EQ(manager.SetCurrentContext(4, &viewport), 2);
    EXPECT_EQ(manager.SetCurrentContext(3, nullptr), 2);
    EXPECT_EQ(messages(), (std::vector<std::string>{"Invalid segment dimensionality", "Invalid viewport reference."}));
}

TEST_F(Segments, DeleteAllKeepsReservedListsAndResetsTheHighWaterMark) {
    uint32_t reserved = 0;
    lists.AllocateReservedDisplayListId(&reserved);
    lists.OpenDisplayList(reserved);
    lists.CloseDisplayList();
    manager.OpenSegment(0, false);
    drawArea();
    manager.CloseSegment();
    const uint32_t segmentList = segment(0)->SegmentList();
    ASSERT_TRUE(glIsList(segmentList));
    manager.DeleteAllForNewModelFile();
    lists.DeleteAllViewportDisplayLists();
    EXPECT_EQ(lists.HighestId(), kReserved);
    EXPECT_TRUE(glIsList(reserved));
    EXPECT_FALSE(glIsList(segmentList));
    EXPECT_EQ(manager.OpenSegment(0, false), 0);  // the pool starts again at id 0
    manager.CloseSegment();
}

TEST_F(Segments, DeleteFreesAllFourLists) {
    useBufferMode();
    manager.OpenSegment(0, false);
    drawArea();
    manager.AddPrimitiveToSegment(dviLinePrimitive);
    manager.CloseSegment();
    ddzPhysicalDeviceSegment* s = segment(0);
    const uint32_t names[3] = {s->SegmentList(), s->AreaList(), s->LineList()};
    manager.DeleteSegment(0);
    for (uint32_t n : names) EXPECT_FALSE(glIsList(n)) << n;
    EXPECT_EQ(s->BoundingVolume(), nullptr);
    EXPECT_TRUE(messages().empty());
}

TEST_F(Segments, MemoryCleanupReleasesTheAreaListOnce) {
    useBufferMode();
    manager.OpenSegment(0, false);
    drawArea();
    manager.CloseSegment();
    ddzPhysicalDeviceSegment* s = segment(0);
    EXPECT_GT(s->GetDisplayListMemory(), 0u);
    bool released = false;
    s->MemoryCleanup(Wireframe, &released);
    EXPECT_TRUE(released);
    EXPECT_FALSE(s->Flags() & ddzPhysicalDeviceSegment::kHasArea);
    s->MemoryCleanup(Wireframe, &released);
    EXPECT_FALSE(released);
}

TEST_F(Segments, PartStateAndColour) {
    manager.OpenSegment(0, false);
    EXPECT_EQ(manager.SetSegmentPartState(true), 0);
    drawArea();
    manager.SetSegmentPartState(false);  // accepted and ignored
    EXPECT_TRUE(segment(0)->GetPartState());
    manager.CloseSegment();
    manager.SetSegmentPartState(false);
    manager.OpenSegment(1, false);
    drawArea();
    EXPECT_EQ(manager.SetSegmentPartState(true), -1);
    float rgb[3];
    segment(1)->GetPartColor(rgb);
    EXPECT_EQ(rgb[0], 1.0f);  // white until set
    manager.SetSegmentPartColor(0xFF0000);
    manager.SetSegmentPartColor(0x0000FF);
    segment(1)->GetPartColor(rgb);
    EXPECT_EQ(rgb[0], 1.0f);
    EXPECT_EQ(rgb[2], 0.0f);  // the first colour wins
    manager.CloseSegment();
    EXPECT_EQ(messages(), (std::vector<std::string>{"Error modifying part state", "User Abort Detected"}));
}

TEST_F(Segments, StencilGuardBracketsTheLinesOfAreaSegmentsUnderCapping) {
    useBufferMode();
    viewport.cciActive = true;
    viewport.cciMode = 2;
    manager.OpenSegment(0, false);
    drawArea();
    manager.AddPrimitiveToSegment(dviLinePrimitive);
    glEnable(GL_STENCIL_TEST);
    manager.CloseSegment();
    ddzPhysicalDeviceSegment* s = segment(0);
    glEnable(GL_STENCIL_TEST);
    glCallList(s->SegmentList());
    EXPECT_TRUE(glIsEnabled(GL_STENCIL_TEST));  // re-enabled after the lines
    glDisable(GL_STENCIL_TEST);
    glDisable(GL_LIGHTING);
}

}  // namespace
