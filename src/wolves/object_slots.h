#pragma once
// Fixed slots for objects the tick makes and removes by the thousand (wolves,
// stones), handed out last freed first, side by side in blocks rather than
// scattered over the heap. Blocks are never given back, since a level that
// once held many such objects may well hold them again. Larger objects, and
// every object in the sanitizer build (so that a read of a deleted one is
// still caught there rather than landing in a reused slot), go to the heap.

#include <cstddef>
#include <memory>
#include <new>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define BRAMBLEHOLT_SLOTTED 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BRAMBLEHOLT_SLOTTED 0
#endif
#endif
#ifndef BRAMBLEHOLT_SLOTTED
#define BRAMBLEHOLT_SLOTTED 1
#endif

template <std::size_t slotSize, std::size_t perBlock> class ObjectSlots
{
public:
    static ObjectSlots& shared()
    {
        static ObjectSlots slots;
        return slots;
    }

    void* take(std::size_t size)
    {
        if (!BRAMBLEHOLT_SLOTTED || size > slotSize)
            return ::operator new(size);
        if (free_.empty()) {
            blocks_.emplace_back(new unsigned char[slotSize * perBlock]);
            unsigned char* block = blocks_.back().get();
            for (std::size_t i = perBlock; i-- > 0;)
                free_.push_back(block + i * slotSize);
        }
        void* slot = free_.back();
        free_.pop_back();
        return slot;
    }
    void give(void* slot, std::size_t size)
    {
        if (!BRAMBLEHOLT_SLOTTED || size > slotSize)
            ::operator delete(slot);
        else
            free_.push_back(slot);
    }

private:
    std::vector<std::unique_ptr<unsigned char[]>> blocks_;
    std::vector<void*> free_;
};
