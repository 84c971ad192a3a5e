#include "ddzSystemVendorInfo.h"

#include "ddzDeviceSettings.h"
#include "win32.h"

#include <cstdio>
#include <cstring>

namespace {

struct ModelName {
    const char* code;
    const char* name;
};

constexpr ModelName kModels[] = {
    {"6206", "Wolverine"},      {"6205", "Rouge"},          {"6202", "Cyclops (Desk)"}, {"6203", "Cyclops (Tower)"},
    {"6204", "Storm (Desk)"},   {"6214", "Storm (Tower)"},  {"6894", "Rattler"},        {"6850", "Dazzler"},
    {"6849", "Venom"},          {"6836", "Coral (Desk)"},   {"6846", "Coral (Tower)"},  {"6866", "Thor"},
    {"6868", "Harpoon"},        {"6867", "Sidewinder"},     {"6865", "Twin Towers"},    {"6889", "Hatteras"},
    {"6893", "Yoda"},           {"6898", "Assasin"},        {"6899", "Avenger"},        {"6888", "Raven PWS"},
    {"8595", "PreGA m/c"},      {"6588", "PreGA Raven"},
};

constexpr int kRecordLength = 46;

void trace(const char* line) {
    if (ddzSettings().infoLevel > 0) std::printf("%s", line);
}

template <typename F>
F procedure(HMODULE library, const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

void copyField(char* dst, const unsigned char* src, int length) {
    std::memcpy(dst, src, static_cast<size_t>(length));
    dst[length] = '\0';
}

}  // namespace

ddzSystemVendorInfo& ddzVendorInfo() {
    static ddzSystemVendorInfo info;
    return info;
}

int ddzParseVPD(const unsigned char* record, char* model, char* systemSerial, char* boardSerial, char* build, char* name,
                int* systemType) {
    *systemType = 0;
    if (record[3] != '0') {
        trace("GetPVD: Invalid VPD Structure length\n");
        return 0;
    }
    copyField(model, record + 38, 7);
    copyField(systemSerial, record + 20, 7);
    copyField(boardSerial, record + 27, 11);
    copyField(build, record + 11, 9);
    name[0] = '\0';
    for (const ModelName& m : kModels) {
        if (std::strncmp(model, m.code, 4) != 0) continue;
        *systemType = 1;
        std::strncat(name, m.name, 12);
        break;
    }
    return 1;
}

int GetPVD(char* model, char* systemSerial, char* boardSerial, char* build, char* name, int* systemType) {
    *systemType = 0;
    HMODULE library = LoadLibraryA("PMEMW.DLL");
    if (!library) {
        trace("GetPVD: Unable to load PMEMW.DLL, VPD data not accessable\n");
        return 0;
    }
    using IsInitialized = int (*)();
    using Open = int (*)();
    using Close = int (*)();
    using Search = unsigned long (*)(const char*, unsigned long, unsigned long, int);
    using Read = int (*)(void*, unsigned long, int);
    const auto isInitialized = procedure<IsInitialized>(library, "PMemIsInitialized");
    const auto open = procedure<Open>(library, "PMemOpen");
    const auto close = procedure<Close>(library, "PMemClose");
    const auto search = procedure<Search>(library, "PMemSearch");
    const auto read = procedure<Read>(library, "PMemRead");
    const std::pair<bool, const char*> lookups[] = {
        {isInitialized != nullptr, "GetPVD: GetProcAddress could not find PMemIsInitialized\n"},
        {open != nullptr, "GetPVD: GetProcAddress could not find PMemOpen\n"},
        {close != nullptr, "GetPVD: GetProcAddress could not find PMemClose\n"},
        {search != nullptr, "GetPVD: GetProcAddress could not find PMemSearch\n"},
        {read != nullptr, "GetPVD: GetProcAddress could not find PMemRead\n"}};
    for (const auto& [found, line] : lookups) {
        if (!found) {
            trace(line);
            FreeLibrary(library);
            return 0;
        }
    }
    int result = 0;
    unsigned char record[kRecordLength] = {};
    if (!isInitialized()) {
        trace("GetPVD: PMEMW.DLL failed to initialize properly\n");
    } else if (!open()) {
        trace("GetPVD: Failed to open PMEM driver\n");
    } else {
        const unsigned long address = search("VPD", 0xE0000, 0xFFFFF, 2);
        if (!address) {
            trace("GetPVD: Failed to find VPD Data Structure\n");
        } else if (read(record, address, kRecordLength) != 0) {
            trace("GetPVD: Read from physical memory failed\n");
        } else {
            result = 1;
        }
        close();
    }
    FreeLibrary(library);
    return result ? ddzParseVPD(record, model, systemSerial, boardSerial, build, name, systemType) : 0;
}

void FillSystemVendorInfo() {
    ddzSystemVendorInfo& v = ddzVendorInfo();
    v = ddzSystemVendorInfo{};
    int systemType = 0;
    if (!GetPVD(v.model, v.systemSerial, v.boardSerial, v.build, v.name, &systemType)) {
        v = ddzSystemVendorInfo{};
        systemType = 0;
    }
    v.systemType = systemType;
    const ddzDeviceSettings& s = ddzSettings();
    v.openGlMake = s.glVendor.c_str();
    v.openGlModel = s.glRenderer.c_str();
    v.graphicsType = std::strstr(v.openGlModel, "Fire GL") ? 1 : 0;
    if (s.infoLevel > 0) {
        std::printf("FillSystemVendorInfo:\n");
        std::printf("\tName          = %s\n", v.name);
        std::printf("\tModel         = %s\n", v.model);
        std::printf("\tSystem S/N    = %s\n", v.systemSerial);
        std::printf("\tBoard S/N     = %s\n", v.boardSerial);
        std::printf("\tBuild         = %s\n", v.build);
        std::printf("\tOpenGL Make   = %s\n", v.openGlMake);
        std::printf("\tOpenGL Model  = %s\n", v.openGlModel);
        std::printf("\tSystem Type   = %d\n", v.systemType);
        std::printf("\tGraphics Type = %d\n", v.graphicsType);
    }
}
