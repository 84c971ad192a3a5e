// The window-system layer's private contract: the records every area of the
// layer shares (display, handles, windows, device contexts, GL contexts) and the
// few entry points one area offers another. Nothing here is seen by the driver.
#pragma once

#include "win32.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <GL/glx.h>

#include <string>
#include <vector>

namespace winsys {

// ---- Display and X error trapping
//! The X display, opened on first use from $DISPLAY; null when there is none.
Display* display();
int screenNumber();
::Window rootWindow();

//! Catches X protocol errors raised between construction and check().
class XErrorTrap {
public:
    XErrorTrap();
    ~XErrorTrap();
    XErrorTrap(const XErrorTrap&) = delete;
    XErrorTrap& operator=(const XErrorTrap&) = delete;
    //! Syncs with the server; true when any X error arrived since construction.
    bool failed();

private:
    int savedCount_;
};

// ---- Handles: kind in bits 24..27, a never-reused serial below, so every
// handle fits a 32-bit word and a stale one never aliases a live object.
enum class HandleKind : uint32_t { Window = 1, DeviceContext = 2, GlContext = 3, Module = 4, Cursor = 5, Brush = 6, Font = 7 };

uint32_t newHandleValue(HandleKind kind);
HandleKind handleKindOf(uintptr_t value);
template <typename H>
H toHandle(uint32_t value) { return reinterpret_cast<H>(static_cast<uintptr_t>(value)); }
template <typename H>
uint32_t handleValue(H handle) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(handle)); }

// ---- Window classes and windows
struct WindowClass {
    std::string name;
    ATOM atom = 0;
    UINT style = 0;
    WNDPROC proc = nullptr;
    int classExtraBytes = 0;
    int windowExtraBytes = 0;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
};

enum class Visibility { Unknown, Unobscured, PartiallyObscured, FullyObscured };

struct WindowRecord {
    HWND handle = nullptr;
    ::Window xwindow = 0;
    Visual* visual = nullptr;
    int depth = 0;
    Colormap colormap = 0;  // owned when not the default one
    std::string className;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    HWND parent = nullptr;  // WS_CHILD windows
    HWND owner = nullptr;   // owned top-level windows
    HINSTANCE instance = nullptr;
    LONG_PTR id = 0;
    LONG_PTR userData = 0;
    std::string title;
    int x = 0, y = 0;  // relative to the parent's client area, or the screen
    int width = 0, height = 0;
    bool visible = false;
    bool iconic = false;
    bool enabled = true;
    bool sizeSent = false;  // first WM_SIZE / WM_MOVE delivered
    bool hasUpdate = false;
    RECT update{};  // bounding rectangle of the invalid area, client coordinates
    Visibility visibility = Visibility::Unknown;
    bool mapped = false;
    int pixelFormat = 0;
    HDC dc = nullptr;  // every window keeps one device context (as CS_OWNDC)
    int dcGets = 0;
    std::vector<unsigned char> extraBytes;
};

WindowRecord* findWindow(HWND hwnd);
WindowRecord* findWindowByX(::Window xwindow);
const WindowClass* findClass(const std::string& name);
//! Windows of the layer, in creation order.
std::vector<WindowRecord*> allWindows();
//! Replaces the X window of w by one with the given visual (pixel formats fix the visual).
bool recreateWithVisual(WindowRecord& w, const XVisualInfo& visual);
//! Applies a class cursor to the X windows of that class.
void applyClassCursor(const WindowClass& cls);
Cursor xCursorFor(HCURSOR cursor);

// ---- Device contexts
struct DeviceContextRecord {
    HDC handle = nullptr;
    HWND window = nullptr;    // null: the screen
    HGDIOBJ font = nullptr;   // null: the stock system font
    HGDIOBJ brush = nullptr;  // null: the stock white brush
};
DeviceContextRecord* findDc(HDC hdc);
HDC createDcFor(HWND hwnd);
void destroyDc(HDC hdc);

//! The fixed handle of a stock object (never freed), null for an unknown one.
HGDIOBJ stockObject(int object);

// ---- Fonts
bool isFontObject(HGDIOBJ object);
//! Releases a logical font; the stock font ignores it. False when object is no font.
bool deleteFontObject(HGDIOBJ object);
//! Logical fonts alive (the stock font not counted).
int liveFontCount();

// ---- Messages
void postMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
//! Reads every pending X event and turns it into messages or state.
void drainXEvents();
//! Drops queued messages and timers of a window being destroyed.
void forgetWindowMessages(HWND hwnd);
void invalidateClient(WindowRecord& w, const RECT* rect);
DWORD currentTime();

// ---- GL contexts
void forgetWindowGl(HWND hwnd);

// ---- Errors
void setError(DWORD error);

}  // namespace winsys
