// The main job: the host binds the driver through kova_dso_init, opens the
// device (entry slot 18) and its descriptions (12, 14, 15, 16), shows the
// graphics windows (class 1 code 12), and writes a PNG of what the graphics
// window then shows.
#include "pelk_test.h"
#include "window_capture.h"

#include <cstdio>

namespace {

void call(const kova_init_record* driver, int slot, void* a1 = nullptr, void* a2 = nullptr, void* a3 = nullptr,
          void* a4 = nullptr) {
    driver->entries[slot](a1, a2, a3, a4, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    const char* output = argc > 1 ? argv[1] : "vistrel_demo.png";
    const char* library = argc > 2 ? argv[2] : VISTREL_LIBRARY;
    const kova_init_record* driver = pelk::loadDriver(library);
    if (!driver) {
        std::fprintf(stderr, "vistrel_demo: cannot load the driver %s\n", library);
        return 1;
    }
    call(driver, 18);
    if (wsdcpt_c.ws_window == -1) {
        std::fprintf(stderr, "vistrel_demo: the device did not open\n");
        return 1;
    }
    int32_t status = 0;
    call(driver, 12);
    call(driver, 14, &status);
    call(driver, 15);
    call(driver, 16);
    int32_t deviceControl = 1, showWindows = 12;
    call(driver, 0, &deviceControl, &showWindows, nullptr, nullptr);

    HWND parent = reinterpret_cast<HWND>(static_cast<uintptr_t>(static_cast<uint32_t>(wsdcpt_c.ws_window)));
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    WindowImage image;
    if (!captureWindow(parent, image) || !writePng(image, output)) {
        std::fprintf(stderr, "vistrel_demo: cannot capture the graphics window\n");
        return 1;
    }
    std::printf("vistrel_demo: %s (%dx%d graphics window, raster scale %.0f, centre pixel #%06x)\n", output,
                image.width, image.height, grdd_c.raster_scale, image.at(image.width / 2, image.height / 2));
    call(driver, 11);
    return 0;
}
