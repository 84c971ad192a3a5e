// The substitute host's own behaviour: pools, the allocator switch, packed
// text, bits, unit conversion and the event processor.
#include "ddzPackedText.h"
#include "pelk_test.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct Small {
    char bytes[8];
};
struct Large {
    double values[4];
};

TEST(HostPools, FixedPoolReusesTheLowestFreeIndex) {
    masFixed pool(0, 88, "Segment Store");
    EXPECT_EQ(pool.LargestObject(), -1);
    int a = -1, b = -1, c = -1;
    void* pa = new (pool, a) Small;
    void* pb = new (pool, b) Small;
    ASSERT_NE(pa, nullptr);
    ASSERT_NE(pb, nullptr);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 1);
    EXPECT_EQ(pool.ConvertIndexToPointer(1), pb);
    EXPECT_EQ(pool.LargestObject(), 1);
    EXPECT_EQ(pool.DeleteObject(0, pa), 0);
    EXPECT_EQ(pool.DeleteObject(0, pa), 2);  // already free
    new (pool, c) Small;
    EXPECT_EQ(c, 0);
    EXPECT_EQ(pool.DeleteObject(1, pa), 2);  // index and pointer disagree
    pool.Reinitialize(0);
    EXPECT_EQ(pool.LargestObject(), -1);
    EXPECT_EQ(pool.ConvertIndexToPointer(1), nullptr);
}

TEST(HostPools, FixedPoolRefusesObjectsLargerThanItsSize) {
    masFixed pool(0, 4, "small");
    int index = 0;
    EXPECT_EQ((new (pool, index) Large), nullptr);
    EXPECT_EQ(index, -1);
}

TEST(HostPools, VariableAreaReleasesEverythingAtOnce) {
    masVariable area("dvisiVMAS");
    void* a = area.AllocateMemory(100);
    void* b = new (area) Small;
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(b) % alignof(std::max_align_t), 0u);
    EXPECT_EQ(area.Count(), 2);
    area.DeleteMemory(a);
    EXPECT_EQ(area.Count(), 1);
    area.Reinitialize(0);
    EXPECT_EQ(area.Count(), 0);
    EXPECT_STREQ(area.Name(), "dvisiVMAS");
}

TEST(HostAllocator, FailsExactlyTheNthAllocation) {
    pelk::failAllocationAt(3);
    void* first = orban_malloc(8, "t", 0);
    void* second = orban_malloc(8, "t", 0);
    void* third = orban_malloc(8, "t", 0);
    void* fourth = orban_malloc(8, "t", 0);
    EXPECT_NE(first, nullptr);
    EXPECT_NE(second, nullptr);
    EXPECT_EQ(third, nullptr);
    EXPECT_NE(fourth, nullptr);
    pelk::failAllocationAt(1);
    EXPECT_EQ(orban_realloc(first, 64, "t", 0), nullptr);  // the old block survives a failed realloc
    const long live = pelk::liveAllocations();
    for (void* p : {first, second, fourth}) orban_free(p);
    EXPECT_EQ(pelk::liveAllocations(), live - 3);
}

TEST(HostText, PackedTextRoundTripsThroughCut2tc) {
    constexpr auto packed = ddzPack("GM-GLOBAL_MENU");
    static_assert(sizeof(packed.words) / sizeof(int32_t) == 7);
    EXPECT_EQ(ddzPackedWords(packed.count), 8);
    char text[32];
    cut2tc(packed.words, &packed.count, text);
    EXPECT_STREQ(text, "GM-GLOBAL_MENU");
    char bytes[4];
    std::memcpy(bytes, &packed.words[0], 4);
    EXPECT_EQ(std::string(bytes, 4), "GM  ");
    constexpr auto odd = ddzPack("$-ABORT");
    std::memcpy(bytes, &odd.words[3], 4);
    EXPECT_EQ(std::string(bytes, 4), "T   ");
}

TEST(HostBits, SetClearAndTestUseOneShiftedByTheBitNumber) {
    int32_t word = 0;
    const int32_t bit3 = 3, bit31 = 31, outside = 40;
    sbit32(&word, &bit3);
    EXPECT_EQ(word, 8);
    sbit32(&word, &bit31);
    EXPECT_EQ(ibit32(&word, &bit31), 1);
    cbit32(&word, &bit31);
    EXPECT_EQ(word, 8);
    sbit32(&word, &outside);  // no such bit: unchanged
    EXPECT_EQ(word, 8);
}

