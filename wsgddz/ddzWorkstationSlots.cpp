// Entry slots 12, 14 and 16: the workstation description, the attribute
// defaults and the device geometry written into the host's blocks.
#include "ddzEntrySlots.h"

#include "GraphicsWindowState.h"
#include "ddzAttributeState.h"
#include "ddzDeviceSettings.h"
#include "ddzDispatch.h"
#include "ddzWindowsFonts.h"
#include "dvisi.h"
#include "pelk.h"

#include <algorithm>
#include <iterator>

namespace {

void setBit(int32_t& word, int32_t bit) { sbit32(&word, &bit); }

// The text fonts of the window: with several display fonts the closest to a
// cell that suits the window size, else both take the one font's cell.
void chooseTextFonts(int width, int height, float large[2], float small[2]) {
    const bool smallWindow = width < 800 || height < 600;
    const float largeRequest[2] = {smallWindow ? 8.0f : 9.0f, smallWindow ? 13.0f : 15.0f};
    const float smallRequest[2] = {smallWindow ? 7.0f : 8.0f, 13.0f};
    int font = 0;
    float again[2];
    if (OpenGLFontTable().count > 1) {
        ddzSelectFont(largeRequest[0], largeRequest[1], &font, &large[0], &large[1], &again[0], &again[1]);
        ddzSelectFont(smallRequest[0], smallRequest[1], &font, &small[0], &small[1], &again[0], &again[1]);
    } else {
        ddzSelectFont(0.0f, 0.0f, &font, &large[0], &large[1], &again[0], &again[1]);
        small[0] = large[0];
        small[1] = large[1];
    }
}

}  // namespace

void ddzDescribeWorkstation() {
    const GraphicsWindowState& window = ddzWindowState();
    wsdcpt_c.ws_value_4 = 1;
    wsdcpt_c.ws_capability_bits = 0;
    for (int32_t bit : {1, 2, 3, 5, 6, 7, 8, 9, 10}) setBit(wsdcpt_c.ws_capability_bits, bit);
    wsdcpt_c.ws_value_16 = 1;
    wsdcpt_c.ws_feature_bits = 0;
    setBit(wsdcpt_c.ws_feature_bits, 1);
    if (dvisiGetStencilSize() > 0) setBit(wsdcpt_c.ws_feature_bits, 6);
    if (dvisiGetStencilSize() > 1) setBit(wsdcpt_c.ws_feature_bits, 7);
    wsdcpt_c.ws_double_buffered = window.doubleBuffered ? 1 : 0;
    wsdcpt_c.ws_value_28 = 0;
    int use = 1;
    ddztstp(&use);
    const int32_t flags[7] = {0, 1, 1, use, 1, 1, 1};
    std::copy(std::begin(flags), std::end(flags), wsdcpt_c.ws_flags_68);
}

void ddzAttributeDefaults(int32_t* status) {
    ddzAttributeState& attributes = ddzAttributes();
    grdd_c.ndc_window[0] = 0.0f;
    grdd_c.ndc_window[1] = 0.0f;
    grdd_c.ndc_window[2] = grdd_c.ndc_x_max;
    grdd_c.ndc_window[3] = grdd_c.ndc_y_max;
    grdd_c.text_pair[0] = grdd_c.text_pair[1] = 0;
    grdd_c.dd_value_352 = 0;
    grdd_c.dd_value_360 = 1.0f;
    std::fill(std::begin(grdd_c.dd_zero_388), std::end(grdd_c.dd_zero_388), 0);
    grdd_c.clip_window[0] = grdd_c.clip_window[1] = 0.0f;
    grdd_c.clip_window[2] = grdd_c.clip_window[3] = 3.0e7f;
    grdd_c.colour_count = 0x1000000;
    grdd_c.attribute_444[0] = 1;
    grdd_c.attribute_444[1] = 0;
    grdd_c.attribute_444[2] = 7;
    grdd_c.attribute_492[0] = grdd_c.attribute_492[1] = 1;
    grdd_c.line_type = 1;
    grdd_c.marker_type = 1;
    grdd_c.text_font = 1;
    grdd_c.text_font_index = -1;
    grdd_c.fill_style = 0;
    grdd_c.edge_flag = 0;
    attributes.lastLineType = -1;
    attributes.lastEdgeFlag = -1;
    // The colours, the character size and the font go through their class 4 commands.
    const int32_t attributeClass = 4, packColour = 23, characterSize = 5, font = 12;
    int32_t packed[1] = {0};
    float white[3] = {1.0f, 1.0f, 1.0f}, black[3] = {0.0f, 0.0f, 0.0f};
    ddzCommand(&attributeClass, &packColour, packed, white);
    grdd_c.line_colour = grdd_c.marker_colour = grdd_c.text_colour = packed[0];
    attributes.fillColour = packed[0];
    ddzCommand(&attributeClass, &packColour, packed, black);
    attributes.secondFillColour = packed[0];
    float size[2] = {0.05f, 0.05f};
    ddzCommand(&attributeClass, &characterSize, nullptr, size);
    int32_t fontOne[1] = {1};
    ddzCommand(&attributeClass, &font, fontOne, nullptr);
    attributes.rasterTransferLimit = 1024;
    grdd_c.dd_value_540 = -2;
    if (status) *status = 0;
}

