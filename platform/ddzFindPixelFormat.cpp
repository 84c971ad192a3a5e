#include "ddzFindPixelFormat.h"

#include "ddzDeviceSettings.h"
#include "ddzDiagnosticMessage.h"
#include "pelk.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kSwapCopyBuffering = PFD_DOUBLEBUFFER | PFD_SWAP_COPY;  // 0x401
constexpr int kDoubleBuffering = PFD_DOUBLEBUFFER;                    // 1
constexpr int kSingleBuffering = 0x40000000;

const char* driverLabel(int kind) {
    switch (kind) {
        case 1: return "Hdw ICD";
        case 2: return "Mini CD";
        default: return "GDI Generic";
    }
}

const char* bufferLabel(int format) {
    switch (format) {
        case kSwapCopyBuffering: return "Dbl buf swap copy";
        case kDoubleBuffering: return "Double buffer";
        default: return "Single buffer";
    }
}

bool TestDriverImplementation(const PIXELFORMATDESCRIPTOR& p, int kind) {
    switch (kind) {
        case 1: return !(p.dwFlags & PFD_GENERIC_FORMAT);
        case 2: return (p.dwFlags & PFD_GENERIC_ACCELERATED) != 0;
        default: return (p.dwFlags & PFD_GENERIC_FORMAT) != 0;
    }
}

bool TestStencil(const PIXELFORMATDESCRIPTOR& p, int requirement) { return p.cStencilBits >= requirement; }

bool TestBuffering(const PIXELFORMATDESCRIPTOR& p, int format) {
    switch (format) {
        case kSwapCopyBuffering: return (p.dwFlags & kSwapCopyBuffering) == kSwapCopyBuffering;
        case kDoubleBuffering: return (p.dwFlags & PFD_DOUBLEBUFFER) != 0;
        default: return !(p.dwFlags & PFD_DOUBLEBUFFER);
    }
}

bool TestZBuffer(const PIXELFORMATDESCRIPTOR& p, int minimumDepth) { return p.cDepthBits >= minimumDepth; }

bool TestStereo(const PIXELFORMATDESCRIPTOR& p) { return (p.dwFlags & PFD_STEREO) != 0; }

// A multiple of 8 drops by 9, anything else by 1: 32, 23, 22, ... 16, then below 8 after 16 - 9.
int nextDepth(int depth) { return depth % 8 == 0 ? depth - 9 : depth - 1; }

void logLine(const char* text) {
    if (ddzSettings().infoLevel >= 3) ddzDiagnosticMessage(text);
}

// Tests one candidate; true when it passes every test, in the order given.
bool candidatePasses(const PIXELFORMATDESCRIPTOR& p, int kind, int depth, int stencil, int buffering, bool stereo) {
    if (!TestDriverImplementation(p, kind)) return logLine("\tTestDriverImplementation failed"), false;
    const DWORD needed = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
    if (p.iPixelType != PFD_TYPE_RGBA || (p.dwFlags & needed) != needed) {
        return logLine("\tRGBA or DRAW_WINDOW or SUPPORT_OPENGL not supported"), false;
    }
    if (!TestStencil(p, stencil)) return logLine("\tTestStencil failed"), false;
    if (!TestBuffering(p, buffering)) return logLine("\tTestBuffering failed"), false;
    if (!TestZBuffer(p, depth)) return logLine("\tTestZBuffer failed"), false;
    if (stereo && !TestStereo(p)) return logLine("\tTestStereo failed"), false;
    return true;
}

int startingDriverKind() {
    const char* software = silgenv_c("KOVA_USE_SOFTWARE_OPENGL");
    if (software && std::string(software) == "1") return 3;
    if (software && std::string(software) == "2") return 2;
    return 1;
}

void printRule(char c, int n) {
    for (int i = 0; i < n; ++i) std::putchar(c);
}

}  // namespace

