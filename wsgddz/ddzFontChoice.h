// Choosing a display font for a requested cell. While the device has one
// display font (the stock system font) every request receives it.
#pragma once

//! The index of the font closest to a cell of width x height pixels; its cell comes back.
int ddzChooseFont(float width, float height, float* cellWidth, float* cellHeight);

constexpr float kSystemFontCellWidth = 8.0f;
constexpr float kSystemFontCellHeight = 16.0f;
