// The bitmap fonts of OpenGL text: up to sixteen Windows fonts of decreasing
// cell size, each turned into character display lists once at device open.
#pragma once

#include <cstdint>

constexpr int kMaxOpenGLFonts = 16;
constexpr uint32_t kListsPerFont = 333;

struct ddzOpenGLFont {
    int width = 0;   // cell width; 1.5 x the average character width for proportional faces
    int height = 0;  // tmHeight
    uint32_t listBase = 0;  // the list of character c is listBase + c
};

struct ddzOpenGLFontTable {
    int count = 0;  // 1 when the stock system font stands in
    ddzOpenGLFont fonts[kMaxOpenGLFonts];
};

//! The process-wide font table, in load order.
const ddzOpenGLFontTable& OpenGLFontTable();

//! Loads the fonts; the rendering context is current on the graphics child's device context.
void ddzwlfnt();
//! The largest loaded font whose cell fits the rounded request, else the smallest. The
//! index is 1-based; its cell comes back twice.
void ddzSelectFont(float width, float height, int* index, float* cellWidth, float* cellHeight,
                   float* cellWidthAgain, float* cellHeightAgain);
//! The host's font inquiry: a count of 6, then the font numbers 112..117.
void ddzInquireFonts(int32_t* ints);
//! The character lists' base of font index (1-based); the first font for an unknown index.
uint32_t ddzFontListBase(int index);
//! Device close: deletes the GDI fonts, unless the stock system font stands in.
void ddzDeleteFonts();
