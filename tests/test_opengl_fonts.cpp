// The driver's bitmap fonts at device open: which typefaces load at which
// sizes, the dense font table, the configuration variables, the font dialog,
// the font chooser and its users, and the release at close.
#include "GraphicsWindowState.h"
#include "ddzDispatch.h"
#include "ddzEntrySlots.h"
#include "ddzReservedLists.h"
#include "ddzWindowsFonts.h"
#include "pelk.h"
#include "support/TestFonts.h"
#include "support/TestWindows.h"
#include "winsys_x11.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

using testsupport::FaceAlias;

namespace {

const char* const kVariables[] = {"KOVA_OGL_INFO", "KOVA_WINNT_OGL_CHOOSE_FONT", "KOVA_WINNT_OGL_FONT",
                                  "KOVA_WINNT_OGL_FONT_WEIGHT"};

class OpenGLFonts : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : kVariables) unsetenv(name);
    }
    void TearDown() override {
        ddzCloseDevice();
        for (const char* name : kVariables) unsetenv(name);
        winsysSetChooseFontAnswer(nullptr);
    }
    std::string openPrinting() {
        testing::internal::CaptureStdout();
        ddzOpenDevice();
        return testing::internal::GetCapturedStdout();
    }
    static bool printed(const std::string& out, const std::string& text) { return out.find(text) != std::string::npos; }
    static const ddzOpenGLFont& font(int index) { return OpenGLFontTable().fonts[index - 1]; }
};

struct Choice {
    int index;
    float width, height;
};

Choice select(float width, float height) {
    Choice c{};
    float again[2];
    ddzSelectFont(width, height, &c.index, &c.width, &c.height, &again[0], &again[1]);
    EXPECT_EQ(again[0], c.width);
    EXPECT_EQ(again[1], c.height);
    return c;
}

}  // namespace

TEST_F(OpenGLFonts, WithoutAnyPreferredTypefaceTheSystemFontIsTheOnlyFont) {
    testsupport::installFaceAliases({});
    setenv("KOVA_OGL_INFO", "1", 1);
    const std::string out = openPrinting();
    ASSERT_EQ(OpenGLFontTable().count, 1);
    EXPECT_EQ(font(1).listBase, ddzReserved().fonts);
    EXPECT_TRUE(printed(out, "ddzwlfnt - Load Windows fonts for OpenGL"));
    const std::string line = "\tSYSTEM_FONT used for OpenGL: width " + std::to_string(font(1).width) + ", height " +
                             std::to_string(font(1).height) + ", fontbase " + std::to_string(ddzReserved().fonts);
    EXPECT_TRUE(printed(out, line)) << out;
    // Every request gets the one font; the stock font is never deleted.
    EXPECT_EQ(select(100, 100).index, 1);
    EXPECT_EQ(select(1, 1).index, 1);
    ddzCloseDevice();
    EXPECT_EQ(winsysFontCount(), 0);
}

