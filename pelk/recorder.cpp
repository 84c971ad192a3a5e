// The call record, and the host functions whose whole behaviour here is to be
// recorded so that tests can assert what the driver asked of the host.
#include "pelk_internal.h"

#include <cstdarg>
#include <ctime>

namespace pelk {
namespace {

std::vector<RecordedCall>& calls() {
    static std::vector<RecordedCall> list;
    return list;
}

long value(const int32_t* p) { return p ? *p : 0; }

}  // namespace

void record(const char* name, std::vector<long> numbers, std::string text) {
    calls().push_back(RecordedCall{name, std::move(numbers), std::move(text)});
}

const std::vector<RecordedCall>& recordedCalls() { return calls(); }

int callCount(const std::string& name) {
    int n = 0;
    for (const RecordedCall& c : calls()) n += c.name == name;
    return n;
}

void clearRecordedCalls() { calls().clear(); }

}  // namespace pelk

using namespace pelk;

extern "C" {

void evpimsg(int messageClass, const char* text, int kind, ...) {
    std::vector<long> numbers{messageClass, kind};
    if (kind == 4) {
        va_list args;
        va_start(args, kind);
        numbers.push_back(va_arg(args, int));
        va_end(args);
    }
    record("evpimsg", numbers, text ? text : "");
}

void evpsndi(void*, void*, void*) { record("evpsndi"); }
void evptpRegisterDDHandler(int a, int b, void (*)(void*)) { record("evptpRegisterDDHandler", {a, b}); }
void dduscm(void) { record("dduscm"); }
void ddumr2(const int32_t* count, const float*) { record("ddumr2", {value(count)}); }
void ddumc2(const int32_t* code, int32_t* pending, int32_t*, float*) { record("ddumc2", {value(code), value(pending)}); }
void ddutx2(float*, int32_t*, int32_t*) { record("ddutx2"); }
void dduar2(float*, float*, float*, float*) { record("dduar2"); }
void ddupg2(void*, void*, void*) { record("ddupg2"); }
void dducws(const int32_t* mode) { record("dducws", {value(mode)}); }
void ddursw(void) { record("ddursw"); }

// Host pixel values are already packed RGB here; each becomes three integers 0..255.
void ddumpx(const int32_t* start, const int32_t* y, const int32_t* count, const int32_t*, const int32_t*,
            const int32_t*, const int32_t*, int32_t* pixels) {
    const int n = count ? *count : 0;
    record("ddumpx", {value(start), value(y), n});
    for (int i = n - 1; i >= 0; --i) {
        const int32_t packed = pixels[i];
        pixels[3 * i] = (packed >> 16) & 0xff;
        pixels[3 * i + 1] = (packed >> 8) & 0xff;
        pixels[3 * i + 2] = packed & 0xff;
    }
}

void x11abt(void) { record("x11abt"); }
void x11stx(const int32_t* channel, int32_t* w0, int32_t* w1) { record("x11stx", {value(channel), value(w0), value(w1)}); }
void x11tpd(const int32_t* a, const int32_t* b) { record("x11tpd", {value(a), value(b)}); }
void almtim(int n) { record("almtim", {n}); }

void todclk(float* seconds) {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    if (seconds) *seconds = static_cast<float>(t.tv_sec % 86400) + static_cast<float>(t.tv_nsec) * 1e-9f;
}

void muectl(const int32_t* a, const int32_t* b) { record("muectl", {value(a), value(b)}); }
void cmldial(int a, int viewport) { record("cmldial", {a, viewport}); }
void MUEHandleDynamicViewing(void*, void*) { record("MUEHandleDynamicViewing"); }
void goctps(void*) { record("goctps"); }
void gvctps(void*) { record("gvctps"); }
void vwsSnapToWorkplane(void*) { record("vwsSnapToWorkplane"); }
void xmndyn(int mode) { record("xmndyn", {mode}); }
void Set3DInputDeviceStatus(int a, int b) { record("Set3DInputDeviceStatus", {a, b}); }
void SilTimerShutDown(void) { record("SilTimerShutDown"); }
void aplredi(void) { record("aplredi"); }

void pcsacc(int32_t* x, const int32_t* five, int32_t* s1, int32_t* s2, int32_t* s3, int32_t*) {
    record("pcsacc", {value(x), value(five)});
    if (s1) *s1 = 0;
    if (s2) *s2 = 0;
    if (s3) *s3 = 0;
}

void pecqfn(int32_t* out) {
    record("pecqfn");
    if (out) *out = 0;
}

// Colour indices name packed RGB values.
void tumcol(const int32_t* index, float* rgb) {
    const int32_t packed = value(index);
    rgb[0] = static_cast<float>((packed >> 16) & 0xff) / 255.0f;
    rgb[1] = static_cast<float>((packed >> 8) & 0xff) / 255.0f;
    rgb[2] = static_cast<float>(packed & 0xff) / 255.0f;
}

void tuingr(void*) { record("tuingr"); }
void tpgvpb(void*) { record("tpgvpb"); }
void pussqpv(void*) { record("pussqpv"); }
void dmutrd(void*, void*, void*) { record("dmutrd"); }
void dmurdy(int32_t* status) { record("dmurdy", {value(status)}); }
void dmuarc(int32_t* channel) { record("dmuarc", {value(channel)}); }

int fiinq_c(const char* path) {
    FILE* f = path ? std::fopen(path, "r") : nullptr;
    if (f) std::fclose(f);
    return f != nullptr;
}

}  // extern "C"
