// OpenGL errors drained into the error list, and contexts that come and go
// without leaving anything behind.
#include "dderr.h"
#include "pelk_test.h"
#include "support/TestWindows.h"
#include "winsys_x11.h"

#include <GL/glu.h>

namespace {

TEST(OpenGlErrors, AreDrainedIntoTheListWithTheirText) {
    testsupport::GlWindow w(0, 0, 16, 16);
    dderrClearList();
    dderrSetRecording(true);
    glEnable(0x7fff);  // GL_INVALID_ENUM
    dderrCheckOGLError();
    ASSERT_EQ(dderrCount(), 1);
    const dderrRecord* r = dderrFirst();
    EXPECT_STREQ(r->function, "wsgddz/dderr/dderrCheckOGLError");
    EXPECT_EQ(r->severity, 2);
    EXPECT_EQ(r->line, 176);
    EXPECT_STREQ(r->message, reinterpret_cast<const char*>(gluErrorString(GL_INVALID_ENUM)));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    dderrCheckOGLError();  // an empty queue adds nothing
    EXPECT_EQ(dderrCount(), 1);
    dderrClearList();
    dderrSetRecording(false);
}

TEST(Contexts, FiftyOpenCloseCyclesLeaveNoObjectBehind) {
    int windows = 0, dcs = 0, contexts = 0;
    winsysObjectCounts(&windows, &dcs, &contexts);
    for (int cycle = 0; cycle < 50; ++cycle) {
        testsupport::GlWindow w(0, 0, 24, 24);
        w.clearBack(0x123456);
        SwapBuffers(w.dc());
    }
    int windowsAfter = 0, dcsAfter = 0, contextsAfter = 0;
    winsysObjectCounts(&windowsAfter, &dcsAfter, &contextsAfter);
    EXPECT_EQ(windowsAfter, windows);
    EXPECT_EQ(dcsAfter, dcs);
    EXPECT_EQ(contextsAfter, contexts);
}

}  // namespace
