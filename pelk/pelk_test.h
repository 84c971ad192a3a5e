// What the substitute host lets a test or a demo see and steer: the recorded
// calls, allocation failures, synthetic events and timers, the window-layout
// answers, and the binding of a driver.
#pragma once

#include "pelk.h"
#include "x11input.h"

#include <string>
#include <vector>

namespace pelk {

struct RecordedCall {
    std::string name;
    std::vector<long> numbers;
    std::string text;
};

//! Calls recorded so far, oldest first.
const std::vector<RecordedCall>& recordedCalls();
int callCount(const std::string& name);
void clearRecordedCalls();

//! The n-th allocation from now fails (1 = the next one); 0 switches it off.
void failAllocationAt(int n);
//! Blocks obtained from orban_malloc/orban_realloc and not yet freed.
long liveAllocations();

//! Binds a driver: the event processor calls its slots 26-30.
void bindDriver(const kova_init_record* record);
//! Loads a driver library with dlopen and binds it; null on failure.
const kova_init_record* loadDriver(const char* path);
const kova_init_record* boundDriver();

//! Synthetic events delivered by evpNextEvent before any window-system input.
void queueEvent(const x11InputEvent& event);
x11InputEvent buttonEvent(HWND window, int x, int y, int button);
x11InputEvent stringEvent(HWND window, const char* text);
x11InputEvent exposeEvent(HWND window, int x, int y, int width, int height);
x11InputEvent configureEvent(HWND window, int x, int y, int width, int height);
size_t queuedEvents();

//! Answers of the window-layout queries.
void setNewUILayout(bool on);
void setShowState(int show);
void setDraftingActive(bool on);
void setInputRegion(HWND window);
void setIconPanel(HWND window);
//! While on, wguiCreateTopWindow and wguiCreateGraphWnd make nothing and return null.
void failWindowServices(bool on);
//! The windows pelk created for the new layout and its status bars.
std::vector<HWND> hostWindows();
//! Destroys every window pelk created (between tests).
void destroyHostWindows();

}  // namespace pelk
