// The host's shared data blocks, exported by pelk and read and written in place
// by the driver. Every field is a 32-bit word at the byte offset the two sides
// agree on (checked below); reserved words keep the offsets. Handles stored in
// these blocks are 32-bit handle values (the window-system layer keeps every
// handle within 32 bits).
#pragma once

#include <cstddef>
#include <cstdint>

extern "C" {

struct grdd_block {
    int32_t reserved_0;
    float ndc_x_max, ndc_y_max;  // 4, 8
    int32_t reserved_12[24];
    float raster_max_a[2];  // 108
    int32_t reserved_116[24];
    float raster_scale;       // 212
    float raster_origin[2];   // 216
    float raster_x_sense;     // 224
    float raster_max[2];      // 228
    float raster_y_sense;     // 236
    float ndc_window[4];      // 240
    float raster_max_b[2];    // 256
    int32_t reserved_264[2];
    float raster_viewport[4];  // 272
    int32_t reserved_288[6];
    float char_size_request[2];  // 312
    float chosen_font_cell[2];   // 320
    float fixed_font_cell[4];    // 328
    int32_t text_pair[2];        // 344
    int32_t dd_value_352;
    float dd_value_356;
    float dd_value_360;
    int32_t reserved_364[6];
    int32_t dd_zero_388[4];
    float clip_window[4];  // 404
    int32_t reserved_420[2];
    int32_t dd_value_428;
    int32_t reserved_432[2];
    int32_t colour_count;         // 440
    int32_t attribute_444[3];     // 444, 448, 452
    int32_t reserved_456[9];
    int32_t attribute_492[2];     // 492, 496
    int32_t line_type;            // 500
    float line_width;             // 504
    int32_t marker_type;          // 508
    int32_t text_font;            // 512
    int32_t line_colour;          // 516
    int32_t marker_colour;        // 520
    int32_t text_font_index;      // 524
    int32_t text_colour;          // 528
    int32_t fill_style;           // 532
    int32_t edge_flag;            // 536
    int32_t dd_value_540;         // 540
    int32_t reserved_544[30];
    int32_t current_viewport;     // 664
    int32_t dimension;            // 668
    int32_t reserved_672[88];
};

struct grmap_block {
    int32_t reserved_0;
    float small_font_cell[2];   // 4
    float large_font_cell[2];   // 12
    float map_value_20;
    float map_margin[2];        // 24
    float map_extent_a[2];      // 32
    float map_extent_b[2];      // 40
    float map_inner_extent[2];  // 48
    int32_t map_value_56;
    int32_t map_value_60;
    int32_t map_columns;        // 64
    int32_t reserved_68[15];
};

struct txtst_block {
    int32_t reserved_0;
    int32_t text_channel_style[5];  // 4
    float text_line_height[4];      // 24
    float text_value_40[4];         // 40
    float text_width[4];            // 56
    float text_row_height[4];       // 72
    float text_bottom[4];           // 88
    float text_right[4];            // 104
    float text_left[4];             // 120
    float text_top[4];              // 136
    int32_t text_area_id[4];        // 152
    int32_t reserved_168[8];
    int32_t text_value_200[4];      // 200
    int32_t text_rows[4];           // 216
    int32_t text_style_records[3][101];  // 232, 404 bytes each
};

struct wsdcpt_block {
    int32_t reserved_0;
    int32_t ws_value_4;
    int32_t reserved_8;
    int32_t ws_capability_bits;  // 12
    int32_t ws_value_16;
    int32_t ws_feature_bits;     // 20
    int32_t ws_double_buffered;  // 24
    int32_t ws_value_28;
    int32_t reserved_32[5];
    int32_t ws_open;             // 52
    int32_t ws_window;           // 56
    int32_t ws_value_60;
    int32_t reserved_64;
    int32_t ws_flags_68[7];      // 68 .. 92; 80 is the tri-strip use
    int32_t reserved_96[8];
};

struct wssync_block {
    int32_t reserved_0;
    int32_t ws_sync_state;  // 4
    int32_t reserved_8[2];
};

struct tpinpt_block {
    int32_t reserved_0[349];
    int32_t inp_value_1396;
    int32_t reserved_1400;
    int32_t inp_value_1404;
    int32_t inp_value_1408;
    int32_t inp_abort_enabled;  // 1412
    int32_t reserved_1416[6];
    int32_t inp_choice_count;   // 1440
    int32_t reserved_1444[2532];
    int32_t inp_defaults_11572[6];
    int32_t reserved_11596[173];
};

struct tpdad_block {
    int32_t reserved_0;
    int32_t dial_source[4];       // 4
    int32_t dial_present[4];      // 20
    int32_t dial_mode[4];         // 36
    int32_t reserved_52[4];
    int32_t dial_assigned[4];     // 68
    int32_t dial_active[4];       // 84
    int32_t dial_active_mode[4];  // 100
    int32_t reserved_116[4];
    int32_t dial_exclude_132[4];  // 132
    int32_t dial_exclude_148[4];  // 148
    int32_t dial_exclude_164[4];  // 164
    int32_t reserved_180[19];
};

struct tpdcs_block {
    int32_t reserved_0[32];
    int32_t dcs_bits_128;
    int32_t dcs_bits_132;
    int32_t dcs_bits_136;  // material kind bits (value 3)
    int32_t dcs_bits_140;  // material kind bits (other values)
    int32_t reserved_144[5];
    int32_t dcs_bits_164;
    int32_t dcs_bits_168;
    int32_t dcs_channel_172[4];
    int32_t reserved_188[2];
    int32_t dcs_bits_196;
    int32_t dcs_bits_200;
    int32_t reserved_204[13];
};

struct tpspec_block {
    int32_t reserved_0[154];
    int32_t spec_enabled[4];  // 616
    int32_t reserved_632[2];
};

struct tpsyst_block {
    int32_t reserved_0[4];
    int32_t syst_last_channel;  // 16
    int32_t reserved_20[11];
};

struct tppost_block {
    int32_t reserved_0[116];
    int32_t post_busy;  // 464
    int32_t reserved_468[11];
};

struct tppoly_block {
    int32_t reserved_0[1890];
    int32_t poly_value_7560;
    int32_t reserved_7564[802];
    int32_t poly_value_10772;
    int32_t reserved_10776[4599];
    int32_t poly_words_29172[9];
    int32_t reserved_29208[122];
};

struct tpopts_block {
    int32_t reserved_0[106];
    int32_t opts_transparency;     // 424
    int32_t reserved_428[14];
    float opts_light_set_scale;    // 484
    int32_t reserved_488[3];
    float opts_light_intensity;    // 500
    int32_t reserved_504[151];
    int32_t opts_texture_enable[4];  // 1108
    int32_t opts_phong_enable[4];    // 1124
    int32_t reserved_1140[35];
};

struct tplght_light {
    int32_t viewport_bits;  // bit v: the light belongs to viewport v
    int32_t colour_index;
    int32_t kind;
    int32_t variant;
    int32_t spot_mode;
};

struct tplght_geometry {
    float position[3];
    float target[3];
    float intensity;
    float spot_cosine_mode3;
    float spot_cosine_mode2;
    int32_t reserved;
};

struct tplght_block {
    int32_t reserved_0;
    tplght_light lights[100];         // light i at 4 + 20(i-1)
    tplght_geometry geometry[100];    // light i at 1964 + 40i
    int32_t reserved_6004[35];
};

struct grrast_block {
    int32_t reserved_0;
    int32_t span_start;   // 4
    int32_t row_y;        // 8
    int32_t span_count;   // 12
    int32_t row_min_x;    // 16
    int32_t row_max_x;    // 20
    int32_t row_pixels[5120];  // 24: packed 0xRRGGBB, -1 when empty
    int32_t reserved_20504[2];
};

struct comlist_block {
    int32_t reserved_0[11];
    int32_t comlist_value_44;
    int32_t comlist_value_48;
    int32_t reserved_52[3];
};

extern grdd_block grdd_c;
extern grmap_block grmap_c;
extern txtst_block txtst_c;
extern wsdcpt_block wsdcpt_c;
extern wssync_block wssync_c;
extern tpinpt_block tpinpt_c;
extern tpdad_block tpdad_c;
extern tpdcs_block tpdcs_c;
extern tpspec_block tpspec_c;
extern tpsyst_block tpsyst_c;
extern tppost_block tppost_c;
extern tppoly_block tppoly_c;
extern tpopts_block tpopts_c;
extern tplght_block tplght_c;
extern grrast_block grrast_c;
extern comlist_block comlist;

}  // extern "C"

