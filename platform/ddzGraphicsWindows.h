// The graphics windows and the rendering context of the device.
#pragma once

#include "win32.h"

#include <cstdint>

//! Window geometry exchanged with ddzSyncWindowGeometry: mode -1 reads it from the window.
struct WindowGeometry {
    int mode;
    int x, y, width, height;
};

//! Creates the windows and the context; writes the five outputs only when all exist.
void ddzCreateGraphicsWindows(int32_t* window, int32_t* redMax, int32_t* greenMax, int32_t* blueMax,
                              int32_t* colourMax);
//! Chooses and sets the pixel format, makes a context current on dc; null on failure.
HGLRC ddzSetUpOpenGL(HDC dc, HWND window);
//! Shows the windows once the device is ready, then clears and repaints.
void ddzShowGraphicsWindows();
//! Reads (mode -1), queries (width 0) or sets the window rectangle.
void ddzSyncWindowGeometry(WindowGeometry& g);
//! Forwards a swap-hint rectangle when the implementation has the extension.
void ddzSwapHintRect(int x, int y, int width, int height);
//! Registers "ORBAN Graphics Child" once per process; the stored atom (0 on failure).
ATOM ddzRegisterChildClass(HINSTANCE instance);
//! Creates the graphics child over parent's client area with its device and rendering contexts; false on failure.
bool ddzCreateGraphicsChild(HWND parent, HINSTANCE instance);
//! Asks the host for a status bar of window and configures it; null when none was made.
HWND ddzRequestStatusBar(HWND window, HINSTANCE instance);

LRESULT ddzTopWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT ddzParentGraphicsInput(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT ddzChildGraphicsInput(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
