// The host's event processor: evpNextEvent waits for the next event (queued
// synthetic events first, then due timers, then the window-system layer's
// messages, which it dispatches to the window procedures), and evpProcessEvent
// hands an input event to the bound driver's entry slots 26-30.
#include "pelk_internal.h"

#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <deque>

namespace pelk {
namespace {

const kova_init_record* driver = nullptr;
std::deque<x11InputEvent> pending;
int inputMode = 0;

struct HostTimer {
    unsigned long id;
    DWORD due;
    wguiTimerProc proc;
    void* clientData;
};
std::vector<HostTimer> timers;
unsigned long nextTimerId = 1;

x11InputEvent baseEvent(int type, HWND window) {
    x11InputEvent e{};
    x11EventWord(e, X11_EVENT_TYPE) = type;
    x11EventWord(e, X11_EVENT_WINDOW) = static_cast<int32_t>(reinterpret_cast<uintptr_t>(window));
    return e;
}

bool runDueTimer() {
    const DWORD now = GetTickCount();
    auto due = std::find_if(timers.begin(), timers.end(),
                            [now](const HostTimer& t) { return static_cast<int32_t>(now - t.due) >= 0; });
    if (due == timers.end()) return false;
    HostTimer timer = *due;
    timers.erase(due);  // Xt timers fire once
    timer.proc(timer.clientData, &timer.id);
    return true;
}

}  // namespace

void bindDriver(const kova_init_record* record) { driver = record; }
const kova_init_record* boundDriver() { return driver; }

const kova_init_record* loadDriver(const char* path) {
    void* library = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (!library) return nullptr;
    auto init = reinterpret_cast<kova_dso_init_fn>(dlsym(library, "kova_dso_init"));
    const kova_init_record* record = init ? init() : nullptr;
    if (record) bindDriver(record);
    return record;
}

void queueEvent(const x11InputEvent& event) { pending.push_back(event); }
size_t queuedEvents() { return pending.size(); }

x11InputEvent buttonEvent(HWND window, int x, int y, int button) {
    x11InputEvent e = baseEvent(X11_EVENT_BUTTON, window);
    x11EventWord(e, X11_EVENT_POINTER_X) = x;
    x11EventWord(e, X11_EVENT_POINTER_Y) = y;
    x11EventWord(e, X11_EVENT_BUTTON_NUMBER) = button;
    return e;
}

x11InputEvent stringEvent(HWND window, const char* text) {
    x11InputEvent e = baseEvent(X11_EVENT_STRING, window);
    const size_t n = std::min<size_t>(text ? std::strlen(text) : 0, X11_EVENT_STRING_MAX);
    x11EventWord(e, X11_EVENT_STRING_LENGTH) = static_cast<int32_t>(n);
    std::memcpy(reinterpret_cast<char*>(e.words) + X11_EVENT_STRING_TEXT, text, n);
    return e;
}

x11InputEvent exposeEvent(HWND window, int x, int y, int width, int height) {
    x11InputEvent e = baseEvent(X11_EVENT_EXPOSE, window);
    x11EventWord(e, X11_EVENT_EXPOSE_X) = x;
    x11EventWord(e, X11_EVENT_EXPOSE_Y) = y;
    x11EventWord(e, X11_EVENT_EXPOSE_WIDTH) = width;
    x11EventWord(e, X11_EVENT_EXPOSE_HEIGHT) = height;
    return e;
}

x11InputEvent configureEvent(HWND window, int x, int y, int width, int height) {
    x11InputEvent e = baseEvent(X11_EVENT_RESIZE, window);
    x11EventWord(e, X11_EVENT_RESIZE_X) = x;
    x11EventWord(e, X11_EVENT_RESIZE_Y) = y;
    x11EventWord(e, X11_EVENT_RESIZE_WIDTH) = width;
    x11EventWord(e, X11_EVENT_RESIZE_HEIGHT) = height;
    return e;
}

}  // namespace pelk

using namespace pelk;

extern "C" {

void evpSetInputMode(int mode) {
    inputMode = mode;
    record("evpSetInputMode", {mode});
}

void evpNextEvent(void* buffer) {
    auto* event = static_cast<x11InputEvent*>(buffer);
    for (;;) {
        if (!pending.empty()) {
            *event = pending.front();
            pending.pop_front();
            return;
        }
        if (runDueTimer()) {
            *event = x11InputEvent{};
            return;
        }
        MSG msg;
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            *event = x11InputEvent{};
            return;
        }
        // Nothing to hand out: block on the window system unless a host timer is armed.
        if (timers.empty()) {
            if (GetMessageA(&msg, nullptr, 0, 0) > 0) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            *event = x11InputEvent{};
            return;
        }
        usleep(1000);
    }
}

void evpProcessEvent(void* buffer) {
    auto* event = static_cast<x11InputEvent*>(buffer);
    const int type = x11EventWord(*event, X11_EVENT_TYPE);
    if (!driver || type < X11_EVENT_RESIZE || type > X11_EVENT_STRING) return;
    kova_entry slot = driver->entries[type];
    if (type == X11_EVENT_STRING) {
        slot(reinterpret_cast<char*>(event->words) + X11_EVENT_STRING_TEXT, nullptr, nullptr, nullptr, nullptr,
             nullptr, nullptr, nullptr, nullptr, nullptr);
    } else {
        slot(event, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    }
}

void evpFlush(void) {
    pending.clear();
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_KEYDOWN, WM_MOUSEWHEEL, PM_REMOVE)) {
    }
    record("evpFlush");
}

unsigned long wguiXtAppAddTimeOut(void*, unsigned long intervalMs, wguiTimerProc proc, void* clientData) {
    if (!proc) return 0;
    const unsigned long id = nextTimerId++;
    timers.push_back(HostTimer{id, GetTickCount() + static_cast<DWORD>(intervalMs), proc, clientData});
    record("wguiXtAppAddTimeOut", {static_cast<long>(intervalMs)});
    return id;
}

void wguiXtRemoveTimeOut(unsigned long id) {
    timers.erase(std::remove_if(timers.begin(), timers.end(), [id](const HostTimer& t) { return t.id == id; }),
                 timers.end());
    record("wguiXtRemoveTimeOut", {static_cast<long>(id)});
}

}  // extern "C"
