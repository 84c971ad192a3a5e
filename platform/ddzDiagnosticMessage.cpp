#include "ddzDiagnosticMessage.h"

#include "GraphicsWindowState.h"

#include <cstdio>

GraphicsWindowState& ddzWindowState() {
    static GraphicsWindowState state;
    return state;
}

void ddzDiagnosticMessage(const char* text) {
    if (ddzWindowState().infoWindows) {
        MessageBoxA(nullptr, text, "OGL Driver Output Diagnostic Message", MB_ICONINFORMATION);
        return;
    }
    std::printf("\n");
    std::printf("%s", text);
    std::printf("\n");
}

void ddzReportSystemFailure(const char* failureText) {
    char* systemText = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   GetLastError(), LANG_USER_DEFAULT, reinterpret_cast<LPSTR>(&systemText), 0, nullptr);
    const char* shown = systemText ? systemText : "";
    if (ddzWindowState().infoWindows) {
        MessageBoxA(nullptr, shown, failureText, MB_ICONWARNING);
    } else {
        std::printf("\n");
        std::printf("%s", shown);
        std::printf("\n");
    }
    LocalFree(systemText);
}
