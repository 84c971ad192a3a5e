// The layer's fonts: matching and substitution, Windows cell metrics, bitmap
// lists drawn in a real context, the stock font, deletion and the font dialog.
#include "support/TestFonts.h"
#include "support/TestWindows.h"

#include "win32.h"
#include "winsys_x11.h"

#include <cstring>
#include <string>

using namespace testsupport;

namespace {

LOGFONTA logFont(const char* face, LONG width, LONG height) {
    LOGFONTA lf{};
    lf.lfWidth = width;
    lf.lfHeight = height;
    lf.lfWeight = FW_NORMAL;
    lf.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return lf;
}

std::string faceOf(HDC dc) {
    char face[80] = {};
    GetTextFaceA(dc, sizeof face, face);
    return face;
}

// Windows' text-metric cell of a logical font selected into a window's DC.
struct Selected {
    HFONT font;
    TEXTMETRICA metrics{};
    std::string face;
};

Selected select(HDC dc, const char* face, LONG width, LONG height) {
    const LOGFONTA lf = logFont(face, width, height);
    Selected s{CreateFontIndirectA(&lf), {}, {}};
    SelectObject(dc, s.font);
    GetTextMetricsA(dc, &s.metrics);
    s.face = faceOf(dc);
    return s;
}

}  // namespace

TEST(Fonts, AFaceTheSystemLacksIsReportedUnderTheSubstitutesName) {
    GlWindow window(0, 0, 64, 64);
    const Selected s = select(window.dc(), "Lucida Console", 14, 28);
    ASSERT_NE(s.font, nullptr);
    EXPECT_FALSE(s.face.empty());
    EXPECT_NE(s.face.rfind("Lucida Console", 0), 0u) << s.face;
    DeleteObject(s.font);
}

TEST(Fonts, CellMetricsFollowTheRequestedCellAndPitch) {
    installFaceAliases({{"Lucida Console", "DejaVu Sans Mono"}, {"Arial", "DejaVu Sans"}});
    GlWindow window(0, 0, 64, 64);
    struct Case {
        const char* face;
        LONG width, height;
        bool proportional;
    };
    for (const Case& c : {Case{"Lucida Console", 14, 28, false}, Case{"Lucida Console", 6, 10, false},
                          Case{"Arial", 12, 24, true}}) {
        SCOPED_TRACE(std::string(c.face) + " " + std::to_string(c.height));
        const Selected s = select(window.dc(), c.face, c.width, c.height);
        EXPECT_EQ(s.face, c.face);
        EXPECT_NEAR(s.metrics.tmHeight, c.height, 1);
        EXPECT_NEAR(s.metrics.tmAveCharWidth, c.width, 1);
        EXPECT_EQ(s.metrics.tmAscent + s.metrics.tmDescent, s.metrics.tmHeight);
        // The Win32 bit is set for variable pitch.
        EXPECT_EQ((s.metrics.tmPitchAndFamily & TMPF_FIXED_PITCH) != 0, c.proportional);
        EXPECT_NE(s.metrics.tmPitchAndFamily & TMPF_TRUETYPE, 0);
        EXPECT_EQ(s.metrics.tmFirstChar, 32);
        EXPECT_EQ(s.metrics.tmLastChar, 255);
        DeleteObject(s.font);
    }
}

TEST(Fonts, ExtremeCellsAreServedAtTheLargestCell) {
    GlWindow window(0, 0, 64, 64);
    for (const LONG height : {INT32_MIN, INT32_MAX, -100000}) {
        SCOPED_TRACE(height);
        const Selected s = select(window.dc(), "DejaVu Sans", INT32_MAX, height);
        ASSERT_NE(s.font, nullptr);
        EXPECT_GT(s.metrics.tmHeight, 0);
        EXPECT_LE(s.metrics.tmHeight, 2 * 4096);
        DeleteObject(s.font);
    }
}

