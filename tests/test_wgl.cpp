// Pixel formats, contexts and what the window shows after swaps and front-buffer drawing.
#include "support/TestWindows.h"
#include "winsys_x11.h"

using testsupport::GlWindow;

namespace {

constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;

TEST(PixelFormats, DescribeListsWindowFormatsWithSaneDescriptors) {
    HDC screen = GetDC(nullptr);
    const int count = DescribePixelFormat(screen, 1, 0, nullptr);
    ASSERT_GT(count, 0);
    bool sawDoubleBuffer = false;
    for (int i = 1; i <= count; ++i) {
        PIXELFORMATDESCRIPTOR pfd{};
        ASSERT_EQ(DescribePixelFormat(screen, i, sizeof pfd, &pfd), count);
        EXPECT_EQ(pfd.nSize, sizeof pfd);
        EXPECT_TRUE(pfd.dwFlags & PFD_DRAW_TO_WINDOW);
        EXPECT_TRUE(pfd.dwFlags & PFD_SUPPORT_OPENGL);
        EXPECT_FALSE((pfd.dwFlags & PFD_SWAP_COPY) && (pfd.dwFlags & PFD_SWAP_EXCHANGE));
        if (pfd.dwFlags & (PFD_SWAP_COPY | PFD_SWAP_EXCHANGE)) {
            EXPECT_TRUE(pfd.dwFlags & PFD_DOUBLEBUFFER);
        }
        if (pfd.iPixelType == PFD_TYPE_RGBA) {
            EXPECT_EQ(pfd.cColorBits, pfd.cRedBits + pfd.cGreenBits + pfd.cBlueBits);
        }
        sawDoubleBuffer |= (pfd.dwFlags & PFD_DOUBLEBUFFER) != 0;
    }
    EXPECT_TRUE(sawDoubleBuffer);
    PIXELFORMATDESCRIPTOR pfd{};
    EXPECT_EQ(DescribePixelFormat(screen, count + 1, sizeof pfd, &pfd), 0);
    EXPECT_EQ(DescribePixelFormat(screen, 0, sizeof pfd, &pfd), 0);
    ReleaseDC(nullptr, screen);
}

TEST(PixelFormats, FormatIsSetOnceAndContextsNeedIt) {
    HWND hwnd = testsupport::createTopLevel(0, 0, 32, 32);
    HDC dc = GetDC(hwnd);
    EXPECT_EQ(wglCreateContext(dc), nullptr);  // no format yet
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PIXEL_FORMAT));
    const int format = testsupport::doubleBufferedFormat(dc);
    ASSERT_TRUE(SetPixelFormat(dc, format, nullptr));
    EXPECT_TRUE(SetPixelFormat(dc, format, nullptr));
    EXPECT_FALSE(SetPixelFormat(dc, format == 1 ? 2 : 1, nullptr));
    EXPECT_EQ(GetPixelFormat(dc), format);
    ReleaseDC(hwnd, dc);
    DestroyWindow(hwnd);
}

TEST(Contexts, DoubleBufferedContextDrawsSwapsAndTheWindowShowsIt) {
    GlWindow w(40, 40, 96, 64);
    w.clearBack(kRed);
    EXPECT_EQ(w.glPixel(GL_BACK, 10, 10), kRed);
    ASSERT_TRUE(SwapBuffers(w.dc()));
    EXPECT_EQ(w.shownPixel(10, 10), kRed);
    EXPECT_EQ(w.glPixel(GL_FRONT, 10, 10), kRed);  // the front is what the window shows
    w.clearBack(kGreen);
    SwapBuffers(w.dc());
    EXPECT_EQ(w.shownPixel(90, 60), kGreen);
    EXPECT_EQ(w.glPixel(GL_FRONT, 90, 60), kGreen);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// XOR echo draws straight into the front: it must combine with what is shown.
TEST(Contexts, XorIntoTheFrontCombinesWithTheSwappedPicture) {
    GlWindow w(40, 40, 64, 64);
    w.clearBack(kBlue);
    SwapBuffers(w.dc());
    glDrawBuffer(GL_FRONT);
    testsupport::projectOntoPixels(64, 64, 1);
    glEnable(GL_COLOR_LOGIC_OP);
    glLogicOp(GL_XOR);
    glColor3ub(0xFF, 0xFF, 0x00);
    glRecti(0, 0, 64, 64);
    glDisable(GL_COLOR_LOGIC_OP);
    glFlush();
    EXPECT_EQ(w.shownPixel(32, 32), 0xFFFFFFu);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(Contexts, SwapCopyKeepsScissorAndStateOfTheCaller) {
    GlWindow w(40, 40, 64, 64);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, 8, 8);
    glDrawBuffer(GL_BACK);
    SwapBuffers(w.dc());
    EXPECT_TRUE(glIsEnabled(GL_SCISSOR_TEST));
    GLint drawBuffer = 0;
    glGetIntegerv(GL_DRAW_BUFFER, &drawBuffer);
    EXPECT_EQ(drawBuffer, GL_BACK);
    glDisable(GL_SCISSOR_TEST);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(Contexts, SharedListsAreVisibleInTheSecondContext) {
    GlWindow w(40, 40, 32, 32);
    HGLRC second = wglCreateContext(w.dc());
    ASSERT_NE(second, nullptr);
    ASSERT_TRUE(wglShareLists(w.context(), second));
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    glEndList();
    ASSERT_TRUE(wglMakeCurrent(w.dc(), second));
    EXPECT_EQ(wglGetCurrentContext(), second);
    EXPECT_TRUE(glIsList(list));
    EXPECT_FALSE(wglShareLists(w.context(), second));  // used contexts cannot start sharing
    wglMakeCurrent(w.dc(), w.context());
    EXPECT_TRUE(wglDeleteContext(second));
    glDeleteLists(list, 1);
}

TEST(Contexts, MakeCurrentChecksHandlesAndReleases) {
    GlWindow w(40, 40, 32, 32);
    EXPECT_FALSE(wglMakeCurrent(w.dc(), reinterpret_cast<HGLRC>(static_cast<uintptr_t>(0x03ffffff))));
    EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr));
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    EXPECT_TRUE(wglMakeCurrent(w.dc(), w.context()));
    EXPECT_EQ(wglGetCurrentDC(), w.dc());
}

TEST(Contexts, ProcAddressesExistForGlButNotForWindowsOnlyExtensions) {
    GlWindow w(40, 40, 16, 16);
    EXPECT_NE(wglGetProcAddress("glWindowPos2i"), nullptr);
    EXPECT_EQ(wglGetProcAddress("glAddSwapHintRectWIN"), nullptr);
    EXPECT_EQ(wglGetProcAddress(nullptr), nullptr);
}

TEST(Contexts, ChoosePixelFormatHonoursDoubleBufferingAndDepth) {
    HDC screen = GetDC(nullptr);
    PIXELFORMATDESCRIPTOR want{};
    want.dwFlags = PFD_DOUBLEBUFFER | PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
    want.cColorBits = 24;
    want.cDepthBits = 16;
    const int format = ChoosePixelFormat(screen, &want);
    ASSERT_GT(format, 0);
    PIXELFORMATDESCRIPTOR got{};
    DescribePixelFormat(screen, format, sizeof got, &got);
    EXPECT_TRUE(got.dwFlags & PFD_DOUBLEBUFFER);
    EXPECT_GE(got.cDepthBits, 16);
    ReleaseDC(nullptr, screen);
}

}  // namespace
