// Creating the graphics windows (classic and new layout), the rendering
// context, showing the windows, and the window geometry.
#include "ddzGraphicsWindows.h"

#include "GraphicsWindowState.h"
#include "ddzDeviceSettings.h"
#include "ddzDiagnosticMessage.h"
#include "ddzFindPixelFormat.h"
#include "dvisi.h"
#include "pelk.h"

#include <GL/gl.h>

#include <cstdio>
#include <algorithm>
#include <cstring>

namespace {

constexpr int kIconResource = 137;
constexpr DWORD kParentStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
constexpr DWORD kChildStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr int kStatusCreate = 0x400000;
constexpr int kStatusConfiguration[] = {0x10, 0x800, 0x2000, 0x8000, 0x20000, 0x80000, 0x200000};

ATOM registerClass(const char* name, UINT style, WNDPROC proc, HICON icon, HBRUSH background, int extraBytes) {
    WNDCLASSA wc{};
    wc.style = style;
    wc.lpfnWndProc = proc;
    wc.cbWndExtra = extraBytes;
    wc.hInstance = xwuGetAppContext();
    wc.hIcon = icon;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    return RegisterClassA(&wc);
}

HICON applicationIcon() {
    GraphicsWindowState& s = ddzWindowState();
    return s.resourceModule ? LoadIconA(s.resourceModule, MAKEINTRESOURCEA(kIconResource)) : nullptr;
}

// A second open makes its windows anew; those of the previous open go first.
void destroyPreviousWindows() {
    GraphicsWindowState& s = ddzWindowState();
    for (HWND w : {s.childWindow, s.separateWindow, s.newLayout ? nullptr : s.parentWindow, s.topIconWindow,
                   s.ownerWindow}) {
        if (w && IsWindow(w)) DestroyWindow(w);
    }
    const ATOM childClass = s.childClassRegistered;
    const bool attempted = s.childClassAttempted;
    const HMODULE resources = s.resourceModule;
    s = GraphicsWindowState{};
    s.childClassRegistered = childClass;
    s.childClassAttempted = attempted;
    s.resourceModule = resources;
}

int channelMaximum(int bits) { return bits >= 31 ? 0x7fffffff : (1 << bits) - 1; }

}  // namespace

ATOM ddzRegisterChildClass(HINSTANCE) {
    GraphicsWindowState& s = ddzWindowState();
    if (!s.childClassAttempted) {
        s.childClassAttempted = true;
        s.childClassRegistered = registerClass("ORBAN Graphics Child", 0, ddzChildGraphicsInput, nullptr,
                                               static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)), 2);
    }
    return s.childClassRegistered;
}

bool ddzCreateGraphicsChild(HWND parent, HINSTANCE instance) {
    GraphicsWindowState& s = ddzWindowState();
    if (!ddzRegisterChildClass(instance)) {
        ddzReportSystemFailure("ddzParentGraphicsInput graphics child RegisterClass failed");
        return false;
    }
    RECT client{};
    GetClientRect(parent, &client);
    s.childWindow = CreateWindowExA(0, "ORBAN Graphics Child", nullptr, kChildStyle, 0, 0, client.right, client.bottom,
                                    parent, nullptr, instance, nullptr);
    if (!s.childWindow) {
        ddzReportSystemFailure("ddzParentGraphicsInput graphics child CreateWindow failed");
        return false;
    }
    s.deviceContext = GetDC(s.childWindow);
    s.renderingContext = ddzSetUpOpenGL(s.deviceContext, s.childWindow);
    return s.renderingContext != nullptr;
}

HWND ddzRequestStatusBar(HWND window, HINSTANCE instance) {
    void* request[2] = {window, instance};
    if (!wguiStatusWindowControl(kStatusCreate, request)) {
        ddzReportSystemFailure(" Status Window creation failed !");
        return nullptr;
    }
    HWND bar = static_cast<HWND>(request[0]);
    if (bar) {
        for (int code : kStatusConfiguration) wguiStatusWindowControl(code, nullptr);
    }
    return bar;
}

