#include "ddzWindowsFonts.h"

#include "GraphicsWindowState.h"
#include "ddzDLMemory.h"
#include "ddzDeviceSettings.h"
#include "ddzDiagnosticMessage.h"
#include "ddzReservedLists.h"
#include "pelk.h"

#include "win32.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct CellSize {
    int width, height;
};
constexpr CellSize kSizes[kMaxOpenGLFonts] = {{36, 72}, {24, 48}, {18, 36}, {14, 28}, {13, 26}, {12, 24},
                                              {11, 22}, {10, 20}, {10, 18}, {9, 16},  {8, 15},  {7, 12},
                                              {7, 11},  {6, 10},  {6, 9},   {5, 8}};
constexpr const char* kTypefaces[] = {"Lucida Console", "Courier New", "Arial", "Verdana", "Tahoma", "Trebuchet MS"};
constexpr int kTypefaceCount = static_cast<int>(sizeof kTypefaces / sizeof kTypefaces[0]);
constexpr int kFaceLength = 80;
// The cell answered before any font is loaded (the stock system font's).
constexpr float kUnloadedCellWidth = 8.0f, kUnloadedCellHeight = 16.0f;

ddzOpenGLFontTable fontTable;
HFONT fontHandles[kMaxOpenGLFonts] = {};
bool systemFontUsed = false;

struct FontConfiguration {
    char chosenFace[LF_FACESIZE] = {};  // from the font dialog; empty: none
    int firstTypeface = 0;
    int weight = FW_NORMAL;
};

void diagnostic(const char* format, auto... values) {
    char text[512];
    std::snprintf(text, sizeof text, format, values...);
    ddzDiagnosticMessage(text);
}

FontConfiguration readConfiguration() {
    FontConfiguration c;
    if (silgenv_c("KOVA_WINNT_OGL_CHOOSE_FONT")) {
        ddzDiagnosticMessage("KOVA_WINNT_OGL_CHOOSE_FONT found");
        LOGFONTA chosen{};
        CHOOSEFONTA dialog{};
        dialog.lStructSize = sizeof dialog;
        dialog.lpLogFont = &chosen;
        dialog.Flags = CF_TTONLY | CF_FORCEFONTEXIST | CF_NOVECTORFONTS | CF_SCRIPTSONLY;
        dialog.nFontType = SCREEN_FONTTYPE;
        if (ChooseFontA(&dialog)) {
            std::memcpy(c.chosenFace, chosen.lfFaceName, LF_FACESIZE);
            c.chosenFace[LF_FACESIZE - 1] = '\0';
            c.weight = chosen.lfWeight;
        }
        return c;
    }
    if (const char* value = silgenv_c("KOVA_WINNT_OGL_FONT")) {
        const int position = std::atoi(value);
        c.firstTypeface = position >= 1 && position < kTypefaceCount ? position : 0;
        diagnostic("KOVA_WINNT_OGL_FONT found set to %d", c.firstTypeface);
    }
    if (const char* value = silgenv_c("KOVA_WINNT_OGL_FONT_WEIGHT")) {
        const int weight = std::atoi(value);
        c.weight = weight >= 0 && weight <= 1000 ? weight : FW_NORMAL;
        diagnostic("KOVA_WINNT_OGL_FONT_WEIGHT found set to %d", c.weight);
    }
    return c;
}

// Creates the font and keeps it when the device context reports the face asked for.
HFONT tryTypeface(HDC dc, const char* face, const CellSize& size, int weight, int infoLevel) {
    if (infoLevel >= 3) diagnostic("\tAttempt to load font: typeface %s, width %d, height %d", face, size.width, size.height);
    LOGFONTA lf{};
    lf.lfWidth = size.width;
    lf.lfHeight = size.height;
    lf.lfWeight = weight;
    lf.lfCharSet = ANSI_CHARSET;
    lf.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    std::memcpy(lf.lfFaceName, face, std::min<size_t>(std::strlen(face), LF_FACESIZE - 1));
    HFONT font = CreateFontIndirectA(&lf);
    if (!font) return nullptr;
    SelectObject(dc, font);
    char reported[kFaceLength + 1] = {};
    GetTextFaceA(dc, kFaceLength, reported);
    if (std::strncmp(reported, face, std::strlen(face)) != 0) {
        // Substituted: the system has no such face.
        SelectObject(dc, GetStockObject(SYSTEM_FONT));
        DeleteObject(font);
        return nullptr;
    }
    return font;
}

// Builds the character lists of the font selected into dc as the next table entry.
ddzOpenGLFont& addSelectedFont(HDC dc, const TEXTMETRICA& tm, int width) {
    ddzOpenGLFont& entry = fontTable.fonts[fontTable.count];
    entry.width = width;
    entry.height = tm.tmHeight;
    entry.listBase = ddzReserved().fonts + kListsPerFont * static_cast<uint32_t>(fontTable.count);
    const DWORD characters = static_cast<DWORD>(tm.tmLastChar - tm.tmFirstChar + 1);
    wglUseFontBitmapsA(dc, tm.tmFirstChar, characters, entry.listBase + tm.tmFirstChar);
    ddzDLCountBitmapLists(characters, entry.width, entry.height);
    ++fontTable.count;
    return entry;
}

