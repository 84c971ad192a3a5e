// Reading back what a window shows (from the X server, not the GL buffers) and
// writing it as a PNG file.
#pragma once

#include "win32.h"

#include <cstdint>
#include <string>
#include <vector>

struct WindowImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;  // rows top to bottom, three bytes a pixel

    //! Pixel (x, y) counted from the top left, as 0xRRGGBB.
    uint32_t at(int x, int y) const;
};

//! What the X server shows of the window's client area; false when it cannot be read.
bool captureWindow(HWND hwnd, WindowImage& image);
//! Writes the image as an 8-bit RGB PNG; false on failure.
bool writePng(const WindowImage& image, const std::string& path);