TEST(Fonts, BitmapListsDrawGlyphsAtTheBaselineAndAdvanceTheRasterPosition) {
    installFaceAliases({{"Lucida Console", "DejaVu Sans Mono"}});
    GlWindow window(0, 0, 120, 60);
    const Selected s = select(window.dc(), "Lucida Console", 14, 28);
    ASSERT_EQ(s.face, "Lucida Console");
    const GLuint base = glGenLists(256);
    ASSERT_TRUE(wglUseFontBitmapsA(window.dc(), 0, 256, base));

    window.clearBack(0x000000);
    projectOntoPixels(window.width(), window.height(), 1.0);
    glColor3f(1.0f, 1.0f, 1.0f);
    glRasterPos2i(10, window.height() - 40);  // baseline 40 pixels from the top
    glListBase(base);
    glCallLists(2, GL_UNSIGNED_BYTE, "HH");
    glListBase(0);
    GLfloat raster[4] = {};
    glGetFloatv(GL_CURRENT_RASTER_POSITION, raster);
    EXPECT_FLOAT_EQ(raster[0], 10.0f + 2.0f * static_cast<float>(s.metrics.tmAveCharWidth));

    // The H's stems stand on the baseline, inside the first cell, and nothing hangs below it.
    int litAbove = 0, litBelow = 0;
    for (int x = 10; x < 10 + s.metrics.tmAveCharWidth; ++x) {
        for (int y = 40 - s.metrics.tmAscent; y < 40; ++y) litAbove += window.glPixel(GL_BACK, x, y) == 0xFFFFFF;
        for (int y = 41; y < 40 + s.metrics.tmDescent; ++y) litBelow += window.glPixel(GL_BACK, x, y) == 0xFFFFFF;
    }
    EXPECT_GT(litAbove, 20);
    EXPECT_EQ(litBelow, 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    glDeleteLists(base, 256);
    DeleteObject(s.font);
}

TEST(Fonts, TheStockSystemFontIsTheDefaultAndOutlivesDeletion) {
    GlWindow window(0, 0, 64, 64);
    EXPECT_EQ(faceOf(window.dc()), "System");
    HGDIOBJ system = GetStockObject(SYSTEM_FONT);
    ASSERT_NE(system, nullptr);
    TEXTMETRICA tm{};
    ASSERT_TRUE(GetTextMetricsA(window.dc(), &tm));
    EXPECT_EQ(tm.tmHeight, 16);
    EXPECT_TRUE(DeleteObject(system));
    EXPECT_EQ(faceOf(window.dc()), "System");

    const LOGFONTA lf = logFont("Courier New", 10, 20);
    HFONT font = CreateFontIndirectA(&lf);
    EXPECT_EQ(winsysFontCount(), 1);
    EXPECT_EQ(SelectObject(window.dc(), font), system);
    EXPECT_TRUE(DeleteObject(font));
    EXPECT_EQ(winsysFontCount(), 0);
    EXPECT_FALSE(DeleteObject(font));
    // The device context no longer holds the deleted font.
    EXPECT_EQ(faceOf(window.dc()), "System");
}

TEST(Fonts, BitmapListsNeedACurrentContext) {
    GlWindow window(0, 0, 64, 64);
    wglMakeCurrent(nullptr, nullptr);
    EXPECT_FALSE(wglUseFontBitmapsA(window.dc(), 32, 10, 1000));
}

TEST(Fonts, TheFontDialogIsCancelledUnlessAnAnswerIsGiven) {
    LOGFONTA chosen{};
    CHOOSEFONTA cf{};
    cf.lStructSize = sizeof cf;
    cf.lpLogFont = &chosen;
    cf.Flags = CF_TTONLY | CF_FORCEFONTEXIST | CF_NOVECTORFONTS | CF_SCRIPTSONLY;
    EXPECT_EQ(cf.Flags, 0x50C00u);
    EXPECT_FALSE(ChooseFontA(&cf));

    LOGFONTA answer = logFont("Verdana", 0, 20);
    answer.lfWeight = FW_BOLD;
    winsysSetChooseFontAnswer(&answer);
    EXPECT_TRUE(ChooseFontA(&cf));
    EXPECT_STREQ(chosen.lfFaceName, "Verdana");
    EXPECT_EQ(chosen.lfWeight, FW_BOLD);
    winsysSetChooseFontAnswer(nullptr);
    cf.lStructSize = 4;
    EXPECT_FALSE(ChooseFontA(&cf));
}