#define PELK_AT(block, field, offset) static_assert(offsetof(block, field) == (offset), #block "." #field)
PELK_AT(grdd_block, ndc_x_max, 4);
PELK_AT(grdd_block, ndc_y_max, 8);
PELK_AT(grdd_block, raster_max_a, 108);
PELK_AT(grdd_block, raster_scale, 212);
PELK_AT(grdd_block, raster_origin, 216);
PELK_AT(grdd_block, raster_x_sense, 224);
PELK_AT(grdd_block, raster_max, 228);
PELK_AT(grdd_block, raster_y_sense, 236);
PELK_AT(grdd_block, ndc_window, 240);
PELK_AT(grdd_block, raster_max_b, 256);
PELK_AT(grdd_block, raster_viewport, 272);
PELK_AT(grdd_block, char_size_request, 312);
PELK_AT(grdd_block, chosen_font_cell, 320);
PELK_AT(grdd_block, fixed_font_cell, 328);
PELK_AT(grdd_block, text_pair, 344);
PELK_AT(grdd_block, dd_value_352, 352);
PELK_AT(grdd_block, dd_value_356, 356);
PELK_AT(grdd_block, dd_value_360, 360);
PELK_AT(grdd_block, dd_zero_388, 388);
PELK_AT(grdd_block, clip_window, 404);
PELK_AT(grdd_block, dd_value_428, 428);
PELK_AT(grdd_block, colour_count, 440);
PELK_AT(grdd_block, attribute_444, 444);
PELK_AT(grdd_block, attribute_492, 492);
PELK_AT(grdd_block, line_type, 500);
PELK_AT(grdd_block, line_width, 504);
PELK_AT(grdd_block, marker_type, 508);
PELK_AT(grdd_block, text_font, 512);
PELK_AT(grdd_block, line_colour, 516);
PELK_AT(grdd_block, marker_colour, 520);
PELK_AT(grdd_block, text_font_index, 524);
PELK_AT(grdd_block, text_colour, 528);
PELK_AT(grdd_block, fill_style, 532);
PELK_AT(grdd_block, edge_flag, 536);
PELK_AT(grdd_block, dd_value_540, 540);
PELK_AT(grdd_block, current_viewport, 664);
PELK_AT(grdd_block, dimension, 668);
PELK_AT(grmap_block, small_font_cell, 4);
PELK_AT(grmap_block, large_font_cell, 12);
PELK_AT(grmap_block, map_value_20, 20);
PELK_AT(grmap_block, map_margin, 24);
PELK_AT(grmap_block, map_extent_a, 32);
PELK_AT(grmap_block, map_extent_b, 40);
PELK_AT(grmap_block, map_inner_extent, 48);
PELK_AT(grmap_block, map_value_56, 56);
PELK_AT(grmap_block, map_value_60, 60);
PELK_AT(grmap_block, map_columns, 64);
PELK_AT(txtst_block, text_channel_style, 4);
PELK_AT(txtst_block, text_line_height, 24);
PELK_AT(txtst_block, text_value_40, 40);
PELK_AT(txtst_block, text_width, 56);
PELK_AT(txtst_block, text_row_height, 72);
PELK_AT(txtst_block, text_bottom, 88);
PELK_AT(txtst_block, text_right, 104);
PELK_AT(txtst_block, text_left, 120);
PELK_AT(txtst_block, text_top, 136);
PELK_AT(txtst_block, text_area_id, 152);
PELK_AT(txtst_block, text_value_200, 200);
PELK_AT(txtst_block, text_rows, 216);
PELK_AT(txtst_block, text_style_records, 232);
static_assert(sizeof(txtst_block::text_style_records[0]) == 404, "text style records are 404 bytes");
PELK_AT(wsdcpt_block, ws_value_4, 4);
PELK_AT(wsdcpt_block, ws_capability_bits, 12);
PELK_AT(wsdcpt_block, ws_value_16, 16);
PELK_AT(wsdcpt_block, ws_feature_bits, 20);
PELK_AT(wsdcpt_block, ws_double_buffered, 24);
PELK_AT(wsdcpt_block, ws_value_28, 28);
PELK_AT(wsdcpt_block, ws_open, 52);
PELK_AT(wsdcpt_block, ws_window, 56);
PELK_AT(wsdcpt_block, ws_value_60, 60);
PELK_AT(wsdcpt_block, ws_flags_68, 68);
PELK_AT(wssync_block, ws_sync_state, 4);
PELK_AT(tpinpt_block, inp_value_1396, 1396);
PELK_AT(tpinpt_block, inp_value_1404, 1404);
PELK_AT(tpinpt_block, inp_value_1408, 1408);
PELK_AT(tpinpt_block, inp_abort_enabled, 1412);
PELK_AT(tpinpt_block, inp_choice_count, 1440);
PELK_AT(tpinpt_block, inp_defaults_11572, 11572);
PELK_AT(tpdad_block, dial_source, 4);
PELK_AT(tpdad_block, dial_present, 20);
PELK_AT(tpdad_block, dial_mode, 36);
PELK_AT(tpdad_block, dial_assigned, 68);
PELK_AT(tpdad_block, dial_active, 84);
PELK_AT(tpdad_block, dial_active_mode, 100);
PELK_AT(tpdad_block, dial_exclude_132, 132);
PELK_AT(tpdad_block, dial_exclude_148, 148);
PELK_AT(tpdad_block, dial_exclude_164, 164);
PELK_AT(tpdcs_block, dcs_bits_128, 128);
PELK_AT(tpdcs_block, dcs_bits_132, 132);
PELK_AT(tpdcs_block, dcs_bits_136, 136);
PELK_AT(tpdcs_block, dcs_bits_140, 140);
PELK_AT(tpdcs_block, dcs_bits_164, 164);
PELK_AT(tpdcs_block, dcs_bits_168, 168);
PELK_AT(tpdcs_block, dcs_channel_172, 172);
PELK_AT(tpdcs_block, dcs_bits_196, 196);
PELK_AT(tpdcs_block, dcs_bits_200, 200);
PELK_AT(tpspec_block, spec_enabled, 616);
PELK_AT(tpsyst_block, syst_last_channel, 16);
PELK_AT(tppost_block, post_busy, 464);
PELK_AT(tppoly_block, poly_value_7560, 7560);
PELK_AT(tppoly_block, poly_value_10772, 10772);
PELK_AT(tppoly_block, poly_words_29172, 29172);
PELK_AT(tpopts_block, opts_transparency, 424);
PELK_AT(tpopts_block, opts_light_set_scale, 484);
PELK_AT(tpopts_block, opts_light_intensity, 500);
PELK_AT(tpopts_block, opts_texture_enable, 1108);
PELK_AT(tpopts_block, opts_phong_enable, 1124);
PELK_AT(tplght_block, lights, 4);
PELK_AT(tplght_block, geometry, 1964 + 40);
static_assert(sizeof(tplght_light) == 20 && sizeof(tplght_geometry) == 40, "light records");
PELK_AT(grrast_block, span_start, 4);
PELK_AT(grrast_block, row_y, 8);
PELK_AT(grrast_block, span_count, 12);
PELK_AT(grrast_block, row_min_x, 16);
PELK_AT(grrast_block, row_max_x, 20);
PELK_AT(grrast_block, row_pixels, 24);
PELK_AT(comlist_block, comlist_value_44, 44);
PELK_AT(comlist_block, comlist_value_48, 48);
#undef PELK_AT
