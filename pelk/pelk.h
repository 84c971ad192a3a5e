// The host interface: what the driver calls in the host module pelk, and how the
// host binds the driver. Numbers cross by address (pointers to 32-bit integers
// and floats) unless a comment says "by value".
//
// 64-bit adaptations of the 32-bit host interface:
//  - Window and other handles are 32-bit handle values wherever a host block or
//    an integer argument carries them (the window-system layer guarantees that
//    every handle fits 32 bits); functions that take or return a window as such
//    use HWND.
//  - Where a 32-bit word must carry an address (the error-list query of command
//    class 1 code 19), the low 32 bits go in that word and the high 32 bits in
//    the next one; on a 32-bit build the high word is 0.
//  - The initialisation record keeps words 0 and 1 as 32-bit integers, followed
//    by the entry table's address as a pointer-sized field.
//  - Bit numbers of sbit/cbit/ibit and their 32-bit forms: bit n is the mask 1 << n.
#pragma once

#include "pelk_blocks.h"
#include "win32.h"

#include <cstddef>
#include <cstdint>

// ---- Binding
extern "C" {

//! Entry table slot: every slot is called with the pointers its command needs.
typedef void (*kova_entry)(void* a1, void* a2, void* a3, void* a4, void* a5, void* a6, void* a7, void* a8,
                           void* a9, void* a10);

constexpr int KOVA_ENTRY_COUNT = 34;
constexpr int32_t KOVA_INTERFACE_VERSION = 3;

struct kova_init_record {
    int32_t version;   // word 0: 3
    int32_t reserved;  // word 1: 0
    kova_entry const* entries;  // 34 entry functions, slot 0 first
};

typedef const kova_init_record* (*kova_dso_init_fn)(void);

// ---- Event processor
void evpSetInputMode(int mode);  // by value: 7 locate, 5 string, 0 normal
void evpNextEvent(void* buffer);    // 128-byte event record
void evpProcessEvent(void* buffer);
void evpFlush(void);
void evpimsg(int messageClass, const char* text, int kind, ...);
void evpsndi(void* a, void* b, void* c);
void evptpRegisterDDHandler(int a, int b, void (*handler)(void*));

// ---- Memory
void* orban_malloc(size_t size, const char* tag, int flags);
void* orban_realloc(void* block, size_t size, const char* tag, int flags);
void orban_free(void* block);
int orban_alloc_query(int what);
void orban_alloc_init(int what, int value);
void orban_alloc_set(int what, int value);

// ---- Environment, system commands, strings and text services
const char* silgenv_c(const char* name);
int silscmd_c(int mode, const char* command);
void ccvst1(const char* src, char* dst, const int32_t* n);
void ccvst2(const char* src, char* dst, const int32_t* n);
void cut2tc(const int32_t* packed, const int32_t* n, char* dst);
void ccv2tc(const char* src, const int32_t* n, char* dst);
void txstr(const int32_t* channel, const int32_t* mode, const int32_t* count, const int32_t* text);
void txrset(const int32_t* channel);
void txrqmode(const int32_t* channel, const int32_t* mode);
void gpscsh(const int32_t* packedName, const int32_t* number);  // condition names are 6 characters

// ---- Bits (bit n is 1 << n)
void sbit(int32_t* word, const int32_t* bit);
void cbit(int32_t* word, const int32_t* bit);
int ibit(const int32_t* word, const int32_t* bit);
void sbit32(int32_t* word, const int32_t* bit);
void cbit32(int32_t* word, const int32_t* bit);
int ibit32(const int32_t* word, const int32_t* bit);

// ---- Device utilities (drawing the host does for the driver)
void ddudn2(const float* in, float* out);  // device pixels to normalised units
void ddund2(const float* in, float* out);  // normalised units to device pixels
void dduscm(void);
void ddumr2(const int32_t* count, const float* points);
void ddumc2(const int32_t* code, int32_t* pending, int32_t* ints, float* reals);
void ddutx2(float* reals, int32_t* ints, int32_t* ints1);
void dduar2(float* a, float* b, float* c, float* d);
void ddupg2(void* a, void* b, void* c);
void ddumpx(const int32_t* start, const int32_t* y, const int32_t* count, const int32_t* redMax,
            const int32_t* greenMax, const int32_t* blueMax, const int32_t* colourMax, int32_t* pixels);
void dducws(const int32_t* mode);
void ddursw(void);

// ---- Matrices and vectors (row-major floats)
void mlmmul(const float* a, const float* b, float* product, const int32_t* rowsA, const int32_t* colsA,
            const int32_t* colsB);
int mlminv(const float* a, float* inverse, const int32_t* n);
void mlmcop(const float* src, float* dst, const int32_t* rows, const int32_t* cols);
void mlvnor(float* vector, const int32_t* n);

// ---- Host windows and state
void x11abt(void);
void x11stx(const int32_t* channel, int32_t* styleWord0, int32_t* styleWord1);
void x11tpd(const int32_t* a, const int32_t* b);
void almtim(int n);  // by value
void todclk(float* seconds);
void muectl(const int32_t* a, const int32_t* b);
void cmldial(int a, int viewport);  // by value
void MUEHandleDynamicViewing(void* a, void* b);
void goctps(void* a);
void gvctps(void* a);
void vwsSnapToWorkplane(void* a);
void xmndyn(int mode);  // by value
void Set3DInputDeviceStatus(int a, int b);  // by value
void SilTimerShutDown(void);
void aplredi(void);
void pcsacc(int32_t* x, const int32_t* five, int32_t* s1, int32_t* s2, int32_t* s3, int32_t* x2);
void pecqfn(int32_t* out);
void tumcol(const int32_t* index, float* rgb);
void tuingr(void* a);
void tpgvpb(void* a);
void pussqpv(void* a);
void dmutrd(void* a, void* b, void* c);
void dmurdy(int32_t* status);
void dmuarc(int32_t* channel);
int fiinq_c(const char* path);

HWND wguiCreateTopWindow(int x, int y, int width, int height);
HWND wguiCreateGraphWnd(const char* className, const char* title, DWORD style, const RECT* rect, HWND parent,
                        HINSTANCE instance);
void wguiSetGraphicsView(HWND window);
//! Status-bar services: 0x400000 creates one ({window, instance} in, status window out in field 0),
//! 0x1000000 lays it out ({0, y, width}), 0x800000 releases; other codes are recorded. Non-zero on success.
int wguiStatusWindowControl(int flags, void* data);
typedef void (*wguiTimerProc)(void* clientData, unsigned long* id);
unsigned long wguiXtAppAddTimeOut(void* appContext, unsigned long intervalMs, wguiTimerProc proc, void* clientData);
void wguiXtRemoveTimeOut(unsigned long id);
unsigned long wguiXInternAtom(const char* name);
HINSTANCE xwuGetAppContext(void);
void xwuReadWindowStyle(void);
int xwuUseNewUILayout(void);
HWND xwuGetInputRegion(void);
HWND xwuGetIconPanel(void);
int xwuIsDraftingActive(void);
void xwurswc(int width, int height);  // by value
int xwuGetShowState(void);
void xwuShowMappedPopups(int show);  // by value

}  // extern "C"

