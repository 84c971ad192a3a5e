// The message queue. X events are read into Windows messages and input state
// through a table indexed by X event type; reading X events never calls a window
// procedure, only GetMessageA / PeekMessageA / DispatchMessageA / SendMessageA do.
// Retrieval order as on Windows: posted and input messages, then WM_QUIT once
// posted, then WM_PAINT for a window with an invalid area, then WM_TIMER.
#include "winsys_internal.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>
#include <poll.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <deque>
#include <map>

namespace winsys {
namespace {

std::deque<MSG> queue;
bool quitPosted = false;
int quitCode = 0;

struct Timer {
    HWND hwnd;
    UINT_PTR id;
    UINT interval;
    DWORD due;
    TIMERPROC proc;
};
std::vector<Timer> timers;
UINT_PTR nextTimerId = 1;

std::array<bool, 256> keyDown{};
std::map<unsigned, XKeyEvent> lastKeyEventByCode;  // for TranslateMessage
std::map<std::string, UINT> registeredMessages;
UINT nextRegisteredMessage = 0xC000;
HWND captureWindow = nullptr;
HWND focusWindow = nullptr;

const auto startTime = std::chrono::steady_clock::now();

int virtualKeyFor(KeySym sym) {
    if (sym >= XK_F1 && sym <= XK_F12) return VK_F1 + static_cast<int>(sym - XK_F1);
    if (sym >= XK_a && sym <= XK_z) return 'A' + static_cast<int>(sym - XK_a);
    if (sym >= XK_A && sym <= XK_Z) return 'A' + static_cast<int>(sym - XK_A);
    if (sym >= XK_0 && sym <= XK_9) return '0' + static_cast<int>(sym - XK_0);
    switch (sym) {
        case XK_Return: case XK_KP_Enter: return VK_RETURN;
        case XK_Escape: return VK_ESCAPE;
        case XK_BackSpace: return VK_BACK;
        case XK_Tab: return VK_TAB;
        case XK_space: return VK_SPACE;
        case XK_Shift_L: case XK_Shift_R: return VK_SHIFT;
        case XK_Control_L: case XK_Control_R: return VK_CONTROL;
        case XK_Alt_L: case XK_Alt_R: return VK_MENU;
        case XK_Left: return VK_LEFT;
        case XK_Right: return VK_RIGHT;
        case XK_Up: return VK_UP;
        case XK_Down: return VK_DOWN;
        case XK_Home: return VK_HOME;
        case XK_End: return VK_END;
        case XK_Prior: return VK_PRIOR;
        case XK_Next: return VK_NEXT;
        case XK_Insert: return VK_INSERT;
        case XK_Delete: return VK_DELETE;
        default: return 0;
    }
}

WPARAM mouseKeyFlags(unsigned state) {
    WPARAM flags = 0;
    if (state & Button1Mask) flags |= MK_LBUTTON;
    if (state & Button2Mask) flags |= MK_MBUTTON;
    if (state & Button3Mask) flags |= MK_RBUTTON;
    if (state & ShiftMask) flags |= MK_SHIFT;
    if (state & ControlMask) flags |= MK_CONTROL;
    return flags;
}

void onKey(const XEvent& e, WindowRecord& w) {
    const XKeyEvent& k = e.xkey;
    const int vk = virtualKeyFor(XkbKeycodeToKeysym(display(), static_cast<KeyCode>(k.keycode), 0, 0));
    if (!vk) return;
    const bool down = e.type == KeyPress;
    const bool wasDown = keyDown[vk];
    keyDown[vk] = down;
    lastKeyEventByCode[k.keycode] = k;
    LPARAM lParam = 1 | (static_cast<LPARAM>(k.keycode & 0xff) << 16);
    if (wasDown) lParam |= 1L << 30;
    if (!down) lParam |= (1L << 30) | (1L << 31);
    postMessage(w.handle, down ? WM_KEYDOWN : WM_KEYUP, static_cast<WPARAM>(vk), lParam);
}

void onButton(const XEvent& e, WindowRecord& w) {
    const XButtonEvent& b = e.xbutton;
    const bool down = e.type == ButtonPress;
    if (b.button == Button4 || b.button == Button5) {
        if (!down) return;
        const int delta = b.button == Button4 ? WHEEL_DELTA : -WHEEL_DELTA;
        postMessage(w.handle, WM_MOUSEWHEEL, MAKEWPARAM(mouseKeyFlags(b.state), delta),
                    MAKELPARAM(b.x_root, b.y_root));
        return;
    }
    UINT msg = 0;
    int vk = 0;
    switch (b.button) {
        case Button1: msg = down ? WM_LBUTTONDOWN : WM_LBUTTONUP; vk = VK_LBUTTON; break;
        case Button2: msg = down ? WM_MBUTTONDOWN : WM_MBUTTONUP; vk = VK_MBUTTON; break;
        case Button3: msg = down ? WM_RBUTTONDOWN : WM_RBUTTONUP; vk = VK_RBUTTON; break;
        default: return;
    }
    keyDown[vk] = down;
    // The flags describe the state after the event, as Windows reports them.
    unsigned state = b.state;
    const unsigned mask = b.button == Button1 ? Button1Mask : b.button == Button2 ? Button2Mask : Button3Mask;
    state = down ? (state | mask) : (state & ~mask);
    postMessage(w.handle, msg, mouseKeyFlags(state), MAKELPARAM(b.x, b.y));
}

void onMotion(const XEvent& e, WindowRecord& w) {
    const XMotionEvent& m = e.xmotion;
    const LPARAM lParam = MAKELPARAM(m.x, m.y);
    // Consecutive moves collapse into the latest, as Windows synthesises one move.
    if (!queue.empty() && queue.back().message == WM_MOUSEMOVE && queue.back().hwnd == w.handle) {
        queue.back().lParam = lParam;
        queue.back().wParam = mouseKeyFlags(m.state);
        return;
    }
    postMessage(w.handle, WM_MOUSEMOVE, mouseKeyFlags(m.state), lParam);
}

void onExpose(const XEvent& e, WindowRecord& w) {
    const XExposeEvent& x = e.xexpose;
    const RECT r{x.x, x.y, x.x + x.width, x.y + x.height};
    invalidateClient(w, &r);
}

void onConfigure(const XEvent& e, WindowRecord& w) {
    const XConfigureEvent& c = e.xconfigure;
    if (c.window != w.xwindow) return;
    // A frame-less window reports its own position; sizes of 1 stand for 0.
    const int width = (c.width == 1 && w.width == 0) ? 0 : c.width;
    const int height = (c.height == 1 && w.height == 0) ? 0 : c.height;
    if (width != w.width || height != w.height) {
        w.width = width;
        w.height = height;
        postMessage(w.handle, WM_SIZE, w.iconic ? SIZE_MINIMIZED : SIZE_RESTORED, MAKELPARAM(width, height));
    }
    if (!c.send_event && (c.x != w.x || c.y != w.y)) {
        w.x = c.x;
        w.y = c.y;
        postMessage(w.handle, WM_MOVE, 0, MAKELPARAM(c.x, c.y));
    }
}

void onVisibility(const XEvent& e, WindowRecord& w) {
    switch (e.xvisibility.state) {
        case VisibilityUnobscured: w.visibility = Visibility::Unobscured; break;
        case VisibilityPartiallyObscured: w.visibility = Visibility::PartiallyObscured; break;
        default: w.visibility = Visibility::FullyObscured; break;
    }
}

void onMap(const XEvent& e, WindowRecord& w) {
    w.mapped = e.type == MapNotify;
    if (!w.mapped) w.visibility = Visibility::Unknown;
}

void onClientMessage(const XEvent& e, WindowRecord& w) {
    static Atom deleteWindow = XInternAtom(display(), "WM_DELETE_WINDOW", False);
    if (e.xclient.format == 32 && static_cast<Atom>(e.xclient.data.l[0]) == deleteWindow) {
        postMessage(w.handle, WM_CLOSE, 0, 0);
    }
}

void onFocus(const XEvent& e, WindowRecord& w) {
    if (e.xfocus.detail == NotifyPointer) return;
    postMessage(w.handle, e.type == FocusIn ? WM_SETFOCUS : WM_KILLFOCUS, 0, 0);
}

using EventHandler = void (*)(const XEvent&, WindowRecord&);
const std::array<EventHandler, LASTEvent> eventTable = [] {
    std::array<EventHandler, LASTEvent> table{};
    table[KeyPress] = onKey;
    table[KeyRelease] = onKey;
    table[ButtonPress] = onButton;
    table[ButtonRelease] = onButton;
    table[MotionNotify] = onMotion;
    table[Expose] = onExpose;
    table[ConfigureNotify] = onConfigure;
    table[VisibilityNotify] = onVisibility;
    table[MapNotify] = onMap;
    table[UnmapNotify] = onMap;
    table[ClientMessage] = onClientMessage;
    table[FocusIn] = onFocus;
    table[FocusOut] = onFocus;
    return table;
}();

bool matches(const MSG& m, HWND hwnd, UINT min, UINT max) {
    if (hwnd == reinterpret_cast<HWND>(-1)) {
        if (m.hwnd) return false;
    } else if (hwnd && m.hwnd != hwnd) {
        return false;
    }
    if (min == 0 && max == 0) return true;
    return m.message >= min && m.message <= max;
}

MSG makeMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    MSG m{};
    m.hwnd = hwnd;
    m.message = msg;
    m.wParam = wParam;
    m.lParam = lParam;
    m.time = currentTime();
    GetCursorPos(&m.pt);
    return m;
}

// Fetches one message without waiting; WM_PAINT and WM_TIMER are made when due.
bool fetch(MSG* out, HWND hwnd, UINT min, UINT max, bool remove) {
    drainXEvents();
    for (auto it = queue.begin(); it != queue.end(); ++it) {
        if (!matches(*it, hwnd, min, max)) continue;
        *out = *it;
        if (remove) queue.erase(it);
        return true;
    }
    if (quitPosted && matches(makeMessage(nullptr, WM_QUIT, 0, 0), hwnd, min, max)) {
        *out = makeMessage(nullptr, WM_QUIT, static_cast<WPARAM>(quitCode), 0);
        if (remove) quitPosted = false;
        return true;
    }
    for (WindowRecord* w : allWindows()) {
        MSG paint = makeMessage(w->handle, WM_PAINT, 0, 0);
        if (w->hasUpdate && matches(paint, hwnd, min, max)) {
            *out = paint;  // stays due until the window validates its area
            return true;
        }
    }
    const DWORD now = currentTime();
    for (Timer& t : timers) {
        MSG tick = makeMessage(t.hwnd, WM_TIMER, t.id, reinterpret_cast<LPARAM>(t.proc));
        if (static_cast<int32_t>(now - t.due) >= 0 && matches(tick, hwnd, min, max)) {
            if (remove) t.due = now + t.interval;
            *out = tick;
            return true;
        }
    }
    return false;
}

void waitForInput() {
    int timeout = -1;
    const DWORD now = currentTime();
    for (const Timer& t : timers) {
        const int wait = std::max(0, static_cast<int32_t>(t.due - now));
        timeout = timeout < 0 ? wait : std::min(timeout, wait);
    }
    if (!display()) {
        poll(nullptr, 0, timeout < 0 ? 10 : timeout);
        return;
    }
    XFlush(display());
    if (XPending(display())) return;
    pollfd fd{ConnectionNumber(display()), POLLIN, 0};
    poll(&fd, 1, timeout);
}

}  // namespace

