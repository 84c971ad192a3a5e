#include "ddzClass4.h"

#include "dderr.h"
#include "ddzAttributeState.h"
#include "ddzPackedColour.h"
#include "ddzPackedText.h"
#include "ddzWindowsFonts.h"
#include "dviISegmentManager.h"
#include "dvisi.h"
#include "pelk.h"

#include <cmath>

using I = int32_t*;
using R = float*;
using X = void* const*;

namespace {

// An edge-related change forgets the edge-flag memory when it held the given value.
void forgetEdgeFlagIf(int value) {
    if (ddzAttributes().lastEdgeFlag == value) ddzAttributes().lastEdgeFlag = -1;
}

void chooseRequestFont(float width, float height) {
    const float scale = grdd_c.raster_scale;
    float again[2];
    ddzSelectFont(width * scale, height * scale, &ddzAttributes().requestFont, &grdd_c.chosen_font_cell[0],
                  &grdd_c.chosen_font_cell[1], &again[0], &again[1]);
}

void chooseFixedFont() {
    float* cell = grdd_c.fixed_font_cell;
    ddzSelectFont(8.1f, 10.1f, &ddzAttributes().fixedFont, &cell[0], &cell[1], &cell[2], &cell[3]);
}

}  // namespace

void ddzc41(I, R, X) { ddzInvalidateAttributeCache(); }

void ddzc42(I, R, X) {
    ddzAttributeState& a = ddzAttributes();
    grdd_c.char_size_request[0] = grdd_c.char_size_request[1] = 0.05f;
    chooseRequestFont(0.05f, 0.05f);
    grdd_c.dd_value_352 = 0;
    grdd_c.line_colour = grdd_c.marker_colour = grdd_c.text_colour = 0xFFFFFF;
    a.fillColour = a.secondFillColour = 0xFFFFFF;
    grdd_c.text_font_index = -1;
    grdd_c.attribute_492[0] = grdd_c.attribute_492[1] = 1;
    grdd_c.marker_type = 1;
    grdd_c.text_font = 1;
    chooseFixedFont();
    for (float& cell : grdd_c.fixed_font_cell) cell = static_cast<float>(grdd_c.text_font) * 0.0085f * grdd_c.raster_scale;
    grdd_c.line_type = 1;
    grdd_c.line_width = 1.0f;
    grdd_c.fill_style = 0;
    grdd_c.edge_flag = 0;
    a.lastLineType = -1;
    a.lastLineWidth = -1.0f;
    a.lastEdgeFlag = -1;
}

void ddzc43(I, R reals, X) {
    if (reals[0] > 0.0f) {  // false for NaN too
        grdd_c.line_width = reals[0];
        return;
    }
    static constexpr auto name = ddzPack("DCZC4");
    static constexpr auto message = ddzPack("DCZC4-ILLEGAL LINE WIDTH");
    const int32_t kind = 1, severity = ddzOutOfRange, option = 3, line = -1;
    dderrIllegalOption(&name.count, name.words, &kind, &severity, &option, &line, &message.count, message.words);
    grdd_c.line_width = 1.0f;
}

void ddzc44(I ints, R, X) {
    if (dviISegmentManager* segments = dvisiSegmentManager()) segments->SetSegmentPartState(ints[0] != 0);
}

void ddzc45(I, R reals, X) {
    grdd_c.char_size_request[0] = reals[0];
    grdd_c.char_size_request[1] = reals[1];
    chooseRequestFont(reals[0], reals[1]);
}

void ddzc46(I ints, R, X) { grdd_c.attribute_492[0] = ints[0]; }
void ddzc47(I ints, R, X) { grdd_c.dd_value_352 = ints[0]; }
void ddzc48(I ints, R, X) { grdd_c.attribute_492[1] = ints[0]; }

void ddzc49(I ints, R, X) {
    grdd_c.text_pair[0] = ints[0];
    grdd_c.text_pair[1] = ints[1];
    ddzAttributes().textPairPending = true;
}

void ddzc4a(I ints, R, X) {
    grdd_c.line_type = ints[0];
    forgetEdgeFlagIf(1);
}

void ddzc4b(I ints, R, X) { grdd_c.marker_type = ints[0]; }

void ddzc4c(I ints, R, X) {
    grdd_c.text_font = ints[0];
    chooseFixedFont();
}

void ddzc4d(I ints, R, X) { grdd_c.fill_style = ints[0]; }
void ddzc4e(I ints, R, X) { grdd_c.edge_flag = ints[0]; }
void ddzc416(I ints, R, X) { grdd_c.attribute_444[0] = ints[0]; }

void ddzc418(I ints, R, X) {
    grdd_c.line_colour = ints[0];
    forgetEdgeFlagIf(1);
}

void ddzc419(I ints, R, X) { grdd_c.marker_colour = ints[0]; }
void ddzc420(I ints, R, X) { grdd_c.text_colour = ints[0]; }

