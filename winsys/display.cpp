// The X connection, the X error trap and the handle serials.
#include "winsys_internal.h"

#include <cstdlib>
#include <unistd.h>

namespace winsys {
namespace {

Display* theDisplay = nullptr;
bool displayTried = false;
int xErrorCount = 0;

int countXError(Display*, XErrorEvent*) {
    ++xErrorCount;
    return 0;
}

uint32_t handleSerial = 0;

}  // namespace

Display* display() {
    if (!displayTried) {
        displayTried = true;
        XInitThreads();
        // A busy server may refuse a first connection; a few short retries cost nothing when it is absent.
        for (int attempt = 0; attempt < 3 && !theDisplay; ++attempt) {
            theDisplay = XOpenDisplay(nullptr);
            if (!theDisplay && std::getenv("DISPLAY")) usleep(100000);
        }
        if (theDisplay) XSetErrorHandler(countXError);
    }
    return theDisplay;
}

int screenNumber() { return display() ? DefaultScreen(display()) : 0; }

::Window rootWindow() { return display() ? RootWindow(display(), screenNumber()) : 0; }

XErrorTrap::XErrorTrap() : savedCount_(xErrorCount) {
    if (display()) XSync(display(), False);
    savedCount_ = xErrorCount;
}

XErrorTrap::~XErrorTrap() = default;

bool XErrorTrap::failed() {
    if (display()) XSync(display(), False);
    return xErrorCount != savedCount_;
}

uint32_t newHandleValue(HandleKind kind) {
    ++handleSerial;
    return (static_cast<uint32_t>(kind) << 24) | (handleSerial & 0x00ffffffu);
}

HandleKind handleKindOf(uintptr_t value) {
    return static_cast<HandleKind>((value >> 24) & 0xfu);
}

}  // namespace winsys

extern "C" Display* winsysDisplay(void) { return winsys::display(); }
