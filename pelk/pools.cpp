// The memory pools: masFixed hands out fixed-size objects by dense index,
// masVariable keeps a named list of variable-size blocks.
#include "pelk.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

// Each object is preceded by its index, so that an object can be freed by address alone.
constexpr size_t kIndexHeader = alignof(std::max_align_t);

void* blockOf(void* object) { return static_cast<unsigned char*>(object) - kIndexHeader; }
int indexOf(void* object) { return *static_cast<int*>(blockOf(object)); }

void copyName(char (&dst)[64], const char* src) {
    std::memset(dst, 0, sizeof dst);
    if (src) std::memcpy(dst, src, strnlen(src, sizeof dst - 1));
}

}  // namespace

masFixed::masFixed(int, int objectSize, const char* name) : objectSize_(objectSize > 0 ? objectSize : 1) {
    copyName(name_, name);
}

masFixed::~masFixed() {
    Reinitialize(0);
    std::free(slots_);
}

void* masFixed::Allocate(int& index) {
    index = -1;
    int free = freeHint_;
    while (free < capacity_ && slots_[free]) ++free;
    if (free == capacity_) {
        const int grown = capacity_ ? capacity_ * 2 : 16;
        void** slots = static_cast<void**>(std::realloc(slots_, sizeof(void*) * static_cast<size_t>(grown)));
        if (!slots) return nullptr;
        std::memset(slots + capacity_, 0, sizeof(void*) * static_cast<size_t>(grown - capacity_));
        slots_ = slots;
        capacity_ = grown;
    }
    auto* block = static_cast<unsigned char*>(std::calloc(1, kIndexHeader + static_cast<size_t>(objectSize_)));
    if (!block) return nullptr;
    *reinterpret_cast<int*>(block) = free;
    void* object = block + kIndexHeader;
    slots_[free] = object;
    index = free;
    freeHint_ = free + 1;
    if (free > largest_) largest_ = free;
    return object;
}

void* masFixed::ConvertIndexToPointer(int index) const {
    return index >= 0 && index < capacity_ ? slots_[index] : nullptr;
}

int masFixed::DeleteObject(int index, void* pointer) {
    if (index == -1 && pointer) index = indexOf(pointer);
    if (index < 0 || index >= capacity_ || !slots_[index] || (pointer && slots_[index] != pointer)) return 2;
    std::free(blockOf(slots_[index]));
    slots_[index] = nullptr;
    if (index < freeHint_) freeHint_ = index;
    while (largest_ >= 0 && !slots_[largest_]) --largest_;
    return 0;
}

int masFixed::LargestObject() const { return largest_; }

void masFixed::Reinitialize(int) {
    for (int i = 0; i < capacity_; ++i) {
        if (slots_[i]) std::free(blockOf(slots_[i]));
        slots_[i] = nullptr;
    }
    freeHint_ = 0;
    largest_ = -1;
}

int masFixed::Count() const {
    int n = 0;
    for (int i = 0; i < capacity_; ++i) n += slots_[i] != nullptr;
    return n;
}

struct masVariable::Block {
    Block* next;
    Block* previous;
    alignas(std::max_align_t) unsigned char data[1];
};


constexpr size_t masVariable::kBlockHeader = offsetof(masVariable::Block, data);

masVariable::masVariable(const char* name) { copyName(name_, name); }

masVariable::~masVariable() { Reinitialize(0); }

void* masVariable::AllocateMemory(size_t size) {
    auto* block = static_cast<Block*>(std::malloc(kBlockHeader + (size ? size : 1)));
    if (!block) return nullptr;
    block->previous = nullptr;
    block->next = blocks_;
    if (blocks_) blocks_->previous = block;
    blocks_ = block;
    ++count_;
    return block->data;
}

void masVariable::DeleteMemory(void* memory) {
    if (!memory) return;
    auto* block = reinterpret_cast<Block*>(static_cast<unsigned char*>(memory) - kBlockHeader);
    if (block->previous) block->previous->next = block->next;
    if (block->next) block->next->previous = block->previous;
    if (blocks_ == block) blocks_ = block->next;
    --count_;
    std::free(block);
}

void masVariable::Reinitialize(int) {
    while (blocks_) {
        Block* next = blocks_->next;
        std::free(blocks_);
        blocks_ = next;
    }
    count_ = 0;
}

void* operator new(size_t size, masFixed& pool, int& index) noexcept {
    if (static_cast<int>(size) > pool.ObjectSize()) {
        index = -1;
        return nullptr;
    }
    return pool.Allocate(index);
}

void operator delete(void* p, masFixed& pool, int& index) { pool.DeleteObject(index, p); }

void* operator new(size_t size, masVariable& area) noexcept { return area.AllocateMemory(size); }

void operator delete(void* p, masVariable& area) { area.DeleteMemory(p); }
