// Entry slots whose whole effect is on the host's blocks, the host's services
// and the window system.
#include "GraphicsWindowState.h"
#include "ddzAttributeState.h"
#include "ddzEntrySlots.h"
#include "ddzPackedText.h"
#include "dvisi.h"
#include "pelk_test.h"
#include "support/TestWindows.h"
#include "winsys_x11.h"

#include <X11/keysym.h>

#include <cstring>

namespace {

std::vector<std::string> txstrTexts() {
    std::vector<std::string> texts;
    for (const auto& c : pelk::recordedCalls()) {
        if (c.name == "txstr") texts.push_back(c.text);
    }
    return texts;
}

class EntrySlots : public ::testing::Test {
protected:
    void SetUp() override {
        pelk::clearRecordedCalls();
        tpinpt_c.inp_choice_count = 0;
        tpinpt_c.inp_abort_enabled = 0;
        ddzChoices() = ddzChoiceTables{};
    }
};

struct ChoiceCase {
    int32_t flags;
    int32_t abortEnabled;
    std::vector<std::string> texts;
    std::vector<int32_t> values;  // entries 1, 2, ...
};

void PrintTo(const ChoiceCase& c, std::ostream* os) { *os << "flags " << c.flags << " abort " << c.abortEnabled; }

class ChoiceEntries : public EntrySlots, public ::testing::WithParamInterface<ChoiceCase> {};

TEST_P(ChoiceEntries, RegisterTheSpecialEntriesInOrder) {
    tpinpt_c.inp_abort_enabled = GetParam().abortEnabled;
    ddzRegisterChoices(&GetParam().flags);
    EXPECT_EQ(txstrTexts(), GetParam().texts);
    EXPECT_EQ(tpinpt_c.inp_choice_count, static_cast<int32_t>(GetParam().values.size()));
    for (size_t i = 0; i < GetParam().values.size(); ++i) {
        const int32_t n = static_cast<int32_t>(i + 1);
        int32_t device = 0, value = 0;
        ddzChoiceValue(&n, &device, &value);
        EXPECT_EQ(device, 1);
        EXPECT_EQ(value, GetParam().values[i]);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Flags, ChoiceEntries,
    ::testing::Values(ChoiceCase{0, 0, {"!-BACKUP"}, {2}}, ChoiceCase{0, 1, {"!-BACKUP", "$-ABORT"}, {2, 1}},
                      ChoiceCase{1, 0, {"!-BACKUP", "GM-GLOBAL_MENU"}, {2, 9}},
                      ChoiceCase{3, 1, {"!-BACKUP", "$-ABORT", "GM-GLOBAL_MENU"}, {2, 1, 9}}),
    [](const ::testing::TestParamInfo<ChoiceCase>& info) {
        return "flags" + std::to_string(info.param.flags) + "_abort" + std::to_string(info.param.abortEnabled);
    });

TEST_F(EntrySlots, ChoiceCountBeyondTheTablesIsNotStored) {
    tpinpt_c.inp_choice_count = 4;
    const int32_t flags = 1;
    ddzRegisterChoices(&flags);  // entries 5 and 6 lie outside 0..4
    EXPECT_EQ(tpinpt_c.inp_choice_count, 6);
    const int32_t outside = 5;
    int32_t device = -1, value = -1;
    ddzChoiceValue(&outside, &device, &value);
    EXPECT_EQ(device, 0);
    EXPECT_EQ(value, 0);
}

TEST_F(EntrySlots, AnimationMenuShowsTitleEntriesAndEnds) {
    constexpr auto one = ddzPack("SPIN");
    constexpr auto two = ddzPack("STOP!");
    std::vector<int32_t> texts;
    texts.push_back(one.count);
    texts.insert(texts.end(), std::begin(one.words), std::end(one.words));
    texts.push_back(two.count);
    texts.insert(texts.end(), std::begin(two.words), std::end(two.words));
    const int32_t count = 2;
    ddzAnimationMenu(&count, texts.data());
    EXPECT_EQ(txstrTexts(), (std::vector<std::string>{"ANIMATION", "SPIN", "STOP!"}));
    const auto& calls = pelk::recordedCalls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back().name, "txrset");
    EXPECT_EQ(calls.back().numbers, std::vector<long>{3});
    EXPECT_EQ(calls.front().numbers, (std::vector<long>{3, 1, 9}));
}

TEST_F(EntrySlots, ArmDialsSkipsExcludedChannels) {
    tpdad_c = tpdad_block{};
    tpdcs_c = tpdcs_block{};
    for (int k = 0; k < 4; ++k) tpdad_c.dial_exclude_148[k] = 1;
    tpdad_c.dial_exclude_132[1] = 1;  // channel 2 excluded
    tpdad_c.dial_exclude_164[2] = 5;  // channel 3 excluded
    tpdcs_c.dcs_bits_164 = tpdcs_c.dcs_bits_196 = -1;
    int32_t channel = 1;
    ddzArmDials(&channel);
    const int32_t armed = (1 << 1) | (1 << 4);  // channels 1 and 4
    for (int32_t word : {tpdcs_c.dcs_bits_168, tpdcs_c.dcs_bits_128, tpdcs_c.dcs_bits_132, tpdcs_c.dcs_bits_200,
                         tpdcs_c.dcs_bits_140, tpdcs_c.dcs_bits_136}) {
        EXPECT_EQ(word, armed);
    }
    EXPECT_EQ(tpdcs_c.dcs_bits_164, ~armed);
    EXPECT_EQ(tpdcs_c.dcs_bits_196, ~armed);
    EXPECT_EQ(tpdcs_c.dcs_channel_172[0], 3);
    EXPECT_EQ(tpdcs_c.dcs_channel_172[1], 0);
    EXPECT_EQ(pelk::callCount("dmuarc"), 1);
}

TEST_F(EntrySlots, DialsReadyAssignsPresentAndEnabledChannels) {
    tpdad_c = tpdad_block{};
    tpspec_c = tpspec_block{};
    tppost_c.post_busy = 0;
    for (int k = 0; k < 4; ++k) {
        tpdad_c.dial_active[k] = 7;
        tpdad_c.dial_source[k] = 10 + k;
    }
    tpdad_c.dial_present[0] = tpdad_c.dial_present[2] = 1;
    tpspec_c.spec_enabled[0] = tpspec_c.spec_enabled[2] = tpspec_c.spec_enabled[3] = 1;
    tpdad_c.dial_mode[2] = 4;
    int32_t status = 2;
    ddzDialsReady(&status);
    EXPECT_EQ(tpdad_c.dial_active[0], 1);
    EXPECT_EQ(tpdad_c.dial_active[1], 0);
    EXPECT_EQ(tpdad_c.dial_active[2], 1);
    EXPECT_EQ(tpdad_c.dial_active[3], 0);
    EXPECT_EQ(tpdad_c.dial_assigned[2], 12);
    EXPECT_EQ(tpdad_c.dial_active_mode[0], 1);
    EXPECT_EQ(tpdad_c.dial_active_mode[2], 4);
    EXPECT_EQ(tpsyst_c.syst_last_channel, 3);
    tppost_c.post_busy = 1;
    tpdad_c.dial_active[0] = 9;
    ddzDialsReady(&status);
    EXPECT_EQ(tpdad_c.dial_active[0], 9);  // busy: untouched
    tppost_c.post_busy = 0;
}

TEST_F(EntrySlots, WorkstationDescriptionBits) {
    ddzWindowState().doubleBuffered = true;
    dvisiSetStencilSize(8);
    unsetenv("KOVA_TRI_STRIP_SHADING");
    ddzDescribeWorkstation();
    EXPECT_EQ(wsdcpt_c.ws_capability_bits, 0x7EE);  // bits 1, 2, 3 and 5..10
    EXPECT_EQ(wsdcpt_c.ws_feature_bits, (1 << 1) | (1 << 6) | (1 << 7));
    EXPECT_EQ(wsdcpt_c.ws_double_buffered, 1);
    const int32_t flags[7] = {0, 1, 1, 1, 1, 1, 1};
    EXPECT_EQ(std::memcmp(wsdcpt_c.ws_flags_68, flags, sizeof flags), 0);
    setenv("KOVA_TRI_STRIP_SHADING", "0", 1);
    dvisiSetStencilSize(1);
    ddzDescribeWorkstation();
    EXPECT_EQ(wsdcpt_c.ws_flags_68[3], 0);
    EXPECT_EQ(wsdcpt_c.ws_feature_bits, (1 << 1) | (1 << 6));
    unsetenv("KOVA_TRI_STRIP_SHADING");
    ddzWindowState().doubleBuffered = false;
}

TEST_F(EntrySlots, AttributeDefaults) {
    grdd_c.ndc_x_max = 1.0f;
    grdd_c.ndc_y_max = 0.75f;
    ddzAttributes().lastLineType = 3;
    int32_t status = 9;
    ddzAttributeDefaults(&status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(grdd_c.ndc_window[2], 1.0f);
    EXPECT_EQ(grdd_c.ndc_window[3], 0.75f);
    EXPECT_EQ(grdd_c.clip_window[3], 3.0e7f);
    EXPECT_EQ(grdd_c.colour_count, 0x1000000);
    EXPECT_EQ(grdd_c.attribute_444[2], 7);
    EXPECT_EQ(grdd_c.line_colour, 0xFFFFFF);
    EXPECT_EQ(grdd_c.text_colour, 0xFFFFFF);
    EXPECT_EQ(grdd_c.text_font_index, -1);
    EXPECT_EQ(grdd_c.dd_value_540, -2);
    EXPECT_EQ(grdd_c.char_size_request[0], 0.05f);
    EXPECT_EQ(ddzAttributes().lastLineType, -1);
    EXPECT_EQ(ddzAttributes().secondFillColour, 0);
    EXPECT_EQ(ddzAttributes().rasterTransferLimit, 1024);
}

TEST_F(EntrySlots, InputDefaults) {
    ddzInputDefaults();
    EXPECT_EQ(tpinpt_c.inp_value_1396, 2);
    const int32_t expected[6] = {2, 19, 23, 8, 16, 0};
    EXPECT_EQ(std::memcmp(tpinpt_c.inp_defaults_11572, expected, sizeof expected), 0);
}

TEST_F(EntrySlots, DeviceGeometryOfAnEightHundredBySixHundredChild) {
    HWND parent = testsupport::createTopLevel(0, 0, 800, 620);
    HWND child = CreateWindowExA(0, testsupport::plainClass(), nullptr, WS_CHILD, 0, 0, 800, 600, parent, nullptr,
                                 nullptr, nullptr);
    ddzWindowState().childWindow = child;
    ddzDeviceGeometry();
    EXPECT_FLOAT_EQ(grdd_c.raster_scale, 799.0f);
    EXPECT_FLOAT_EQ(grdd_c.ndc_x_max, 1.0f);
    EXPECT_FLOAT_EQ(grdd_c.ndc_y_max, 599.0f / 799.0f);
    EXPECT_FLOAT_EQ(grdd_c.raster_max[1], 599.0f);
    EXPECT_FLOAT_EQ(grdd_c.raster_y_sense, -1.0f);
    EXPECT_FLOAT_EQ(grdd_c.raster_viewport[2], 799.0f);
    EXPECT_FLOAT_EQ(grdd_c.dd_value_356, 8.0f);
    EXPECT_FLOAT_EQ(grmap_c.map_value_20, 30.0f / 799.0f);
    EXPECT_FLOAT_EQ(grmap_c.map_inner_extent[1], 599.0f / 799.0f);
    EXPECT_EQ(grmap_c.map_columns, 99);  // 799 pixels of 8-pixel cells
    EXPECT_FLOAT_EQ(txtst_c.text_top[3], 599.0f / 799.0f);
    EXPECT_FLOAT_EQ(txtst_c.text_bottom[0], (599.0f - 40 * 12.0f) / 799.0f);
    EXPECT_FLOAT_EQ(txtst_c.text_right[0], 85.0f / 799.0f);
    EXPECT_EQ(txtst_c.text_channel_style[4], 3);
    EXPECT_EQ(txtst_c.text_area_id[3], 4);
    EXPECT_EQ(pelk::callCount("dduscm"), 1);
    ddzWindowState().childWindow = nullptr;
    DestroyWindow(parent);
}

TEST_F(EntrySlots, TextOutputSidesAndStyles) {
    wssync_c.ws_sync_state = 1;
    txtst_c.text_channel_style[0] = 5;
    ddzGraphicsTextOutput();
    EXPECT_EQ(wssync_c.ws_sync_state, 2);
    EXPECT_EQ(txtst_c.text_channel_style[0], -1);
    txtst_c.text_channel_style[0] = 5;
    ddzGraphicsTextOutput();  // already the graphics side: nothing changes
    EXPECT_EQ(txtst_c.text_channel_style[0], 5);
    ddzHostTextOutput();
    EXPECT_EQ(wssync_c.ws_sync_state, 1);
    ddzResetTextStyle();
    EXPECT_EQ(txtst_c.text_channel_style[0], -1);

    txtst_c.text_channel_style[2] = 2;
    txtst_c.text_style_records[1][0] = 11;
    txtst_c.text_style_records[1][1] = 22;
    const int32_t channel = 2;
    ddzTextStyle(&channel);
    ASSERT_EQ(pelk::callCount("x11stx"), 1);
    EXPECT_EQ(pelk::recordedCalls().back().numbers, (std::vector<long>{2, 11, 22}));
    const int32_t bad = 9;
    ddzTextStyle(&bad);
    EXPECT_EQ(pelk::callCount("x11stx"), 1);
}

TEST_F(EntrySlots, FunctionKeyHeldReportsF3) {
    HWND hwnd = testsupport::createTopLevel(0, 0, 20, 20);
    ShowWindow(hwnd, SW_SHOW);
    int32_t pressed = -1;
    ddzFunctionKeyHeld(&pressed);
    EXPECT_EQ(pressed, 0);
    Display* d = winsysDisplay();
    XEvent e{};
    e.xkey.type = KeyPress;
    e.xkey.window = winsysXWindow(hwnd);
    e.xkey.keycode = XKeysymToKeycode(d, XK_F3);
    e.xkey.same_screen = True;
    XSendEvent(d, e.xkey.window, True, KeyPressMask, &e);
    XSync(d, False);
    ASSERT_TRUE(testsupport::pumpUntil([&] {
        ddzFunctionKeyHeld(&pressed);
        return pressed == 1;
    }));
    e.xkey.type = KeyRelease;
    XSendEvent(d, e.xkey.window, True, KeyReleaseMask, &e);
    XSync(d, False);
    ASSERT_TRUE(testsupport::pumpUntil([&] {
        ddzFunctionKeyHeld(&pressed);
        return pressed == 0;
    }));
    DestroyWindow(hwnd);
}

TEST_F(EntrySlots, CloseReleasesContextAndDeviceContextButKeepsTheWindows) {
    testsupport::GlWindow w(0, 0, 32, 32);
    GraphicsWindowState& state = ddzWindowState();
    state.childWindow = w.hwnd();
    state.deviceContext = GetDC(w.hwnd());
    state.renderingContext = wglCreateContext(state.deviceContext);
    wglMakeCurrent(state.deviceContext, state.renderingContext);
    int windows = 0, dcs = 0, contexts = 0;
    winsysObjectCounts(&windows, &dcs, &contexts);
    ddzCloseDevice();
    int windowsAfter = 0, dcsAfter = 0, contextsAfter = 0;
    winsysObjectCounts(&windowsAfter, &dcsAfter, &contextsAfter);
    EXPECT_EQ(windowsAfter, windows);
    EXPECT_EQ(dcsAfter, dcs - 1);
    EXPECT_EQ(contextsAfter, contexts - 1);
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    EXPECT_EQ(state.renderingContext, nullptr);
    EXPECT_TRUE(IsWindow(w.hwnd()));
    EXPECT_EQ(pelk::recordedCalls().front().numbers, std::vector<long>{0x800000});
    state.childWindow = nullptr;
    wglMakeCurrent(w.dc(), w.context());
}

}  // namespace
