// libvistrel.so exports kova_dso_init and nothing else, and the record it
// returns carries the interface version and a full entry table.
#include "pelk.h"

#include <dlfcn.h>
#include <elf.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// Names of the defined global or weak symbols in a shared object's dynamic symbol table.
std::vector<std::string> exportedSymbols(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    std::vector<std::string> names;
    if (bytes.size() < sizeof(Elf64_Ehdr)) return names;
    const auto* header = reinterpret_cast<const Elf64_Ehdr*>(bytes.data());
    const auto* sections = reinterpret_cast<const Elf64_Shdr*>(bytes.data() + header->e_shoff);
    for (int i = 0; i < header->e_shnum; ++i) {
        if (sections[i].sh_type != SHT_DYNSYM) continue;
        const Elf64_Shdr& strings = sections[sections[i].sh_link];
        const auto* symbols = reinterpret_cast<const Elf64_Sym*>(bytes.data() + sections[i].sh_offset);
        const size_t count = sections[i].sh_size / sizeof(Elf64_Sym);
        for (size_t s = 0; s < count; ++s) {
            const int binding = ELF64_ST_BIND(symbols[s].st_info);
            if (symbols[s].st_shndx == SHN_UNDEF || (binding != STB_GLOBAL && binding != STB_WEAK)) continue;
            names.emplace_back(bytes.data() + strings.sh_offset + symbols[s].st_name);
        }
    }
    return names;
}

TEST(DriverExports, OnlyKovaDsoInitIsExported) {
    EXPECT_EQ(exportedSymbols(VISTREL_LIBRARY), std::vector<std::string>{"kova_dso_init"});
}

TEST(DriverExports, InitialisationRecordHoldsVersionAndThirtyFourSlots) {
    void* driver = dlopen(VISTREL_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(driver, nullptr) << dlerror();
    auto init = reinterpret_cast<kova_dso_init_fn>(dlsym(driver, "kova_dso_init"));
    ASSERT_NE(init, nullptr);
    const kova_init_record* record = init();
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->version, 3);
    EXPECT_EQ(record->reserved, 0);
    for (int slot = 0; slot < KOVA_ENTRY_COUNT; ++slot) EXPECT_NE(record->entries[slot], nullptr) << slot;
    EXPECT_EQ(init(), record);  // a second call hands out the same constant record
    dlclose(driver);
}

}  // namespace
