// Attributes carried into OpenGL by entry slot 1 and set by class 4, with the
// OpenGL calls actually issued counted through interposed entry points.
#include "dderr.h"
#include "ddzAttributeState.h"
#include "ddzDispatch.h"
#include "ddzEntrySlots.h"
#include "pelk_test.h"
#include "support/TestWindows.h"

#include <dlfcn.h>

#include <cmath>
#include <map>
#include <string>

namespace {
std::map<std::string, int> issued;

template <typename F>
F real(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}
}  // namespace

// These definitions take the place of libGL's for the code of this test program.
extern "C" {
void glColor3f(GLfloat r, GLfloat g, GLfloat b) {
    ++issued["glColor3f"];
    static auto next = real<void (*)(GLfloat, GLfloat, GLfloat)>("glColor3f");
    next(r, g, b);
}
void glLineWidth(GLfloat width) {
    ++issued["glLineWidth"];
    static auto next = real<void (*)(GLfloat)>("glLineWidth");
    next(width);
}
void glLineStipple(GLint factor, GLushort pattern) {
    ++issued["glLineStipple"];
    static auto next = real<void (*)(GLint, GLushort)>("glLineStipple");
    next(factor, pattern);
}
void glEnable(GLenum cap) {
    ++issued["glEnable"];
    static auto next = real<void (*)(GLenum)>("glEnable");
    next(cap);
}
void glDisable(GLenum cap) {
    ++issued["glDisable"];
    static auto next = real<void (*)(GLenum)>("glDisable");
    next(cap);
}
}

namespace {

int total() {
    int n = 0;
    for (const auto& [name, count] : issued) n += count;
    return n;
}

class Attributes : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::projectOntoPixels(64, 64, 1);
        ddzAttributes() = ddzAttributeState{};
        grdd_c.line_colour = 0xFF0000;
        grdd_c.line_type = 1;
        grdd_c.line_width = 1.0f;
        grdd_c.raster_scale = 63.0f;
        dderrClearList();
        dderrSetRecording(true);
        issued.clear();
    }
    void TearDown() override {
        dderrClearList();
        dderrSetRecording(false);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
    static void command(int c, int code, int32_t* ints, float* reals) { ddzCommand(&c, &code, ints, reals); }

    testsupport::GlWindow window{0, 0, 64, 64};
};

TEST_F(Attributes, SecondApplicationOfTheSameKindIssuesNothing) {
    ddzApplyAttributes(1);
    EXPECT_EQ(issued["glColor3f"], 1);
    EXPECT_EQ(issued["glLineWidth"], 1);
    EXPECT_EQ(issued["glDisable"], 1);
    issued.clear();
    ddzApplyAttributes(1);
    ddzApplyAttributes(99);  // outside 0..12 acts as 1
    EXPECT_EQ(total(), 0);
    for (int kind : {0, 10, 11}) ddzApplyAttributes(kind);
    EXPECT_EQ(total(), 0);
}

TEST_F(Attributes, ClassFourCodeOneReissuesStippleAndWidthButNotColour) {
    ddzApplyAttributes(1);
    command(4, 1, nullptr, nullptr);
    issued.clear();
    ddzApplyAttributes(1);
    EXPECT_EQ(issued["glColor3f"], 0);
    EXPECT_EQ(issued["glLineWidth"], 1);
    EXPECT_EQ(issued["glDisable"], 1);
    ddzForgetColourForSegment();  // a segment opens
    issued.clear();
    ddzApplyAttributes(1);
    EXPECT_EQ(issued["glColor3f"], 1);
    EXPECT_EQ(issued["glLineWidth"], 1);  // the glLineWidth memory went too
}

TEST_F(Attributes, LineTypeFourStipplesWith0x1C47) {
    int32_t type[1] = {4};
    command(4, 10, type, nullptr);
    ddzApplyAttributes(1);
    GLint pattern = 0, factor = 0;
    glGetIntegerv(GL_LINE_STIPPLE_PATTERN, &pattern);
    glGetIntegerv(GL_LINE_STIPPLE_REPEAT, &factor);
    EXPECT_TRUE(glIsEnabled(GL_LINE_STIPPLE));
    EXPECT_EQ(pattern, 0x1C47);
    EXPECT_EQ(factor, 1);
    int32_t unknown[1] = {9};
    command(4, 10, unknown, nullptr);
    issued.clear();
    ddzApplyAttributes(1);
    EXPECT_EQ(issued["glLineStipple"] + issued["glEnable"] + issued["glDisable"], 0);
    EXPECT_TRUE(glIsEnabled(GL_LINE_STIPPLE));  // left as it was
}

TEST_F(Attributes, DashedLineReadsBackItsPattern) {
    grdd_c.line_type = 2;  // 0x00FF: eight on, eight off
    ddzApplyAttributes(1);
    window.clearBack(0x000000);
    glBegin(GL_LINES);
    glVertex2f(0.0f, 20.5f);
    glVertex2f(64.0f, 20.5f);
    glEnd();
    glFinish();
    const int row = 63 - 20;
    EXPECT_EQ(window.glPixel(GL_BACK, 2, row), 0xFF0000u);
    EXPECT_EQ(window.glPixel(GL_BACK, 12, row), 0x000000u);
    EXPECT_EQ(window.glPixel(GL_BACK, 18, row), 0xFF0000u);
    glDisable(GL_LINE_STIPPLE);
}

