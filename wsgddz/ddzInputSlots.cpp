// Entry slots 15, 24 and 25: input defaults, pointer position, function keys.
#include "ddzEntrySlots.h"

#include "GraphicsWindowState.h"
#include "pelk.h"

void ddzInputDefaults() {
    tpinpt_c.inp_value_1396 = 2;
    tpinpt_c.inp_value_1404 = 0;
    tpinpt_c.inp_value_1408 = 0;
    constexpr int32_t defaults[6] = {2, 19, 23, 8, 16, 0};
    for (int i = 0; i < 6; ++i) tpinpt_c.inp_defaults_11572[i] = defaults[i];
}

void ddzPointerPosition(int32_t* x, int32_t* y) {
    POINT p{0, 0};
    GetCursorPos(&p);
    ScreenToClient(ddzWindowState().childWindow, &p);
    *x = p.x;
    *y = p.y;
}

void ddzFunctionKeyHeld(int32_t* pressed) {
    constexpr int order[] = {VK_F3, VK_F1, VK_F2, VK_F5, VK_F4, VK_F6};
    *pressed = 0;
    for (int key : order) {
        if (GetAsyncKeyState(key) != 0) {
            *pressed = 1;
            return;
        }
    }
}
