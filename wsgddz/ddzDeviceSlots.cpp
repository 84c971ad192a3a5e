// Entry slots 18 and 11: opening and closing the device. A close leaves the
// windows; it releases the context and the device context.
#include "ddzEntrySlots.h"

#include "GraphicsWindowState.h"
#include "ddzDeviceSettings.h"
#include "ddzDispatch.h"
#include "ddzPackedText.h"
#include "ddzWindowsFonts.h"
#include "pelk.h"

namespace {

// The host condition of a failed open: a 6-character name without a count word.
constexpr auto kOpenFailed = ddzPack("SNOPBF");
constexpr int32_t kOpenFailedNumber = 12004;

}  // namespace

void ddzOpenDevice() {
    ddzDeviceSettings& s = ddzSettings();
    wsdcpt_c.ws_window = -1;
    ddzop(&wsdcpt_c.ws_window, &s.redMax, &s.greenMax, &s.blueMax, &s.colourMax, &wsdcpt_c.ws_value_60);
    if (wsdcpt_c.ws_window == -1) {
        // Nothing was opened: the host hears of it and the device stays closed.
        gpscsh(kOpenFailed.words, &kOpenFailedNumber);
        return;
    }
    const int32_t deviceControl = 1, setHints = 1;
    ddzCommand(&deviceControl, &setHints, nullptr, nullptr);
    wsdcpt_c.ws_open = 1;
}

void ddzCloseDevice() {
    GraphicsWindowState& window = ddzWindowState();
    ddzDeleteFonts();
    wguiStatusWindowControl(0x800000, nullptr);
    wglMakeCurrent(nullptr, nullptr);
    if (window.renderingContext) wglDeleteContext(window.renderingContext);
    window.renderingContext = nullptr;
    if (window.deviceContext) ReleaseDC(window.childWindow, window.deviceContext);
    window.deviceContext = nullptr;
}
