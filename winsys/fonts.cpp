// Fonts: logical fonts are matched through fontconfig and measured and
// rasterised with FreeType. A face the system substitutes for the one asked for
// is reported under the substitute's own name, so a caller that checks
// GetTextFaceA sees the substitution as it would on Windows.
#include "winsys_internal.h"
#include "winsys_x11.h"

#include <GL/gl.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <strings.h>

namespace winsys {
namespace {

// The stock system font: a proportional face with a 16-pixel cell, named "System".
constexpr LONG kSystemFontHeight = 16;
constexpr const char* kSystemFaceName = "System";
// Cell of the last resort, used when the system has no font file at all.
constexpr LONG kBareCellWidth = 8, kBareCellHeight = 16, kBareAscent = 13;
// Larger requests are served at this cell, as no screen could show more.
constexpr LONG kLargestCell = 4096;

struct FontRecord {
    LOGFONTA request{};
    std::string face;  // what GetTextFaceA reports
    FT_Face outline = nullptr;  // null: no font file, the bare cell stands in
    TEXTMETRICA metrics{};
};

std::map<uint32_t, FontRecord> fonts;
FontRecord* stockFont = nullptr;
bool chooseFontAnswered = false;
LOGFONTA chooseFontAnswer{};

FT_Library freetype() {
    static FT_Library library = [] {
        FT_Library l = nullptr;
        return FT_Init_FreeType(&l) == 0 ? l : nullptr;
    }();
    return library;
}

// Bytes 0x80..0x9F of the ANSI code page (1252) in Unicode; the rest of the
// page is Latin-1.
constexpr uint16_t kAnsiHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

FT_ULong ansiToUnicode(DWORD code) {
    return code >= 0x80 && code <= 0x9F ? kAnsiHighControls[code - 0x80] : code;
}

// The family name to report for a match: the requested one when the matched
// font carries it among its names, else the font's first name.
std::string reportedFamily(FcPattern* match, const char* requested) {
    std::string first;
    FcChar8* family = nullptr;
    for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &family) == FcResultMatch; ++i) {
        const char* name = reinterpret_cast<const char*>(family);
        if (i == 0) first = name;
        if (requested && *requested && strcasecmp(name, requested) == 0) return name;
    }
    return first;
}

// Finds the font file for a request; false when fontconfig has nothing at all.
bool matchFontFile(const LOGFONTA& lf, const char* family, std::string* file, int* faceIndex,
                   std::string* reported, int* weight) {
    if (!FcInit()) return false;
    FcPattern* pattern = FcPatternCreate();
    if (!pattern) return false;
    if (family && *family) FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    const int requestedWeight = lf.lfWeight > 0 ? std::min<LONG>(lf.lfWeight, 1000) : FW_NORMAL;
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(requestedWeight));
    FcPatternAddInteger(pattern, FC_SLANT, lf.lfItalic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    if (lf.lfHeight != 0) {
        const double pixels = std::min(std::abs(static_cast<double>(lf.lfHeight)), static_cast<double>(kLargestCell));
        FcPatternAddDouble(pattern, FC_PIXEL_SIZE, pixels);
    }
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match) return false;
    FcChar8* path = nullptr;
    int index = 0, matchedWeight = FC_WEIGHT_REGULAR;
    const bool found = FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch;
    if (found) {
        *file = reinterpret_cast<const char*>(path);
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        FcPatternGetInteger(match, FC_WEIGHT, 0, &matchedWeight);
        *faceIndex = index;
        *reported = reportedFamily(match, family);
        *weight = FcWeightToOpenType(matchedWeight);
    }
    FcPatternDestroy(match);
    return found;
}

void setBareMetrics(FontRecord& f) {
    TEXTMETRICA& tm = f.metrics;
    tm.tmHeight = kBareCellHeight;
    tm.tmAscent = kBareAscent;
    tm.tmDescent = kBareCellHeight - kBareAscent;
    tm.tmAveCharWidth = tm.tmMaxCharWidth = kBareCellWidth;
    tm.tmWeight = FW_NORMAL;
    tm.tmPitchAndFamily = 0;  // fixed pitch
}

