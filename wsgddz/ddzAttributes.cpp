// Entry slot 1: the stored attributes of a primitive kind carried into the
// OpenGL state, which is touched only when a value differs from the last one
// applied. Every state change counts toward the display-list size estimate.
#include "ddzAttributeState.h"

#include "ddzDLMemory.h"
#include "ddzPackedColour.h"
#include "ddzVertexArrays.h"
#include "pelk.h"

#include <GL/gl.h>

#include <cmath>

namespace {

constexpr float kWidthTolerance = 0.00001f;

// Line, marker and text kinds draw what was collected before their state changes.
void flushBeforeChange() {
    switch (ddzAttributes().currentKind) {
        case 5:
        case 6:
        case 7: return;
        default: va_Dump(true);
    }
}

bool widthDiffers(float width) {
    const ddzAttributeState& a = ddzAttributes();
    return std::fabs(width - a.lastLineWidth) > kWidthTolerance || std::fabs(width - a.lastGlLineWidth) > kWidthTolerance;
}

void applySolidLines() {
    ddzAttributes().lastLineType = 1;
    glDisable(GL_LINE_STIPPLE);
    ddzDLCountState(ddzDLState::EnableDisable);
}

void applyLines() {
    ddzApplyColour(grdd_c.line_colour);
    if (widthDiffers(grdd_c.line_width)) ddzApplyLineWidth(grdd_c.line_width);
    if (grdd_c.line_type != ddzAttributes().lastLineType) ddzApplyLineType(grdd_c.line_type);
}

void applyTextFont(bool keepWhenFixed) {
    ddzAttributeState& a = ddzAttributes();
    if (keepWhenFixed && a.fixedFont == a.requestFont) return;
    a.currentTextFont = a.requestFont;
}

void applyFilledArea() {
    ddzAttributeState& a = ddzAttributes();
    a.lastEdgeFlag = grdd_c.edge_flag;
    if (grdd_c.edge_flag) {
        ddzApplyColour(grdd_c.line_colour);
        if (grdd_c.line_type != a.lastLineType || std::fabs(grdd_c.line_width - a.lastLineWidth) > kWidthTolerance) {
            ddzApplyLineWidth(grdd_c.line_width);
            ddzApplyLineType(grdd_c.line_type);
        }
    } else if (a.lastLineType != 1) {
        applySolidLines();
        a.lastLineWidth = 0.0f;
    }
    ddzApplyColour(a.fillColour);
}

void rememberEdgeColour() {
    ddzAttributeState& a = ddzAttributes();
    ddzApplyColour(grdd_c.line_colour);
    a.lastEdgeColour = grdd_c.line_colour;
    ddzUnpackColour(grdd_c.line_colour, a.lastEdgeRgb);
}

void applyAreaEdges() {
    ddzAttributeState& a = ddzAttributes();
    a.lastEdgeFlag = grdd_c.edge_flag;
    if (a.lastLineType != grdd_c.line_type) ddzApplyLineType(grdd_c.line_type);
    if (grdd_c.edge_flag == 0 && a.viewportDisplayMode != 3) return;
    if (a.lastColour == grdd_c.line_colour) return;
    if (grdd_c.edge_flag) {
        rememberEdgeColour();
    } else {
        ddzApplyColour(grdd_c.line_colour);
    }
}

}  // namespace

ddzAttributeState& ddzAttributes() {
    static ddzAttributeState state;
    return state;
}

void ddzApplyColour(int32_t packed) {
    ddzAttributeState& a = ddzAttributes();
    if (packed == a.lastColour) return;
    flushBeforeChange();
    float rgb[3];
    ddzUnpackColour(packed, rgb);
    glColor3f(rgb[0], rgb[1], rgb[2]);
    ddzDLCountState(ddzDLState::Colour);
    a.lastColour = packed;
}

void ddzApplyColourUnknown() { ddzAttributes().lastColour = -1; }

void ddzApplyLineWidth(float width) {
    ddzAttributeState& a = ddzAttributes();
    flushBeforeChange();
    // OpenGL refuses widths of 0 and below; the memory still takes the request.
    if (width > 0.0f && std::isfinite(width)) {
        glLineWidth(width);
        ddzDLCountState(ddzDLState::LineWidth);
    }
    a.lastLineWidth = width;
    a.lastGlLineWidth = width;
}

void ddzApplyLineType(int lineType) {
    static constexpr GLushort patterns[7] = {0, 0, 0x00FF, 0x0101, 0x1C47, 0x0FD1, 0x33F3};
    flushBeforeChange();
    ddzAttributes().lastLineType = lineType;
    if (lineType == 1) {
        glDisable(GL_LINE_STIPPLE);
        ddzDLCountState(ddzDLState::EnableDisable);
    } else if (lineType >= 2 && lineType <= 6) {
        glEnable(GL_LINE_STIPPLE);
        glLineStipple(1, patterns[lineType]);
        ddzDLCountState(ddzDLState::EnableDisable);
        ddzDLCountState(ddzDLState::LineStipple);
    }
}

void ddzApplyAttributes(int kind) {
    ddzAttributeState& a = ddzAttributes();
    if (kind < 0 || kind > 12) kind = 1;
    a.currentKind = kind;
    switch (kind) {
        case 0:
        case 10:
        case 11: return;
        case 2: ddzApplyColour(grdd_c.marker_colour); return;
        case 3:
            ddzApplyColour(grdd_c.marker_colour);
            if (a.lastLineType != 1) {
                applySolidLines();
                ddzApplyLineWidth(1.0f);
            }
            return;
        case 4:
            ddzApplyColour(grdd_c.text_colour);
            applyTextFont(true);
            return;
        case 5: applyFilledArea(); return;
        case 6:
            ddzApplyColour(a.fillColour);
            if (a.lastLineType != 1) applySolidLines();
            return;
        case 7: applyAreaEdges(); return;
        case 8:
            ddzApplyColour(grdd_c.text_colour);
            applyTextFont(false);
            return;
        default: applyLines(); return;
    }
}

void ddzInvalidateAttributeCache() {
    ddzAttributeState& a = ddzAttributes();
    a.lastLineType = -1;
    a.lastLineWidth = -1.0f;
    a.lastEdgeFlag = -1;
    grdd_c.text_font_index = -1;
    grdd_c.chosen_font_cell[0] = grdd_c.chosen_font_cell[1] = -1.0f;
    for (float& cell : grdd_c.fixed_font_cell) cell = -1.0f;
}

void ddzForgetColourForSegment() {
    ddzAttributes().lastColour = -1;
    ddzAttributes().lastGlLineWidth = -1.0f;
}
