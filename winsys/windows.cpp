// Window classes and windows: every window is a real X window; WS_CHILD windows
// are X subwindows of their parent, the others are children of the root (owned
// ones marked transient for their owner). Without a window manager there is no
// frame: a window's outer rectangle and its client area have the same size.
#include "winsys_internal.h"

#include <X11/Xatom.h>

#include <algorithm>
#include <map>
#include <memory>

namespace winsys {
namespace {

std::map<std::string, WindowClass> classes;  // by lower-case name
ATOM nextAtom = 0xC000;
std::vector<std::unique_ptr<WindowRecord>> windows;
std::map<::Window, WindowRecord*> byXWindow;
Atom wmDeleteWindow = 0;

constexpr long kEventMask = ExposureMask | StructureNotifyMask | VisibilityChangeMask | KeyPressMask |
                            KeyReleaseMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                            FocusChangeMask;

std::string lowerCase(const char* text) {
    std::string s = text ? text : "";
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

::Window xParentOf(const WindowRecord& w) {
    if (w.parent) {
        if (WindowRecord* p = findWindow(w.parent)) return p->xwindow;
    }
    return rootWindow();
}

::Window createXWindow(WindowRecord& w, Visual* visual, int depth, Colormap colormap) {
    XSetWindowAttributes attributes{};
    attributes.event_mask = kEventMask;
    attributes.colormap = colormap;
    attributes.background_pixmap = None;
    attributes.border_pixel = 0;
    attributes.bit_gravity = NorthWestGravity;
    attributes.override_redirect = False;
    const unsigned long mask = CWEventMask | CWColormap | CWBackPixmap | CWBorderPixel | CWBitGravity;
    return XCreateWindow(display(), xParentOf(w), w.x, w.y, std::max(w.width, 1), std::max(w.height, 1), 0,
                         depth, InputOutput, visual, mask, &attributes);
}

void describeTopLevel(WindowRecord& w) {
    if (w.parent) return;
    XStoreName(display(), w.xwindow, w.title.c_str());
    XClassHint hint{const_cast<char*>(w.className.c_str()), const_cast<char*>(w.className.c_str())};
    XSetClassHint(display(), w.xwindow, &hint);
    if (!wmDeleteWindow) wmDeleteWindow = XInternAtom(display(), "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display(), w.xwindow, &wmDeleteWindow, 1);
    if (w.owner) {
        if (WindowRecord* o = findWindow(w.owner)) XSetTransientForHint(display(), w.xwindow, o->xwindow);
    }
}

void sendSizeAndMove(WindowRecord& w) {
    const HWND h = w.handle;
    const UINT type = w.iconic ? SIZE_MINIMIZED : SIZE_RESTORED;
    SendMessageA(h, WM_SIZE, type, MAKELPARAM(w.width, w.height));
    if (findWindow(h)) SendMessageA(h, WM_MOVE, 0, MAKELPARAM(w.x, w.y));
}

void mapOrUnmap(WindowRecord& w) {
    const bool shouldMap = w.visible && !w.iconic;
    if (shouldMap) {
        XMapWindow(display(), w.xwindow);
    } else {
        XUnmapWindow(display(), w.xwindow);
    }
    XFlush(display());
}

void destroyRecord(WindowRecord* w) {
    const HWND h = w->handle;
    // Children and owned windows go first, as Windows destroys them with their parent or owner.
    for (WindowRecord* other : allWindows()) {
        if (other != w && (other->parent == h || other->owner == h) && findWindow(other->handle)) {
            DestroyWindow(other->handle);
        }
    }
    if (!findWindow(h)) return;
    SendMessageA(h, WM_DESTROY, 0, 0);
    if (!findWindow(h)) return;
    SendMessageA(h, WM_NCDESTROY, 0, 0);
    forgetWindowMessages(h);
    forgetWindowGl(h);
    if (w->dc) destroyDc(w->dc);
    byXWindow.erase(w->xwindow);
    XDestroyWindow(display(), w->xwindow);
    if (w->colormap && w->colormap != DefaultColormap(display(), screenNumber())) {
        XFreeColormap(display(), w->colormap);
    }
    XFlush(display());
    windows.erase(std::remove_if(windows.begin(), windows.end(),
                                 [w](const std::unique_ptr<WindowRecord>& r) { return r.get() == w; }),
                  windows.end());
}

}  // namespace

WindowRecord* findWindow(HWND hwnd) {
    if (!hwnd) return nullptr;
    for (auto& w : windows) {
        if (w->handle == hwnd) return w.get();
    }
    return nullptr;
}

WindowRecord* findWindowByX(::Window xwindow) {
    auto it = byXWindow.find(xwindow);
    return it == byXWindow.end() ? nullptr : it->second;
}

const WindowClass* findClass(const std::string& name) {
    auto it = classes.find(lowerCase(name.c_str()));
    return it == classes.end() ? nullptr : &it->second;
}

std::vector<WindowRecord*> allWindows() {
    std::vector<WindowRecord*> list;
    for (auto& w : windows) list.push_back(w.get());
    return list;
}

bool recreateWithVisual(WindowRecord& w, const XVisualInfo& visual) {
    if (w.visual && XVisualIDFromVisual(w.visual) == visual.visualid) return true;
    XErrorTrap trap;
    Colormap colormap = XCreateColormap(display(), rootWindow(), visual.visual, AllocNone);
    ::Window replacement = createXWindow(w, visual.visual, visual.depth, colormap);
    if (trap.failed() || !replacement) {
        if (replacement) XDestroyWindow(display(), replacement);
        XFreeColormap(display(), colormap);
        return false;
    }
    // X children move over to the new window, which takes the old one's place.
    ::Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display(), w.xwindow, &root, &parent, &children, &count)) {
        for (unsigned i = 0; i < count; ++i) {
            if (WindowRecord* child = findWindowByX(children[i])) {
                XReparentWindow(display(), child->xwindow, replacement, child->x, child->y);
            }
        }
        if (children) XFree(children);
    }
    const ::Window old = w.xwindow;
    byXWindow.erase(old);
    if (w.colormap && w.colormap != DefaultColormap(display(), screenNumber())) XFreeColormap(display(), w.colormap);
    w.xwindow = replacement;
    w.visual = visual.visual;
    w.depth = visual.depth;
    w.colormap = colormap;
    byXWindow[replacement] = &w;
    describeTopLevel(w);
    if (const WindowClass* cls = findClass(w.className)) {
        if (Cursor c = xCursorFor(cls->cursor)) XDefineCursor(display(), replacement, c);
    }
    XDestroyWindow(display(), old);
    w.mapped = false;
    w.visibility = Visibility::Unknown;
    mapOrUnmap(w);
    return true;
}

void applyClassCursor(const WindowClass& cls) {
    const Cursor c = xCursorFor(cls.cursor);
    for (auto& w : windows) {
        if (lowerCase(w->className.c_str()) != lowerCase(cls.name.c_str())) continue;
        if (c) {
            XDefineCursor(display(), w->xwindow, c);
        } else {
            XUndefineCursor(display(), w->xwindow);
        }
    }
    if (display()) XFlush(display());
}

}  // namespace winsys

