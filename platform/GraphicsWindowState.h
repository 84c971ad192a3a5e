// The one record of the graphics windows and the rendering context (the driver
// serves one device at a time). Zero at load.
#pragma once

#include "win32.h"

struct GraphicsWindowState {
    int screenWidth = 0, screenHeight = 0;
    int x = 0, y = 0;
    int width = 0, height = 0;  // the drawing surface every renderer reads
    bool newLayout = false;
    bool infoWindows = false;
    HMODULE resourceModule = nullptr;
    HWND ownerWindow = nullptr;
    HWND topWindow = nullptr;
    HWND topIconWindow = nullptr;
    HWND parentWindow = nullptr;
    HWND separateWindow = nullptr;
    HWND childWindow = nullptr;
    HDC deviceContext = nullptr;
    HGLRC renderingContext = nullptr;
    int pixelFormat = 0;
    HWND statusWindow = nullptr;
    HWND separateStatusWindow = nullptr;
    int statusHeight = 0;
    bool doubleBuffered = false;
    bool swapCopy = false;
    bool forceBackBufferUpdate = false;
    bool swapHint = false;
    void (*swapHintRect)(int, int, int, int) = nullptr;
    ATOM childClassRegistered = 0;
    bool childClassAttempted = false;
    HWND iconPanel = nullptr;
    bool inSizeMove = false;
    bool redrawPending = false;
};

GraphicsWindowState& ddzWindowState();
