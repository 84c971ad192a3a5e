// Screen metrics, device contexts, clip boxes, rectangles, stock objects and
// update regions. An update region is kept as its bounding rectangle.
#include "winsys_internal.h"

#include <algorithm>
#include <map>

namespace winsys {
namespace {

std::map<uint32_t, DeviceContextRecord> deviceContexts;
HDC screenDc = nullptr;

// Stock objects are fixed handles of their kind's range; they are never freed.
constexpr uint32_t stockObjectValue(HandleKind kind, int object) {
    return (static_cast<uint32_t>(kind) << 24) | 0x00ff0000u | static_cast<uint32_t>(object);
}

bool isEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

}  // namespace

DeviceContextRecord* findDc(HDC hdc) {
    auto it = deviceContexts.find(handleValue(hdc));
    return it == deviceContexts.end() ? nullptr : &it->second;
}

HDC createDcFor(HWND hwnd) {
    const uint32_t value = newHandleValue(HandleKind::DeviceContext);
    deviceContexts[value] = DeviceContextRecord{toHandle<HDC>(value), hwnd};
    return toHandle<HDC>(value);
}

void destroyDc(HDC hdc) { deviceContexts.erase(handleValue(hdc)); }

HGDIOBJ stockObject(int object) {
    switch (object) {
        case WHITE_BRUSH:
        case BLACK_BRUSH:
        case NULL_BRUSH:
            return reinterpret_cast<HGDIOBJ>(static_cast<uintptr_t>(stockObjectValue(HandleKind::Brush, object)));
        case SYSTEM_FONT:
            return reinterpret_cast<HGDIOBJ>(static_cast<uintptr_t>(stockObjectValue(HandleKind::Font, object)));
        default: return nullptr;
    }
}

void invalidateClient(WindowRecord& w, const RECT* rect) {
    RECT r = rect ? *rect : RECT{0, 0, w.width, w.height};
    r.left = std::max<LONG>(r.left, 0);
    r.top = std::max<LONG>(r.top, 0);
    r.right = std::min<LONG>(r.right, w.width);
    r.bottom = std::min<LONG>(r.bottom, w.height);
    if (isEmpty(r)) return;
    if (!w.hasUpdate) {
        w.update = r;
        w.hasUpdate = true;
        return;
    }
    w.update.left = std::min(w.update.left, r.left);
    w.update.top = std::min(w.update.top, r.top);
    w.update.right = std::max(w.update.right, r.right);
    w.update.bottom = std::max(w.update.bottom, r.bottom);
}

}  // namespace winsys

using namespace winsys;

extern "C" {

int GetSystemMetrics(int index) {
    Display* d = display();
    if (!d) return 0;
    switch (index) {
        case SM_CXSCREEN: return DisplayWidth(d, screenNumber());
        case SM_CYSCREEN: return DisplayHeight(d, screenNumber());
        default: return 0;
    }
}

HDC GetDC(HWND hwnd) {
    if (!hwnd) {
        if (!screenDc) screenDc = createDcFor(nullptr);
        return screenDc;
    }
    WindowRecord* w = findWindow(hwnd);
    if (!w) {
        setError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    if (!w->dc) w->dc = createDcFor(hwnd);
    ++w->dcGets;
    return w->dc;
}

int ReleaseDC(HWND hwnd, HDC hdc) {
    if (!hwnd) return hdc == screenDc && hdc ? 1 : 0;
    WindowRecord* w = findWindow(hwnd);
    if (!w || w->dc != hdc || w->dcGets <= 0) return 0;
    --w->dcGets;
    return 1;
}

HWND WindowFromDC(HDC hdc) {
    DeviceContextRecord* dc = findDc(hdc);
    return dc ? dc->window : nullptr;
}

int GetClipBox(HDC hdc, LPRECT rect) {
    DeviceContextRecord* dc = findDc(hdc);
    if (!dc || !rect) return ERROR;
    if (!dc->window) {
        *rect = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        return SIMPLEREGION;
    }
    drainXEvents();
    WindowRecord* w = findWindow(dc->window);
    if (!w) return ERROR;
    if (!IsWindowVisible(w->handle) || !w->mapped || w->visibility == Visibility::FullyObscured ||
        w->width == 0 || w->height == 0) {
        *rect = RECT{0, 0, 0, 0};
        return NULLREGION;
    }
    *rect = RECT{0, 0, w->width, w->height};
    // Only the server's own report says that nothing covers the window.
    return w->visibility == Visibility::Unobscured ? SIMPLEREGION : COMPLEXREGION;
}

BOOL EqualRect(const RECT* a, const RECT* b) {
    if (!a || !b) return FALSE;
    return a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom;
}

BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom) {
    if (!rect) return FALSE;
    *rect = RECT{left, top, right, bottom};
    return TRUE;
}

HGDIOBJ GetStockObject(int object) { return stockObject(object); }

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object) {
    DeviceContextRecord* dc = findDc(hdc);
    if (!dc || !object) return nullptr;
    if (isFontObject(object)) {
        HGDIOBJ previous = dc->font ? dc->font : stockObject(SYSTEM_FONT);
        dc->font = object;
        return previous;
    }
    if (handleKindOf(reinterpret_cast<uintptr_t>(object)) == HandleKind::Brush) {
        HGDIOBJ previous = dc->brush ? dc->brush : stockObject(WHITE_BRUSH);
        dc->brush = object;
        return previous;
    }
    return HGDI_ERROR;
}

BOOL DeleteObject(HGDIOBJ object) {
    if (!object) return FALSE;
    if (isFontObject(object)) {
        // A device context keeps no dangling font: it falls back to the stock one.
        for (auto& [value, dc] : deviceContexts) {
            if (dc.font == object) dc.font = nullptr;
        }
        return deleteFontObject(object) ? TRUE : FALSE;
    }
    return handleKindOf(reinterpret_cast<uintptr_t>(object)) == HandleKind::Brush ? TRUE : FALSE;
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL) {
    if (!hwnd) {
        for (WindowRecord* w : allWindows()) invalidateClient(*w, nullptr);
        return TRUE;
    }
    WindowRecord* w = findWindow(hwnd);
    if (!w) return FALSE;
    invalidateClient(*w, rect);
    return TRUE;
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
    WindowRecord* w = findWindow(hwnd);
    if (!w) return FALSE;
    if (!rect || (rect->left <= w->update.left && rect->top <= w->update.top && rect->right >= w->update.right &&
                  rect->bottom >= w->update.bottom)) {
        w->hasUpdate = false;
        w->update = RECT{0, 0, 0, 0};
    }
    return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL) {
    drainXEvents();
    WindowRecord* w = findWindow(hwnd);
    if (!w) return FALSE;
    if (rect) *rect = w->hasUpdate ? w->update : RECT{0, 0, 0, 0};
    return w->hasUpdate;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint) {
    WindowRecord* w = findWindow(hwnd);
    if (!w || !paint) return nullptr;
    *paint = PAINTSTRUCT{};
    paint->rcPaint = w->hasUpdate ? w->update : RECT{0, 0, 0, 0};
    w->hasUpdate = false;
    w->update = RECT{0, 0, 0, 0};
    paint->hdc = GetDC(hwnd);
    return paint->hdc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint) {
    if (!paint) return FALSE;
    ReleaseDC(hwnd, paint->hdc);
    return TRUE;
}

}  // extern "C"