using namespace winsys;

extern "C" {

ATOM RegisterClassA(const WNDCLASSA* wc) {
    if (!wc || !wc->lpszClassName || !wc->lpfnWndProc || wc->cbWndExtra < 0 || wc->cbClsExtra < 0) {
        setError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const std::string key = lowerCase(wc->lpszClassName);
    if (classes.count(key)) {
        setError(ERROR_CLASS_ALREADY_EXISTS);
        return 0;
    }
    WindowClass cls;
    cls.name = wc->lpszClassName;
    cls.atom = nextAtom++;
    cls.style = wc->style;
    cls.proc = wc->lpfnWndProc;
    cls.classExtraBytes = wc->cbClsExtra;
    cls.windowExtraBytes = wc->cbWndExtra;
    cls.instance = wc->hInstance;
    cls.icon = wc->hIcon;
    cls.cursor = wc->hCursor;
    cls.background = wc->hbrBackground;
    const ATOM atom = cls.atom;
    classes[key] = cls;
    return atom;
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE) {
    const std::string key = lowerCase(className);
    for (auto& w : windows) {
        if (lowerCase(w->className.c_str()) == key) return FALSE;  // still in use
    }
    if (!classes.erase(key)) {
        setError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    return TRUE;
}

LONG_PTR SetClassLongA(HWND hwnd, int index, LONG_PTR value) {
    WindowRecord* w = findWindow(hwnd);
    if (!w) {
        setError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    WindowClass& cls = classes[lowerCase(w->className.c_str())];
    LONG_PTR previous = 0;
    switch (index) {
        case GCL_HCURSOR:
            previous = reinterpret_cast<LONG_PTR>(cls.cursor);
            cls.cursor = reinterpret_cast<HCURSOR>(value);
            applyClassCursor(cls);
            return previous;
        case GCL_HICON:
            previous = reinterpret_cast<LONG_PTR>(cls.icon);
            cls.icon = reinterpret_cast<HICON>(value);
            return previous;
        case GCL_HBRBACKGROUND:
            previous = reinterpret_cast<LONG_PTR>(cls.background);
            cls.background = reinterpret_cast<HBRUSH>(value);
            return previous;
        default:
            setError(ERROR_INVALID_PARAMETER);
            return 0;
    }
}

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
    const WindowClass* cls = className ? findClass(className) : nullptr;
    if (!cls) {
        setError(ERROR_CLASS_DOES_NOT_EXIST);
        return nullptr;
    }
    if (!display()) {
        setError(ERROR_INVALID_FUNCTION);
        return nullptr;
    }
    const bool child = (style & WS_CHILD) != 0;
    if ((child && !findWindow(parent)) || (!child && parent && !findWindow(parent))) {
        setError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    auto record = std::make_unique<WindowRecord>();
    WindowRecord& w = *record;
    w.handle = toHandle<HWND>(newHandleValue(HandleKind::Window));
    w.className = cls->name;
    w.proc = cls->proc;
    w.style = style & ~WS_VISIBLE;
    w.exStyle = exStyle;
    w.parent = child ? parent : nullptr;
    w.owner = child ? nullptr : parent;
    w.instance = instance;
    w.id = child ? reinterpret_cast<LONG_PTR>(menu) : 0;
    w.title = windowName ? windowName : "";
    w.x = x == CW_USEDEFAULT ? 0 : x;
    w.y = y == CW_USEDEFAULT ? 0 : y;
    w.width = width == CW_USEDEFAULT ? 640 : std::max(width, 0);
    w.height = height == CW_USEDEFAULT ? 480 : std::max(height, 0);
    w.iconic = (style & WS_MINIMIZE) != 0;
    w.extraBytes.assign(static_cast<size_t>(cls->windowExtraBytes), 0);
    w.visual = DefaultVisual(display(), screenNumber());
    w.depth = DefaultDepth(display(), screenNumber());
    w.colormap = DefaultColormap(display(), screenNumber());

    XErrorTrap trap;
    w.xwindow = createXWindow(w, w.visual, w.depth, w.colormap);
    if (trap.failed() || !w.xwindow) {
        setError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    describeTopLevel(w);
    if (Cursor c = xCursorFor(cls->cursor)) XDefineCursor(display(), w.xwindow, c);
    byXWindow[w.xwindow] = &w;
    const HWND hwnd = w.handle;
    windows.push_back(std::move(record));

    CREATESTRUCTA create{param, instance, menu, parent, w.height, w.width, w.y, w.x, static_cast<LONG>(style),
                         windowName, className, exStyle};
    if (SendMessageA(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
        DestroyWindow(hwnd);
        setError(ERROR_INVALID_FUNCTION);
        return nullptr;
    }
    if (style & WS_VISIBLE) {
        if (!findWindow(hwnd)) return nullptr;
        ShowWindow(hwnd, SW_SHOW);
    }
    return findWindow(hwnd) ? hwnd : nullptr;
}

BOOL DestroyWindow(HWND hwnd) {
    WindowRecord* w = findWindow(hwnd);
    if (!w) {
        setError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    destroyRecord(w);
    return TRUE;
}

BOOL IsWindow(HWND hwnd) { return findWindow(hwnd) != nullptr; }

BOOL ShowWindow(HWND hwnd, int cmdShow) {
    WindowRecord* w = findWindow(hwnd);
    if (!w) return FALSE;
    const BOOL wasVisible = w->visible;
    const bool wasIconic = w->iconic;
    switch (cmdShow) {
        case SW_HIDE: w->visible = false; break;
        case SW_SHOWMINIMIZED:
        case SW_MINIMIZE:
        case SW_SHOWMINNOACTIVE: w->visible = true; w->iconic = true; break;
        case SW_SHOWNORMAL:
        case SW_RESTORE:
        case SW_SHOWMAXIMIZED: w->visible = true; w->iconic = false; break;
        default: w->visible = true; break;
    }
    mapOrUnmap(*w);
    if (w->visible != static_cast<bool>(wasVisible)) SendMessageA(hwnd, WM_SHOWWINDOW, w->visible, 0);
    if ((w = findWindow(hwnd)) && ((w->visible && !w->sizeSent) || w->iconic != wasIconic)) {
        w->sizeSent = true;
        sendSizeAndMove(*w);
    }
    return wasVisible;
}

BOOL CloseWindow(HWND hwnd) { return ShowWindow(hwnd, SW_MINIMIZE), findWindow(hwnd) != nullptr; }

BOOL ShowOwnedPopups(HWND hwnd, BOOL show) {
    if (!findWindow(hwnd)) return FALSE;
    for (WindowRecord* w : allWindows()) {
        if (w->owner != hwnd || !findWindow(w->handle)) continue;
        if (show && !w->visible) ShowWindow(w->handle, SW_SHOWNA);
        if (!show && w->visible) ShowWindow(w->handle, SW_HIDE);
    }
    return TRUE;
}

BOOL UpdateWindow(HWND hwnd) {
    WindowRecord* w = findWindow(hwnd);
    if (!w) return FALSE;
    drainXEvents();
    if ((w = findWindow(hwnd)) && w->hasUpdate) SendMessageA(hwnd, WM_PAINT, 0, 0);
    return TRUE;
}

BOOL SetWindowPos(HWND hwnd, HWND, int x, int y, int cx, int cy, UINT flags) {
    WindowRecord* w = findWindow(hwnd);
    if (!w) {
        setError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    const bool move = !(flags & SWP_NOMOVE) && (x != w->x || y != w->y);
    const bool size = !(flags & SWP_NOSIZE) && (cx != w->width || cy != w->height);
    if (!(flags & SWP_NOMOVE)) w->x = x, w->y = y;
    if (!(flags & SWP_NOSIZE)) w->width = std::max(cx, 0), w->height = std::max(cy, 0);
    XMoveResizeWindow(display(), w->xwindow, w->x, w->y, std::max(w->width, 1), std::max(w->height, 1));
    XFlush(display());
    if (flags & SWP_SHOWWINDOW) ShowWindow(hwnd, SW_SHOWNA);
    if (flags & SWP_HIDEWINDOW) ShowWindow(hwnd, SW_HIDE);
    if ((w = findWindow(hwnd)) && size) {
        SendMessageA(hwnd, WM_SIZE, w->iconic ? SIZE_MINIMIZED : SIZE_RESTORED, MAKELPARAM(w->width, w->height));
    }
    if ((w = findWindow(hwnd)) && move) SendMessageA(hwnd, WM_MOVE, 0, MAKELPARAM(w->x, w->y));
    return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL) {
    return SetWindowPos(hwnd, nullptr, x, y, width, height, SWP_NOZORDER);
}

BOOL GetWindowRect(HWND hwnd, LPRECT rect) {
    WindowRecord* w = findWindow(hwnd);
    if (!w || !rect) {
        setError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    *rect = RECT{origin.x, origin.y, origin.x + w->width, origin.y + w->height};
    return TRUE;
}

BOOL GetClientRect(HWND hwnd, LPRECT rect) {
    WindowRecord* w = findWindow(hwnd);
    if (!w || !rect) {
        setError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    *rect = RECT{0, 0, w->width, w->height};
    return TRUE;
}

BOOL IsIconic(HWND hwnd) {
    WindowRecord* w = findWindow(hwnd);
    return w && w->iconic;
}

BOOL IsWindowVisible(HWND hwnd) {
    for (WindowRecord* w = findWindow(hwnd); w; w = findWindow(w->parent)) {
        if (!w->visible || w->iconic) return FALSE;
        if (!w->parent) return TRUE;
    }
    return FALSE;
}

BOOL IsWindowEnabled(HWND hwnd) {
    WindowRecord* w = findWindow(hwnd);
    return w && w->enabled;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
    WindowRecord* w = findWindow(hwnd);
    if (!w) return FALSE;
    const BOOL wasDisabled = !w->enabled;
    w->enabled = enable != FALSE;
    return wasDisabled;
}

HWND GetParent(HWND hwnd) {
    WindowRecord* w = findWindow(hwnd);
    if (!w) return nullptr;
    return w->parent ? w->parent : w->owner;
}

LONG_PTR GetWindowLongA(HWND hwnd, int index) {
    WindowRecord* w = findWindow(hwnd);
    if (!w) {
        setError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    switch (index) {
        case GWL_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
        case GWL_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->instance);
        case GWL_STYLE: return static_cast<LONG_PTR>(w->style | (w->visible ? WS_VISIBLE : 0));
        case GWL_USERDATA: return w->userData;
        case GWL_ID: return w->id;
        default:
            if (index >= 0 && static_cast<size_t>(index) + sizeof(LONG) <= w->extraBytes.size()) {
                LONG value;
                std::copy_n(w->extraBytes.data() + index, sizeof value, reinterpret_cast<unsigned char*>(&value));
                return value;
            }
            setError(ERROR_INVALID_PARAMETER);
            return 0;
    }
}

LONG_PTR SetWindowLongA(HWND hwnd, int index, LONG_PTR value) {
    WindowRecord* w = findWindow(hwnd);
    if (!w) {
        setError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    const LONG_PTR previous = GetWindowLongA(hwnd, index);
    switch (index) {
        case GWL_WNDPROC: w->proc = reinterpret_cast<WNDPROC>(value); break;
        case GWL_USERDATA: w->userData = value; break;
        case GWL_ID: w->id = value; break;
        case GWL_STYLE: w->style = static_cast<DWORD>(value) & ~WS_VISIBLE; break;
        default:
            if (index >= 0 && static_cast<size_t>(index) + sizeof(LONG) <= w->extraBytes.size()) {
                const LONG word = static_cast<LONG>(value);
                std::copy_n(reinterpret_cast<const unsigned char*>(&word), sizeof word, w->extraBytes.data() + index);
                break;
            }
            setError(ERROR_INVALID_PARAMETER);
            return 0;
    }
    return previous;
}

LRESULT CallWindowProcA(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return proc ? proc(hwnd, msg, wParam, lParam) : 0;
}

LRESULT DefWindowProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CLOSE: DestroyWindow(hwnd); return 0;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            BeginPaint(hwnd, &ps);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_ERASEBKGND: return 1;
        case WM_SYSCOMMAND:
            switch (wParam & 0xFFF0) {
                case SC_CLOSE: SendMessageA(hwnd, WM_CLOSE, 0, 0); return 0;
                case SC_MINIMIZE: ShowWindow(hwnd, SW_MINIMIZE); return 0;
                case SC_RESTORE: ShowWindow(hwnd, SW_RESTORE); return 0;
                case SC_MAXIMIZE: ShowWindow(hwnd, SW_MAXIMIZE); return 0;
                default: return 0;
            }
        case WM_GETMINMAXINFO: return 0;
        default: (void)lParam; return 0;
    }
}

// Without an MDI frame the MDI default is the ordinary one.
LRESULT DefMDIChildProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_MDIACTIVATE) return 0;
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND FindWindowA(LPCSTR className, LPCSTR windowName) {
    for (auto& w : windows) {
        if (w->parent) continue;
        if (className && lowerCase(className) != lowerCase(w->className.c_str())) continue;
        if (windowName && w->title != windowName) continue;
        return w->handle;
    }
    return nullptr;
}

int GetWindowTextA(HWND hwnd, LPSTR text, int maxCount) {
    WindowRecord* w = findWindow(hwnd);
    if (!w || !text || maxCount <= 0) return 0;
    const int n = std::min(static_cast<int>(w->title.size()), maxCount - 1);
    std::copy_n(w->title.data(), n, text);
    text[n] = '\0';
    return n;
}

BOOL SetWindowTextA(HWND hwnd, LPCSTR text) {
    WindowRecord* w = findWindow(hwnd);
    if (!w) return FALSE;
    w->title = text ? text : "";
    if (!w->parent) XStoreName(display(), w->xwindow, w->title.c_str());
    return TRUE;
}

}  // extern "C"

extern "C" Window winsysXWindow(HWND hwnd) {
    WindowRecord* w = findWindow(hwnd);
    return w ? w->xwindow : 0;
}
