// The main job: a window with a double-buffered OpenGL context in the X
// display, cleared and swapped, and a PNG of what the window then shows.
#include "window_capture.h"

#include <GL/gl.h>

#include <cstdio>

namespace {

LRESULT demoWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

int fail(const char* what) {
    std::fprintf(stderr, "vistrel_demo: %s failed (error %u)\n", what, static_cast<unsigned>(GetLastError()));
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    const char* output = argc > 1 ? argv[1] : "vistrel_demo.png";
    WNDCLASSA wc{};
    wc.lpfnWndProc = demoWindowProc;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = "vistrel demo";
    if (!RegisterClassA(&wc)) return fail("RegisterClassA");
    HWND window = CreateWindowExA(0, "vistrel demo", "vistrel", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr,
                                  nullptr, nullptr, nullptr);
    if (!window) return fail("CreateWindowExA");
    HDC dc = GetDC(window);
    PIXELFORMATDESCRIPTOR want{};
    want.nSize = sizeof want;
    want.nVersion = 1;
    want.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    want.iPixelType = PFD_TYPE_RGBA;
    want.cColorBits = 24;
    want.cDepthBits = 16;
    const int format = ChoosePixelFormat(dc, &want);
    if (!format || !SetPixelFormat(dc, format, &want)) return fail("SetPixelFormat");
    ShowWindow(window, SW_SHOW);
    HGLRC context = wglCreateContext(dc);
    if (!context || !wglMakeCurrent(dc, context)) return fail("wglCreateContext");

    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    glViewport(0, 0, 640, 480);
    glClearColor(0.1f, 0.2f, 0.4f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    SwapBuffers(dc);
    glFinish();

    WindowImage image;
    if (!captureWindow(window, image) || !writePng(image, output)) return fail("capture");
    std::printf("vistrel_demo: %s (%dx%d, renderer %s, centre pixel #%06x)\n", output, image.width, image.height,
                reinterpret_cast<const char*>(glGetString(GL_RENDERER)), image.at(320, 240));
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(context);
    ReleaseDC(window, dc);
    DestroyWindow(window);
    return glGetError() == GL_NO_ERROR ? 0 : 1;
}
