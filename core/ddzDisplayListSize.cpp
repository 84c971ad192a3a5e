#include "ddzDisplayListSize.h"

namespace {

constexpr uint32_t weight(ddzDLCommand command) {
    switch (command) {
        case ddzDLCommand::Colour: return 12;
        case ddzDLCommand::MultMatrix: return 64;
        default: return 4;
    }
}

uint64_t countedBytes = 0;

}  // namespace

void ddzDLCount(ddzDLCommand command, uint32_t times) { countedBytes += uint64_t{weight(command)} * times; }
void ddzDLAddBytes(uint32_t bytes) { countedBytes += bytes; }
uint32_t ddzDLCurrentSize() { return countedBytes > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(countedBytes); }
void ddzDLResetSize() { countedBytes = 0; }