HGLRC ddzSetUpOpenGL(HDC dc, HWND) {
    GraphicsWindowState& s = ddzWindowState();
    int format = 0;
    if (ddzFindPixelFormat(dc, &format, 0) == -1) return nullptr;
    PIXELFORMATDESCRIPTOR pfd{};
    DescribePixelFormat(dc, format, sizeof pfd, &pfd);
    s.doubleBuffered = (pfd.dwFlags & PFD_DOUBLEBUFFER) != 0;
    s.swapCopy = (pfd.dwFlags & PFD_SWAP_COPY) != 0;
    s.forceBackBufferUpdate = false;
    if (silgenv_c("KOVA_FORCE_REFRESH_REPAIR")) {
        ddzDiagnosticMessage("ddzSetUpOpenGL: KOVA_FORCE_REFRESH_REPAIR found and set");
        if (s.swapCopy) {
            s.forceBackBufferUpdate = true;
            ddzDiagnosticMessage("\tForce back buffer update on swap copy system");
        } else {
            ddzDiagnosticMessage("\tSwap copy not supported so flag ignored");
        }
    }
    dvisiSetStencilSize(pfd.cStencilBits);
    if (!SetPixelFormat(dc, format, &pfd)) {
        ddzReportSystemFailure("SetPixelFormat failed");
        return nullptr;
    }
    HGLRC context = wglCreateContext(dc);
    if (!context) {
        ddzReportSystemFailure("wglCreateContext failed");
        return nullptr;
    }
    if (!wglMakeCurrent(dc, context)) {
        ddzReportSystemFailure("wglMakeCurrent failed");
        wglDeleteContext(context);  // nothing else will ever release it
        return nullptr;
    }
    const auto* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    s.swapHint = extensions && std::strstr(extensions, "GL_WIN_swap_hint");
    s.swapHintRect = s.swapHint ? reinterpret_cast<void (*)(int, int, int, int)>(wglGetProcAddress("glAddSwapHintRectWIN"))
                                : nullptr;
    if (ddzSettings().infoLevel != 0) {
        char text[256];
        std::snprintf(text, sizeof text,
                      "Found pixel format %d:\n%d color bits\n%d z depth\n%d dbuf\n%d swapcopy\n%d swaphint\n%d stencil bits",
                      format, pfd.cColorBits, pfd.cDepthBits, s.doubleBuffered, s.swapCopy, s.swapHint,
                      pfd.cStencilBits);
        ddzDiagnosticMessage(text);
    }
    s.pixelFormat = format;
    return context;
}

void ddzCreateGraphicsWindows(int32_t* window, int32_t* redMax, int32_t* greenMax, int32_t* blueMax,
                              int32_t* colourMax) {
    destroyPreviousWindows();
    GraphicsWindowState& s = ddzWindowState();
    s.screenWidth = GetSystemMetrics(SM_CXSCREEN);
    s.screenHeight = GetSystemMetrics(SM_CYSCREEN);
    s.x = s.y = 0;
    s.width = static_cast<int>(static_cast<float>(s.screenWidth) * 0.85f);
    s.height = static_cast<int>(static_cast<float>(s.screenHeight) * 0.83f);
    s.infoWindows = silgenv_c("KOVA_OGL_INFO_WINDOWS") != nullptr;
    if (!s.resourceModule) s.resourceModule = LoadLibraryA("orbanogl.dll");
    HICON icon = applicationIcon();
    HINSTANCE instance = xwuGetAppContext();
    registerClass("ORBAN Graphics Window", 0, ddzParentGraphicsInput, icon,
                  static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)), 0);
    registerClass("wguiTopIconWindow", CS_DBLCLKS, ddzTopWindowProc, icon, nullptr, 0);
    registerClass("wguiOwnerWindow", CS_DBLCLKS, ddzTopWindowProc, icon, nullptr, 0);
    xwuReadWindowStyle();
    s.newLayout = xwuUseNewUILayout() != 0;
    if (HMODULE user32 = GetModuleHandleA("user32.dll")) {
        if (auto disableGhosting = GetProcAddress(user32, "DisableProcessWindowsGhosting")) disableGhosting();
    }

    s.ownerWindow = CreateWindowExA(0, "wguiOwnerWindow", "ORBAN", WS_SYSMENU, -10, -10, 0, 0, nullptr, nullptr,
                                    instance, nullptr);
    if (!s.newLayout) {
        s.topWindow = s.ownerWindow;
        s.topIconWindow = CreateWindowExA(0, "wguiTopIconWindow", "ORBAN", WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, 0, 0,
                                          0, 0, s.ownerWindow, nullptr, instance, nullptr);
        // The parent's creation message builds the child, the context and the status bar.
        s.parentWindow = CreateWindowExA(0, "ORBAN Graphics Window", "ORBAN Graphics", kParentStyle, s.x, s.y, s.width,
                                         s.height, s.topIconWindow, nullptr, instance, nullptr);
    } else {
        s.topWindow = wguiCreateTopWindow(0, 0, s.width, s.screenHeight);
        RECT client{};
        GetClientRect(s.topWindow, &client);
        s.parentWindow = wguiCreateGraphWnd("ORBAN Graphics Window", "ORBAN Graphics",
                                            WS_CHILD | WS_VISIBLE | kParentStyle, &client, s.topWindow, instance);
        if (s.parentWindow && ddzCreateGraphicsChild(s.parentWindow, instance)) {
            s.statusWindow = ddzRequestStatusBar(s.topWindow, instance);
        }
        if (s.parentWindow) {
            SetWindowLongA(s.parentWindow, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&ddzParentGraphicsInput));
        }
        s.separateWindow = CreateWindowExA(0, "ORBAN Graphics Window", "ORBAN Graphics", kParentStyle, s.x, s.y,
                                           s.width, s.height, s.ownerWindow, nullptr, instance, nullptr);
        if (s.separateWindow) s.separateStatusWindow = ddzRequestStatusBar(s.separateWindow, instance);
        wguiSetGraphicsView(s.parentWindow);
    }

    if (!s.parentWindow || !s.childWindow || !s.renderingContext) return;
    PIXELFORMATDESCRIPTOR pfd{};
    DescribePixelFormat(s.deviceContext, s.pixelFormat, sizeof pfd, &pfd);
    *redMax = channelMaximum(pfd.cRedBits);
    *greenMax = channelMaximum(pfd.cGreenBits);
    *blueMax = channelMaximum(pfd.cBlueBits);
    *colourMax = std::max({*redMax, *greenMax, *blueMax});
    *window = static_cast<int32_t>(reinterpret_cast<uintptr_t>(s.parentWindow));
}

