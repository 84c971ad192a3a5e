// Bounding-volume arithmetic, and its outline drawn in a real context.
#include "dderr.h"
#include "ddzBoundingVolume.h"
#include "ddzRendererOGL.h"
#include "support/TestWindows.h"

#include <cmath>

namespace {

TEST(BoundingVolume, OnePointHasZeroDiagonal) {
    ddzBoundingVolume v;
    const float p[3] = {1, 2, 3};
    v.AddVertices(p, 1);
    float box[6], length = -1;
    ASSERT_EQ(v.GetBoundingVolume(box), 0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(box[i], p[i]);
        EXPECT_EQ(box[i + 3], p[i]);
    }
    v.GetBoundingVolumeDiagonal(&length);
    EXPECT_EQ(length, 0.0f);
}

TEST(BoundingVolume, DiagonalIsTheWeightedEstimate) {
    ddzBoundingVolume v;
    const float points[6] = {0, 0, 0, 3, 4, 12};
    v.AddVertices(points, 2);
    float length = 0, centre[3];
    v.GetBoundingVolumeDiagonal(&length);
    EXPECT_FLOAT_EQ(length, static_cast<float>(0.9398 * 12 + 0.3893 * 4 + 0.2987 * 3));
    EXPECT_NEAR(length, 13.7309f, 1e-4f);
    v.GetBoundingVolumeCentroid(centre);
    EXPECT_FLOAT_EQ(centre[2], 6.0f);
}

TEST(BoundingVolume, RotationSwapsTheExtentsAndIsRecomputedLazily) {
    ddzBoundingVolume v;
    const float points[6] = {0, 0, 0, 2, 1, 1};
    v.AddVertices(points, 2);
    float box[6];
    v.GetBoundingVolume(box);
    EXPECT_EQ(box[3], 2.0f);
    const float rotateZ90[16] = {0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    v.SetMatrix(rotateZ90);
    EXPECT_FALSE(v.State() & ddzBoundingVolume::kWorldValid);
    v.GetBoundingVolume(box);
    EXPECT_TRUE(v.State() & ddzBoundingVolume::kWorldValid);
    EXPECT_FLOAT_EQ(box[0], -1.0f);
    EXPECT_FLOAT_EQ(box[3], 0.0f);
    EXPECT_FLOAT_EQ(box[1], 0.0f);
    EXPECT_FLOAT_EQ(box[4], 2.0f);
    float moved[3];
    const float corner[3] = {2, 1, 1};
    v.TransformPoint(corner, moved);
    EXPECT_FLOAT_EQ(moved[0], -1.0f);
    EXPECT_FLOAT_EQ(moved[1], 2.0f);
}

TEST(BoundingVolume, CornersComeInTheirFixedOrder) {
    ddzBoundingVolume v;
    const float points[6] = {0, 0, 0, 1, 2, 3};
    v.AddVertices(points, 2);
    float c[8][3];
    ASSERT_EQ(v.ExtractCorners(c), 0);
    const float expected[8][3] = {{0, 0, 0}, {0, 2, 0}, {1, 0, 0}, {1, 2, 0}, {1, 0, 3}, {1, 2, 3}, {0, 0, 3}, {0, 2, 3}};
    for (int i = 0; i < 8; ++i)
        for (int a = 0; a < 3; ++a) EXPECT_EQ(c[i][a], expected[i][a]) << i;
}

TEST(BoundingVolume, EmptyVolumeRefusesCorners) {
    dderrClearList();
    dderrSetRecording(true);
    ddzBoundingVolume v;
    float c[8][3];
    EXPECT_EQ(v.ExtractCorners(c), 2);
    ASSERT_EQ(dderrCount(), 1);
    EXPECT_STREQ(dderrFirst()->function, "ddzBoundingVolume::ExtractCorners");
    EXPECT_STREQ(dderrFirst()->message, "Invalid bouding volume");
    dderrClearList();
    dderrSetRecording(false);
}

TEST(BoundingVolume, ComplexitySaturatesAtTwentyEightBits) {
    ddzBoundingVolume v;
    v.AddComplexity(ddzBoundingVolume::kComplexityMax - 1);
    v.AddComplexity(5);
    EXPECT_EQ(v.Complexity(), ddzBoundingVolume::kComplexityMax);
    EXPECT_TRUE(v.State() & ddzBoundingVolume::kEmpty);  // the flags beside it are untouched
}

TEST(BoundingVolume, CopyKeepsTheTargetsBit31) {
    ddzBoundingVolume a, b;
    const float p[3] = {4, 5, 6};
    a.AddVertices(p, 1);
    a.AddComplexity(7);
    b.CopyFrom(a);
    EXPECT_EQ(b.State(), a.State());
    EXPECT_EQ(b.ModelBox()[0], 4.0f);
    b.CopyFrom(b);
    EXPECT_EQ(b.Complexity(), 7u);
}

TEST(BoundingVolume, OutlineDrawsEdgesAndRestoresColourAndFill) {
    testsupport::GlWindow w(0, 0, 64, 64);
    ddzRendererOGL renderer(false);
    testsupport::projectOntoPixels(64, 64, 100);
    w.clearBack(0x000000);
    ddzBoundingVolume v;
    const float points[6] = {10.5f, 10.5f, 0, 50.5f, 50.5f, 10};
    v.AddVertices(points, 2);
    glColor3f(0.0f, 0.0f, 1.0f);
    const float red[3] = {1, 0, 0};
    ASSERT_EQ(v.RenderOutline(&renderer, red), 0);
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(colour[2], 1.0f);
    GLint modes[2];
    glGetIntegerv(GL_POLYGON_MODE, modes);
    EXPECT_EQ(modes[0], GL_FILL);
    glFinish();
    EXPECT_EQ(w.glPixel(GL_BACK, 10, 30), 0xFF0000u);  // the left edge
    EXPECT_EQ(w.glPixel(GL_BACK, 30, 30), 0x000000u);  // the inside stays open
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
