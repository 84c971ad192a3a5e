// Entry slots 8-10: the animation menu and the special choice entries.
#include "ddzEntrySlots.h"

#include "ddzPackedText.h"
#include "pelk.h"

namespace {

constexpr int32_t kTextChannel = 3;
constexpr int32_t kTextMode = 1;
constexpr auto kAnimation = ddzPack("ANIMATION");
constexpr auto kBackup = ddzPack("!-BACKUP");
constexpr auto kAbort = ddzPack("$-ABORT");
constexpr auto kGlobalMenu = ddzPack("GM-GLOBAL_MENU");

template <typename Packed>
void showLine(const Packed& text) {
    txstr(&kTextChannel, &kTextMode, &text.count, text.words);
}

template <typename Packed>
void addChoice(const Packed& text, int32_t value) {
    showLine(text);
    const int32_t entry = ++tpinpt_c.inp_choice_count;
    if (entry < 0 || entry >= kChoiceEntries) return;  // outside the tables nothing is kept
    ddzChoices().device[entry] = 1;
    ddzChoices().value[entry] = value;
}

}  // namespace

ddzChoiceTables& ddzChoices() {
    static ddzChoiceTables tables{};
    return tables;
}

void ddzAnimationMenu(const int32_t* count, const int32_t* texts) {
    showLine(kAnimation);
    const int32_t* text = texts;
    for (int32_t i = 0; texts && i < *count; ++i) {
        const int32_t n = text[0] > 0 ? text[0] : 0;
        txstr(&kTextChannel, &kTextMode, &n, text + 1);
        text += ddzPackedWords(n);
    }
    txrset(&kTextChannel);
}

void ddzRegisterChoices(const int32_t* flags) {
    addChoice(kBackup, 2);
    if (tpinpt_c.inp_abort_enabled == 1) addChoice(kAbort, 1);
    if (flags && (*flags & 1)) addChoice(kGlobalMenu, 9);
}

void ddzChoiceValue(const int32_t* n, int32_t* device, int32_t* value) {
    const bool known = n && *n >= 0 && *n < kChoiceEntries;
    if (device) *device = known ? ddzChoices().device[*n] : 0;
    if (value) *value = known ? ddzChoices().value[*n] : 0;
}
