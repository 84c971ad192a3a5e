// The host allocator, with a switch that fails the n-th allocation so that
// out-of-memory paths can be tested.
#include "pelk_internal.h"

#include <cstdlib>
#include <unordered_set>

namespace pelk {
namespace {

int failCountdown = 0;
std::unordered_set<void*>& liveBlocks() {
    static std::unordered_set<void*> blocks;
    return blocks;
}

bool thisAllocationFails() {
    if (failCountdown <= 0) return false;
    return --failCountdown == 0;
}

}  // namespace

void failAllocationAt(int n) { failCountdown = n > 0 ? n : 0; }
long liveAllocations() { return static_cast<long>(liveBlocks().size()); }

}  // namespace pelk

using namespace pelk;

extern "C" {

void* orban_malloc(size_t size, const char*, int) {
    if (thisAllocationFails()) return nullptr;
    void* block = std::malloc(size ? size : 1);
    if (block) liveBlocks().insert(block);
    return block;
}

void* orban_realloc(void* block, size_t size, const char* tag, int flags) {
    if (!block) return orban_malloc(size, tag, flags);
    if (thisAllocationFails()) return nullptr;
    void* moved = std::realloc(block, size ? size : 1);
    if (moved) {
        liveBlocks().erase(block);
        liveBlocks().insert(moved);
    }
    return moved;
}

void orban_free(void* block) {
    if (!block) return;
    liveBlocks().erase(block);
    std::free(block);
}

int orban_alloc_query(int what) {
    record("orban_alloc_query", {what});
    return 0;
}

void orban_alloc_init(int what, int value) { record("orban_alloc_init", {what, value}); }
void orban_alloc_set(int what, int value) { record("orban_alloc_set", {what, value}); }

}  // extern "C"