void ddzDeviceGeometry() {
    const GraphicsWindowState& window = ddzWindowState();
    int width = window.width, height = window.height;
    RECT client{};
    if (window.childWindow && GetClientRect(window.childWindow, &client)) {
        width = client.right - client.left;
        height = client.bottom - client.top;
    }
    const float xMax = static_cast<float>(std::max(width - 1, 0));
    const float yMax = static_cast<float>(std::max(height - 1, 0));
    const float scale = std::max({xMax, yMax, 1.0f});  // a 1x1 surface still divides safely

    grdd_c.ndc_x_max = xMax / scale;
    grdd_c.ndc_y_max = yMax / scale;
    grdd_c.raster_max_a[0] = grdd_c.raster_max[0] = grdd_c.raster_max_b[0] = xMax;
    grdd_c.raster_max_a[1] = grdd_c.raster_max[1] = grdd_c.raster_max_b[1] = yMax;
    grdd_c.raster_scale = scale;
    grdd_c.raster_origin[0] = grdd_c.raster_origin[1] = 0.0f;
    grdd_c.raster_x_sense = 1.0f;
    grdd_c.raster_y_sense = -1.0f;
    grdd_c.raster_viewport[0] = grdd_c.raster_viewport[1] = 0.0f;
    grdd_c.raster_viewport[2] = xMax;
    grdd_c.raster_viewport[3] = yMax;
    grdd_c.dd_value_356 = 8.0f;
    std::fill(std::begin(grdd_c.dd_zero_388), std::end(grdd_c.dd_zero_388), 0);
    grdd_c.dd_value_428 = 0;
    dduscm();

    float large[2], small[2];
    chooseTextFonts(width, height, large, small);
    grmap_c.large_font_cell[0] = large[0] / scale;
    grmap_c.large_font_cell[1] = large[1] / scale;
    grmap_c.small_font_cell[0] = small[0] / scale;
    grmap_c.small_font_cell[1] = small[1] / scale;
    grmap_c.map_value_20 = 30.0f / scale;
    grmap_c.map_margin[0] = grmap_c.map_margin[1] = 0.0f;
    grmap_c.map_extent_a[0] = grmap_c.map_extent_b[0] = grdd_c.ndc_x_max;
    grmap_c.map_extent_a[1] = grmap_c.map_extent_b[1] = grdd_c.ndc_y_max;
    grmap_c.map_inner_extent[0] = grmap_c.map_extent_a[0] - grmap_c.map_margin[0];
    grmap_c.map_inner_extent[1] = grmap_c.map_extent_a[1] - grmap_c.map_margin[1];
    grmap_c.map_value_56 = 2;
    grmap_c.map_value_60 = 0;
    grmap_c.map_columns = static_cast<int32_t>(grdd_c.ndc_x_max / grmap_c.small_font_cell[0]);

    constexpr int32_t styles[4] = {1, 2, 3, 3};
    for (int i = 0; i < 4; ++i) {
        txtst_c.text_channel_style[i + 1] = styles[i];
        txtst_c.text_line_height[i] = 12.0f / scale;
        txtst_c.text_value_40[i] = 1.0f / scale;
        txtst_c.text_width[i] = 80.0f / scale;
        txtst_c.text_row_height[i] = 12.0f / scale;
        txtst_c.text_left[i] = 5.0f / scale;
        txtst_c.text_top[i] = grdd_c.ndc_y_max;
        txtst_c.text_rows[i] = 40;
        txtst_c.text_bottom[i] = txtst_c.text_top[i] - static_cast<float>(txtst_c.text_rows[i]) * txtst_c.text_row_height[i];
        txtst_c.text_right[i] = txtst_c.text_left[i] + txtst_c.text_width[i];
        txtst_c.text_area_id[i] = i + 1;
        txtst_c.text_value_200[i] = 1;
    }
}
