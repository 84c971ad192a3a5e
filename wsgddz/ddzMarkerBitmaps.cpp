#include "ddzMarkerBitmaps.h"

#include "ddzDLMemory.h"
#include "dviIDisplayListManager.h"
#include "dvisi.h"

#include <GL/gl.h>

#include <array>
#include <string_view>

namespace {

constexpr int kRowBytes = 3;
constexpr int kBitmapBytes = kMarkerBitmapSize * kRowBytes;

constexpr std::string_view kBitmapsHex[9] = {
    "000000000000000000000000000000000000000000000000000100000000000000000000000000000000000000000000000000",  // dot
    "000100000100000100000100000100000100000100000100ffff01000100000100000100000100000100000100000100000100",  // plus
    "000100000100044100082100101100200900400500800300ffff01800300400500200900101100082100044100000100000100",  // asterisk
    "000000000000000000000100e00e00101000101000101000082000101000101000101000e00e00000100000000000000000000",  // circle
    "010001028000044000082000101000200800400400800200000100800200400400200800101000082000044000028000010001",  // cross
    "000000feff0006c000044000044000082000082000101000101000200800200800400400400400800200800200000100000100",  // apex up
    "000000000100800200800200400400400400200800200800101000101000082000082000044000044000028000feff00000000",  // apex down
    "ffff01010001010001010001010001010001010001010001010001010001010001010001010001010001010001010001ffff01",  // square
    "000100800200400400200800101000082000044000028000010001028000044000082000101000200800400400800200000100",  // diamond
};

constexpr uint8_t nibble(char c) {
    return static_cast<uint8_t>(c <= '9' ? c - '0' : c - 'a' + 10);
}

constexpr std::array<std::array<uint8_t, kBitmapBytes>, 9> decode() {
    std::array<std::array<uint8_t, kBitmapBytes>, 9> bitmaps{};
    for (size_t m = 0; m < 9; ++m) {
        if (kBitmapsHex[m].size() != 2 * kBitmapBytes) throw "a marker bitmap is 51 bytes";
        for (size_t i = 0; i < kBitmapBytes; ++i) {
            bitmaps[m][i] = static_cast<uint8_t>((nibble(kBitmapsHex[m][2 * i]) << 4) | nibble(kBitmapsHex[m][2 * i + 1]));
        }
    }
    return bitmaps;
}

constexpr auto kBitmaps = decode();

}  // namespace

const uint8_t* ddzMarkerBitmap(int list) { return list >= 0 && list < 9 ? kBitmaps[static_cast<size_t>(list)].data() : nullptr; }

void ddzBuildMarkerBitmaps(uint32_t first) {
    dviIDisplayListManager* lists = dvisiDisplayListManager();
    if (!lists || first == 0) return;
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_LSB_FIRST, 1);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    for (uint32_t i = 0; i < 9; ++i) {
        lists->OpenDisplayList(first + i);
        glBitmap(kMarkerBitmapSize, kMarkerBitmapSize, 9.0f, 9.0f, 0.0f, 0.0f, kBitmaps[i].data());
        lists->CloseDisplayList();
    }
    glPopClientAttrib();
    ddzDLCountBitmapLists(9, kMarkerBitmapSize, kMarkerBitmapSize);
}