int ddzDeviceFormatSource::Describe(int index, PIXELFORMATDESCRIPTOR* pfd) {
    return DescribePixelFormat(dc_, index, sizeof(PIXELFORMATDESCRIPTOR), pfd);
}

int ddzFindPixelFormat(HDC dc, int* index, int stereo) {
    ddzDeviceFormatSource source(dc);
    return ddzFindPixelFormat(source, index, stereo);
}

int ddzFindPixelFormat(ddzIPixelFormatSource& source, int* index, int stereo) {
    *index = 0;
    if (ddzSettings().infoLevel != 0) OutputPixelFormatTable();
    PIXELFORMATDESCRIPTOR pfd{};
    char text[256];

    if (const char* forced = silgenv_c("KOVA_FORCE_PIXEL_FORMAT")) {
        const int n = std::atoi(forced);
        std::snprintf(text, sizeof text, "KOVA_FORCE_PIXEL_FORMAT set to %d", n);
        ddzDiagnosticMessage(text);
        if (source.Describe(n, &pfd) != 0) {
            if (!stereo || (pfd.dwFlags & PFD_STEREO)) {
                *index = n;
                return 1;
            }
            ddzDiagnosticMessage("KOVA_FORCE_PIXEL_FORMAT value not valid for stereo\ncontinuing with normal search");
        } else {
            ddzDiagnosticMessage("KOVA_FORCE_PIXEL_FORMAT value not valid\ncontinuing with normal search");
        }
    }

    if (stereo) {
        bool anyStereo = false;
        const int count = source.Describe(1, &pfd);
        for (int i = 1; i <= count && !anyStereo; ++i) {
            anyStereo = source.Describe(i, &pfd) != 0 && (pfd.dwFlags & PFD_STEREO);
        }
        if (!anyStereo) return -1;
    }

    const int stencilLevels[] = {2, 1, 0};
    const int monoBuffering[] = {kSwapCopyBuffering, kDoubleBuffering, kSingleBuffering};
    const int stereoBuffering[] = {kDoubleBuffering, kSingleBuffering};
    for (int kind = startingDriverKind(); kind <= 3; ++kind) {
        for (int depth = 32; depth >= 8; depth = nextDepth(depth)) {
            for (int stencil : stencilLevels) {
                if (stereo && stencil != 0) continue;
                for (int b = 0; b < (stereo ? 2 : 3); ++b) {
                    const int buffering = stereo ? stereoBuffering[b] : monoBuffering[b];
                    const int count = source.Describe(1, &pfd);
                    if (count == 0) {
                        std::snprintf(text, sizeof text, "ddzFindPixelFormat DescribePixelFormat failed for index %d", 1);
                        ddzReportSystemFailure(text);
                        return -1;
                    }
                    for (int i = 1; i <= count; ++i) {
                        if (ddzSettings().infoLevel >= 3) {
                            std::snprintf(text, sizeof text,
                                          "ddzFindPixelFormat testing index %d for\n%s driver\n%s buffer format\n"
                                          "%d stencil depth\n%d zbuf depth\n%d stereo",
                                          i, driverLabel(kind), bufferLabel(buffering), stencil, depth, stereo);
                            ddzDiagnosticMessage(text);
                        }
                        if (source.Describe(i, &pfd) == 0) continue;
                        if (candidatePasses(pfd, kind, depth, stencil, buffering, stereo != 0)) {
                            *index = i;
                            return 1;
                        }
                    }
                }
            }
        }
    }
    return -1;
}

void OutputPixelFormatTable() {
    HDC screen = GetDC(nullptr);
    ddzDeviceFormatSource source(screen);
    OutputPixelFormatTable(source);
    ReleaseDC(nullptr, screen);
}

