// Command class 14, miscellany: the handlers built so far.
#pragma once

#include <cstdint>

void ddzce4(int32_t* ints, float* reals, void* const* extra);  // 4: start the host alarm
void ddzce5(int32_t* ints, float* reals, void* const* extra);  // 5: stop the host alarm
void ddzce6(int32_t* ints, float* reals, void* const* extra);  // 6: font inquiry
void ddzce7(int32_t* ints, float* reals, void* const* extra);  // 7: flush host events