DWORD currentTime() {
    return static_cast<DWORD>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - startTime).count());
}

void postMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    queue.push_back(makeMessage(hwnd, msg, wParam, lParam));
}

void drainXEvents() {
    Display* d = display();
    if (!d) return;
    while (XPending(d)) {
        XEvent e;
        XNextEvent(d, &e);
        if (e.type < 0 || e.type >= LASTEvent || !eventTable[e.type]) continue;
        if (WindowRecord* w = findWindowByX(e.xany.window)) eventTable[e.type](e, *w);
    }
}

void forgetWindowMessages(HWND hwnd) {
    queue.erase(std::remove_if(queue.begin(), queue.end(), [hwnd](const MSG& m) { return m.hwnd == hwnd; }),
                queue.end());
    timers.erase(std::remove_if(timers.begin(), timers.end(), [hwnd](const Timer& t) { return t.hwnd == hwnd; }),
                 timers.end());
    if (captureWindow == hwnd) ReleaseCapture();
    if (focusWindow == hwnd) focusWindow = nullptr;
}

}  // namespace winsys

using namespace winsys;

extern "C" {

BOOL GetMessageA(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax) {
    if (!msg) return -1;
    while (!fetch(msg, hwnd, filterMin, filterMax, true)) waitForInput();
    return msg->message != WM_QUIT;
}

BOOL PeekMessageA(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeMsg) {
    if (!msg) return FALSE;
    return fetch(msg, hwnd, filterMin, filterMax, (removeMsg & PM_REMOVE) != 0);
}

BOOL TranslateMessage(const MSG* msg) {
    if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)) return FALSE;
    auto it = lastKeyEventByCode.find(static_cast<unsigned>((msg->lParam >> 16) & 0xff));
    if (it == lastKeyEventByCode.end()) return FALSE;
    char text[8];
    KeySym sym;
    const int n = XLookupString(&it->second, text, sizeof text, &sym, nullptr);
    for (int i = 0; i < n; ++i) {
        postMessage(msg->hwnd, WM_CHAR, static_cast<unsigned char>(text[i]), msg->lParam);
    }
    return n > 0;
}