// Sizes the outline as Windows maps a logical font: a positive height is the
// cell (ascent + descent), a negative one the em; a width is the average
// character width. Then fills the text metrics from the sized face.
void sizeOutline(FontRecord& f, int weight) {
    FT_Face face = f.outline;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    const double unitsPerEm = face->units_per_EM > 0 ? face->units_per_EM : 2048.0;
    double ascent = os2 && os2->usWinAscent ? os2->usWinAscent : face->ascender;
    double descent = os2 && os2->usWinDescent ? os2->usWinDescent : -face->descender;
    if (ascent + descent <= 0) ascent = unitsPerEm, descent = 0;
    double average = os2 && os2->xAvgCharWidth > 0 ? os2->xAvgCharWidth : 0.0;
    if (average <= 0 && FT_Load_Char(face, 'x', FT_LOAD_NO_SCALE) == 0) average = face->glyph->advance.x;
    if (average <= 0) average = unitsPerEm / 2;

    const LONG height = f.request.lfHeight != 0 ? std::clamp(f.request.lfHeight, -kLargestCell, kLargestCell)
                                                : kSystemFontHeight;
    const LONG width = std::clamp<LONG>(f.request.lfWidth, 0, kLargestCell);
    const double emY = height > 0 ? height * unitsPerEm / (ascent + descent) : -height;
    const double emX = width > 0 ? width * unitsPerEm / average : emY;
    FT_Set_Char_Size(face, std::lround(emX * 64), std::lround(emY * 64), 72, 72);
    const double xScale = emX / unitsPerEm, yScale = emY / unitsPerEm;

    TEXTMETRICA& tm = f.metrics;
    tm.tmAscent = std::lround(ascent * yScale);
    tm.tmDescent = std::lround(descent * yScale);
    tm.tmHeight = tm.tmAscent + tm.tmDescent;
    tm.tmInternalLeading = std::max<LONG>(0, tm.tmHeight - std::lround(emY));
    tm.tmAveCharWidth = std::max<LONG>(1, std::lround(average * xScale));
    tm.tmMaxCharWidth = std::max<LONG>(tm.tmAveCharWidth, std::lround(face->max_advance_width * xScale));
    tm.tmWeight = weight;
    // TMPF_FIXED_PITCH set means variable pitch, as in Win32.
    tm.tmPitchAndFamily = static_cast<BYTE>((FT_IS_FIXED_WIDTH(face) ? 0 : TMPF_FIXED_PITCH) | TMPF_VECTOR |
                                            (FT_IS_SFNT(face) ? TMPF_TRUETYPE : 0));
}

void openFont(FontRecord& f, const char* family) {
    TEXTMETRICA& tm = f.metrics;
    tm = TEXTMETRICA{};
    tm.tmDigitizedAspectX = tm.tmDigitizedAspectY = 96;
    tm.tmFirstChar = 32;
    tm.tmLastChar = 255;
    tm.tmDefaultChar = '?';
    tm.tmBreakChar = ' ';
    tm.tmItalic = f.request.lfItalic;
    tm.tmUnderlined = f.request.lfUnderline;
    tm.tmStruckOut = f.request.lfStrikeOut;
    tm.tmCharSet = f.request.lfCharSet;

    std::string file;
    int faceIndex = 0, weight = FW_NORMAL;
    FT_Library library = freetype();
    if (library && matchFontFile(f.request, family, &file, &faceIndex, &f.face, &weight) &&
        FT_New_Face(library, file.c_str(), faceIndex, &f.outline) == 0) {
        sizeOutline(f, weight);
        return;
    }
    f.outline = nullptr;
    f.face = kSystemFaceName;
    setBareMetrics(f);
}

FontRecord* findFontRecord(HGDIOBJ object) {
    const uint32_t value = handleValue(object);
    if (object == stockObject(SYSTEM_FONT)) {
        if (!stockFont) {
            static FontRecord stock;
            stock.request.lfHeight = kSystemFontHeight;
            stock.request.lfWeight = FW_NORMAL;
            openFont(stock, "sans-serif");
            stock.face = kSystemFaceName;
            stockFont = &stock;
        }
        return stockFont;
    }
    auto it = fonts.find(value);
    return it == fonts.end() ? nullptr : &it->second;
}

FontRecord* selectedFont(HDC hdc) {
    DeviceContextRecord* dc = findDc(hdc);
    if (!dc) return nullptr;
    FontRecord* f = dc->font ? findFontRecord(dc->font) : nullptr;
    return f ? f : findFontRecord(stockObject(SYSTEM_FONT));
}

struct GlyphBitmap {
    GLsizei width = 0, rows = 0;
    GLfloat xOrigin = 0, yOrigin = 0, advance = 0;
    std::vector<GLubyte> bits;  // bottom row first, most significant bit leftmost
};

