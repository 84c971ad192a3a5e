// One small window with a current double-buffered context for a benchmark run.
#pragma once

#include "win32.h"

inline LRESULT benchWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

//! True when the context is current; window and dc receive what was made.
inline bool makeBenchContext(const char* className, HWND* window, HDC* dc) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = benchWindowProc;
    wc.lpszClassName = className;
    RegisterClassA(&wc);
    *window = CreateWindowExA(0, className, "", WS_OVERLAPPEDWINDOW, 0, 0, 64, 64, nullptr, nullptr, nullptr, nullptr);
    *dc = GetDC(*window);
    PIXELFORMATDESCRIPTOR want{};
    want.dwFlags = PFD_DOUBLEBUFFER | PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
    want.cColorBits = 24;
    want.cDepthBits = 16;
    const int format = ChoosePixelFormat(*dc, &want);
    return format && SetPixelFormat(*dc, format, &want) && wglMakeCurrent(*dc, wglCreateContext(*dc));
}
