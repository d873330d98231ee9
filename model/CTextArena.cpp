#include "CTextArena.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

constexpr std::size_t kFirstBlock = 16 * 1024;
// Blocks double up to this size; beyond it a big tree takes many blocks of it, so the
// unused tail of the last block stays small.
constexpr std::size_t kLargestBlock = 8 * 1024 * 1024;

} // namespace

CTextArena* CTextArena::Create(std::size_t sizeHint)
{
    const std::size_t first = std::clamp<std::size_t>(sizeHint, kFirstBlock, 64 * kLargestBlock);
    return new CTextArena(first);
}

CTextArena::CTextArena(std::size_t firstBlock) : m_nextBlock(firstBlock) {}

CTextArena::~CTextArena()
{
    while (m_last) {
        Block* previous = m_last->previous;
        std::free(m_last);
        m_last = previous;
    }
}

void CTextArena::Destroy() noexcept { delete this; }

void CTextArena::AddBlock(std::size_t minimum)
{
    const std::size_t size = std::max(m_nextBlock, minimum + sizeof(Block) + alignof(std::max_align_t));
    void* memory = std::malloc(size);
    if (!memory)
        throw std::bad_alloc();
    auto* block = static_cast<Block*>(memory);
    block->previous = m_last;
    block->size = size;
    m_last = block;
    m_reserved += size;
    m_cursor = static_cast<std::byte*>(memory) + sizeof(Block);
    m_end = static_cast<std::byte*>(memory) + size;
    m_nextBlock = std::min(m_nextBlock * 2, std::max(kLargestBlock, m_nextBlock));
}

void* CTextArena::AllocateSlow(std::size_t bytes, std::size_t alignment)
{
    AddBlock(bytes + alignment);
    return Allocate(bytes, alignment);
}

std::u16string_view CTextArena::CopyText(std::u16string_view text)
{
    if (text.empty())
        return {};
    char16_t* units = AllocateText(text.size());
    std::memcpy(units, text.data(), text.size() * sizeof(char16_t));
    units[text.size()] = u'\0';
    return {units, text.size()};
}