// ---- Memory pools
//! Fixed-size objects addressed by a dense index (the lowest free one is reused).
class masFixed {
public:
    masFixed(int mode, int objectSize, const char* name);
    ~masFixed();
    masFixed(const masFixed&) = delete;
    masFixed& operator=(const masFixed&) = delete;

    //! Storage for one object and its index; null when memory is exhausted.
    void* Allocate(int& index);
    void* ConvertIndexToPointer(int index) const;
    //! Frees the object at index (index -1: wherever pointer is); 0 on success, 2 when index and pointer disagree.
    int DeleteObject(int index, void* pointer);
    //! Largest index in use, -1 when the pool is empty.
    int LargestObject() const;
    void Reinitialize(int mode);
    const char* Name() const { return name_; }
    int ObjectSize() const { return objectSize_; }
    int Count() const;

private:
    int objectSize_;
    char name_[64];
    void** slots_ = nullptr;
    int capacity_ = 0;
    int freeHint_ = 0;  // no free slot lies below it
    int largest_ = -1;
};

//! A named area of variable-size blocks, all released together by Reinitialize.
class masVariable {
public:
    explicit masVariable(const char* name);
    ~masVariable();
    masVariable(const masVariable&) = delete;
    masVariable& operator=(const masVariable&) = delete;

    void* AllocateMemory(size_t size);
    void DeleteMemory(void* block);
    void Reinitialize(int mode);
    const char* Name() const { return name_; }
    int Count() const { return count_; }

private:
    struct Block;
    static const size_t kBlockHeader;
    char name_[64];
    Block* blocks_ = nullptr;
    int count_ = 0;
};

//! Placement forms: an object in a fixed pool (its index comes back), or in a variable area.
void* operator new(size_t size, masFixed& pool, int& index) noexcept;
void operator delete(void* p, masFixed& pool, int& index);
void* operator new(size_t size, masVariable& area) noexcept;
void operator delete(void* p, masVariable& area);
