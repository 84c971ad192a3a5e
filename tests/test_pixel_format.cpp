// The pixel-format search and table over tables of fake descriptors.
#include "ddzDeviceSettings.h"
#include "ddzFindPixelFormat.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr DWORD kWindowGl = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
constexpr DWORD kHardware = kWindowGl;
constexpr DWORD kGeneric = kWindowGl | PFD_GENERIC_FORMAT;
constexpr DWORD kDouble = PFD_DOUBLEBUFFER;
constexpr DWORD kSwapCopy = PFD_DOUBLEBUFFER | PFD_SWAP_COPY;

PIXELFORMATDESCRIPTOR format(DWORD flags, int depth, int stencil) {
    PIXELFORMATDESCRIPTOR p{};
    p.nSize = sizeof p;
    p.nVersion = 1;
    p.dwFlags = flags;
    p.iPixelType = PFD_TYPE_RGBA;
    p.cColorBits = 24;
    p.cRedBits = p.cGreenBits = p.cBlueBits = 8;
    p.cRedShift = 16;
    p.cGreenShift = 8;
    p.cDepthBits = static_cast<BYTE>(depth);
    p.cStencilBits = static_cast<BYTE>(stencil);
    return p;
}

class FakeFormats : public ddzIPixelFormatSource {
public:
    explicit FakeFormats(std::vector<PIXELFORMATDESCRIPTOR> formats) : formats_(std::move(formats)) {}
    int Describe(int index, PIXELFORMATDESCRIPTOR* pfd) override {
        if (index < 1 || index > static_cast<int>(formats_.size())) return 0;
        *pfd = formats_[static_cast<size_t>(index - 1)];
        return static_cast<int>(formats_.size());
    }

private:
    std::vector<PIXELFORMATDESCRIPTOR> formats_;
};

class PixelFormatSearch : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"KOVA_FORCE_PIXEL_FORMAT", "KOVA_USE_SOFTWARE_OPENGL"}) unsetenv(name);
        ddzSettings().infoLevel = 0;
    }
    void TearDown() override { SetUp(); }

    static int choose(std::vector<PIXELFORMATDESCRIPTOR> formats, int stereo = 0, int* status = nullptr) {
        FakeFormats source(std::move(formats));
        int index = -5;
        const int result = ddzFindPixelFormat(source, &index, stereo);
        if (status) *status = result;
        return index;
    }
};

struct SearchCase {
    const char* name;
    std::vector<PIXELFORMATDESCRIPTOR> formats;
    int expected;  // chosen index, 0 for none
};

void PrintTo(const SearchCase& c, std::ostream* os) { *os << c.name; }

class SearchOrder : public PixelFormatSearch, public ::testing::WithParamInterface<SearchCase> {};

TEST_P(SearchOrder, ChoosesTheFirstFormatOfTheFirstPassingLevel) {
    int status = 0;
    EXPECT_EQ(choose(GetParam().formats, 0, &status), GetParam().expected);
    EXPECT_EQ(status, GetParam().expected ? 1 : -1);
}

INSTANTIATE_TEST_SUITE_P(
    Levels, SearchOrder,
    ::testing::Values(
        SearchCase{"HardwareBeforeGeneric", {format(kGeneric | kSwapCopy, 32, 8), format(kHardware | kDouble, 16, 0)}, 2},
        SearchCase{"DeepDepthBeforeStencil", {format(kHardware | kSwapCopy, 24, 8), format(kHardware | kDouble, 32, 0)}, 2},
        SearchCase{"StencilBeforeBuffering", {format(kHardware | kSwapCopy, 24, 0), format(kHardware, 24, 8)}, 2},
        SearchCase{"SwapCopyBeforeDouble", {format(kHardware | kDouble, 24, 8), format(kHardware | kSwapCopy, 24, 8)}, 2},
        SearchCase{"TwentyFourBitsFromTheSecondDepthLevel", {format(kHardware | kDouble, 24, 0)}, 1},
        SearchCase{"SixteenBitsNoStencilSettlesOnTheFirstBufferFormat",
                   {format(kHardware, 16, 0), format(kHardware | kDouble, 16, 0), format(kHardware | kSwapCopy, 16, 0)}, 3},
        SearchCase{"EightBitDepthIsNeverChosen", {format(kHardware | kSwapCopy, 8, 8), format(kGeneric | kDouble, 15, 8)}, 0},
        SearchCase{"ColourIndexAndBitmapOnlyAreRejected",
                   [] {
                       auto index = format(kHardware | kDouble, 24, 8);
                       index.iPixelType = PFD_TYPE_COLORINDEX;
                       return std::vector{index, format(PFD_DRAW_TO_BITMAP | PFD_SUPPORT_OPENGL, 24, 8)};
                   }(),
                   0},
        SearchCase{"NoFormatsAtAll", {}, 0}),
    [](const ::testing::TestParamInfo<SearchCase>& info) { return info.param.name; });

