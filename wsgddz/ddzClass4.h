// Command classes 4 (attributes), 7 (normalisation windows) and the host-drawn
// codes of class 2 (output primitives). Handlers are named by class and code.
#pragma once

#include <cstdint>

void ddzc41(int32_t* ints, float* reals, void* const* extra);
void ddzc42(int32_t* ints, float* reals, void* const* extra);
void ddzc43(int32_t* ints, float* reals, void* const* extra);
void ddzc44(int32_t* ints, float* reals, void* const* extra);
void ddzc45(int32_t* ints, float* reals, void* const* extra);
void ddzc46(int32_t* ints, float* reals, void* const* extra);
void ddzc47(int32_t* ints, float* reals, void* const* extra);
void ddzc48(int32_t* ints, float* reals, void* const* extra);
void ddzc49(int32_t* ints, float* reals, void* const* extra);
void ddzc4a(int32_t* ints, float* reals, void* const* extra);
void ddzc4b(int32_t* ints, float* reals, void* const* extra);
void ddzc4c(int32_t* ints, float* reals, void* const* extra);
void ddzc4d(int32_t* ints, float* reals, void* const* extra);
void ddzc4e(int32_t* ints, float* reals, void* const* extra);
void ddzc416(int32_t* ints, float* reals, void* const* extra);
void ddzc418(int32_t* ints, float* reals, void* const* extra);
void ddzc419(int32_t* ints, float* reals, void* const* extra);
void ddzc420(int32_t* ints, float* reals, void* const* extra);
void ddzc421(int32_t* ints, float* reals, void* const* extra);
void ddzc422(int32_t* ints, float* reals, void* const* extra);
void ddzc423(int32_t* ints, float* reals, void* const* extra);
void ddzc425(int32_t* ints, float* reals, void* const* extra);
void ddzc427(int32_t* ints, float* reals, void* const* extra);
void ddzc428(int32_t* ints, float* reals, void* const* extra);

void ddzc71(int32_t* ints, float* reals, void* const* extra);  // ndc_window
void ddzc72(int32_t* ints, float* reals, void* const* extra);  // clip_window
void ddzc24(int32_t* ints, float* reals, void* const* extra);  // text
void ddzc25(int32_t* ints, float* reals, void* const* extra);  // host area fill
void ddzc21(int32_t* ints, float* reals, void* const* extra);  // polyline
void ddzc23(int32_t* ints, float* reals, void* const* extra);  // 2D polygon
void ddzc26(int32_t* ints, float* reals, void* const* extra);  // filled polygon
void ddzc82(int32_t* ints, float* reals, void* const* extra);  // 3D polygon
void ddzc89(int32_t* ints, float* reals, void* const* extra);  // 3D triangle strip when ints[0] = 2
void ddzc22(int32_t* ints, float* reals, void* const* extra);  // polymarker
