// Command class 1, device and viewport control: the handlers built so far.
#pragma once

#include <cstdint>

void ddzc12(int32_t* ints, float* reals, void* const* extra);              // 2: terminate the core
void ddzc14(int32_t* ints, float* reals, void* const* extra);       // 4: the bell
void ddzc19(int32_t* ints, float* reals, void* const* extra);         // 9: ints[0..2] = 0, 1, 1
void ddzc1c(int32_t* ints, float* reals, void* const* extra);   // 12: show the windows
void ddzc1d(int32_t* ints, float* reals, void* const* extra);   // 13: OpenGL memory in use, to ints[0]
void ddzc116(int32_t* ints, float* reals, void* const* extra);   // 16: the driver's context current
void ddzc117(int32_t* ints, float* reals, void* const* extra);    // 17: open-segment check level
void ddzc118(int32_t* ints, float* reals, void* const* extra);   // 18: clear the error list
void ddzc119(int32_t* ints, float* reals, void* const* extra);  // 19: return the error list