TEST(HostUnits, DeviceAndNormalisedUnitsRoundTripWithTheSlot16Geometry) {
    grdd_c.raster_scale = 799.0f;
    grdd_c.raster_origin[0] = grdd_c.raster_origin[1] = 0.0f;
    grdd_c.raster_x_sense = 1.0f;
    grdd_c.raster_y_sense = -1.0f;
    grdd_c.raster_max[0] = 799.0f;
    grdd_c.raster_max[1] = 599.0f;
    const float device[2] = {0.0f, 599.0f};
    float normalised[2], back[2];
    ddudn2(device, normalised);
    EXPECT_FLOAT_EQ(normalised[0], 0.0f);
    EXPECT_FLOAT_EQ(normalised[1], 0.0f);  // bottom left
    const float top[2] = {799.0f, 0.0f};
    ddudn2(top, normalised);
    EXPECT_FLOAT_EQ(normalised[0], 1.0f);
    EXPECT_FLOAT_EQ(normalised[1], 599.0f / 799.0f);
    ddund2(normalised, back);
    EXPECT_FLOAT_EQ(back[0], 799.0f);
    EXPECT_FLOAT_EQ(back[1], 0.0f);
}

TEST(HostMatrices, InverseTimesMatrixIsIdentity) {
    const float m[9] = {2, 0, 1, 1, 3, 0, 0, 1, 4};
    float inverse[9], product[9];
    const int32_t three = 3;
    ASSERT_EQ(mlminv(m, inverse, &three), 0);
    mlmmul(m, inverse, product, &three, &three, &three);
    for (int i = 0; i < 9; ++i) EXPECT_NEAR(product[i], (i % 4 == 0) ? 1.0f : 0.0f, 1e-5f);
    const float singular[4] = {1, 2, 2, 4};
    const int32_t two = 2;
    EXPECT_EQ(mlminv(singular, inverse, &two), 1);
}

// A stand-in driver table that notes which slot the event processor called.
int calledSlot = -1;
int32_t seenWord = 0;
template <int Slot>
void noteSlot(void* a1, void*, void*, void*, void*, void*, void*, void*, void*, void*) {
    calledSlot = Slot;
    if (Slot == 30) {
        seenWord = static_cast<int32_t>(std::strlen(static_cast<const char*>(a1)));
    } else {
        seenWord = x11EventWord(*static_cast<x11InputEvent*>(a1), Slot == 29 ? X11_EVENT_BUTTON_NUMBER : X11_EVENT_WINDOW);
    }
}

void ignoreSlot(void*, void*, void*, void*, void*, void*, void*, void*, void*, void*) {}

TEST(HostEvents, ProcessEventCallsTheSlotOfTheEventType) {
    kova_entry table[KOVA_ENTRY_COUNT];
    for (auto& entry : table) entry = ignoreSlot;
    table[27] = noteSlot<27>;
    table[28] = noteSlot<28>;
    table[29] = noteSlot<29>;
    table[30] = noteSlot<30>;
    const kova_init_record record{3, 0, table};
    pelk::bindDriver(&record);
    HWND window = reinterpret_cast<HWND>(static_cast<uintptr_t>(0x01000042));
    struct Case {
        x11InputEvent event;
        int slot;
        int32_t word;
    };
    const Case cases[] = {{pelk::configureEvent(window, 1, 2, 300, 200), 27, 0x01000042},
                          {pelk::exposeEvent(window, 0, 0, 10, 10), 28, 0x01000042},
                          {pelk::buttonEvent(window, 5, 6, 3), 29, 3},
                          {pelk::stringEvent(window, "hello"), 30, 5}};
    for (const Case& c : cases) {
        pelk::queueEvent(c.event);
        x11InputEvent buffer{};
        evpNextEvent(&buffer);
        calledSlot = -1;
        evpProcessEvent(&buffer);
        EXPECT_EQ(calledSlot, c.slot);
        EXPECT_EQ(seenWord, c.word);
    }
    pelk::bindDriver(nullptr);
}

int timerFired = 0;
void onTimer(void* data, unsigned long*) { timerFired += *static_cast<int*>(data); }

TEST(HostEvents, TimersFireOnceFromTheEventLoop) {
    int increment = 1;
    const unsigned long removed = wguiXtAppAddTimeOut(nullptr, 1, onTimer, &increment);
    wguiXtRemoveTimeOut(removed);
    wguiXtAppAddTimeOut(nullptr, 20, onTimer, &increment);
    x11InputEvent buffer{};
    evpNextEvent(&buffer);  // waits for the timer
    EXPECT_EQ(timerFired, 1);
    EXPECT_EQ(x11EventWord(buffer, X11_EVENT_TYPE), X11_EVENT_NONE);
}

TEST(HostEnvironment, SilgenvReadsTheProcessEnvironment) {
    setenv("VISTREL_TEST_VALUE", "42", 1);
    ASSERT_NE(silgenv_c("VISTREL_TEST_VALUE"), nullptr);
    EXPECT_STREQ(silgenv_c("VISTREL_TEST_VALUE"), "42");
    unsetenv("VISTREL_TEST_VALUE");
    EXPECT_EQ(silgenv_c("VISTREL_TEST_VALUE"), nullptr);
}

}  // namespace
