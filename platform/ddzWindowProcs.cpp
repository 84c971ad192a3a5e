// The window procedures of the parent graphics window (and the separate
// window) and of the graphics child: keep the child over the parent's client
// area above the status bar, keep the geometry record current, and pass
// keyboard input, close and minimise requests on to the host's windows.
#include "ddzGraphicsWindows.h"

#include "GraphicsWindowState.h"
#include "pelk.h"

namespace {

constexpr UINT kHostEnterSizeMove = 0x8043;
constexpr UINT kHostExitSizeMove = 0x8044;
constexpr int kStatusLayout = 0x1000000;

LRESULT defaultHandling(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return ddzWindowState().newLayout ? DefMDIChildProcA(hwnd, msg, wParam, lParam)
                                      : DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND iconPanel() {
    GraphicsWindowState& s = ddzWindowState();
    if (!s.iconPanel) s.iconPanel = xwuGetIconPanel();
    return s.iconPanel;
}

void forwardToInputRegion(UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND region = xwuGetInputRegion();
    if (region && IsWindowEnabled(region)) {
        SendMessageA(region, msg, wParam, lParam);
        SetFocus(region);
    }
}

LRESULT onCreate(HWND hwnd, LPARAM lParam) {
    if (ddzWindowState().newLayout) return 0;  // the new layout builds the child itself
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    HINSTANCE instance = create ? create->hInstance : nullptr;
    if (!ddzCreateGraphicsChild(hwnd, instance)) return 0;
    ddzWindowState().statusWindow = ddzRequestStatusBar(hwnd, instance);
    return 0;
}

LRESULT onSize(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    GraphicsWindowState& s = ddzWindowState();
    if (wParam == SIZE_MINIMIZED || IsIconic(s.topWindow)) return 0;
    const int newWidth = LOWORD(lParam), newHeight = HIWORD(lParam);
    HWND bar = !s.newLayout ? s.statusWindow : (hwnd == s.separateWindow ? s.separateStatusWindow : nullptr);
    int statusHeight = 0;
    if (bar) {
        RECT r{};
        GetWindowRect(bar, &r);
        s.statusHeight = statusHeight = r.bottom - r.top;
        int layout[3] = {0, newHeight - statusHeight, newWidth};
        wguiStatusWindowControl(kStatusLayout, layout);
    }
    if (s.childWindow) {
        SetWindowPos(s.childWindow, nullptr, 0, 0, newWidth, newHeight - statusHeight, SWP_NOZORDER);
        WindowGeometry fromWindow{-1, 0, 0, 0, 0};
        ddzSyncWindowGeometry(fromWindow);
        RECT child{};
        GetWindowRect(s.childWindow, &child);
        xwurswc(child.right - child.left, child.bottom - child.top);
    }
    s.redrawPending = s.inSizeMove;
    if ((wParam == SIZE_MAXIMIZED || wParam == SIZE_RESTORED) && s.newLayout && hwnd != s.separateWindow) {
        InvalidateRect(GetParent(hwnd), nullptr, FALSE);
    }
    return s.newLayout ? defaultHandling(hwnd, msg, wParam, lParam) : 0;
}

LRESULT onSysCommand(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    GraphicsWindowState& s = ddzWindowState();
    switch (wParam & 0xFFF0) {
        case SC_MINIMIZE:
            if (xwuIsDraftingActive()) return 0;
            if (s.newLayout) return defaultHandling(hwnd, msg, wParam, lParam);
            ShowOwnedPopups(s.topIconWindow, FALSE);
            ShowOwnedPopups(s.topWindow, FALSE);
            CloseWindow(s.topWindow);
            return 0;
        case SC_CLOSE:
            if (xwuIsDraftingActive()) return 0;
            if (HWND panel = iconPanel(); panel && IsWindowEnabled(panel)) SendMessageA(panel, msg, wParam, lParam);
            return 0;
        default: return defaultHandling(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

LRESULT ddzParentGraphicsInput(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    GraphicsWindowState& s = ddzWindowState();
    switch (msg) {
        case WM_CREATE: return onCreate(hwnd, lParam);
        case WM_MOVE:
            if (IsIconic(s.topWindow)) return 0;
            {
                WindowGeometry fromWindow{-1, 0, 0, 0, 0};
                ddzSyncWindowGeometry(fromWindow);
            }
            return 0;
        case WM_SIZE: return onSize(hwnd, msg, wParam, lParam);
        case WM_SETFOCUS:
            if (hwnd != s.separateWindow) SendMessageA(GetParent(hwnd), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hwnd), 0);
            return defaultHandling(hwnd, msg, wParam, lParam);
        case WM_PAINT: {
            const LRESULT result = defaultHandling(hwnd, msg, wParam, lParam);
            if (GetUpdateRect(hwnd, nullptr, FALSE)) ValidateRect(hwnd, nullptr);
            return result;
        }
        case WM_CLOSE:
            if (xwuIsDraftingActive()) return 0;
            if (HWND panel = iconPanel(); panel && IsWindowEnabled(panel)) SendMessageA(panel, WM_CLOSE, wParam, lParam);
            return 0;
        case WM_DISPLAYCHANGE:
            MessageBoxA(hwnd,
                        "Display Settings change detected:\nIf the graphics window does not respond, save all data,\n"
                        "exit the application, and restart it.",
                        "ORBAN Warning", MB_ICONWARNING);
            return defaultHandling(hwnd, msg, wParam, lParam);
        case WM_KEYDOWN:
        case WM_CHAR: forwardToInputRegion(msg, wParam, lParam); return 0;
        case WM_SYSCOMMAND: return onSysCommand(hwnd, msg, wParam, lParam);
        case WM_ENTERSIZEMOVE:
        case kHostEnterSizeMove:
            s.inSizeMove = true;
            s.redrawPending = false;
            return defaultHandling(hwnd, msg, wParam, lParam);
        case WM_EXITSIZEMOVE:
            s.redrawPending = false;
            s.inSizeMove = false;
            return defaultHandling(hwnd, msg, wParam, lParam);
        case kHostExitSizeMove:
            s.redrawPending = false;
            s.inSizeMove = false;
            return 0;
        default: return defaultHandling(hwnd, msg, wParam, lParam);
    }
}

LRESULT ddzChildGraphicsInput(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE:
        case WM_MOVE:
        case WM_SIZE: return 0;
        case WM_PAINT:
            ValidateRect(hwnd, nullptr);
            if (HWND parent = GetParent(hwnd); parent && GetUpdateRect(parent, nullptr, FALSE)) {
                ValidateRect(parent, nullptr);
            }
            return 0;
        case WM_KEYDOWN:
        case WM_CHAR: forwardToInputRegion(msg, wParam, lParam); return 0;
        default: return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}
