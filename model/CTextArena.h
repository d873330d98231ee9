#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// Memory of one text tree: its nodes, their child arrays and their texts are carved
// out of a few large blocks, so reading or copying a tree of 100,000 texts costs a
// handful of allocations and freeing it returns whole blocks. Nothing is freed
// piecewise: a text that is replaced leaves its old bytes unused until the arena goes.
//
// The arena lives as long as something allocated in it: every node made in it holds
// one reference (a node keeps its own texts alive), and the last release frees the
// blocks. Not thread-safe; a tree is used by one thread at a time.
class CTextArena {
public:
    // A new arena without users; the first node made in it takes the first reference.
    // sizeHint: bytes expected (e.g. the size of the file being read).
    static CTextArena* Create(std::size_t sizeHint = 0);

    CTextArena(const CTextArena&) = delete;
    CTextArena& operator=(const CTextArena&) = delete;

    void* Allocate(std::size_t bytes, std::size_t alignment)
    {
        auto at = reinterpret_cast<std::uintptr_t>(m_cursor);
        const std::uintptr_t aligned = (at + alignment - 1) & ~(std::uintptr_t(alignment) - 1);
        if (aligned + bytes > reinterpret_cast<std::uintptr_t>(m_end))
            return AllocateSlow(bytes, alignment);
        m_cursor = reinterpret_cast<std::byte*>(aligned + bytes);
        return reinterpret_cast<void*>(aligned);
    }
    // length units plus a terminating zero, which the caller writes.
    char16_t* AllocateText(std::size_t length)
    {
        return static_cast<char16_t*>(Allocate((length + 1) * sizeof(char16_t), alignof(char16_t)));
    }
    // A terminated copy of text in the arena; the empty text needs no space.
    std::u16string_view CopyText(std::u16string_view text);

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
    };

    explicit CTextArena(std::size_t firstBlock);
    ~CTextArena();
    void* AllocateSlow(std::size_t bytes, std::size_t alignment);
    void AddBlock(std::size_t minimum);
    void Destroy() noexcept;

    std::byte* m_cursor = nullptr;
    std::byte* m_end = nullptr;
    Block* m_last = nullptr;
    std::size_t m_nextBlock;
    std::size_t m_reserved = 0;
    std::size_t m_users = 0;
};
