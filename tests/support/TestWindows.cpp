#include "TestWindows.h"

namespace testsupport {
namespace {

LRESULT plainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

const char* plainClass() {
    static const char* name = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = plainProc;
        wc.lpszClassName = "vistrel test window";
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        RegisterClassA(&wc);
        return "vistrel test window";
    }();
    return name;
}

HWND createTopLevel(int x, int y, int width, int height, DWORD style) {
    return CreateWindowExA(0, plainClass(), "test", style, x, y, width, height, nullptr, nullptr, nullptr, nullptr);
}

void pumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool pumpUntil(const std::function<bool()>& done, int timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        pumpMessages();
        if (done()) return true;
        if (static_cast<int>(GetTickCount() - start) > timeoutMs) return false;
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    }
}

void projectOntoPixels(int width, int height, double depth) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, width, 0, height, -depth, depth);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

int doubleBufferedFormat(HDC dc) {
    const int count = DescribePixelFormat(dc, 1, 0, nullptr);
    for (int i = 1; i <= count; ++i) {
        PIXELFORMATDESCRIPTOR pfd{};
        DescribePixelFormat(dc, i, sizeof pfd, &pfd);
        const DWORD need = PFD_DOUBLEBUFFER | PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
        if ((pfd.dwFlags & need) == need && !(pfd.dwFlags & PFD_STEREO) && pfd.iPixelType == PFD_TYPE_RGBA &&
            pfd.cDepthBits >= 16 && pfd.cColorBits == 24) {
            return i;
        }
    }
    return 0;
}

GlWindow::GlWindow(int x, int y, int width, int height) : width_(width), height_(height) {
    hwnd_ = createTopLevel(x, y, width, height);
    dc_ = GetDC(hwnd_);
    const int format = doubleBufferedFormat(dc_);
    EXPECT_NE(format, 0);
    EXPECT_TRUE(SetPixelFormat(dc_, format, nullptr));
    ShowWindow(hwnd_, SW_SHOW);
    context_ = wglCreateContext(dc_);
    EXPECT_NE(context_, nullptr);
    EXPECT_TRUE(wglMakeCurrent(dc_, context_));
    pumpUntil([this] {
        RECT r;
        return GetClipBox(dc_, &r) == SIMPLEREGION;
    });
    glViewport(0, 0, width, height);
}

GlWindow::~GlWindow() {
    wglMakeCurrent(nullptr, nullptr);
    if (context_) wglDeleteContext(context_);
    ReleaseDC(hwnd_, dc_);
    DestroyWindow(hwnd_);
    pumpMessages();
}

void GlWindow::clearBack(uint32_t rgb) const {
    glDrawBuffer(GL_BACK);
    glClearColor(static_cast<float>((rgb >> 16) & 0xff) / 255.0f, static_cast<float>((rgb >> 8) & 0xff) / 255.0f,
                 static_cast<float>(rgb & 0xff) / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

uint32_t GlWindow::shownPixel(int x, int y) const {
    glFinish();
    WindowImage image;
    if (!captureWindow(hwnd_, image)) return 0xDEADBEEF;
    return image.at(x, y);
}

uint32_t GlWindow::glPixel(GLenum buffer, int x, int y) const {
    GLint previous = 0;
    glGetIntegerv(GL_READ_BUFFER, &previous);
    glReadBuffer(buffer);
    GLubyte p[4] = {0, 0, 0, 0};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, height_ - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    glReadBuffer(static_cast<GLenum>(previous));
    return (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
}

}  // namespace testsupport