LRESULT DispatchMessageA(const MSG* msg) {
    if (!msg) return 0;
    if (msg->message == WM_TIMER && msg->lParam) {
        reinterpret_cast<TIMERPROC>(msg->lParam)(msg->hwnd, WM_TIMER, msg->wParam, currentTime());
        return 0;
    }
    WindowRecord* w = findWindow(msg->hwnd);
    if (!w || !w->proc) return 0;
    return w->proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

BOOL PostMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (hwnd && !findWindow(hwnd)) {
        setError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    postMessage(hwnd, msg, wParam, lParam);
    return TRUE;
}

LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    WindowRecord* w = findWindow(hwnd);
    if (!w) {
        setError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return w->proc ? w->proc(hwnd, msg, wParam, lParam) : 0;
}

void PostQuitMessage(int exitCode) {
    quitPosted = true;
    quitCode = exitCode;
}

UINT RegisterWindowMessageA(LPCSTR name) {
    if (!name || !*name) {
        setError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::string key = name;
    for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    auto it = registeredMessages.find(key);
    if (it != registeredMessages.end()) return it->second;
    return registeredMessages[key] = nextRegisteredMessage++;
}

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
    if (hwnd && !findWindow(hwnd)) {
        setError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (!hwnd) id = nextTimerId++;
    elapse = std::max<UINT>(elapse, 10);
    for (Timer& t : timers) {
        if (t.hwnd == hwnd && t.id == id) {
            t.interval = elapse;
            t.due = currentTime() + elapse;
            t.proc = proc;
            return hwnd ? 1 : id;
        }
    }
    timers.push_back(Timer{hwnd, id, elapse, currentTime() + elapse, proc});
    return hwnd ? 1 : id;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
    auto it = std::find_if(timers.begin(), timers.end(), [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
    if (it == timers.end()) return FALSE;
    timers.erase(it);
    queue.erase(std::remove_if(queue.begin(), queue.end(),
                               [&](const MSG& m) { return m.message == WM_TIMER && m.hwnd == hwnd && m.wParam == id; }),
                queue.end());
    return TRUE;
}

SHORT GetAsyncKeyState(int vKey) {
    drainXEvents();
    if (vKey < 0 || vKey > 255) return 0;
    return keyDown[static_cast<size_t>(vKey)] ? static_cast<SHORT>(0x8000) : 0;
}

SHORT GetKeyState(int vKey) { return GetAsyncKeyState(vKey); }

BOOL GetCursorPos(LPPOINT point) {
    if (!point) return FALSE;
    *point = POINT{0, 0};
    if (!display()) return FALSE;
    ::Window root, child;
    int rootX = 0, rootY = 0, x, y;
    unsigned state;
    XQueryPointer(display(), rootWindow(), &root, &child, &rootX, &rootY, &x, &y, &state);
    *point = POINT{rootX, rootY};
    return TRUE;
}

BOOL ClientToScreen(HWND hwnd, LPPOINT point) {
    WindowRecord* w = findWindow(hwnd);
    if (!w || !point) return FALSE;
    int x = 0, y = 0;
    ::Window child;
    XTranslateCoordinates(display(), w->xwindow, rootWindow(), point->x, point->y, &x, &y, &child);
    *point = POINT{x, y};
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, LPPOINT point) {
    WindowRecord* w = findWindow(hwnd);
    if (!w || !point) return FALSE;
    int x = 0, y = 0;
    ::Window child;
    XTranslateCoordinates(display(), rootWindow(), w->xwindow, point->x, point->y, &x, &y, &child);
    *point = POINT{x, y};
    return TRUE;
}

HWND SetCapture(HWND hwnd) {
    const HWND previous = captureWindow;
    WindowRecord* w = findWindow(hwnd);
    if (!w) return previous;
    XErrorTrap trap;
    XGrabPointer(display(), w->xwindow, False, ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
                 GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
    trap.failed();
    captureWindow = hwnd;
    return previous;
}

BOOL ReleaseCapture(void) {
    if (display()) {
        XUngrabPointer(display(), CurrentTime);
        XFlush(display());
    }
    captureWindow = nullptr;
    return TRUE;
}

HWND GetCapture(void) { return captureWindow; }

HWND SetFocus(HWND hwnd) {
    const HWND previous = focusWindow;
    WindowRecord* w = findWindow(hwnd);
    if (!w) return nullptr;
    if (w->mapped) {
        XErrorTrap trap;
        XSetInputFocus(display(), w->xwindow, RevertToParent, CurrentTime);
        trap.failed();
    }
    focusWindow = hwnd;
    return previous;
}

HWND GetFocus(void) { return focusWindow; }

HCURSOR SetCursor(HCURSOR cursor) {
    static HCURSOR current = nullptr;
    const HCURSOR previous = current;
    current = cursor;
    const Cursor c = xCursorFor(cursor);
    for (WindowRecord* w : allWindows()) {
        if (c) XDefineCursor(display(), w->xwindow, c);
    }
    if (display()) XFlush(display());
    return previous;
}

DWORD GetTickCount(void) { return currentTime(); }

}  // extern "C"
