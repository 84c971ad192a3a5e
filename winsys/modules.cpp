// Modules, resources (icons and cursors), last-error codes and their texts,
// message boxes and the bell.
#include "winsys_internal.h"

#include <X11/cursorfont.h>
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

namespace winsys {
namespace {

DWORD lastError = 0;

struct ModuleRecord {
    void* library = nullptr;
};
std::map<uint32_t, ModuleRecord> modules;

// Cursors are X font cursors, created on first use; stock icons carry no image.
struct CursorRecord {
    unsigned shape = XC_left_ptr;
    Cursor xcursor = 0;
};
std::map<uint32_t, CursorRecord> cursors;
std::map<uintptr_t, uint32_t> stockCursorByResource;

unsigned fontCursorShapeFor(uintptr_t resource) {
    switch (resource) {
        case 32513: return XC_xterm;
        case 32514: return XC_watch;
        case 32515: return XC_crosshair;
        default: return XC_left_ptr;
    }
}

bool isIntResource(LPCSTR name) { return (reinterpret_cast<uintptr_t>(name) >> 16) == 0; }

// The system's own cursors (IDC_ARROW 32512 ...) and icons (IDI_APPLICATION 32512 ...).
bool isStockCursor(uintptr_t id) { return (id >= 32512 && id <= 32516) || (id >= 32640 && id <= 32650); }
bool isStockIcon(uintptr_t id) { return id >= 32512 && id <= 32518; }

const char* systemErrorText(DWORD code) {
    switch (code) {
        case ERROR_SUCCESS: return "The operation completed successfully.";
        case ERROR_INVALID_FUNCTION: return "Incorrect function.";
        case ERROR_FILE_NOT_FOUND: return "The system cannot find the file specified.";
        case ERROR_INVALID_HANDLE: return "The handle is invalid.";
        case ERROR_NOT_ENOUGH_MEMORY: return "Not enough memory resources are available to process this command.";
        case ERROR_INVALID_PARAMETER: return "The parameter is incorrect.";
        case ERROR_MOD_NOT_FOUND: return "The specified module could not be found.";
        case ERROR_PROC_NOT_FOUND: return "The specified procedure could not be found.";
        case ERROR_INVALID_WINDOW_HANDLE: return "Invalid window handle.";
        case ERROR_CLASS_ALREADY_EXISTS: return "Class already exists.";
        case ERROR_CLASS_DOES_NOT_EXIST: return "Class does not exist.";
        case ERROR_INVALID_PIXEL_FORMAT: return "The pixel format is invalid.";
        default: return nullptr;
    }
}

// Module names name Windows libraries; "x.dll" is looked for as "x.dll", "libx.so" and "x.so".
void* openLibrary(const char* name) {
    if (void* lib = dlopen(name, RTLD_NOW | RTLD_LOCAL)) return lib;
    std::string base = name;
    const size_t n = base.size();
    if (n > 4 && strcasecmp(base.c_str() + n - 4, ".dll") == 0) base.resize(n - 4);
    for (const std::string& candidate : {"lib" + base + ".so", base + ".so"}) {
        if (void* lib = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL)) return lib;
    }
    return nullptr;
}

}  // namespace

void setError(DWORD error) { lastError = error; }

Cursor xCursorFor(HCURSOR cursor) {
    auto it = cursors.find(handleValue(cursor));
    if (it == cursors.end() || !display()) return 0;
    if (!it->second.xcursor) it->second.xcursor = XCreateFontCursor(display(), it->second.shape);
    return it->second.xcursor;
}

}  // namespace winsys

using namespace winsys;

extern "C" {

DWORD GetLastError(void) { return lastError; }
void SetLastError(DWORD error) { lastError = error; }

DWORD FormatMessageA(DWORD flags, const void*, DWORD messageId, DWORD, LPSTR buffer, DWORD size, void*) {
    if (!(flags & FORMAT_MESSAGE_FROM_SYSTEM)) {
        setError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    char text[160];
    if (const char* known = systemErrorText(messageId)) {
        std::snprintf(text, sizeof text, "%s\r\n", known);
    } else {
        std::snprintf(text, sizeof text, "System error %u.\r\n", static_cast<unsigned>(messageId));
    }
    const DWORD length = static_cast<DWORD>(std::strlen(text));
    if (flags & FORMAT_MESSAGE_ALLOCATE_BUFFER) {
        char* copy = static_cast<char*>(std::malloc(length + 1));
        if (!copy) {
            setError(ERROR_NOT_ENOUGH_MEMORY);
            return 0;
        }
        std::memcpy(copy, text, length + 1);
        *reinterpret_cast<char**>(buffer) = copy;
        return length;
    }
    if (!buffer || size <= length) {
        setError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::memcpy(buffer, text, length + 1);
    return length;
}

HLOCAL LocalFree(HLOCAL mem) {
    std::free(mem);
    return nullptr;
}

// No desktop to show a box on: the caption and the text go to standard output.
int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT) {
    std::printf("%s\n%s\n", caption ? caption : "Error", text ? text : "");
    std::fflush(stdout);
    return IDOK;
}

BOOL MessageBeep(UINT) {
    if (!display()) return FALSE;
    XBell(display(), 0);
    XFlush(display());
    return TRUE;
}

HMODULE LoadLibraryA(LPCSTR fileName) {
    void* lib = fileName ? openLibrary(fileName) : nullptr;
    if (!lib) {
        setError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    const uint32_t value = newHandleValue(HandleKind::Module);
    modules[value].library = lib;
    return toHandle<HMODULE>(value);
}

HMODULE GetModuleHandleA(LPCSTR moduleName) {
    // Only the modules this process loaded through LoadLibraryA are known by handle.
    (void)moduleName;
    setError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

FARPROC GetProcAddress(HMODULE module, LPCSTR procName) {
    auto it = modules.find(handleValue(module));
    if (it == modules.end() || !procName || isIntResource(procName)) {
        setError(it == modules.end() ? ERROR_INVALID_HANDLE : ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    void* symbol = dlsym(it->second.library, procName);
    if (!symbol) setError(ERROR_PROC_NOT_FOUND);
    return reinterpret_cast<FARPROC>(symbol);
}

BOOL FreeLibrary(HMODULE module) {
    auto it = modules.find(handleValue(module));
    if (it == modules.end()) {
        setError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    dlclose(it->second.library);
    modules.erase(it);
    return TRUE;
}

// Resource modules carry no images on this platform: only the stock
// (instance-less) icons and cursors exist.
HICON LoadIconA(HINSTANCE instance, LPCSTR name) {
    if (instance || !isIntResource(name) || !isStockIcon(reinterpret_cast<uintptr_t>(name))) {
        setError(ERROR_FILE_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<HICON>(LoadCursorA(nullptr, IDC_ARROW));  // stock icons carry no image here
}

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
    if (instance || !isIntResource(name) || !isStockCursor(reinterpret_cast<uintptr_t>(name))) {
        setError(ERROR_FILE_NOT_FOUND);
        return nullptr;
    }
    const uintptr_t resource = reinterpret_cast<uintptr_t>(name);
    auto known = stockCursorByResource.find(resource);
    if (known != stockCursorByResource.end()) return toHandle<HCURSOR>(known->second);
    const uint32_t value = newHandleValue(HandleKind::Cursor);
    cursors[value].shape = fontCursorShapeFor(resource);
    stockCursorByResource[resource] = value;
    return toHandle<HCURSOR>(value);
}

}  // extern "C"
