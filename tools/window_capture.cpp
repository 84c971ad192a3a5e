#include "window_capture.h"

#include "winsys_x11.h"

#include <X11/Xutil.h>
#include <png.h>

#include <cstdio>

namespace {

int lowestBit(unsigned long mask) {
    int shift = 0;
    while (mask && !(mask & 1ul)) mask >>= 1, ++shift;
    return shift;
}

uint8_t channel(unsigned long pixel, unsigned long mask) {
    if (!mask) return 0;
    const unsigned long value = (pixel & mask) >> lowestBit(mask);
    const unsigned long maximum = mask >> lowestBit(mask);
    return static_cast<uint8_t>(value * 255 / maximum);
}

}  // namespace

uint32_t WindowImage::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return 0;
    const size_t i = (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3;
    return (uint32_t{rgb[i]} << 16) | (uint32_t{rgb[i + 1]} << 8) | rgb[i + 2];
}

bool captureWindow(HWND hwnd, WindowImage& image) {
    Display* display = winsysDisplay();
    const Window window = winsysXWindow(hwnd);
    RECT client{};
    if (!display || !window || !GetClientRect(hwnd, &client) || client.right <= 0 || client.bottom <= 0) return false;
    XSync(display, False);
    XImage* x = XGetImage(display, window, 0, 0, static_cast<unsigned>(client.right),
                          static_cast<unsigned>(client.bottom), AllPlanes, ZPixmap);
    if (!x) return false;
    image.width = client.right;
    image.height = client.bottom;
    image.rgb.resize(static_cast<size_t>(image.width) * static_cast<size_t>(image.height) * 3);
    size_t i = 0;
    for (int row = 0; row < image.height; ++row) {
        for (int col = 0; col < image.width; ++col) {
            const unsigned long pixel = XGetPixel(x, col, row);
            image.rgb[i++] = channel(pixel, x->red_mask);
            image.rgb[i++] = channel(pixel, x->green_mask);
            image.rgb[i++] = channel(pixel, x->blue_mask);
        }
    }
    XDestroyImage(x);
    return true;
}

bool writePng(const WindowImage& image, const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool ok = png && info;
    if (ok && setjmp(png_jmpbuf(png))) ok = false;
    if (ok) {
        png_init_io(png, file);
        png_set_IHDR(png, info, static_cast<png_uint_32>(image.width), static_cast<png_uint_32>(image.height), 8,
                     PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int row = 0; row < image.height; ++row) {
            png_write_row(png, image.rgb.data() + static_cast<size_t>(row) * static_cast<size_t>(image.width) * 3);
        }
        png_write_end(png, nullptr);
    }
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0 && ok;
}
