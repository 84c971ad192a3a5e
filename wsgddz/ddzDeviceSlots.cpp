// Entry slot 11: closing the device. The windows stay; the context and the
// device context are released.
#include "ddzEntrySlots.h"

#include "GraphicsWindowState.h"
#include "pelk.h"

void ddzCloseDevice() {
    GraphicsWindowState& window = ddzWindowState();
    wguiStatusWindowControl(0x800000, nullptr);
    wglMakeCurrent(nullptr, nullptr);
    if (window.renderingContext) wglDeleteContext(window.renderingContext);
    window.renderingContext = nullptr;
    if (window.deviceContext) ReleaseDC(window.childWindow, window.deviceContext);
    window.deviceContext = nullptr;
}
