// The memory pools: masFixed hands out fixed-size objects by dense index,
// masVariable keeps a named list of variable-size blocks.
#include "pelk.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

void copyName(char (&dst)[64], const char* src) {
    std::strncpy(dst, src ? src : "", sizeof dst - 1);
    dst[sizeof dst - 1] = '\0';
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
    int free = 0;
    while (free < capacity_ && slots_[free]) ++free;
    if (free == capacity_) {
        const int grown = capacity_ ? capacity_ * 2 : 16;
        void** slots = static_cast<void**>(std::realloc(slots_, sizeof(void*) * static_cast<size_t>(grown)));
        if (!slots) return nullptr;
        std::memset(slots + capacity_, 0, sizeof(void*) * static_cast<size_t>(grown - capacity_));
        slots_ = slots;
        capacity_ = grown;
    }
    void* object = std::calloc(1, static_cast<size_t>(objectSize_));
    if (!object) return nullptr;
    slots_[free] = object;
    index = free;
    return object;
}

void* masFixed::ConvertIndexToPointer(int index) const {
    return index >= 0 && index < capacity_ ? slots_[index] : nullptr;
}

int masFixed::DeleteObject(int index, void* pointer) {
    if (index == -1 && pointer) {
        for (int i = 0; i < capacity_; ++i) {
            if (slots_[i] == pointer) index = i;
        }
    }
    if (index < 0 || index >= capacity_ || !slots_[index] || (pointer && slots_[index] != pointer)) return 2;
    std::free(slots_[index]);
    slots_[index] = nullptr;
    return 0;
}

int masFixed::LargestObject() const {
    for (int i = capacity_ - 1; i >= 0; --i) {
        if (slots_[i]) return i;
    }
    return -1;
}

void masFixed::Reinitialize(int) {
    for (int i = 0; i < capacity_; ++i) {
        std::free(slots_[i]);
        slots_[i] = nullptr;
    }
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
