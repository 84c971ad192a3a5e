// Environment, strings and packed text, text services, bits, device-unit
// conversion and the matrix routines.
#include "pelk_internal.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace pelk {

std::string unpackText(const int32_t* words, int n) {
    std::string text;
    if (!words) return text;
    for (int i = 0; i < n; ++i) {
        char pair[4];
        std::memcpy(pair, &words[i / 2], sizeof pair);
        text.push_back(pair[i % 2]);
    }
    return text;
}

}  // namespace pelk

using namespace pelk;

namespace {

void copyToHostString(const char* src, char* dst, const int32_t* n) {
    if (!dst || !n || *n <= 0) return;
    const size_t length = src ? std::strlen(src) : 0;
    for (int i = 0; i < *n; ++i) dst[i] = static_cast<size_t>(i) < length ? src[i] : ' ';
}

uint32_t maskOf(const int32_t* bit) { return (bit && *bit >= 0 && *bit < 32) ? (1u << *bit) : 0u; }

}  // namespace

extern "C" {

const char* silgenv_c(const char* name) { return name ? std::getenv(name) : nullptr; }

int silscmd_c(int mode, const char* command) {
    record("silscmd_c", {mode}, command ? command : "");
    return 0;
}

void ccvst1(const char* src, char* dst, const int32_t* n) { copyToHostString(src, dst, n); }
void ccvst2(const char* src, char* dst, const int32_t* n) { copyToHostString(src, dst, n); }

void cut2tc(const int32_t* packed, const int32_t* n, char* dst) {
    if (!dst) return;
    const std::string text = unpackText(packed, n ? std::max(*n, 0) : 0);
    std::memcpy(dst, text.c_str(), text.size() + 1);
}

void ccv2tc(const char* src, const int32_t* n, char* dst) {
    if (!dst) return;
    int length = (n && src) ? *n : 0;
    while (length > 0 && src[length - 1] == ' ') --length;  // host strings are blank-padded
    if (length > 0) std::memcpy(dst, src, static_cast<size_t>(length));
    dst[length > 0 ? length : 0] = '\0';
}

void txstr(const int32_t* channel, const int32_t* mode, const int32_t* count, const int32_t* text) {
    const int n = count ? *count : 0;
    record("txstr", {channel ? *channel : 0, mode ? *mode : 0, n}, unpackText(text, std::max(n, 0)));
}

void txrset(const int32_t* channel) { record("txrset", {channel ? *channel : 0}); }
void txrqmode(const int32_t* channel, const int32_t* mode) { record("txrqmode", {channel ? *channel : 0, mode ? *mode : 0}); }

void gpscsh(const int32_t* packedName, const int32_t* number) {
    record("gpscsh", {number ? *number : 0}, unpackText(packedName, 6));
}

void sbit(int32_t* word, const int32_t* bit) { *word = static_cast<int32_t>(static_cast<uint32_t>(*word) | maskOf(bit)); }
void cbit(int32_t* word, const int32_t* bit) { *word = static_cast<int32_t>(static_cast<uint32_t>(*word) & ~maskOf(bit)); }
int ibit(const int32_t* word, const int32_t* bit) { return (static_cast<uint32_t>(*word) & maskOf(bit)) ? 1 : 0; }
void sbit32(int32_t* word, const int32_t* bit) { sbit(word, bit); }
void cbit32(int32_t* word, const int32_t* bit) { cbit(word, bit); }
int ibit32(const int32_t* word, const int32_t* bit) { return ibit(word, bit); }

// Device pixels count from the window's top left; normalised units from its
// bottom left, one unit being raster_scale pixels (the geometry of entry slot 16).
void ddudn2(const float* in, float* out) {
    const float scale = grdd_c.raster_scale != 0.0f ? grdd_c.raster_scale : 1.0f;
    const float x = grdd_c.raster_x_sense >= 0.0f ? in[0] - grdd_c.raster_origin[0] : grdd_c.raster_max[0] - in[0];
    const float y = grdd_c.raster_y_sense >= 0.0f ? in[1] - grdd_c.raster_origin[1] : grdd_c.raster_max[1] - in[1];
    out[0] = x / scale;
    out[1] = y / scale;
}

void ddund2(const float* in, float* out) {
    const float scale = grdd_c.raster_scale != 0.0f ? grdd_c.raster_scale : 1.0f;
    const float x = in[0] * scale;
    const float y = in[1] * scale;
    out[0] = grdd_c.raster_x_sense >= 0.0f ? x + grdd_c.raster_origin[0] : grdd_c.raster_max[0] - x;
    out[1] = grdd_c.raster_y_sense >= 0.0f ? y + grdd_c.raster_origin[1] : grdd_c.raster_max[1] - y;
}

void mlmmul(const float* a, const float* b, float* product, const int32_t* rowsA, const int32_t* colsA,
            const int32_t* colsB) {
    const int n = *rowsA, m = *colsA, k = *colsB;
    std::vector<float> result(static_cast<size_t>(n * k), 0.0f);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < k; ++j)
            for (int t = 0; t < m; ++t) result[static_cast<size_t>(i * k + j)] += a[i * m + t] * b[t * k + j];
    std::memcpy(product, result.data(), result.size() * sizeof(float));
}

// Gauss-Jordan with partial pivoting; 0 on success, 1 for a singular matrix.
int mlminv(const float* a, float* inverse, const int32_t* size) {
    const int n = *size;
    std::vector<double> m(static_cast<size_t>(n * 2 * n), 0.0);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) m[static_cast<size_t>(i * 2 * n + j)] = a[i * n + j];
        m[static_cast<size_t>(i * 2 * n + n + i)] = 1.0;
    }
    for (int c = 0; c < n; ++c) {
        int pivot = c;
        for (int r = c + 1; r < n; ++r)
            if (std::fabs(m[static_cast<size_t>(r * 2 * n + c)]) > std::fabs(m[static_cast<size_t>(pivot * 2 * n + c)])) pivot = r;
        if (std::fabs(m[static_cast<size_t>(pivot * 2 * n + c)]) < 1e-12) return 1;
        for (int j = 0; j < 2 * n; ++j) std::swap(m[static_cast<size_t>(c * 2 * n + j)], m[static_cast<size_t>(pivot * 2 * n + j)]);
        const double d = m[static_cast<size_t>(c * 2 * n + c)];
        for (int j = 0; j < 2 * n; ++j) m[static_cast<size_t>(c * 2 * n + j)] /= d;
        for (int r = 0; r < n; ++r) {
            if (r == c) continue;
            const double f = m[static_cast<size_t>(r * 2 * n + c)];
            for (int j = 0; j < 2 * n; ++j) m[static_cast<size_t>(r * 2 * n + j)] -= f * m[static_cast<size_t>(c * 2 * n + j)];
        }
    }
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) inverse[i * n + j] = static_cast<float>(m[static_cast<size_t>(i * 2 * n + n + j)]);
    return 0;
}

void mlmcop(const float* src, float* dst, const int32_t* rows, const int32_t* cols) {
    std::memmove(dst, src, sizeof(float) * static_cast<size_t>(*rows * *cols));
}

void mlvnor(float* vector, const int32_t* n) {
    double length = 0.0;
    for (int i = 0; i < *n; ++i) length += static_cast<double>(vector[i]) * vector[i];
    length = std::sqrt(length);
    if (length == 0.0) return;
    for (int i = 0; i < *n; ++i) vector[i] = static_cast<float>(vector[i] / length);
}

}  // extern "C"
