// Text drawn by the driver: entry slot 3 at device positions, 3D text of
// class 2 code 4, character markers, with the device's bitmap fonts, read back
// from the graphics window.
#include "GraphicsWindowState.h"
#include "dderr.h"
#include "ddzAttributeState.h"
#include "ddzDLMemory.h"
#include "ddzDispatch.h"
#include "ddzEntrySlots.h"
#include "ddzPrimitiveStatistics.h"
#include "ddzWindowsFonts.h"
#include "dviISegmentManager.h"
#include "dvisi.h"
#include "pelk_test.h"
#include "support/CoreFakes.h"
#include "support/TestFonts.h"
#include "support/TestWindows.h"

#include <GL/gl.h>

#include <cstring>
#include <string>

namespace {

class Text : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::installFaceAliases({{"Lucida Console", "DejaVu Sans Mono"}});
        ddzOpenDevice();
        ddzDeviceGeometry();
        const GraphicsWindowState& w = ddzWindowState();
        width = w.width;
        height = w.height;
        // Normalised units onto the window's pixels, as the host's 2D viewports do.
        glViewport(0, 0, width, height);
        glDisable(GL_SCISSOR_TEST);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, (width - 1) / grdd_c.raster_scale, 0, (height - 1) / grdd_c.raster_scale, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDrawBuffer(GL_BACK);
        glReadBuffer(GL_BACK);
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT);
        grdd_c.text_colour = 0xFFFFFF;
        const int32_t attributes = 4, size = 5;
        float cell[2] = {14.0f / grdd_c.raster_scale, 28.0f / grdd_c.raster_scale};
        ddzCommand(&attributes, &size, nullptr, cell);  // the 14 x 28 font for the next text
        cellWidth = grdd_c.chosen_font_cell[0];
        dvisiSegmentManager()->SetCurrentContext(3, &viewport);
    }
    void TearDown() override { ddzCloseDevice(); }

    //! Lit pixels of the rectangle [x0, x1) x [y0, y1), y from the top.
    int litIn(int x0, int y0, int x1, int y1) const {
        int lit = 0;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                GLubyte rgb[3];
                glReadPixels(x, height - 1 - y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
                lit += rgb[0] > 128;
            }
        }
        return lit;
    }
    static float rasterX() {
        GLfloat p[4] = {};
        glGetFloatv(GL_CURRENT_RASTER_POSITION, p);
        return p[0];
    }
    static void drawAt(int x, int y, const std::string& text) {
        const int32_t px = x, py = y, count = static_cast<int32_t>(text.size());
        ddzDrawText(&px, &py, &count, text.c_str());
    }

    int width = 0, height = 0;
    float cellWidth = 0;
    testsupport::FakeViewport viewport;
};

TEST_F(Text, SlotThreeDrawsAtTheDevicePositionInTheRequestedFont) {
    ASSERT_EQ(OpenGLFontTable().count, 16);
    EXPECT_NEAR(cellWidth, 14.0f, 1.0f);
    drawAt(100, 200, "HELLO");
    glFinish();
    const int w = static_cast<int>(cellWidth);
    EXPECT_GT(litIn(100, 200 - 22, 100 + 5 * w, 200), 100);
    EXPECT_EQ(litIn(60, 150, 98, 230), 0);            // nothing left of the position
    EXPECT_EQ(litIn(100 + 5 * w + 2, 150, 220, 230), 0);  // nor past the five cells
    EXPECT_NEAR(rasterX(), 100.0f + 5.0f * cellWidth, 1.5f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(Text, LongStringsAreCutAndEmptyOnesDrawNothing) {
    const uint32_t before = ddzStatistics().characters;
    drawAt(0, 100, std::string(200, 'H'));
    EXPECT_NEAR(rasterX(), 120.0f * cellWidth, 1.5f);
    EXPECT_EQ(ddzStatistics().characters, before + 120);

    glRasterPos2f(7.0f / grdd_c.raster_scale, 7.0f / grdd_c.raster_scale);
    for (const int32_t count : {0, -3}) {
        const int32_t x = 300, y = 300;
        ddzDrawText(&x, &y, &count, "HELLO");
    }
    EXPECT_NEAR(rasterX(), 7.0f, 0.5f);
    EXPECT_EQ(ddzStatistics().characters, before + 120);
}

TEST_F(Text, CharactersAboveTheSevenBitRangeHaveGlyphs) {
    drawAt(100, 200, "\xC9\xE9");  // E and e with acute accents in the ANSI page
    glFinish();
    EXPECT_GT(litIn(100, 200 - 30, 100 + 2 * static_cast<int>(cellWidth), 200), 40);
    EXPECT_NEAR(rasterX(), 100.0f + 2.0f * cellWidth, 1.5f);
}

TEST_F(Text, TenCharactersCountFiftySixBytes) {
    ddzApplyAttributes(8);  // the colour is then already applied
    ddzDLReset();
    drawAt(10, 100, "0123456789");
    uint32_t size = 0;
    ddzDLSize(&size);
    EXPECT_EQ(size, 56u);  // two list bases, one 2D raster position, ten list calls
}

TEST_F(Text, ThreeDimensionalTextIsDrawnOnlyInAThreeDimensionalContext) {
    const int32_t primitives = 2, text = 4;
    int32_t ints[4] = {3, 0, 0, 0};
    std::memcpy(&ints[1], "ABC ", 4);
    float point[3] = {200.0f / grdd_c.raster_scale, 100.0f / grdd_c.raster_scale, 0.0f};
    grdd_c.dimension = 3;
    ddzAttributes().textPairPending = true;
    ddzCommand(&primitives, &text, ints, point);
    glFinish();
    EXPECT_FALSE(ddzAttributes().textPairPending);
    EXPECT_EQ(pelk::callCount("ddutx2"), 0);
    EXPECT_GT(litIn(200, height - 1 - 100 - 22, 200 + 3 * static_cast<int>(cellWidth), height - 1 - 100), 60);

    glClear(GL_COLOR_BUFFER_BIT);
    dvisiSegmentManager()->SetCurrentContext(2, &viewport);
    ddzCommand(&primitives, &text, ints, point);
    glFinish();
    EXPECT_EQ(litIn(190, height - 1 - 100 - 30, 260, height - 1 - 90), 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(Text, CharacterMarkersUseTheCurrentTextFont) {
    ddzApplyAttributes(8);
    const float at[2] = {300.0f / grdd_c.raster_scale, 100.0f / grdd_c.raster_scale};
    const int32_t ints[1] = {1};
    dvisipolymarker(ints, at, 'W', 2, 0, 0);
    glFinish();
    EXPECT_GT(litIn(300, height - 1 - 100 - 22, 300 + static_cast<int>(cellWidth), height - 1 - 100), 20);
    EXPECT_NEAR(rasterX(), 300.0f + cellWidth, 1.5f);
}

}  // namespace