TEST_F(PixelFormatSearch, SoftwareOnlyNeverChoosesAHardwareFormat) {
    setenv("KOVA_USE_SOFTWARE_OPENGL", "1", 1);
    PIXELFORMATDESCRIPTOR miniDriver = format(kGeneric | PFD_GENERIC_ACCELERATED | kSwapCopy, 32, 8);
    EXPECT_EQ(choose({format(kHardware | kSwapCopy, 32, 8), miniDriver, format(kGeneric, 16, 0)}), 2);
    EXPECT_EQ(choose({format(kHardware | kSwapCopy, 32, 8)}), 0);
    setenv("KOVA_USE_SOFTWARE_OPENGL", "2", 1);  // mini drivers first, then generic
    EXPECT_EQ(choose({format(kHardware | kSwapCopy, 32, 8), format(kGeneric, 16, 0), miniDriver}), 3);
    setenv("KOVA_USE_SOFTWARE_OPENGL", "yes", 1);  // anything else starts with hardware
    EXPECT_EQ(choose({format(kGeneric, 32, 8), format(kHardware, 16, 0)}), 2);
}

TEST_F(PixelFormatSearch, ForcedIndexIsUsedUnchangedWhenTheDriverKnowsIt) {
    setenv("KOVA_FORCE_PIXEL_FORMAT", "2", 1);
    testing::internal::CaptureStdout();
    EXPECT_EQ(choose({format(kHardware | kSwapCopy, 32, 8), format(kGeneric, 8, 0)}), 2);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "\nKOVA_FORCE_PIXEL_FORMAT set to 2\n");
}

TEST_F(PixelFormatSearch, UnknownForcedIndexIsReportedAndTheSearchGoesOn) {
    setenv("KOVA_FORCE_PIXEL_FORMAT", "nine", 1);  // atoi: 0, which no driver knows
    testing::internal::CaptureStdout();
    EXPECT_EQ(choose({format(kHardware | kDouble, 24, 8)}), 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "\nKOVA_FORCE_PIXEL_FORMAT set to 0\n\nKOVA_FORCE_PIXEL_FORMAT value not valid\ncontinuing with normal "
              "search\n");
}

TEST_F(PixelFormatSearch, ForcedIndexWithoutStereoIsIgnoredForTheStereoSearch) {
    setenv("KOVA_FORCE_PIXEL_FORMAT", "1", 1);
    testing::internal::CaptureStdout();
    EXPECT_EQ(choose({format(kHardware | kDouble, 24, 8), format(kHardware | kDouble | PFD_STEREO, 24, 0)}, 1), 2);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("not valid for stereo\ncontinuing with normal search"),
              std::string::npos);
}

TEST_F(PixelFormatSearch, StereoNeedsAStereoFormatAndNeverRequiresStencil) {
    int status = 0;
    EXPECT_EQ(choose({format(kHardware | kSwapCopy, 32, 8)}, 1, &status), 0);
    EXPECT_EQ(status, -1);
    // Double before single; the stencil-less stereo format wins over deeper non-stereo ones.
    EXPECT_EQ(choose({format(kHardware | kSwapCopy, 32, 8), format(kHardware | PFD_STEREO, 24, 0),
                      format(kHardware | kDouble | PFD_STEREO, 24, 0)},
                     1),
              3);
}

TEST_F(PixelFormatSearch, LevelThreeLogsEveryCandidateAndItsFailedTest) {
    ddzSettings().infoLevel = 3;
    FakeFormats source({format(kGeneric | kSwapCopy, 32, 8)});
    testing::internal::CaptureStdout();
    int index = 0;
    EXPECT_EQ(ddzFindPixelFormat(source, &index, 0), 1);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("\nddzFindPixelFormat testing index 1 for\nHdw ICD driver\nDbl buf swap copy buffer format\n"
                       "2 stencil depth\n32 zbuf depth\n0 stereo\n"),
              std::string::npos);
    EXPECT_NE(out.find("\n\tTestDriverImplementation failed\n"), std::string::npos);
    EXPECT_NE(out.find("GDI Generic driver"), std::string::npos);
}

TEST_F(PixelFormatSearch, FailedDescriptionEndsTheSearch) {
    int status = 0;
    testing::internal::CaptureStdout();
    EXPECT_EQ(choose({}, 0, &status), 0);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(status, -1);
}

TEST(PixelFormatTable, PrintsHeadingAndOneRowPerFormat) {
    PIXELFORMATDESCRIPTOR p = format(kGeneric | kSwapCopy, 24, 8);
    FakeFormats source({p});
    testing::internal::CaptureStdout();
    OutputPixelFormatTable(source);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out.rfind("\nOutputPixelFormatTable:  Device OpenGL and Pixel Format Information\n" + std::string(67, '=') +
                            "\n<" + std::string(31, '=') + " Set console width to at least 110 " + std::string(37, '=') +
                            ">\n",
                        0),
              0u);
    const std::string row =
        " 1:  RGBA  24 (8.16/8.8/8.0/0.0)  Y  Y  N  24  8    0  0   -   0 / 0   0    Y        Y     Y              \n";
    EXPECT_NE(out.find(std::string(105, '-') + "\n" + row), std::string::npos) << out;
}

TEST(PixelFormatTable, SaysSoWhenThereAreNoFormats) {
    FakeFormats source({});
    testing::internal::CaptureStdout();
    OutputPixelFormatTable(source);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "\nOutputPixelFormatTable:  no pixel formats available????\n");
}

}  // namespace
