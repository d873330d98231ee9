#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// Memory of one text tree: its nodes, their child arrays and their texts are carved
// out of a few large blocks, so reading or copying a tree of 100,000 texts costs a
// handful of allocations and freeing it returns whole blocks. Nothing is freed
// piecewise: a text that is replaced leaves its old bytes unused until the arena goes.
// Nodes and texts fill blocks of their own, so a walk over the nodes stays dense.
//
// The arena lives as long as something allocated in it: every node made in it holds
// one reference (a node keeps its own texts alive), and the last release frees the
// blocks. Not thread-safe; a tree is used by one thread at a time.
class CTextArena {
public:
    // A new arena without users; the first node made in it takes the first reference.
    // The hints are the bytes expected for nodes and for texts (0: not known).
    static CTextArena* Create(std::size_t nodeBytes = 0, std::size_t textBytes = 0);

    CTextArena(const CTextArena&) = delete;
    CTextArena& operator=(const CTextArena&) = delete;

    // Room for nodes and child arrays.
    void* Allocate(std::size_t bytes, std::size_t alignment) { return m_nodes.Take(*this, bytes, alignment); }
    // length units plus a terminating zero, which the caller writes.
    char16_t* AllocateText(std::size_t length)
    {
        return static_cast<char16_t*>(
            m_texts.Take(*this, (length + 1) * sizeof(char16_t), alignof(char16_t)));
    }
    // A terminated copy of text in the arena; the empty text needs no space.
    std::u16string_view CopyText(std::u16string_view text);

    // Gives the untouched pages after what is used back to the system (a tree that
    // has been read whole takes nothing more); the arena stays usable.
    void Trim();

    // other stays until this arena goes: texts of this arena's nodes may point into it.
    // Never the other way round as well (the two would keep each other forever).
    void KeepAlive(CTextArena& other);
    // True when this arena keeps other alive, directly or through arenas it keeps.
    bool Keeps(const CTextArena& other) const;

    void Retain() noexcept { ++m_users; }
    void Release() noexcept
    {
        if (--m_users == 0)
            Destroy();
    }
    std::size_t Users() const { return m_users; }
    // Bytes taken from the system for blocks.
    std::size_t Reserved() const { return m_reserved; }

private:
    struct Block {
        Block* previous;
        std::size_t size;
        std::size_t mapped; // bytes mapped for it; 0 when it came from malloc
    };
    // One bump pointer with the blocks it fills.
    struct Region {
        std::byte* cursor = nullptr;
        std::byte* end = nullptr;
        std::size_t nextBlock;

        void* Take(CTextArena& arena, std::size_t bytes, std::size_t alignment)
        {
            const auto at = reinterpret_cast<std::uintptr_t>(cursor);
            const std::uintptr_t aligned = (at + alignment - 1) & ~(std::uintptr_t(alignment) - 1);
            if (!cursor || aligned + bytes > reinterpret_cast<std::uintptr_t>(end))
                return arena.TakeSlow(*this, bytes, alignment);
            cursor = reinterpret_cast<std::byte*>(aligned + bytes);
            return reinterpret_cast<void*>(aligned);
        }
    };

    CTextArena(std::size_t nodeBlock, std::size_t textBlock);
    ~CTextArena();
    void* TakeSlow(Region& region, std::size_t bytes, std::size_t alignment);
    void AddBlock(Region& region, std::size_t minimum);
    // A new block of size bytes, linked into the list that is freed.
    std::byte* NewBlock(std::size_t size);
    void Destroy() noexcept;

    Region m_nodes;
    Region m_texts;
    Block* m_last = nullptr;
    std::size_t m_reserved = 0;
    std::size_t m_users = 0;
    std::vector<CTextArena*> m_kept; // arenas this one keeps alive
};
