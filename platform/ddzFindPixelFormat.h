// Choosing the pixel format of a graphics window: a fixed nested preference
// search (hardware before software, deep depth before shallow, stencil before
// none, swap-copy double buffering before plain before single), with overrides
// from the environment.
#pragma once

#include "win32.h"

//! Where descriptors come from: the display driver, or a table in tests.
class ddzIPixelFormatSource {
public:
    virtual ~ddzIPixelFormatSource() = default;
    //! Fills pfd for a 1-based index; returns the format count, 0 when the index is not valid.
    virtual int Describe(int index, PIXELFORMATDESCRIPTOR* pfd) = 0;
};

//! The formats of a device context.
class ddzDeviceFormatSource : public ddzIPixelFormatSource {
public:
    explicit ddzDeviceFormatSource(HDC dc) : dc_(dc) {}
    int Describe(int index, PIXELFORMATDESCRIPTOR* pfd) override;

private:
    HDC dc_;
};

//! Chooses a format; index receives it (0 when none). Returns 1 when chosen, -1 otherwise.
int ddzFindPixelFormat(ddzIPixelFormatSource& source, int* index, int stereo);
int ddzFindPixelFormat(HDC dc, int* index, int stereo);

//! Prints every format of the screen (or of source) as a table on standard output.
void OutputPixelFormatTable();
void OutputPixelFormatTable(ddzIPixelFormatSource& source);
