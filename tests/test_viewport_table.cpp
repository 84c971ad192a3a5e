// The viewport table of the visualization API and the device's OpenGL memory
// total that class 1 code 13 reports: the sum, its cache and its overflow.
#include "dderr.h"
#include "ddzDLMemory.h"
#include "ddzDispatch.h"
#include "dviISegmentManager.h"
#include "dvisi.h"
#include "support/CoreFakes.h"
#include "support/TestWindows.h"

#include <cstring>
#include <string>

namespace {

using testsupport::FakeViewport;

class ViewportTable : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(dvisiInitialize(1, true, false, false, false, 16, window.hwnd(), window.dc()), 0);
        dderrClearList();
        ddzDLResetBase();
    }
    void TearDown() override { dvisiTerminate(); }

    static std::string lastMessage() {
        std::string message;
        for (const dderrRecord* r = dderrFirst(); r; r = r->next) message = r->message;
        return message;
    }
    static uint32_t memory() {
        int32_t ints[1] = {};
        const int32_t deviceControl = 1, code = 13;
        ddzCommand(&deviceControl, &code, ints, nullptr);
        return static_cast<uint32_t>(ints[0]);
    }

    testsupport::GlWindow window{0, 0, 64, 64};
    FakeViewport overlay, second;
};

TEST_F(ViewportTable, SlotsAreCheckedBeforeAViewportIsEntered) {
    struct Case {
        int id;
        bool null;
        const char* message;
    };
    ASSERT_EQ(dvisiAddViewportToList(2, &second), 0);
    for (const Case& c : {Case{5, false, "Invalid viewport identifier"}, Case{-2, false, "Invalid viewport identifier"},
                          Case{0, true, "Invalid viewport pointer"}, Case{2, false, "Trying to overwrite a valid viewport"}}) {
        SCOPED_TRACE(c.id);
        dderrClearList();
        EXPECT_EQ(dvisiAddViewportToList(c.id, c.null ? nullptr : &overlay), 2);
        EXPECT_EQ(lastMessage(), c.message);
    }
    EXPECT_EQ(dvisiViewport(2), &second);
    EXPECT_EQ(dvisiViewport(-1), nullptr);
    EXPECT_EQ(dvisiViewport(7), nullptr);
}

TEST_F(ViewportTable, MemoryIsEveryViewportPlusTheFixedListsAndIsCachedUntilSegmentsChange) {
    ddzDLCountLists(6);
    overlay.displayListBytes = 1000;
    second.displayListBytes = 234;
    ASSERT_EQ(dvisiAddViewportToList(-1, &overlay), 0);
    ASSERT_EQ(dvisiAddViewportToList(2, &second), 0);
    EXPECT_EQ(memory(), 1234u + 24u);
    EXPECT_EQ(second.memoryQueries, 1);

    second.displayListBytes = 2234;
    EXPECT_EQ(memory(), 1258u);  // nothing changed that the driver knows of
    EXPECT_EQ(second.memoryQueries, 1);

    dviISegmentManager* segments = dvisiSegmentManager();
    segments->SetCurrentContext(3, &second);
    ASSERT_EQ(segments->OpenSegment(0, false), 0) << lastMessage();
    ASSERT_EQ(segments->CloseSegment(), 0) << lastMessage();
    EXPECT_EQ(memory(), 3258u);
    ASSERT_EQ(segments->DeleteSegment(0), 0);
    second.displayListBytes = 0;
    EXPECT_EQ(memory(), 1024u);
    EXPECT_EQ(second.memoryQueries, 3);
}

TEST_F(ViewportTable, ATotalBeyondThirtyTwoBitsIsReportedAndSaturates) {
    overlay.displayListBytes = second.displayListBytes = 0xF0000000u;
    ASSERT_EQ(dvisiAddViewportToList(-1, &overlay), 0);
    ASSERT_EQ(dvisiAddViewportToList(0, &second), 0);
    EXPECT_EQ(memory(), 0xFFFFFFFFu);
    EXPECT_EQ(lastMessage(), "dvisiopenglmemory size overflows unsigned");
}

TEST_F(ViewportTable, TerminateEmptiesTheTable) {
    ASSERT_EQ(dvisiAddViewportToList(1, &second), 0);
    dvisiTerminate();
    EXPECT_EQ(dvisiViewport(1), nullptr);
}

}  // namespace