void ddzc421(I ints, R, X) {
    ddzAttributes().fillColour = ints[0];
    forgetEdgeFlagIf(0);
}

void ddzc422(I ints, R, X) { ddzAttributes().secondFillColour = ints[0]; }
void ddzc423(I ints, R reals, X) { ints[0] = ddzPackColour(reals[0], reals[1], reals[2]); }

void ddzc425(I, R reals, X) {
    const float scale = grdd_c.raster_scale != 0.0f ? grdd_c.raster_scale : 1.0f;
    int font = 0;
    float w = 0, h = 0, again[2];
    ddzSelectFont(reals[0] * scale, reals[1] * scale, &font, &w, &h, &again[0], &again[1]);
    reals[0] = w / scale;
    reals[1] = h / scale;
}

void ddzc427(I ints, R, X) { ddzAttributes().smoothShading = ints[0]; }
void ddzc428(I, R, X) {}

void ddzc71(I, R reals, X) {
    for (int i = 0; i < 4; ++i) grdd_c.ndc_window[i] = reals[i];
}

void ddzc72(I, R reals, X) {
    for (int i = 0; i < 4; ++i) grdd_c.clip_window[i] = reals[i];
}

namespace {

void addLineToSegment() {
    dviISegmentManager* segments = dvisiSegmentManager();
    bool open = false;
    if (segments) segments->SegmentIsOpen(&open);
    if (open) segments->AddPrimitiveToSegment(1);
}

}  // namespace

void ddzc24(I ints, R reals, X) {
    if (grdd_c.dimension == 2) {
        const int32_t code = 4;
        int32_t pending = ddzAttributes().textPairPending ? 1 : 0;
        ddumc2(&code, &pending, ints, reals);
        ddutx2(reals, ints, ints + 1);
    } else {
        dvisitext(ints, reals, ddzAttributes().requestFont, grdd_c.text_colour);
    }
    ddzAttributes().textPairPending = false;
    addLineToSegment();
}

void ddzc25(I, R reals, X) {
    ddzApplyAttributes(12);
    dduar2(reals, reals + 2, reals + 3, reals + 4);
    addLineToSegment();
}

void ddzc21(I ints, R reals, X) { dvisipolyline(ints, reals, grdd_c.line_colour, grdd_c.line_type, grdd_c.line_width); }

void ddzc22(I ints, R reals, X) {
    dvisipolymarker(ints, reals, grdd_c.marker_type, grdd_c.dimension, ddzAttributes().requestFont, grdd_c.marker_colour);
    addLineToSegment();
}

void ddzc23(I ints, R reals, X) {
    dvisi2dpolygon(ints, grdd_c.fill_style, grdd_c.edge_flag, reals);
    addLineToSegment();
}

void ddzc26(I ints, R reals, X) { dvisifilledpolygon(ints, reals, ddzAttributes().fillColour); }

namespace {

// Host colour index of 3D area primitives of the indexed form (tppost_c offset 388).
constexpr int kIndexedColourWord = 388 / 4;

dvisiAreaCommand areaCommand(const int32_t* j, const float* reals, void* const* extra, bool copyNormals,
                             float (&normalCopy)[9]) {
    const ddzAttributeState& a = ddzAttributes();
    dvisiAreaCommand c;
    c.count = j[0];
    c.options = j[1];
    c.flag = grdd_c.fill_style;
    c.alternateColour = grdd_c.line_colour;
    c.ambientFactor = a.materialAmbient;
    c.transparency = a.materialTransparency;
    c.kind = a.materialKind;
    c.vertices = reals;
    if (c.options & 0x10) {
        c.colour = a.fillColour;
        c.colourIndices = extra ? static_cast<const int32_t*>(extra[0]) : nullptr;
        c.vertexNormals = extra ? static_cast<const float*>(extra[1]) : nullptr;
        c.facetNormal = extra ? static_cast<const float*>(extra[3]) : nullptr;
    } else {
        c.colour = reinterpret_cast<const int32_t*>(&tppost_c)[kIndexedColourWord];
        const float* normals = reinterpret_cast<const float*>(tppoly_c.poly_words_29172);
        if (copyNormals) {
            for (int i = 0; i < 9; ++i) normalCopy[i] = normals[i];
            normals = normalCopy;
        }
        c.vertexNormals = normals;
        c.facetNormal = reinterpret_cast<const float*>(&tppoly_c.poly_value_7560);
        c.textureCoordinates = reinterpret_cast<const float*>(&tppoly_c.poly_value_10772);
    }
    return c;
}

}  // namespace

void ddzc82(I ints, R reals, X extra) {
    float normals[9];
    dvisi3dpolygon(areaCommand(ints, reals, extra, true, normals));
}

void ddzc89(I ints, R reals, X extra) {
    if (ints[0] != 2) return;
    float unused[9];
    dvisi3dtristrip(areaCommand(ints + 1, reals, extra, false, unused));
}