void ddzShowGraphicsWindows() {
    GraphicsWindowState& s = ddzWindowState();
    const int show = silgenv_c("StartOrbanWindowsAsIcons") ? SW_SHOWMINIMIZED : xwuGetShowState();
    ShowWindow(s.childWindow, SW_SHOW);
    if (!s.newLayout) ShowWindow(s.parentWindow, SW_SHOW);
    ShowWindow(s.topWindow, show);
    dvisiClearDevice(s.width, s.height);
    UpdateWindow(s.parentWindow);
}

void ddzSyncWindowGeometry(WindowGeometry& g) {
    GraphicsWindowState& s = ddzWindowState();
    const bool keepPosition = s.newLayout && IsIconic(s.topWindow);
    RECT r{};
    if (g.mode == -1) {
        GetWindowRect(s.childWindow, &r);
        if (!keepPosition) s.x = r.left, s.y = r.top;
        if (r.right - r.left != s.width || r.bottom - r.top != s.height) {
            s.width = r.right - r.left;
            s.height = r.bottom - r.top;
            ddursw();
        }
        return;
    }
    if (g.width == 0) {
        g.x = s.x, g.y = s.y, g.width = s.width, g.height = s.height;
        return;
    }
    RECT before{};
    GetWindowRect(s.parentWindow, &before);
    SetWindowPos(s.parentWindow, nullptr, g.x, g.y, g.width, g.height,
                 keepPosition ? SWP_NOZORDER | SWP_NOMOVE : SWP_NOZORDER);
    if (s.newLayout && before.right - before.left == g.width && before.bottom - before.top == g.height) {
        // No size message follows: bring the child to the parent's client size here.
        RECT client{}, child{};
        GetClientRect(s.parentWindow, &client);
        GetWindowRect(s.childWindow, &child);
        if (client.right != child.right - child.left || client.bottom != child.bottom - child.top) {
            const int statusHeight = GetParent(s.childWindow) == s.separateWindow ? s.statusHeight : 0;
            SetWindowPos(s.childWindow, nullptr, 0, 0, client.right, client.bottom - statusHeight, SWP_NOZORDER);
            WindowGeometry fromWindow{-1, 0, 0, 0, 0};
            ddzSyncWindowGeometry(fromWindow);
            const int32_t redraw = 3, done = 0;
            dducws(&redraw);
            dducws(&done);
            xwurswc(s.width, s.height);
        }
    }
    GetWindowRect(s.childWindow, &r);
    if (!keepPosition) s.x = r.left, s.y = r.top;
    s.width = r.right - r.left;
    s.height = r.bottom - r.top;
    g.x = s.x, g.y = s.y, g.width = s.width, g.height = s.height;
}

void ddzSwapHintRect(int x, int y, int width, int height) {
    if (auto hint = ddzWindowState().swapHintRect) hint(x, y, width, height);
}

LRESULT ddzTopWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    GraphicsWindowState& s = ddzWindowState();
    switch (msg) {
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            if (info) info->ptMinTrackSize = POINT{0, 0};
            return 0;
        }
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_CLOSE) return 0;
            if ((wParam & 0xFFF0) == SC_RESTORE && hwnd == s.ownerWindow) {
                const LRESULT result = DefWindowProcA(hwnd, msg, wParam, lParam);
                xwuShowMappedPopups(1);
                return result;
            }
            break;
        case WM_SIZE:
            if (wParam == SIZE_MINIMIZED || wParam == SIZE_RESTORED) {
                const BOOL shown = wParam != SIZE_MINIMIZED;
                ShowOwnedPopups(GetParent(s.childWindow), shown);
                if (s.topIconWindow) ShowOwnedPopups(s.topIconWindow, shown);
            }
            break;
        default: break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}
