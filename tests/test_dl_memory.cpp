// The display-list memory estimate: byte weights, base memory and overflow.
#include "dderr.h"
#include "ddzDLMemory.h"
#include "ddzMarkerBitmaps.h"

#include <gtest/gtest.h>

namespace {

class DisplayListMemory : public ::testing::Test {
protected:
    void SetUp() override {
        ddzDLReset();
        ddzDLResetBase();
        dderrClearList();
        dderrSetRecording(true);
    }
    void TearDown() override {
        ddzDLReset();
        ddzDLResetBase();
        dderrClearList();
        dderrSetRecording(false);
    }
    static uint32_t size() {
        uint32_t s = 0;
        ddzDLSize(&s);
        return s;
    }
    static uint32_t baseSize() {
        uint32_t s = 0;
        ddzDLBaseSize(&s);
        return s;
    }
};

TEST_F(DisplayListMemory, TextOfTenCharactersIn2D) {
    ddzDLCountState(ddzDLState::ListBase, 2);
    ddzDLCountState(ddzDLState::RasterPosition2D);
    ddzDLCountState(ddzDLState::ListCall, 10);
    EXPECT_EQ(size(), 56u);
}

TEST_F(DisplayListMemory, ThousandTrianglesWithVertexNormals) {
    ddzDLCountArea(ddzDLArea::TriangleLists, 1, 3000, 0, 0, 3000);
    EXPECT_EQ(size(), 72004u);
    ddzDLReset();
    EXPECT_EQ(size(), 0u);
}

TEST_F(DisplayListMemory, PrimitivesPixelsAndWords) {
    ddzDLCountPrimitive(ddzDLPrimitive::Lines, 1, 2, 0);         // 4 + 16
    ddzDLCountPrimitive(ddzDLPrimitive::LineStrips, 1, 0, 3);    // 4 + 36
    ddzDLCountPixels(2, 10);                                     // 8 + 160
    ddzDLCountWords(5);                                          // 20
    ddzDLCountState(ddzDLState::PolygonStipple);                 // 128
    ddzDLCountState(ddzDLState::LineStipple);                    // 6
    EXPECT_EQ(size(), 20u + 40u + 168u + 20u + 128u + 6u);
}

TEST_F(DisplayListMemory, TexturesCountTheirMipmapLevels) {
    ddzDLCountTexture(256, 256);
    EXPECT_EQ(baseSize(), 1398080u + 4u);
    ddzDLResetBase();
    ddzDLCountTexture(1, 64);
    EXPECT_EQ(baseSize(), 4u);  // one list, no texels
}

TEST_F(DisplayListMemory, NineMarkerBitmaps) {
    ddzDLCountBitmapLists(9, 17, 17);
    EXPECT_EQ(baseSize(), 9u * 4u + 325u);  // 325.125 bitmap bytes, truncated
    ddzDLCountBitmapLists(1, 2, 2);         // below 8 pixels a bitmap counts one byte
    EXPECT_EQ(baseSize(), 10u * 4u + 326u);
    ddzDLReset();                           // the base memory survives a reset
    EXPECT_EQ(baseSize(), 10u * 4u + 326u);
}

TEST_F(DisplayListMemory, SumsAboveThirtyTwoBitsAreReported) {
    ddzDLCountArea(ddzDLArea::OtherAreas, 0, 0, 0, 0, 4.0e8);  // 4.8e9 bytes
    EXPECT_EQ(size(), 0xFFFFFFFFu);
    ASSERT_EQ(dderrCount(), 1);
    EXPECT_STREQ(dderrFirst()->message, "ddzDLSize size overflows unsigned");
    EXPECT_EQ(dderrFirst()->severity, 2);
}

TEST(MarkerBitmaps, PlusHasItsFullRowAndColumn) {
    const uint8_t* plus = ddzMarkerBitmap(1);
    ASSERT_NE(plus, nullptr);
    EXPECT_EQ(plus[8 * 3], 0xff);  // the middle row is full
    EXPECT_EQ(plus[8 * 3 + 1], 0xff);
    EXPECT_EQ(plus[8 * 3 + 2], 0x01);
    EXPECT_EQ(plus[0], 0x00);      // the middle column: bit 0 of the second byte
    EXPECT_EQ(plus[1], 0x01);
    EXPECT_EQ(ddzMarkerBitmap(9), nullptr);
}

}  // namespace
