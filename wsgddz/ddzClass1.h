// Command class 1, device and viewport control: the handlers built so far.
#pragma once

#include <cstdint>

void ddzc12(int32_t* ints, float* reals, void* const* extra);              // 2: terminate the core
void ddzc14Command(int32_t* ints, float* reals, void* const* extra);       // 4: the bell
void ddzc19Query(int32_t* ints, float* reals, void* const* extra);         // 9: ints[0..2] = 0, 1, 1
void ddzc1cShowWindows(int32_t* ints, float* reals, void* const* extra);   // 12: show the windows
void ddzc1gMakeCurrent(int32_t* ints, float* reals, void* const* extra);   // 16: the driver's context current
void ddzc1hCheckLevel(int32_t* ints, float* reals, void* const* extra);    // 17: open-segment check level
void ddzc1iClearErrors(int32_t* ints, float* reals, void* const* extra);   // 18: clear the error list
void ddzc1jReturnErrors(int32_t* ints, float* reals, void* const* extra);  // 19: return the error list
