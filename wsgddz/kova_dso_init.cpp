// The one exported function and the entry table it hands the host. Every slot
// has the table's uniform signature and unpacks the pointers its entry takes.
#include "ddzAttributeState.h"
#include "ddzDispatch.h"
#include "ddzEntrySlots.h"

#include "pelk.h"

#define KOVA_SLOT(name) void name(void* a1, void* a2, void* a3, void* a4, void* a5, void*, void*, void*, void*, void*)
#define KOVA_UNUSED (void)a1, (void)a2, (void)a3, (void)a4, (void)a5

namespace {

using I = int32_t*;

// Slots whose commands are not served on this device yet do nothing.
KOVA_SLOT(slotNothing) { KOVA_UNUSED; }
// Slot 0 carries the six further arrays of class 8 in a5..a10.
void slot0(void* a1, void* a2, void* a3, void* a4, void* a5, void* a6, void* a7, void* a8, void* a9, void* a10) {
    void* const extra[6] = {a5, a6, a7, a8, a9, a10};
    ddzCommand(I(a1), I(a2), I(a3), static_cast<float*>(a4), extra);
}
KOVA_SLOT(slot1) { KOVA_UNUSED, ddzApplyAttributes(*I(a1)); }
KOVA_SLOT(slot3) { KOVA_UNUSED, ddzDrawText(I(a1), I(a2), I(a3), static_cast<const char*>(a4)); }
KOVA_SLOT(slot4) { KOVA_UNUSED, ddzPenMove(I(a1), I(a2), I(a3)); }
KOVA_SLOT(slot5) { KOVA_UNUSED, ddzArmDials(I(a1)); }
KOVA_SLOT(slot6) { KOVA_UNUSED, ddzDialsReady(I(a1)); }
KOVA_SLOT(slot7) { KOVA_UNUSED, ddzReadDials(a1, a2, a3); }
KOVA_SLOT(slot8) { KOVA_UNUSED, ddzAnimationMenu(I(a1), I(a3)); }
KOVA_SLOT(slot9) { KOVA_UNUSED, ddzRegisterChoices(I(a1)); }
KOVA_SLOT(slot10) { KOVA_UNUSED, ddzChoiceValue(I(a2), I(a4), I(a5)); }
KOVA_SLOT(slot11) { KOVA_UNUSED, ddzCloseDevice(); }
KOVA_SLOT(slot18) { KOVA_UNUSED, ddzOpenDevice(); }
KOVA_SLOT(slot12) { KOVA_UNUSED, ddzDescribeWorkstation(); }
KOVA_SLOT(slot14) { KOVA_UNUSED, ddzAttributeDefaults(I(a1)); }
KOVA_SLOT(slot15) { KOVA_UNUSED, ddzInputDefaults(); }
KOVA_SLOT(slot16) { KOVA_UNUSED, ddzDeviceGeometry(); }
KOVA_SLOT(slotResetTextStyle) { KOVA_UNUSED, ddzResetTextStyle(); }
KOVA_SLOT(slot19) { KOVA_UNUSED, ddzGraphicsTextOutput(); }
KOVA_SLOT(slot20) { KOVA_UNUSED, ddzHostTextOutput(); }
KOVA_SLOT(slot23) { KOVA_UNUSED, ddzTextStyle(I(a1)); }
KOVA_SLOT(slot24) { KOVA_UNUSED, ddzPointerPosition(I(a1), I(a2)); }
KOVA_SLOT(slot25) { KOVA_UNUSED, ddzFunctionKeyHeld(I(a1)); }

constexpr kova_entry entryTable[KOVA_ENTRY_COUNT] = {
    slot0,               // 0 command dispatcher
    slot1,               // 1 apply the attributes of a primitive kind
    slotNothing,         // 2 raster scan line
    slot3,               // 3 text
    slot4,               // 4 pen move
    slot5,               // 5 arm dials
    slot6,               // 6 dials ready
    slot7,               // 7 read dials
    slot8,               // 8 animation menu
    slot9,               // 9 special choice entries
    slot10,              // 10 choice pair
    slot11,              // 11 close
    slot12,              // 12 workstation description
    slotNothing,         // 13 nothing
    slot14,              // 14 attribute defaults
    slot15,              // 15 input defaults
    slot16,              // 16 device geometry
    slotResetTextStyle,  // 17
    slot18,              // 18 open
    slot19,              // 19 text output to the graphics side
    slot20,              // 20 text output to the host side, bell
    slotResetTextStyle,  // 21
    slotResetTextStyle,  // 22
    slot23,              // 23 text style
    slot24,              // 24 pointer position
    slot25,              // 25 function key held
    slotNothing,         // 26 nothing
    slotNothing,         // 27 resize
    slotNothing,         // 28 expose
    slotNothing,         // 29 pointer button
    slotNothing,         // 30 text entered
    slotNothing,         // 31 begin dynamic viewing
    slotNothing,         // 32 end dynamic viewing
    slotNothing,         // 33 dynamic-viewing step
};

constexpr kova_init_record initRecord{KOVA_INTERFACE_VERSION, 0, entryTable};

}  // namespace

extern "C" __attribute__((visibility("default"))) const kova_init_record* kova_dso_init() { return &initRecord; }
