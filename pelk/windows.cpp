// The host's window shell: the application's top window and its graphics
// window for the new layout, status bars, and the layout queries, all plain
// windows of the window-system layer. Every call is recorded.
#include "pelk_internal.h"

#include <algorithm>

namespace pelk {
namespace {

constexpr int kStatusBarHeight = 20;
bool newLayout = false;
int showState = SW_SHOW;
bool draftingActive = false;
HWND inputRegion = nullptr;
HWND iconPanel = nullptr;
std::vector<HWND> created;
bool classesRegistered = false;
bool windowServicesFail = false;

LRESULT hostWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void registerHostClasses() {
    if (classesRegistered) return;
    classesRegistered = true;
    for (const char* name : {"pelk Top Window", "pelk Status Bar"}) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = hostWindowProc;
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.lpszClassName = name;
        RegisterClassA(&wc);
    }
}

HWND keep(HWND hwnd) {
    if (hwnd) created.push_back(hwnd);
    return hwnd;
}

long handleNumber(HWND hwnd) { return static_cast<long>(reinterpret_cast<uintptr_t>(hwnd)); }

}  // namespace

void setNewUILayout(bool on) { newLayout = on; }
void setShowState(int show) { showState = show; }
void setDraftingActive(bool on) { draftingActive = on; }
void setInputRegion(HWND window) { inputRegion = window; }
void setIconPanel(HWND window) { iconPanel = window; }
void failWindowServices(bool on) { windowServicesFail = on; }
std::vector<HWND> hostWindows() { return created; }

void destroyHostWindows() {
    for (auto it = created.rbegin(); it != created.rend(); ++it) {
        if (IsWindow(*it)) DestroyWindow(*it);
    }
    created.clear();
}

}  // namespace pelk

using namespace pelk;

extern "C" {

HWND wguiCreateTopWindow(int x, int y, int width, int height) {
    registerHostClasses();
    record("wguiCreateTopWindow", {x, y, width, height});
    if (windowServicesFail) return nullptr;
    return keep(CreateWindowExA(0, "pelk Top Window", "ORBAN", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, x, y, width,
                                height, nullptr, nullptr, xwuGetAppContext(), nullptr));
}

HWND wguiCreateGraphWnd(const char* className, const char* title, DWORD style, const RECT* rect, HWND parent,
                        HINSTANCE instance) {
    record("wguiCreateGraphWnd", {static_cast<long>(style)}, className ? className : "");
    if (windowServicesFail) return nullptr;
    const RECT r = rect ? *rect : RECT{0, 0, 0, 0};
    return keep(CreateWindowExA(0, className, title, style, r.left, r.top, r.right - r.left, r.bottom - r.top, parent,
                                nullptr, instance, nullptr));
}

void wguiSetGraphicsView(HWND window) { record("wguiSetGraphicsView", {handleNumber(window)}); }

int wguiStatusWindowControl(int flags, void* data) {
    record("wguiStatusWindowControl", {flags});
    if (flags == 0x400000 && data) {
        // {window in, instance}: the window's new status bar comes back in the first field.
        auto* fields = static_cast<HWND*>(data);
        registerHostClasses();
        RECT client{};
        GetClientRect(fields[0], &client);
        HWND bar = CreateWindowExA(0, "pelk Status Bar", "", WS_CHILD | WS_VISIBLE, 0,
                                   std::max<LONG>(client.bottom - kStatusBarHeight, 0), client.right, kStatusBarHeight,
                                   fields[0], nullptr, nullptr, nullptr);
        if (!bar) return 0;
        keep(bar);
        fields[0] = bar;
        return 1;
    }
    return 1;
}

unsigned long wguiXInternAtom(const char* name) { return RegisterWindowMessageA(name); }

HINSTANCE xwuGetAppContext(void) { return reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(0x00400000)); }
void xwuReadWindowStyle(void) { record("xwuReadWindowStyle"); }
int xwuUseNewUILayout(void) { return newLayout ? 1 : 0; }
HWND xwuGetInputRegion(void) { return inputRegion; }
HWND xwuGetIconPanel(void) { return iconPanel; }
int xwuIsDraftingActive(void) { return draftingActive ? 1 : 0; }
void xwurswc(int width, int height) { record("xwurswc", {width, height}); }
int xwuGetShowState(void) { return showState; }
void xwuShowMappedPopups(int show) { record("xwuShowMappedPopups", {show}); }

}  // extern "C"
