// WGL over GLX: pixel formats are the screen's window-capable GLX framebuffer
// configurations in the server's order, numbered from 1; rendering contexts are
// GLX contexts. SwapBuffers keeps the GL front buffer equal to what the window
// shows: where a swap leaves the front stale (a software path keeps its own
// copy of the front), the back is copied into it after each swap.
#include "winsys_internal.h"
#include "winsys_x11.h"

#include <GL/gl.h>

#include <cstring>
#include <map>

namespace winsys {
namespace {

constexpr int kSwapMethodOml = 0x8060;
constexpr int kSwapExchangeOml = 0x8061;
constexpr int kSwapCopyOml = 0x8062;
constexpr int kRendererAcceleratedMesa = 0x8186;

struct PixelFormat {
    GLXFBConfig config = nullptr;
    XVisualInfo visual{};
    PIXELFORMATDESCRIPTOR pfd{};
};

struct GlContextRecord {
    GLXContext context = nullptr;
    int pixelFormat = 0;
    bool everCurrent = false;
    bool frontChecked = false;
    bool frontFollowsSwap = true;
};

std::vector<PixelFormat> formats;
bool formatsRead = false;
std::map<uint32_t, GlContextRecord> contexts;
HGLRC currentContext = nullptr;
HDC currentDc = nullptr;

int attribute(GLXFBConfig config, int name) {
    int value = 0;
    glXGetFBConfigAttrib(display(), config, name, &value);
    return value;
}

BYTE lowestBit(unsigned long mask) {
    if (!mask) return 0;
    BYTE shift = 0;
    while (!(mask & 1ul)) mask >>= 1, ++shift;
    return shift;
}

bool hasGlxExtension(const char* name) {
    const char* list = glXQueryExtensionsString(display(), screenNumber());
    if (!list) return false;
    const size_t n = std::strlen(name);
    for (const char* p = std::strstr(list, name); p; p = std::strstr(p + 1, name)) {
        if ((p == list || p[-1] == ' ') && (p[n] == ' ' || p[n] == '\0')) return true;
    }
    return false;
}

// Software renderers are the "generic" implementation of this platform.
bool rendererIsSoftware() {
    if (!hasGlxExtension("GLX_MESA_query_renderer")) return false;
    using Query = Bool (*)(Display*, int, int, int, unsigned*);
    auto query = reinterpret_cast<Query>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXQueryRendererIntegerMESA")));
    unsigned accelerated = 1;
    return query && query(display(), screenNumber(), 0, kRendererAcceleratedMesa, &accelerated) && !accelerated;
}

PIXELFORMATDESCRIPTOR describe(GLXFBConfig config, const XVisualInfo& visual, bool software, bool swapMethodKnown) {
    PIXELFORMATDESCRIPTOR pfd{};
    pfd.nSize = sizeof pfd;
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
    if (attribute(config, GLX_DRAWABLE_TYPE) & GLX_PIXMAP_BIT) pfd.dwFlags |= PFD_DRAW_TO_BITMAP;
    if (attribute(config, GLX_DOUBLEBUFFER)) pfd.dwFlags |= PFD_DOUBLEBUFFER;
    if (attribute(config, GLX_STEREO)) pfd.dwFlags |= PFD_STEREO;
    if (software || attribute(config, GLX_CONFIG_CAVEAT) == GLX_SLOW_CONFIG) pfd.dwFlags |= PFD_GENERIC_FORMAT;
    if (swapMethodKnown && (pfd.dwFlags & PFD_DOUBLEBUFFER)) {
        const int method = attribute(config, kSwapMethodOml);
        if (method == kSwapCopyOml) pfd.dwFlags |= PFD_SWAP_COPY;
        if (method == kSwapExchangeOml) pfd.dwFlags |= PFD_SWAP_EXCHANGE;
    }
    const bool rgba = attribute(config, GLX_RENDER_TYPE) & GLX_RGBA_BIT;
    pfd.iPixelType = rgba ? PFD_TYPE_RGBA : PFD_TYPE_COLORINDEX;
    pfd.cRedBits = static_cast<BYTE>(attribute(config, GLX_RED_SIZE));
    pfd.cGreenBits = static_cast<BYTE>(attribute(config, GLX_GREEN_SIZE));
    pfd.cBlueBits = static_cast<BYTE>(attribute(config, GLX_BLUE_SIZE));
    pfd.cAlphaBits = static_cast<BYTE>(attribute(config, GLX_ALPHA_SIZE));
    pfd.cColorBits = rgba ? static_cast<BYTE>(pfd.cRedBits + pfd.cGreenBits + pfd.cBlueBits)
                          : static_cast<BYTE>(attribute(config, GLX_BUFFER_SIZE));
    pfd.cRedShift = lowestBit(visual.red_mask);
    pfd.cGreenShift = lowestBit(visual.green_mask);
    pfd.cBlueShift = lowestBit(visual.blue_mask);
    if (pfd.cAlphaBits) {
        const unsigned long colourMask = visual.red_mask | visual.green_mask | visual.blue_mask;
        BYTE shift = 0;
        while (shift < 32 && (colourMask >> shift)) ++shift;
        pfd.cAlphaShift = shift;
    }
    pfd.cAccumRedBits = static_cast<BYTE>(attribute(config, GLX_ACCUM_RED_SIZE));
    pfd.cAccumGreenBits = static_cast<BYTE>(attribute(config, GLX_ACCUM_GREEN_SIZE));
    pfd.cAccumBlueBits = static_cast<BYTE>(attribute(config, GLX_ACCUM_BLUE_SIZE));
    pfd.cAccumAlphaBits = static_cast<BYTE>(attribute(config, GLX_ACCUM_ALPHA_SIZE));
    pfd.cAccumBits =
        static_cast<BYTE>(pfd.cAccumRedBits + pfd.cAccumGreenBits + pfd.cAccumBlueBits + pfd.cAccumAlphaBits);
    pfd.cDepthBits = static_cast<BYTE>(attribute(config, GLX_DEPTH_SIZE));
    pfd.cStencilBits = static_cast<BYTE>(attribute(config, GLX_STENCIL_SIZE));
    pfd.cAuxBuffers = static_cast<BYTE>(attribute(config, GLX_AUX_BUFFERS));
    const int level = attribute(config, GLX_LEVEL);
    pfd.iLayerType = static_cast<BYTE>(level > 0 ? PFD_OVERLAY_PLANE : level < 0 ? PFD_UNDERLAY_PLANE : PFD_MAIN_PLANE);
    return pfd;
}

const std::vector<PixelFormat>& pixelFormats() {
    if (formatsRead || !display()) return formats;
    formatsRead = true;
    int count = 0;
    GLXFBConfig* configs = glXGetFBConfigs(display(), screenNumber(), &count);
    const bool software = rendererIsSoftware();
    const bool swapMethodKnown = hasGlxExtension("GLX_OML_swap_method");
    for (int i = 0; i < count; ++i) {
        if (!(attribute(configs[i], GLX_DRAWABLE_TYPE) & GLX_WINDOW_BIT)) continue;
        XVisualInfo* visual = glXGetVisualFromFBConfig(display(), configs[i]);
        if (!visual) continue;
        PixelFormat format;
        format.config = configs[i];
        format.visual = *visual;
        XFree(visual);
        format.pfd = describe(configs[i], format.visual, software, swapMethodKnown);
        formats.push_back(format);
    }
    if (configs) XFree(configs);
    formatsRead = !formats.empty();  // an empty answer is asked again next time
    return formats;
}

const PixelFormat* formatAt(int index) {
    const auto& list = pixelFormats();
    if (index < 1 || index > static_cast<int>(list.size())) return nullptr;
    return &list[static_cast<size_t>(index - 1)];
}

WindowRecord* windowOfDc(HDC hdc) {
    DeviceContextRecord* dc = findDc(hdc);
    return dc ? findWindow(dc->window) : nullptr;
}

GlContextRecord* findContext(HGLRC hglrc) {
    auto it = contexts.find(handleValue(hglrc));
    return it == contexts.end() ? nullptr : &it->second;
}

// Undoes every state change it makes; scissor, blending and the like must not
// touch the copy, and the raster position goes straight to the window origin.
void copyBackToFront(int width, int height) {
    using WindowPos = void (*)(GLint, GLint);
    static auto windowPos = reinterpret_cast<WindowPos>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glWindowPos2i")));
    if (!windowPos || width <= 0 || height <= 0) return;
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    for (GLenum cap : {GL_SCISSOR_TEST, GL_DEPTH_TEST, GL_STENCIL_TEST, GL_BLEND, GL_COLOR_LOGIC_OP, GL_ALPHA_TEST,
                       GL_FOG, GL_TEXTURE_1D, GL_TEXTURE_2D, GL_LIGHTING, GL_DITHER}) {
        glDisable(cap);
    }
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glPixelZoom(1.0f, 1.0f);
    glReadBuffer(GL_BACK);
    glDrawBuffer(GL_FRONT);
    windowPos(0, 0);
    glCopyPixels(0, 0, width, height, GL_COLOR);
    glPopAttrib();
    glFlush();
}

// A swap of a marked back buffer, then a look at the front: does GL's front
// follow the swap? Runs once per context, when it is first made current.
bool frontFollowsSwap(const WindowRecord& w) {
    if (w.width <= 0 || w.height <= 0) return false;
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_SCISSOR_BIT | GL_PIXEL_MODE_BIT);
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDrawBuffer(GL_FRONT);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glDrawBuffer(GL_BACK);
    glClearColor(1.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glXSwapBuffers(display(), w.xwindow);
    GLubyte pixel[4] = {0, 0, 0, 0};
    glReadBuffer(GL_FRONT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    const bool follows = pixel[0] > 200 && pixel[1] < 50 && pixel[2] > 200;
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glDrawBuffer(GL_FRONT_AND_BACK);
    glClear(GL_COLOR_BUFFER_BIT);
    glPopAttrib();
    glFinish();
    while (glGetError() != GL_NO_ERROR) {
    }
    return follows;
}

}  // namespace

void forgetWindowGl(HWND hwnd) {
    DeviceContextRecord* dc = findDc(currentDc);
    if (dc && dc->window == hwnd) wglMakeCurrent(nullptr, nullptr);
}

}  // namespace winsys

using namespace winsys;

extern "C" {

int DescribePixelFormat(HDC hdc, int pixelFormat, UINT bytes, LPPIXELFORMATDESCRIPTOR pfd) {
    if (!findDc(hdc)) {
        setError(ERROR_INVALID_HANDLE);
        return 0;
    }
    const int count = static_cast<int>(pixelFormats().size());
    if (!pfd) return count;
    const PixelFormat* format = formatAt(pixelFormat);
    if (!format) {
        setError(ERROR_INVALID_PIXEL_FORMAT);
        return 0;
    }
    std::memcpy(pfd, &format->pfd, std::min<size_t>(bytes, sizeof(PIXELFORMATDESCRIPTOR)));
    return count;
}

// The first format with the requested buffering that meets the requested depths.
int ChoosePixelFormat(HDC hdc, const PIXELFORMATDESCRIPTOR* want) {
    if (!findDc(hdc) || !want) {
        setError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const DWORD must = want->dwFlags & (PFD_DOUBLEBUFFER | PFD_STEREO | PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL);
    const auto& list = pixelFormats();
    for (size_t i = 0; i < list.size(); ++i) {
        const PIXELFORMATDESCRIPTOR& p = list[i].pfd;
        if ((p.dwFlags & must) != must || p.iPixelType != want->iPixelType) continue;
        if (p.cColorBits < want->cColorBits || p.cDepthBits < want->cDepthBits ||
            p.cStencilBits < want->cStencilBits || p.cAlphaBits < want->cAlphaBits) {
            continue;
        }
        return static_cast<int>(i + 1);
    }
    setError(ERROR_INVALID_PIXEL_FORMAT);
    return 0;
}

BOOL SetPixelFormat(HDC hdc, int format, const PIXELFORMATDESCRIPTOR*) {
    WindowRecord* w = windowOfDc(hdc);
    const PixelFormat* chosen = formatAt(format);
    if (!w || !chosen) {
        setError(w ? ERROR_INVALID_PIXEL_FORMAT : ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (w->pixelFormat) {
        if (w->pixelFormat == format) return TRUE;
        setError(ERROR_INVALID_PIXEL_FORMAT);  // a window's format is set once
        return FALSE;
    }
    if (!recreateWithVisual(*w, chosen->visual)) {
        setError(ERROR_INVALID_PIXEL_FORMAT);
        return FALSE;
    }
    w->pixelFormat = format;
    return TRUE;
}

int GetPixelFormat(HDC hdc) {
    WindowRecord* w = windowOfDc(hdc);
    return w ? w->pixelFormat : 0;
}

HGLRC wglCreateContext(HDC hdc) {
    WindowRecord* w = windowOfDc(hdc);
    const PixelFormat* format = w ? formatAt(w->pixelFormat) : nullptr;
    if (!format) {
        setError(ERROR_INVALID_PIXEL_FORMAT);
        return nullptr;
    }
    XErrorTrap trap;
    GLXContext context = glXCreateNewContext(display(), format->config, GLX_RGBA_TYPE, nullptr, True);
    if (trap.failed() || !context) {
        if (context) glXDestroyContext(display(), context);
        setError(ERROR_INVALID_PIXEL_FORMAT);
        return nullptr;
    }
    const uint32_t value = newHandleValue(HandleKind::GlContext);
    GlContextRecord& record = contexts[value];
    record.context = context;
    record.pixelFormat = w->pixelFormat;
    return toHandle<HGLRC>(value);
}

BOOL wglDeleteContext(HGLRC hglrc) {
    GlContextRecord* record = findContext(hglrc);
    if (!record) {
        setError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (hglrc == currentContext) wglMakeCurrent(nullptr, nullptr);
    glXDestroyContext(display(), record->context);
    contexts.erase(handleValue(hglrc));
    return TRUE;
}

BOOL wglMakeCurrent(HDC hdc, HGLRC hglrc) {
    if (!hglrc) {
        if (display()) glXMakeCurrent(display(), None, nullptr);
        currentContext = nullptr;
        currentDc = nullptr;
        return TRUE;
    }
    GlContextRecord* record = findContext(hglrc);
    WindowRecord* w = windowOfDc(hdc);
    if (!record || !w) {
        setError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (w->pixelFormat != record->pixelFormat) {
        setError(ERROR_INVALID_PIXEL_FORMAT);
        return FALSE;
    }
    XErrorTrap trap;
    const Bool made = glXMakeCurrent(display(), w->xwindow, record->context);
    if (trap.failed() || !made) {
        setError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    currentContext = hglrc;
    currentDc = hdc;
    record->everCurrent = true;
    if (!record->frontChecked) {
        record->frontChecked = true;
        const bool doubleBuffered = formatAt(record->pixelFormat)->pfd.dwFlags & PFD_DOUBLEBUFFER;
        record->frontFollowsSwap = !doubleBuffered || frontFollowsSwap(*w);
    }
    return TRUE;
}

HGLRC wglGetCurrentContext(void) { return currentContext; }

HDC wglGetCurrentDC(void) { return currentDc; }

// GLX shares lists only when a context is made, so the target is made anew
// over the source; as on Windows it must not yet have been used.
BOOL wglShareLists(HGLRC source, HGLRC target) {
    GlContextRecord* from = findContext(source);
    GlContextRecord* to = findContext(target);
    if (!from || !to || to->everCurrent || source == target) {
        setError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const PixelFormat* format = formatAt(to->pixelFormat);
    XErrorTrap trap;
    GLXContext shared = glXCreateNewContext(display(), format->config, GLX_RGBA_TYPE, from->context, True);
    if (trap.failed() || !shared) {
        if (shared) glXDestroyContext(display(), shared);
        setError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    glXDestroyContext(display(), to->context);
    to->context = shared;
    return TRUE;
}

// GLX hands out entry points for any "gl" name; the Windows-only extensions do not exist here.
PROC wglGetProcAddress(LPCSTR name) {
    if (!name) return nullptr;
    const size_t n = std::strlen(name);
    if (n > 3 && std::strcmp(name + n - 3, "WIN") == 0) return nullptr;
    return reinterpret_cast<PROC>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name)));
}

BOOL SwapBuffers(HDC hdc) {
    WindowRecord* w = windowOfDc(hdc);
    if (!w) {
        setError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    const PixelFormat* format = formatAt(w->pixelFormat);
    if (!format || !(format->pfd.dwFlags & PFD_DOUBLEBUFFER)) return format != nullptr;
    glXSwapBuffers(display(), w->xwindow);
    GlContextRecord* record = findContext(currentContext);
    if (record && currentDc == hdc && !record->frontFollowsSwap) copyBackToFront(w->width, w->height);
    return TRUE;
}

}  // extern "C"

extern "C" BOOL winsysCurrentContextCopiesAfterSwap(void) {
    GlContextRecord* record = findContext(currentContext);
    return record && !record->frontFollowsSwap;
}

extern "C" void winsysObjectCounts(int* windows, int* deviceContexts, int* glContexts) {
    if (windows) *windows = static_cast<int>(allWindows().size());
    if (deviceContexts) {
        int n = 0;
        for (WindowRecord* w : allWindows()) n += w->dcGets;
        *deviceContexts = n;
    }
    if (glContexts) *glContexts = static_cast<int>(contexts.size());
}
