// The display-list manager in a real context, and the driver's reserved groups.
#include "dderr.h"
#include "ddzDispatch.h"
#include "ddzEntrySlots.h"
#include "ddzDLMemory.h"
#include "ddzReservedLists.h"
#include "ddzWindowsFonts.h"
#include "dviDisplayListManager.h"
#include "dvisi.h"
#include "support/TestWindows.h"

#include <string>
#include <vector>

namespace {

class DisplayLists : public ::testing::Test {
protected:
    void SetUp() override {
        dderrClearList();
        dderrSetRecording(true);
    }
    void TearDown() override {
        dderrClearList();
        dderrSetRecording(false);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
    std::vector<std::string> messages() const {
        std::vector<std::string> list;
        for (const dderrRecord* r = dderrFirst(); r; r = r->next) list.emplace_back(r->message);
        return list;
    }
    testsupport::GlWindow window{0, 0, 16, 16};
};

TEST_F(DisplayLists, ReservedNamesAreHandedOutInOrderUntilExhausted) {
    dviDisplayListManager lists(5);
    uint32_t name = 0;
    for (uint32_t expected = 1; expected <= 5; ++expected) {
        ASSERT_EQ(lists.AllocateReservedDisplayListId(&name), 0);
        EXPECT_EQ(name, expected);
    }
    name = 77;
    EXPECT_EQ(lists.AllocateReservedDisplayListId(&name), 2);
    EXPECT_EQ(name, 77u);  // not written
    EXPECT_EQ(lists.AllocateReservedDisplayListId(&name), 2);
    EXPECT_EQ(messages(), std::vector<std::string>(2, "Exceeding maximum number of reserved display lists"));
}

TEST_F(DisplayLists, DynamicNamesAreConsecutiveAboveTheReservedRange) {
    dviDisplayListManager lists(5);
    uint32_t names[4] = {};
    ASSERT_EQ(lists.AllocateDisplayListIds(4, names), 0);
    EXPECT_GT(names[0], 5u);
    for (int i = 1; i < 4; ++i) EXPECT_EQ(names[i], names[0] + static_cast<uint32_t>(i));
    EXPECT_EQ(lists.HighestId(), names[3]);
    uint32_t none[1] = {9};
    EXPECT_EQ(lists.AllocateDisplayListIds(0, none), 2);
    EXPECT_EQ(messages(), std::vector<std::string>{"Unable to allocate display lists"});
}

TEST_F(DisplayLists, DeletingSkipsReservedNamesAndTracksTheHighWaterMark) {
    dviDisplayListManager lists(5);
    uint32_t names[3] = {};
    lists.AllocateDisplayListIds(3, names);
    for (uint32_t n : names) {
        lists.OpenDisplayList(n);
        lists.CloseDisplayList();
    }
    const uint32_t mixed[2] = {2, names[1]};
    EXPECT_EQ(lists.DeleteDisplayList(2, mixed), 0);
    EXPECT_EQ(messages(), std::vector<std::string>{"Trying to delete reserved display list"});
    EXPECT_FALSE(glIsList(names[1]));
    EXPECT_TRUE(glIsList(names[0]));
    EXPECT_EQ(lists.HighestId(), names[2]);
    lists.DeleteDisplayList(1, &names[2]);
    EXPECT_EQ(lists.HighestId(), names[2] - 1);  // by exactly one, though that name is gone
}

TEST_F(DisplayLists, DeleteAllKeepsTheReservedLists) {
    dviDisplayListManager lists(5);
    uint32_t reserved = 0;
    lists.AllocateReservedDisplayListId(&reserved);
    lists.OpenDisplayList(reserved);
    lists.CloseDisplayList();
    uint32_t names[2] = {};
    lists.AllocateDisplayListIds(2, names);
    lists.OpenDisplayList(names[1]);
    lists.CloseDisplayList();
    EXPECT_EQ(lists.DeleteAllViewportDisplayLists(), 0);
    EXPECT_EQ(lists.HighestId(), 5u);
    EXPECT_TRUE(glIsList(reserved));
    EXPECT_FALSE(glIsList(names[1]));
    EXPECT_EQ(lists.DeleteAllViewportDisplayLists(), 0);  // nothing dynamic left: nothing to do
    EXPECT_TRUE(messages().empty());
}

TEST_F(DisplayLists, InvertedRangeIsReportedAndLeavesNoOpenGlError) {
    dviDisplayListManager lists(5);
    EXPECT_EQ(lists.DeleteRangeDisplayLists(9, 3), 0);
    EXPECT_EQ(messages(), std::vector<std::string>{"Invalid display list range"});
}

TEST_F(DisplayLists, DestructionFreesEveryListReservedOnesIncluded) {
    uint32_t reserved = 0;
    {
        dviDisplayListManager lists(3);
        lists.AllocateReservedDisplayListId(&reserved);
        lists.OpenDisplayList(reserved);
        lists.CloseDisplayList();
    }
    EXPECT_FALSE(glIsList(reserved));
}

TEST_F(DisplayLists, CloseDrainsOpenGlErrorsIntoTheList) {
    dviDisplayListManager lists(1);
    uint32_t name = 0;
    lists.AllocateReservedDisplayListId(&name);
    lists.OpenDisplayList(name);
    GLint value = 0;
    glGetIntegerv(0x7fff, &value);  // queries run at once, even while compiling
    lists.CloseDisplayList();
    EXPECT_EQ(dderrCount(), 1);
    EXPECT_EQ(dderrFirst()->line, 176);
}

TEST(ReservedGroups, EveryOpenReservesTheGroupsInOrderAndTerminateFreesThem) {
    ddzOpenDevice();
    const ddzReservedLists& r = ddzReserved();
    EXPECT_EQ(r.markers, 1u);
    EXPECT_EQ(r.stippleOn, 10u);
    EXPECT_EQ(r.stippleOff, 11u);
    EXPECT_EQ(r.stipplePattern, 12u);
    EXPECT_EQ(r.fonts, 13u);
    EXPECT_EQ(r.surfaceTextureState, 13u + 5328u);
    EXPECT_EQ(r.phongOnOff, 5345u);
    EXPECT_EQ(r.phongTextures, 5357u);
    EXPECT_EQ(r.surfaceTextures, 5358u);
    EXPECT_EQ(r.dynamicDisplayControl, 5359u);
    auto* lists = static_cast<dviDisplayListManager*>(dvisiDisplayListManager());
    ASSERT_NE(lists, nullptr);
    EXPECT_EQ(lists->ReservedCount(), 5360u);
    EXPECT_EQ(lists->HighestId(), 5360u);
    EXPECT_TRUE(glIsList(r.stippleOn));
    EXPECT_TRUE(glIsList(r.stipplePattern));
    EXPECT_TRUE(glIsList(r.dynamicDisplayControl + 1));
    uint32_t next = 0;
    EXPECT_EQ(dvisiAllocateReservedDisplayListId(&next), -1);  // the whole range is taken

    const int32_t deviceControl = 1, terminate = 2;
    ddzCommand(&deviceControl, &terminate, nullptr, nullptr);
    EXPECT_EQ(dvisiDisplayListManager(), nullptr);
    EXPECT_FALSE(glIsList(r.stippleOn));
    EXPECT_EQ(dvisiAllocateReservedDisplayListId(&next), 2);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    ddzCloseDevice();
    dderrClearList();
}

}  // namespace

namespace {

TEST(MarkerLists, OpenCompilesTheNineBitmapsAndCountsTheFixedLists) {
    ddzOpenDevice();
    const uint32_t first = ddzReserved().markers;
    for (uint32_t i = 0; i < 9; ++i) EXPECT_TRUE(glIsList(first + i));
    uint32_t base = 0;
    ddzDLBaseSize(&base);
    // Six fixed lists, nine 17 x 17 marker bitmaps, and 224 characters of each font.
    const ddzOpenGLFontTable& fonts = OpenGLFontTable();
    double fontBytes = 0;
    for (int i = 0; i < fonts.count; ++i) fontBytes += 224.0 * (4 + fonts.fonts[i].width * fonts.fonts[i].height / 8.0);
    EXPECT_EQ(base, static_cast<uint32_t>((6 + 9) * 4 + 325.125 + fontBytes));
    // The plus marker (type 2, list 1) drawn at a raster position; its centre pixel is 8 from the
    // bitmap's corner, which lies 9 below and left of the raster position.
    glViewport(0, 0, 64, 64);
    testsupport::projectOntoPixels(64, 64, 1);
    glDrawBuffer(GL_BACK);
    glDisable(GL_SCISSOR_TEST);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3f(1, 1, 1);
    glRasterPos2i(20, 20);
    glCallList(first + 2 - 1);
    glFinish();
    GLubyte centre[3], arm[3], corner[3];
    glReadBuffer(GL_BACK);
    glReadPixels(19, 19, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, centre);
    glReadPixels(26, 19, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, arm);
    glReadPixels(24, 24, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, corner);
    EXPECT_EQ(centre[0], 255);
    EXPECT_EQ(arm[0], 255);
    EXPECT_EQ(corner[0], 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    ddzCloseDevice();
}

}  // namespace
