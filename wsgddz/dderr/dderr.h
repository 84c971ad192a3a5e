// The driver's error list: fixed-size records the host reads and clears through
// command class 1 (codes 17, 18, 19). Nothing here interrupts a caller.
#pragma once

#include <cstdint>

//! Status codes returned by every driver operation.
enum ddzStatus : int {
    ddzOk = 0,
    ddzOutOfMemory = 1,     // fatal: the display is aborted
    ddzError = 2,           // invalid pointer, state or identifier
    ddzOutOfRange = 4,      // argument out of range or illegal option
    ddzUserAbort = -1,      // failure passed up from a lower layer
    ddzWarning = -2,
    ddzDisplayAbort = -3,
    ddzGlOutOfMemory = -4,
};

constexpr int kErrorTextLength = 80;
constexpr int kErrorListCapacity = 51;

//! One report. Field order as the host reads it, with natural alignment.
struct dderrRecord {
    dderrRecord* next;
    int32_t kind;
    int32_t severity;
    void* object;
    int32_t line;
    char function[kErrorTextLength + 1];
    char message[kErrorTextLength + 1];
};

//! Appends one report: at most 51 records, the last place kept for severity 1 or -4.
void dderrorSet(const char* function, int kind, int severity, const void* object, int line, const char* message);

//! Drains the OpenGL error queue (at most 51 errors) into the list.
void dderrCheckOGLError();

//! The abort sequence: the specific report, the host's x11abt(), then abortMessage.
void dderrAbortDisplay(const char* function, int severity, int line, const char* message, const char* abortMessage);

//! Out of application memory: message, x11abt(), "Out of Application Memory - Abort the Display".
void dderrOutOfMemory(const char* function, int line, const char* message);

//! The illegal-option report of the command classes; texts are host packed texts.
void dderrIllegalOption(const int32_t* nameLength, const int32_t* name, const int32_t* kind, const int32_t* severity,
                        const int32_t* option, const int32_t* line, const int32_t* messageLength,
                        const int32_t* message);

//! Recording is off at load; the visualization layer switches it on.
void dderrSetRecording(bool on);
bool dderrIsRecording();

//! Class 1 code 17: the open-segment check level from ints[0].
void dderrSetCheckLevel(const int32_t* ints);
int dderrCheckLevel();
//! Class 1 code 18: frees every record.
void dderrClearList();
//! Class 1 code 19: ints[0] = low 32 bits of the first record's address, ints[1] = high 32 bits (0 when empty).
void dderrReturnList(int32_t* ints);

int dderrCount();
const dderrRecord* dderrFirst();
