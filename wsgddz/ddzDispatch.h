// Entry slot 0: commands (class, code, ints, reals [, six more arrays for class 8])
// routed through a table per class. Results go back only through the arrays.
#pragma once

#include <cstdint>

//! A command handler; extra holds the six further arrays of class 8 (null elsewhere).
using ddzCommandHandler = void (*)(int32_t* ints, float* reals, void* const* extra);

//! Routes one command. Classes outside 1..16 and class 15 do nothing.
void ddzCommand(const int32_t* commandClass, const int32_t* code, int32_t* ints, float* reals,
                void* const* extra = nullptr);

//! Which handler a (class, code) pair reaches: the handler (null for an accepted code
//! that does nothing), and whether the pair is an illegal option.
struct ddzRoute {
    bool known;
    ddzCommandHandler handler;
};
ddzRoute ddzRouteOf(int commandClass, int code);
