#include "ddzDispatch.h"

#include "dderr.h"
#include "ddzClass1.h"
#include "ddzClass4.h"
#include "ddzClass14.h"
#include "ddzPackedText.h"

#include <array>
#include <span>

namespace {

struct CodeEntry {
    int code;
    ddzCommandHandler handler;  // null: accepted, nothing to do
};

enum class Unknown { Report, Ignore, Accept };

struct ClassTable {
    std::span<const CodeEntry> codes;
    Unknown unknown;
};

template <int First, int Last>
constexpr std::array<CodeEntry, Last - First + 1> codeRange() {
    std::array<CodeEntry, Last - First + 1> codes{};
    for (int c = First; c <= Last; ++c) codes[static_cast<size_t>(c - First)] = CodeEntry{c, nullptr};
    return codes;
}

constexpr CodeEntry class1[] = {
    {1, nullptr},  {2, ddzc12},   {3, nullptr},   {4, ddzc14},    {5, nullptr},   {6, nullptr},   {7, nullptr},
    {8, nullptr},  {9, ddzc19},   {10, nullptr},  {11, nullptr},  {12, ddzc1c},   {13, ddzc1d},   {14, nullptr},
    {15, nullptr}, {16, ddzc116}, {17, ddzc117},  {18, ddzc118},  {19, ddzc119},  {20, nullptr},  {21, nullptr},
    {22, nullptr},
};
constexpr CodeEntry class2[] = {{1, ddzc21}, {2, ddzc22}, {3, ddzc23}, {4, ddzc24}, {5, ddzc25}, {6, ddzc26}};
constexpr auto class3 = codeRange<1, 4>();
constexpr CodeEntry class4[] = {
    {1, ddzc41},   {2, ddzc42},   {3, ddzc43},   {4, ddzc44},   {5, ddzc45},   {6, ddzc46},   {7, ddzc47},
    {8, ddzc48},   {9, ddzc49},   {10, ddzc4a},  {11, ddzc4b},  {12, ddzc4c},  {13, ddzc4d},  {14, ddzc4e},
    {16, ddzc416}, {18, ddzc418}, {19, ddzc419}, {20, ddzc420}, {21, ddzc421}, {22, ddzc422}, {23, ddzc423},
    {25, ddzc425}, {27, ddzc427}, {28, ddzc428}};
constexpr CodeEntry class5[] = {{1, nullptr}, {2, nullptr},  {3, nullptr}, {4, nullptr},
                                {11, nullptr}, {12, nullptr}, {13, nullptr}};
constexpr CodeEntry class7[] = {{1, ddzc71}, {2, ddzc72}};
constexpr CodeEntry class8[] = {{2, ddzc82}, {3, nullptr}, {4, nullptr}, {5, nullptr},
                                {6, nullptr}, {7, nullptr}, {8, nullptr}, {9, ddzc89}};
constexpr auto class9 = codeRange<1, 8>();
constexpr auto class10 = codeRange<1, 10>();
constexpr auto class11 = codeRange<1, 6>();
constexpr auto class12 = codeRange<1, 9>();
constexpr auto class13 = codeRange<1, 6>();
constexpr CodeEntry class14[] = {{1, nullptr}, {2, nullptr},  {3, nullptr},  {4, ddzce4},
                                 {5, ddzce5},  {6, ddzce6},   {7, ddzce7},   {8, nullptr},
                                 {9, nullptr}, {10, nullptr}, {11, nullptr}, {12, nullptr}};

const ClassTable classTables[16] = {
    {class1, Unknown::Report},  {class2, Unknown::Report},  {class3, Unknown::Report},
    {class4, Unknown::Report},  {class5, Unknown::Ignore},  {{}, Unknown::Accept},  // 6: any code requests input
    {class7, Unknown::Report},  {class8, Unknown::Report},  {class9, Unknown::Report},
    {class10, Unknown::Report}, {class11, Unknown::Report}, {class12, Unknown::Report},
    {class13, Unknown::Report}, {class14, Unknown::Report}, {{}, Unknown::Ignore},  // 15 has no handler
    {{}, Unknown::Accept},                                                          // 16: the echo takes any code
};

// "DCZCn" and "DCZCn-ILLEGAL OPTION", n the class as one hexadecimal digit.
template <char Digit>
struct IllegalOptionTexts {
    static constexpr char name[] = {'D', 'C', 'Z', 'C', Digit, '\0'};
    static constexpr char message[] = {'D', 'C', 'Z', 'C', Digit, '-', 'I', 'L', 'L', 'E', 'G', 'A', 'L',
                                       ' ', 'O', 'P', 'T', 'I', 'O', 'N', '\0'};
    static constexpr auto packedName = ddzPack(name);
    static constexpr auto packedMessage = ddzPack(message);
};

template <char Digit>
void reportWith(int32_t option) {
    using T = IllegalOptionTexts<Digit>;
    const int32_t kind = 1, severity = ddzOutOfRange, line = -1;
    dderrIllegalOption(&T::packedName.count, T::packedName.words, &kind, &severity, &option, &line,
                       &T::packedMessage.count, T::packedMessage.words);
}

void reportIllegalOption(int commandClass, int32_t option) {
    using Report = void (*)(int32_t);
    static constexpr Report reports[16] = {reportWith<'1'>, reportWith<'2'>, reportWith<'3'>, reportWith<'4'>,
                                           reportWith<'5'>, reportWith<'6'>, reportWith<'7'>, reportWith<'8'>,
                                           reportWith<'9'>, reportWith<'A'>, reportWith<'B'>, reportWith<'C'>,
                                           reportWith<'D'>, reportWith<'E'>, reportWith<'F'>, reportWith<'0'>};
    reports[commandClass - 1](option);
}

}  // namespace

ddzRoute ddzRouteOf(int commandClass, int code) {
    if (commandClass < 1 || commandClass > 16) return ddzRoute{true, nullptr};
    const ClassTable& table = classTables[commandClass - 1];
    for (const CodeEntry& entry : table.codes) {
        if (entry.code == code) return ddzRoute{true, entry.handler};
    }
    return ddzRoute{table.unknown != Unknown::Report, nullptr};
}

void ddzCommand(const int32_t* commandClass, const int32_t* code, int32_t* ints, float* reals, void* const* extra) {
    if (!commandClass || !code) return;
    const int c = *commandClass;
    if (c < 1 || c > 16) return;
    const ddzRoute route = ddzRouteOf(c, *code);
    if (!route.known) {
        reportIllegalOption(c, *code);
        return;
    }
    if (route.handler) route.handler(ints, reals, c == 8 ? extra : nullptr);
}
