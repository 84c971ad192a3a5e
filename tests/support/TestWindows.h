// Small fixtures for tests that need the X display: windows, a current
// double-buffered context, message pumping and pixel checks.
#pragma once

#include "window_capture.h"
#include "win32.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <functional>

namespace testsupport {

//! Registers (once) the plain test class, whose procedure defers to DefWindowProcA.
const char* plainClass();

HWND createTopLevel(int x, int y, int width, int height, DWORD style = WS_OVERLAPPEDWINDOW);

//! Dispatches every queued message.
void pumpMessages();
//! Pumps until done() or the timeout; true when done() held.
bool pumpUntil(const std::function<bool()>& done, int timeoutMs = 2000);

//! A shown top-level window with a double-buffered RGBA format and a current context.
class GlWindow {
public:
    GlWindow(int x, int y, int width, int height);
    ~GlWindow();
    GlWindow(const GlWindow&) = delete;
    GlWindow& operator=(const GlWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    HDC dc() const { return dc_; }
    HGLRC context() const { return context_; }
    int width() const { return width_; }
    int height() const { return height_; }
    //! Clears the back buffer to a colour (0xRRGGBB) with the full-window viewport.
    void clearBack(uint32_t rgb) const;
    //! What the X server shows at window pixel (x, y from the top left).
    uint32_t shownPixel(int x, int y) const;
    //! A GL buffer's pixel (x, y from the top left).
    uint32_t glPixel(GLenum buffer, int x, int y) const;

private:
    HWND hwnd_ = nullptr;
    HDC dc_ = nullptr;
    HGLRC context_ = nullptr;
    int width_, height_;
};

//! Projection of window pixels (0..width, 0..height, depth -depth..depth); modelview identity.
void projectOntoPixels(int width, int height, double depth);

//! Index of the first double-buffered RGBA window format with a depth buffer, 0 when none.
int doubleBufferedFormat(HDC dc);

}  // namespace testsupport