TEST_F(OpenGLFonts, AnInstalledFaceLoadsEverySizeIntoConsecutiveBlocks) {
    testsupport::installFaceAliases({{"Lucida Console", "DejaVu Sans Mono"}});
    ddzOpenDevice();
    const ddzOpenGLFontTable& table = OpenGLFontTable();
    ASSERT_EQ(table.count, 16);
    EXPECT_EQ(winsysFontCount(), 16);
    for (int i = 1; i <= 16; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(font(i).listBase, ddzReserved().fonts + 333u * static_cast<uint32_t>(i - 1));
        EXPECT_TRUE(glIsList(font(i).listBase + 'A'));
        if (i > 1) {
            EXPECT_LE(font(i).height, font(i - 1).height);
        }
    }
    EXPECT_NEAR(font(1).height, 72, 1);
    EXPECT_NEAR(font(16).height, 8, 1);

    // The largest font that fits the rounded request, the smallest when none fits.
    const Choice fits = select(9.4f, 15.6f);
    EXPECT_LE(fits.width, 9.0f);
    EXPECT_LE(fits.height, 16.0f);
    ASSERT_GT(fits.index, 1);
    EXPECT_TRUE(font(fits.index - 1).width > 9 || font(fits.index - 1).height > 16);
    EXPECT_EQ(select(1, 1).index, 16);
    EXPECT_EQ(select(1000, 1000).index, 1);
    // Requests no cell can meet get the smallest font, or the largest when unbounded.
    EXPECT_EQ(select(std::nanf(""), 20).index, 16);
    EXPECT_EQ(select(-5, -5).index, 16);
    EXPECT_EQ(select(INFINITY, INFINITY).index, 1);

    ddzCloseDevice();
    EXPECT_EQ(winsysFontCount(), 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(OpenGLFonts, SizesThatFailLeaveNoGapInTheTable) {
    // No such face above 40 pixels: slots 0 and 1 (72 and 48) fail.
    testsupport::installFaceAliases({{"Lucida Console", "DejaVu Sans Mono", 40}});
    setenv("KOVA_OGL_INFO", "3", 1);
    const std::string out = openPrinting();
    ASSERT_EQ(OpenGLFontTable().count, 14);
    // The third loaded font is size slot 4 (13 x 26).
    EXPECT_EQ(font(3).listBase, ddzReserved().fonts + 666u);
    EXPECT_NEAR(font(3).height, 26, 1);
    EXPECT_TRUE(printed(out, "\tAttempt to load font: typeface Trebuchet MS, width 24, height 48"));
    EXPECT_TRUE(printed(out, "\tFont loaded for OpenGL: \n\t\ttypeface Lucida Console\n"));
    EXPECT_TRUE(printed(out, "\t\tOpenGL fontbase " + std::to_string(ddzReserved().fonts + 666u) + "\n"));
}

TEST_F(OpenGLFonts, AProportionalFaceReportsOneAndAHalfAverageWidths) {
    testsupport::installFaceAliases({{"Arial", "DejaVu Sans"}});
    ddzOpenDevice();
    ASSERT_EQ(OpenGLFontTable().count, 16);
    const LOGFONTA lf = [] {
        LOGFONTA l{};
        l.lfWidth = 14;
        l.lfHeight = 28;
        l.lfWeight = FW_NORMAL;
        std::strcpy(l.lfFaceName, "Arial");
        return l;
    }();
    HDC dc = GetDC(nullptr);
    HFONT probe = CreateFontIndirectA(&lf);
    SelectObject(dc, probe);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    EXPECT_EQ(font(4).width, static_cast<int>(tm.tmAveCharWidth * 1.5));
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(probe);
}

TEST_F(OpenGLFonts, ConfigurationVariablesAreCorrectedAndReported) {
    testsupport::installFaceAliases({{"Lucida Console", "DejaVu Sans Mono"}, {"Arial", "DejaVu Sans"}});
    struct Case {
        const char* font;
        const char* weight;
        const char* fontReport;
        const char* weightReport;
        const char* loadedFace;
    };
    for (const Case& c : {Case{"9", "1200", "KOVA_WINNT_OGL_FONT found set to 0",
                               "KOVA_WINNT_OGL_FONT_WEIGHT found set to 400", "Lucida Console"},
                          Case{"2", "700", "KOVA_WINNT_OGL_FONT found set to 2",
                               "KOVA_WINNT_OGL_FONT_WEIGHT found set to 700", "Arial"}}) {
        SCOPED_TRACE(c.font);
        setenv("KOVA_WINNT_OGL_FONT", c.font, 1);
        setenv("KOVA_WINNT_OGL_FONT_WEIGHT", c.weight, 1);
        setenv("KOVA_OGL_INFO", "3", 1);
        const std::string out = openPrinting();
        EXPECT_TRUE(printed(out, c.fontReport)) << out.substr(0, 400);
        EXPECT_TRUE(printed(out, c.weightReport));
        EXPECT_TRUE(printed(out, std::string("\t\ttypeface ") + c.loadedFace + "\n"));
        ddzCloseDevice();
    }
}

TEST_F(OpenGLFonts, TheDialogsFaceIsTriedFirstAndACancelStartsTheListAtTheTop) {
    testsupport::installFaceAliases({{"Lucida Console", "DejaVu Sans Mono"}, {"Verdana", "DejaVu Sans", 20}});
    setenv("KOVA_WINNT_OGL_CHOOSE_FONT", "", 1);
    setenv("KOVA_WINNT_OGL_FONT", "3", 1);  // not read on the dialog path
    setenv("KOVA_OGL_INFO", "3", 1);

    LOGFONTA answer{};
    std::strcpy(answer.lfFaceName, "Verdana");
    answer.lfWeight = FW_NORMAL;
    winsysSetChooseFontAnswer(&answer);
    std::string out = openPrinting();
    EXPECT_TRUE(printed(out, "KOVA_WINNT_OGL_CHOOSE_FONT found"));
    EXPECT_FALSE(printed(out, "KOVA_WINNT_OGL_FONT found"));
    ASSERT_EQ(OpenGLFontTable().count, 16);
    // Verdana up to 20 pixels (slots 7..15), Lucida Console above.
    EXPECT_TRUE(printed(out, "\tAttempt to load font: typeface Verdana, width 36, height 72\n"));
    EXPECT_TRUE(printed(out, "\t\ttypeface Verdana\n"));
    EXPECT_TRUE(printed(out, "\t\ttypeface Lucida Console\n"));
    ddzCloseDevice();

    winsysSetChooseFontAnswer(nullptr);
    out = openPrinting();
    EXPECT_FALSE(printed(out, "typeface Verdana"));
    EXPECT_TRUE(printed(out, "\tAttempt to load font: typeface Lucida Console, width 36, height 72\n"));
}

TEST_F(OpenGLFonts, TextFontsOfTheWindowFollowItsSize) {
    testsupport::installFaceAliases({{"Lucida Console", "DejaVu Sans Mono"}});
    ddzOpenDevice();
    const GraphicsWindowState& w = ddzWindowState();
    struct Case {
        int width, height;
        float large[2], small[2];
    };
    for (const Case& c : {Case{799, 1024, {8, 13}, {7, 13}}, Case{800, 600, {9, 15}, {8, 13}}}) {
        SCOPED_TRACE(c.width);
        MoveWindow(w.childWindow, 0, 0, c.width, c.height, FALSE);
        ddzDeviceGeometry();
        const float scale = grdd_c.raster_scale;
        const Choice large = select(c.large[0], c.large[1]), small = select(c.small[0], c.small[1]);
        EXPECT_FLOAT_EQ(grmap_c.large_font_cell[0], large.width / scale);
        EXPECT_FLOAT_EQ(grmap_c.large_font_cell[1], large.height / scale);
        EXPECT_FLOAT_EQ(grmap_c.small_font_cell[0], small.width / scale);
        EXPECT_FLOAT_EQ(grmap_c.small_font_cell[1], small.height / scale);
    }
}

TEST_F(OpenGLFonts, TheHostsFontInquiryListsSixFontNumbers) {
    int32_t ints[8] = {};
    const int32_t misc = 14, inquiry = 6;
    ddzCommand(&misc, &inquiry, ints, nullptr);
    const int32_t expected[7] = {6, 112, 113, 114, 115, 116, 117};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(ints[i], expected[i]);
    EXPECT_EQ(ints[7], 0);
}
