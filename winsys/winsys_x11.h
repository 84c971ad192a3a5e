// What the window-system layer reveals of its X side, for tools and tests that
// look at what a window really shows.
#pragma once

#include "win32.h"

#include <X11/Xlib.h>

extern "C" {
//! The layer's X connection (null without a display).
Display* winsysDisplay(void);
//! The X window behind a window handle, 0 for an unknown handle.
Window winsysXWindow(HWND hwnd);
//! Whether swaps on the current context are followed by a back-to-front copy.
BOOL winsysCurrentContextCopiesAfterSwap(void);
//! Live objects of the layer, for leak checks: windows, device contexts, GL contexts.
void winsysObjectCounts(int* windows, int* deviceContexts, int* glContexts);
//! Logical fonts alive (the stock system font is not one of them).
int winsysFontCount(void);
//! The answer of the next font dialogs (ChooseFontA); null: the dialog is cancelled.
void winsysSetChooseFontAnswer(const LOGFONTA* answer);
}