// A requested size rounded by adding 0.5 and truncating; sizes no font could
// match (negative, not a number, beyond any cell) stay representable.
int roundedRequest(float size) {
    constexpr float kLargest = 1.0e6f;
    if (!(size > 0.0f)) return 0;
    return static_cast<int>(std::min(size, kLargest) + 0.5f);
}

}  // namespace

const ddzOpenGLFontTable& OpenGLFontTable() { return fontTable; }

void ddzwlfnt() {
    const int infoLevel = ddzSettings().infoLevel;
    if (infoLevel != 0) ddzDiagnosticMessage("ddzwlfnt - Load Windows fonts for OpenGL");
    fontTable = ddzOpenGLFontTable{};
    systemFontUsed = false;
    const FontConfiguration config = readConfiguration();
    HDC dc = ddzWindowState().deviceContext;

    for (const CellSize& size : kSizes) {
        HFONT font = nullptr;
        const char* face = nullptr;
        if (config.chosenFace[0]) {
            face = config.chosenFace;
            font = tryTypeface(dc, face, size, config.weight, infoLevel);
        }
        for (int t = config.firstTypeface; !font && t < kTypefaceCount; ++t) {
            face = kTypefaces[t];
            font = tryTypeface(dc, face, size, config.weight, infoLevel);
        }
        if (!font) continue;
        TEXTMETRICA tm{};
        GetTextMetricsA(dc, &tm);
        const bool proportional = (tm.tmPitchAndFamily & TMPF_FIXED_PITCH) != 0;
        const int width = proportional ? static_cast<int>(tm.tmAveCharWidth * 1.5) : tm.tmAveCharWidth;
        fontHandles[fontTable.count] = font;
        const ddzOpenGLFont& entry = addSelectedFont(dc, tm, width);
        if (infoLevel >= 3) {
            diagnostic("\tFont loaded for OpenGL: \n\t\ttypeface %s\n\t\twidth %d                \n\t\theight %d\n"
                       "\t\tOpenGL fontbase %d\n\t\ttmAveCharWidth %d                \n\t\ttmMaxCharWidth %d\n"
                       "\t\tFixed Pitch %d\n\t\tVector Font %d                \n\t\tTrueType Font %d\n"
                       "\t\tDevice Font %d",
                       face, entry.width, entry.height, static_cast<int>(entry.listBase), tm.tmAveCharWidth,
                       tm.tmMaxCharWidth, proportional ? 0 : 1, (tm.tmPitchAndFamily & TMPF_VECTOR) ? 1 : 0,
                       (tm.tmPitchAndFamily & TMPF_TRUETYPE) ? 1 : 0, (tm.tmPitchAndFamily & TMPF_DEVICE) ? 1 : 0);
        }
    }

    if (fontTable.count == 0) {
        SelectObject(dc, GetStockObject(SYSTEM_FONT));
        TEXTMETRICA tm{};
        GetTextMetricsA(dc, &tm);
        systemFontUsed = true;
        const ddzOpenGLFont& entry = addSelectedFont(dc, tm, tm.tmAveCharWidth);
        if (infoLevel != 0) {
            diagnostic("\tSYSTEM_FONT used for OpenGL: width %d, height %d, fontbase %d", entry.width, entry.height,
                       static_cast<int>(entry.listBase));
        }
    }
}

void ddzSelectFont(float width, float height, int* index, float* cellWidth, float* cellHeight,
                   float* cellWidthAgain, float* cellHeightAgain) {
    if (fontTable.count == 0) {
        *index = 0;
        *cellWidth = *cellWidthAgain = kUnloadedCellWidth;
        *cellHeight = *cellHeightAgain = kUnloadedCellHeight;
        return;
    }
    const int requestWidth = roundedRequest(width);
    const int requestHeight = roundedRequest(height);
    int chosen = fontTable.count;
    for (int i = fontTable.count - 1; i >= 1; --i) {
        const ddzOpenGLFont& f = fontTable.fonts[i - 1];
        if (f.width <= requestWidth && f.height <= requestHeight) chosen = i;
    }
    const ddzOpenGLFont& f = fontTable.fonts[chosen - 1];
    *index = chosen;
    *cellWidth = *cellWidthAgain = static_cast<float>(f.width);
    *cellHeight = *cellHeightAgain = static_cast<float>(f.height);
}

void ddzInquireFonts(int32_t* ints) {
    ints[0] = 6;
    for (int i = 0; i < 6; ++i) ints[1 + i] = 112 + i;
}

uint32_t ddzFontListBase(int index) {
    if (index >= 1 && index <= fontTable.count) return fontTable.fonts[index - 1].listBase;
    return fontTable.count > 0 ? fontTable.fonts[0].listBase : ddzReserved().fonts;
}

void ddzDeleteFonts() {
    if (!systemFontUsed) {
        HDC dc = ddzWindowState().deviceContext;
        if (dc) SelectObject(dc, GetStockObject(SYSTEM_FONT));
        for (int i = 0; i < fontTable.count; ++i) DeleteObject(fontHandles[i]);
    }
    for (HFONT& font : fontHandles) font = nullptr;
}