void OutputPixelFormatTable(ddzIPixelFormatSource& source) {
    PIXELFORMATDESCRIPTOR pfd{};
    int count = source.Describe(1, &pfd);
    if (count == 0) {
        std::printf("\nOutputPixelFormatTable:  no pixel formats available????\n");
        return;
    }
    std::printf("\nOutputPixelFormatTable:  Device OpenGL and Pixel Format Information\n");
    printRule('=', 67);
    std::printf("\n<");
    printRule('=', 31);
    std::printf(" Set console width to at least 110 ");
    printRule('=', 37);
    std::printf(">\n");
    std::printf("\nDevice Pixel Format Support Information\n");
    printRule('-', 39);
    std::printf("\n");
    std::printf("Property Flags:\n");
    std::printf("\tWi - DRAW_TO_WINDOW       Bi - DARW_TO_BITMAP  Gd - SUPPORT_GDI   Op - SUPPORT_OPENGL\n");
    std::printf("\tAc - GENERIC_ACCELERATED  Gf - GENERIC_FORMAT  Pa - NEED_PALETTE  Sy - NEED_SYSTEM_PALETTE\n");
    std::printf("\tSt - STEREO               SwL - SWAP_LAYER_BUFFERS\n\n");
    std::printf("     Pixel   Color Information     Buffer                      Layer  Und         Property Flags         \n");
    std::printf("Indx Type  Tot(r/g/b/abits.shft)  DB-CP-EX Zb Stn Acm Aux LaT Ovr/Und VsM  Wi Bi Gd Op Ac Gf Pa Sy St SwL\n");
    printRule('-', 105);
    std::printf("\n");
    const DWORD flagColumns[] = {PFD_DRAW_TO_WINDOW,      PFD_DRAW_TO_BITMAP, PFD_SUPPORT_GDI,  PFD_SUPPORT_OPENGL,
                                 PFD_GENERIC_ACCELERATED, PFD_GENERIC_FORMAT, PFD_NEED_PALETTE, PFD_NEED_SYSTEM_PALETTE,
                                 PFD_STEREO,              PFD_SWAP_LAYER_BUFFERS};
    for (int i = 1; i <= count; ++i) {
        count = source.Describe(i, &pfd);
        if (count == 0) break;
        std::printf("%2d: ", i);
        std::printf(" %-5s ", pfd.iPixelType == PFD_TYPE_RGBA ? "RGBA" : "Index");
        std::printf("%2d ", pfd.cColorBits);
        char bits[64];
        std::snprintf(bits, sizeof bits, "(%d.%d/%d.%d/%d.%d/%d.%d) ", pfd.cRedBits, pfd.cRedShift, pfd.cGreenBits,
                      pfd.cGreenShift, pfd.cBlueBits, pfd.cBlueShift, pfd.cAlphaBits, pfd.cAlphaShift);
        std::printf("%-20s", bits);
        if (pfd.dwFlags & PFD_DOUBLEBUFFER) {
            std::printf("Y ");
            std::printf((pfd.dwFlags & PFD_SWAP_COPY) ? " Y " : " N ");
            std::printf((pfd.dwFlags & PFD_SWAP_EXCHANGE) ? " Y " : " N ");
            std::printf(" ");
        } else {
            std::printf("         ");
        }
        std::printf("%2d ", pfd.cDepthBits);
        std::printf("%2d  ", pfd.cStencilBits);
        std::printf("%3d ", pfd.cAccumBits);
        std::printf("%2d ", pfd.cAuxBuffers);
        std::printf(" ");
        const auto layer = static_cast<signed char>(pfd.iLayerType);
        std::printf(layer > 0 ? " O " : layer < 0 ? " U " : " - ");
        std::printf(" %2d / %-2d ", pfd.bReserved & 0x0f, (pfd.bReserved >> 4) & 0x0f);
        std::printf(" %d ", static_cast<int>(pfd.dwVisibleMask));
        std::printf("   ");
        for (DWORD flag : flagColumns) std::printf((pfd.dwFlags & flag) ? "Y  " : "   ");
        std::printf("\n");
    }
}
