#include "ddzFontChoice.h"

int ddzChooseFont(float, float, float* cellWidth, float* cellHeight) {
    *cellWidth = kSystemFontCellWidth;
    *cellHeight = kSystemFontCellHeight;
    return 0;
}