TEST_F(Attributes, FilledAreaWithEdgesEndsOnTheFillColour) {
    ddzAttributes().fillColour = 0x00FF00;
    grdd_c.edge_flag = 1;
    ddzApplyAttributes(5);
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(colour[1], 1.0f);
    EXPECT_EQ(colour[0], 0.0f);
    EXPECT_EQ(issued["glColor3f"], 2);  // the edge colour, then the fill colour
    EXPECT_EQ(ddzAttributes().lastEdgeFlag, 1);
    grdd_c.edge_flag = 0;
}

TEST_F(Attributes, PackingTruncatesEachChannel) {
    int32_t packed[1] = {0};
    float rgb[3] = {1.0f, 0.5f, 0.0f};
    command(4, 23, packed, rgb);
    EXPECT_EQ(packed[0], 0xFF7F00);
}

TEST_F(Attributes, IllegalLineWidthIsReportedAndReset) {
    float nan[1] = {std::nanf("")};
    command(4, 3, nullptr, nan);
    EXPECT_EQ(grdd_c.line_width, 1.0f);
    ASSERT_EQ(dderrCount(), 1);
    EXPECT_STREQ(dderrFirst()->message, "DCZC4-ILLEGAL LINE WIDTH");
    EXPECT_EQ(reinterpret_cast<intptr_t>(dderrFirst()->object), 3);
    float wide[1] = {2.5f};
    command(4, 3, nullptr, wide);
    EXPECT_EQ(grdd_c.line_width, 2.5f);
}

TEST_F(Attributes, CellQueryAnswersInNormalisedUnitsAndStoresNothing) {
    grdd_c.raster_scale = 999.0f;
    grdd_c.chosen_font_cell[0] = 3.0f;
    float cell[2] = {0.02f, 0.03f};
    command(4, 25, nullptr, cell);
    EXPECT_FLOAT_EQ(cell[0], 8.0f / 999.0f);
    EXPECT_FLOAT_EQ(cell[1], 16.0f / 999.0f);
    EXPECT_EQ(grdd_c.chosen_font_cell[0], 3.0f);
}

TEST_F(Attributes, EdgeMemoryFollowsColourAndTypeChanges) {
    ddzAttributes().lastEdgeFlag = 1;
    int32_t red[1] = {0xFF0000};
    command(4, 18, red, nullptr);
    EXPECT_EQ(ddzAttributes().lastEdgeFlag, -1);
    ddzAttributes().lastEdgeFlag = 0;
    command(4, 21, red, nullptr);
    EXPECT_EQ(ddzAttributes().lastEdgeFlag, -1);
    EXPECT_EQ(ddzAttributes().fillColour, 0xFF0000);
}

TEST_F(Attributes, NormalisationWindowsAreStored) {
    float window4[4] = {0.1f, 0.2f, 0.3f, 0.4f};
    command(7, 1, nullptr, window4);
    EXPECT_EQ(grdd_c.ndc_window[3], 0.4f);
    command(7, 2, nullptr, window4);
    EXPECT_EQ(grdd_c.clip_window[0], 0.1f);
}

TEST_F(Attributes, PenMovesDrawLinesOnlyWithPenOne) {
    grdd_c.raster_origin[0] = grdd_c.raster_origin[1] = 0.0f;
    grdd_c.raster_x_sense = 1.0f;
    grdd_c.raster_y_sense = -1.0f;
    grdd_c.raster_max[0] = grdd_c.raster_max[1] = 63.0f;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 1, 0, 1, -1, 1);  // normalised units over the window
    window.clearBack(0x000000);
    ddzApplyAttributes(1);
    int32_t move = 0, draw = 1, x0 = 5, y = 30, x1 = 60, x2 = 60, y2 = 50;
    ddzPenMove(&move, &x0, &y);
    ddzPenMove(&draw, &x1, &y);
    ddzPenMove(&move, &x2, &y2);
    glFinish();
    EXPECT_EQ(window.glPixel(GL_BACK, 30, 30), 0xFF0000u);
    EXPECT_EQ(window.glPixel(GL_BACK, 60, 40), 0x000000u);
}

TEST_F(Attributes, TextOnTheTwoDimensionalPathGoesToTheHost) {
    pelk::clearRecordedCalls();
    grdd_c.dimension = 2;
    int32_t pair[2] = {1, 2};
    command(4, 9, pair, nullptr);
    int32_t ints[4] = {3, 0, 0, 0};
    float reals[4] = {0, 0, 0, 0};
    command(2, 4, ints, reals);
    ASSERT_EQ(pelk::callCount("ddumc2"), 1);
    EXPECT_EQ(pelk::recordedCalls().front().numbers, (std::vector<long>{4, 1}));  // the pair was pending
    EXPECT_EQ(pelk::callCount("ddutx2"), 1);
    command(2, 4, ints, reals);
    EXPECT_EQ(pelk::recordedCalls()[2].numbers, (std::vector<long>{4, 0}));
}

TEST_F(Attributes, TriangleStripOfAnotherSubCodeDoesNothing) {
    int32_t ints[2] = {1, 0};
    command(8, 9, ints, nullptr);
    EXPECT_EQ(dderrCount(), 0);
    EXPECT_EQ(total(), 0);
}

}  // namespace
