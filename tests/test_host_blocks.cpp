// The shared blocks are exported by the host under their names, with every
// field at the byte offset both sides agree on.
#include "pelk.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

namespace {

struct FieldCase {
    const char* name;
    const void* block;
    const void* field;
    long offset;
};

long offsetIn(const void* block, const void* field) {
    return static_cast<const char*>(field) - static_cast<const char*>(block);
}

void PrintTo(const FieldCase& c, std::ostream* os) { *os << c.name; }

class BlockOffsets : public ::testing::TestWithParam<FieldCase> {};

TEST_P(BlockOffsets, FieldSitsAtItsOffset) {
    EXPECT_EQ(offsetIn(GetParam().block, GetParam().field), GetParam().offset) << GetParam().name;
}

#define FIELD(block, field, offset) FieldCase{#block "." #field, &block, &block.field, offset}

INSTANTIATE_TEST_SUITE_P(
    HostBlocks, BlockOffsets,
    ::testing::Values(
        FIELD(grdd_c, ndc_x_max, 4), FIELD(grdd_c, ndc_y_max, 8), FIELD(grdd_c, raster_max_a, 108),
        FIELD(grdd_c, raster_scale, 212), FIELD(grdd_c, raster_origin, 216), FIELD(grdd_c, raster_x_sense, 224),
        FIELD(grdd_c, raster_max, 228), FIELD(grdd_c, raster_y_sense, 236), FIELD(grdd_c, ndc_window, 240),
        FIELD(grdd_c, raster_max_b, 256), FIELD(grdd_c, raster_viewport, 272), FIELD(grdd_c, char_size_request, 312),
        FIELD(grdd_c, chosen_font_cell, 320), FIELD(grdd_c, fixed_font_cell, 328), FIELD(grdd_c, text_pair, 344),
        FIELD(grdd_c, dd_value_352, 352), FIELD(grdd_c, dd_value_356, 356), FIELD(grdd_c, dd_value_360, 360),
        FIELD(grdd_c, dd_zero_388, 388), FIELD(grdd_c, clip_window, 404), FIELD(grdd_c, dd_value_428, 428),
        FIELD(grdd_c, colour_count, 440), FIELD(grdd_c, attribute_444, 444), FIELD(grdd_c, attribute_492, 492),
        FIELD(grdd_c, line_type, 500), FIELD(grdd_c, line_width, 504), FIELD(grdd_c, marker_type, 508),
        FIELD(grdd_c, text_font, 512), FIELD(grdd_c, line_colour, 516), FIELD(grdd_c, marker_colour, 520),
        FIELD(grdd_c, text_font_index, 524), FIELD(grdd_c, text_colour, 528), FIELD(grdd_c, fill_style, 532),
        FIELD(grdd_c, edge_flag, 536), FIELD(grdd_c, dd_value_540, 540), FIELD(grdd_c, current_viewport, 664),
        FIELD(grdd_c, dimension, 668), FIELD(grmap_c, small_font_cell, 4), FIELD(grmap_c, large_font_cell, 12),
        FIELD(grmap_c, map_value_20, 20), FIELD(grmap_c, map_margin, 24), FIELD(grmap_c, map_extent_a, 32),
        FIELD(grmap_c, map_extent_b, 40), FIELD(grmap_c, map_inner_extent, 48), FIELD(grmap_c, map_value_56, 56),
        FIELD(grmap_c, map_value_60, 60), FIELD(grmap_c, map_columns, 64), FIELD(txtst_c, text_channel_style, 4),
        FIELD(txtst_c, text_line_height, 24), FIELD(txtst_c, text_value_40, 40), FIELD(txtst_c, text_width, 56),
        FIELD(txtst_c, text_row_height, 72), FIELD(txtst_c, text_bottom, 88), FIELD(txtst_c, text_right, 104),
        FIELD(txtst_c, text_left, 120), FIELD(txtst_c, text_top, 136), FIELD(txtst_c, text_area_id, 152),
        FIELD(txtst_c, text_value_200, 200), FIELD(txtst_c, text_rows, 216),
        FIELD(txtst_c, text_style_records[0], 232), FIELD(txtst_c, text_style_records[1], 232 + 404),
        FIELD(txtst_c, text_style_records[2], 232 + 808), FIELD(wsdcpt_c, ws_value_4, 4),
        FIELD(wsdcpt_c, ws_capability_bits, 12), FIELD(wsdcpt_c, ws_value_16, 16),
        FIELD(wsdcpt_c, ws_feature_bits, 20), FIELD(wsdcpt_c, ws_double_buffered, 24),
        FIELD(wsdcpt_c, ws_value_28, 28), FIELD(wsdcpt_c, ws_open, 52), FIELD(wsdcpt_c, ws_window, 56),
        FIELD(wsdcpt_c, ws_value_60, 60), FIELD(wsdcpt_c, ws_flags_68, 68), FIELD(wsdcpt_c, ws_flags_68[3], 80),
        FIELD(wsdcpt_c, ws_flags_68[6], 92), FIELD(wssync_c, ws_sync_state, 4),
        FIELD(tpinpt_c, inp_value_1396, 1396), FIELD(tpinpt_c, inp_value_1404, 1404),
        FIELD(tpinpt_c, inp_value_1408, 1408), FIELD(tpinpt_c, inp_abort_enabled, 1412),
        FIELD(tpinpt_c, inp_choice_count, 1440), FIELD(tpinpt_c, inp_defaults_11572, 11572),
        FIELD(tpdad_c, dial_source, 4), FIELD(tpdad_c, dial_present, 20), FIELD(tpdad_c, dial_mode, 36),
        FIELD(tpdad_c, dial_assigned, 68), FIELD(tpdad_c, dial_active, 84), FIELD(tpdad_c, dial_active_mode, 100),
        FIELD(tpdad_c, dial_exclude_132, 132), FIELD(tpdad_c, dial_exclude_148, 148),
        FIELD(tpdad_c, dial_exclude_164, 164), FIELD(tpdcs_c, dcs_bits_128, 128), FIELD(tpdcs_c, dcs_bits_132, 132),
        FIELD(tpdcs_c, dcs_bits_136, 136), FIELD(tpdcs_c, dcs_bits_140, 140), FIELD(tpdcs_c, dcs_bits_164, 164),
        FIELD(tpdcs_c, dcs_bits_168, 168), FIELD(tpdcs_c, dcs_channel_172, 172), FIELD(tpdcs_c, dcs_bits_196, 196),
        FIELD(tpdcs_c, dcs_bits_200, 200), FIELD(tpspec_c, spec_enabled, 616),
        FIELD(tpsyst_c, syst_last_channel, 16), FIELD(tppost_c, post_busy, 464),
        FIELD(tppoly_c, poly_value_7560, 7560), FIELD(tppoly_c, poly_value_10772, 10772),
        FIELD(tppoly_c, poly_words_29172, 29172), FIELD(tppoly_c, poly_words_29172[8], 29204),
        FIELD(tpopts_c, opts_transparency, 424), FIELD(tpopts_c, opts_light_set_scale, 484),
        FIELD(tpopts_c, opts_light_intensity, 500), FIELD(tpopts_c, opts_texture_enable, 1108),
        FIELD(tpopts_c, opts_phong_enable, 1124), FIELD(tplght_c, lights[0].viewport_bits, 4),
        FIELD(tplght_c, lights[99].spot_mode, 20 + 20 * 99), FIELD(tplght_c, geometry[0].position, 1964 + 40),
        FIELD(tplght_c, geometry[99].target, 1976 + 4000), FIELD(tplght_c, geometry[99].intensity, 1988 + 4000),
        FIELD(tplght_c, geometry[99].spot_cosine_mode3, 1992 + 4000),
        FIELD(tplght_c, geometry[99].spot_cosine_mode2, 1996 + 4000), FIELD(grrast_c, span_start, 4),
        FIELD(grrast_c, row_y, 8), FIELD(grrast_c, span_count, 12), FIELD(grrast_c, row_min_x, 16),
        FIELD(grrast_c, row_max_x, 20), FIELD(grrast_c, row_pixels[5119], 24 + 4 * 5119),
        FIELD(comlist, comlist_value_44, 44), FIELD(comlist, comlist_value_48, 48)),
    [](const ::testing::TestParamInfo<FieldCase>& info) {
        std::string name = info.param.name;
        for (char& c : name) {
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        }
        return name;
    });

#undef FIELD

TEST(HostBlocks, EachBlockIsExportedUnderItsName) {
    void* host = dlopen(nullptr, RTLD_NOW);
    const std::pair<const char*, const void*> blocks[] = {
        {"grdd_c", &grdd_c},     {"grmap_c", &grmap_c},   {"txtst_c", &txtst_c},   {"wsdcpt_c", &wsdcpt_c},
        {"wssync_c", &wssync_c}, {"tpinpt_c", &tpinpt_c}, {"tpdad_c", &tpdad_c},   {"tpdcs_c", &tpdcs_c},
        {"tpspec_c", &tpspec_c}, {"tpsyst_c", &tpsyst_c}, {"tppost_c", &tppost_c}, {"tppoly_c", &tppoly_c},
        {"tpopts_c", &tpopts_c}, {"tplght_c", &tplght_c}, {"grrast_c", &grrast_c}, {"comlist", &comlist}};
    for (const auto& [name, address] : blocks) EXPECT_EQ(dlsym(host, name), address) << name;
    dlclose(host);
}

}  // namespace
