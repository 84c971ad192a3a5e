#include "ddzText.h"

#include "ddzAttributeState.h"
#include "ddzDLMemory.h"
#include "ddzPrimitiveStatistics.h"
#include "ddzWindowsFonts.h"
#include "pelk.h"

#include <GL/gl.h>

#include <algorithm>

void ddzDrawString(int count, const char* hostText, const float* point, int dimension) {
    if (count <= 0 || !hostText || !point) return;
    const int32_t characters = std::min(count, kMaxTextCharacters);
    // Blanks the host trims stay zero: list base + 0 is no character's list.
    char text[kMaxTextCharacters + 1] = {};
    ccv2tc(hostText, &characters, text);
    text[characters] = '\0';

    ddzApplyAttributes(8);
    glListBase(ddzFontListBase(ddzAttributes().currentTextFont));
    dimension == 2 ? glRasterPos2f(point[0], point[1]) : glRasterPos3f(point[0], point[1], point[2]);
    // Unsigned: the characters above 127 have lists of their own in the font's block.
    glCallLists(characters, GL_UNSIGNED_BYTE, text);
    glListBase(0);

    ddzDLCountState(ddzDLState::ListBase, 2);
    ddzDLCountState(dimension == 2 ? ddzDLState::RasterPosition2D : ddzDLState::RasterPosition3D);
    ddzDLCountState(ddzDLState::ListCall, characters);
    ddzStatistics().characters += static_cast<uint32_t>(characters);
}
