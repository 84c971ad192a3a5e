#include "ddzClass14.h"

#include "ddzWindowsFonts.h"
#include "pelk.h"

void ddzce4(int32_t*, float*, void* const*) { almtim(1); }
void ddzce5(int32_t*, float*, void* const*) { almtim(6); }
void ddzce6(int32_t* ints, float*, void* const*) { ddzInquireFonts(ints); }
void ddzce7(int32_t*, float*, void* const*) { evpFlush(); }
