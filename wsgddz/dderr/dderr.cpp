// The error list.
#include "dderr.h"

#include "pelk.h"

#include <GL/glu.h>

#include <cstring>

namespace {

struct ErrorList {
    dderrRecord* head = nullptr;
    dderrRecord* tail = nullptr;
    int count = 0;
    bool recording = false;
    int checkLevel = 0;
};
ErrorList errors;

constexpr const char* kCheckOGLError = "wsgddz/dderr/dderrCheckOGLError";

void copyText(char (&dst)[kErrorTextLength + 1], const char* src) {
    std::memset(dst, 0, sizeof dst);
    if (src) std::memcpy(dst, src, strnlen(src, kErrorTextLength));
}

const char* glErrorText(GLenum error) {
    const GLubyte* text = gluErrorString(error);
    return text ? reinterpret_cast<const char*>(text) : "unknown OpenGL error";
}

}  // namespace

void dderrorSet(const char* function, int kind, int severity, const void* object, int line, const char* message) {
    if (!errors.recording) return;
    const int n = errors.count;
    if (n > kErrorListCapacity - 1) return;
    if (n == kErrorListCapacity - 1 && severity != ddzOutOfMemory && severity != ddzGlOutOfMemory) return;
    ++errors.count;  // counted even when the record cannot be allocated
    auto* record = static_cast<dderrRecord*>(orban_malloc(sizeof(dderrRecord), "dderrorSet", 0));
    if (!record) return;
    record->next = nullptr;
    record->kind = kind;
    record->severity = severity;
    record->object = const_cast<void*>(object);
    record->line = line;
    copyText(record->function, function);
    copyText(record->message, message);
    if (errors.tail) {
        errors.tail->next = record;
    } else {
        errors.head = record;
    }
    errors.tail = record;
}

void dderrCheckOGLError() {
    for (int i = 0; i < kErrorListCapacity; ++i) {
        const GLenum error = glGetError();
        if (error == GL_NO_ERROR) return;
        if (error == GL_OUT_OF_MEMORY) {
            dderrAbortDisplay(kCheckOGLError, ddzGlOutOfMemory, 166, glErrorText(error), nullptr);
            dderrorSet(kCheckOGLError, 1, ddzGlOutOfMemory, nullptr, 167, "Display List Out of Memory - Abort the Display");
        } else {
            dderrorSet(kCheckOGLError, 1, ddzError, nullptr, 176, glErrorText(error));
        }
    }
}

void dderrAbortDisplay(const char* function, int severity, int line, const char* message, const char* abortMessage) {
    dderrorSet(function, 1, severity, nullptr, line, message);
    x11abt();
    if (abortMessage) dderrorSet(function, 1, severity, nullptr, line, abortMessage);
}

void dderrOutOfMemory(const char* function, int line, const char* message) {
    dderrAbortDisplay(function, ddzOutOfMemory, line, message, "Out of Application Memory - Abort the Display");
}

void dderrIllegalOption(const int32_t* nameLength, const int32_t* name, const int32_t* kind, const int32_t* severity,
                        const int32_t* option, const int32_t* line, const int32_t* messageLength,
                        const int32_t* message) {
    char functionText[kErrorTextLength + 1];
    char messageText[kErrorTextLength + 1];
    const int32_t nameChars = *nameLength < 0 ? 0 : (*nameLength > kErrorTextLength ? kErrorTextLength : *nameLength);
    const int32_t messageChars =
        *messageLength < 0 ? 0 : (*messageLength > kErrorTextLength ? kErrorTextLength : *messageLength);
    cut2tc(name, &nameChars, functionText);
    cut2tc(message, &messageChars, messageText);
    // The option number itself stands in the object field.
    const void* object = reinterpret_cast<const void*>(static_cast<intptr_t>(*option));
    dderrorSet(functionText, *kind, *severity, object, *line, messageText);
}

void dderrSetRecording(bool on) { errors.recording = on; }
bool dderrIsRecording() { return errors.recording; }

void dderrSetCheckLevel(const int32_t* ints) { errors.checkLevel = ints ? ints[0] : 0; }
int dderrCheckLevel() { return errors.checkLevel; }

void dderrClearList() {
    for (dderrRecord* r = errors.head; r;) {
        dderrRecord* next = r->next;
        orban_free(r);
        r = next;
    }
    errors.head = errors.tail = nullptr;
    errors.count = 0;
}

void dderrReturnList(int32_t* ints) {
    const auto address = reinterpret_cast<uint64_t>(errors.head);
    ints[0] = static_cast<int32_t>(static_cast<uint32_t>(address & 0xffffffffu));
    ints[1] = static_cast<int32_t>(static_cast<uint32_t>(address >> 32));
}

int dderrCount() { return errors.count; }
const dderrRecord* dderrFirst() { return errors.head; }