void rasterise(const FontRecord& f, DWORD code, GlyphBitmap& g) {
    g.width = g.rows = 0;
    g.xOrigin = g.yOrigin = 0;
    g.bits.clear();
    if (!f.outline) {
        g.advance = static_cast<GLfloat>(f.metrics.tmAveCharWidth);
        return;
    }
    FT_Face face = f.outline;
    const FT_UInt index = FT_Get_Char_Index(face, ansiToUnicode(code));
    if (FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_MONOCHROME | FT_LOAD_TARGET_MONO) != 0) return;
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& b = slot->bitmap;
    g.advance = static_cast<GLfloat>(std::lround(slot->advance.x / 64.0));
    if (b.pixel_mode != FT_PIXEL_MODE_MONO || b.width == 0 || b.rows == 0) return;
    g.width = static_cast<GLsizei>(b.width);
    g.rows = static_cast<GLsizei>(b.rows);
    g.xOrigin = static_cast<GLfloat>(-slot->bitmap_left);
    g.yOrigin = static_cast<GLfloat>(g.rows - slot->bitmap_top);
    const size_t rowBytes = (b.width + 7) / 8;
    const size_t pitch = static_cast<size_t>(std::abs(b.pitch));
    g.bits.resize(rowBytes * b.rows);
    for (unsigned r = 0; r < b.rows; ++r) {
        // FreeType's rows run top-down for a positive pitch; GL's bitmaps bottom-up.
        const unsigned sourceRow = b.pitch >= 0 ? r : b.rows - 1 - r;
        std::memcpy(&g.bits[(b.rows - 1 - r) * rowBytes], b.buffer + sourceRow * pitch, rowBytes);
    }
}

}  // namespace

bool isFontObject(HGDIOBJ object) {
    return object == stockObject(SYSTEM_FONT) || fonts.count(handleValue(object)) != 0;
}

bool deleteFontObject(HGDIOBJ object) {
    if (object == stockObject(SYSTEM_FONT)) return true;
    auto it = fonts.find(handleValue(object));
    if (it == fonts.end()) return false;
    if (it->second.outline) FT_Done_Face(it->second.outline);
    fonts.erase(it);
    return true;
}

int liveFontCount() { return static_cast<int>(fonts.size()); }

}  // namespace winsys

using namespace winsys;

extern "C" {

HFONT CreateFontIndirectA(const LOGFONTA* logFont) {
    if (!logFont) {
        setError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const uint32_t value = newHandleValue(HandleKind::Font);
    FontRecord& f = fonts[value];
    f.request = *logFont;
    f.request.lfFaceName[LF_FACESIZE - 1] = '\0';
    openFont(f, f.request.lfFaceName);
    return toHandle<HFONT>(value);
}

int GetTextFaceA(HDC hdc, int count, LPSTR faceName) {
    const FontRecord* f = selectedFont(hdc);
    if (!f) return 0;
    const int length = static_cast<int>(f->face.size());
    if (!faceName) return length + 1;
    if (count <= 0) return 0;
    const int copied = std::min(length, count - 1);
    std::memcpy(faceName, f->face.data(), static_cast<size_t>(copied));
    faceName[copied] = '\0';
    return copied + 1;
}

BOOL GetTextMetricsA(HDC hdc, LPTEXTMETRICA metrics) {
    const FontRecord* f = selectedFont(hdc);
    if (!f || !metrics) return FALSE;
    *metrics = f->metrics;
    return TRUE;
}

// The layer has no common dialogs: the font dialog returns the answer given
// through winsysSetChooseFontAnswer, or is cancelled.
BOOL ChooseFontA(LPCHOOSEFONTA chooseFont) {
    if (!chooseFont || chooseFont->lStructSize != sizeof(CHOOSEFONTA) || !chooseFont->lpLogFont) return FALSE;
    if (!chooseFontAnswered) return FALSE;
    *chooseFont->lpLogFont = chooseFontAnswer;
    chooseFont->iPointSize = std::abs(chooseFontAnswer.lfHeight) * 10;
    chooseFont->nFontType = SCREEN_FONTTYPE;
    return TRUE;
}

BOOL wglUseFontBitmapsA(HDC hdc, DWORD first, DWORD count, DWORD listBase) {
    const FontRecord* f = selectedFont(hdc);
    if (!f || !glXGetCurrentContext()) {
        setError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    // Glyph bits are unpacked when each list is compiled: use a known layout.
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    GlyphBitmap glyph;
    for (DWORD i = 0; i < count; ++i) {
        rasterise(*f, first + i, glyph);
        glNewList(listBase + i, GL_COMPILE);
        glBitmap(glyph.width, glyph.rows, glyph.xOrigin, glyph.yOrigin, glyph.advance, 0.0f,
                 glyph.bits.empty() ? nullptr : glyph.bits.data());
        glEndList();
    }
    glPopClientAttrib();
    return TRUE;
}

void winsysSetChooseFontAnswer(const LOGFONTA* answer) {
    chooseFontAnswered = answer != nullptr;
    chooseFontAnswer = answer ? *answer : LOGFONTA{};
}

int winsysFontCount(void) { return liveFontCount(); }

}  // extern "C"
