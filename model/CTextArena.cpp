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
// A first block sized from a hint (the bytes of a file being read) may be larger.
constexpr std::size_t kLargestHint = std::size_t{1} << 30;

} // namespace

CTextArena* CTextArena::Create(std::size_t nodeBytes, std::size_t textBytes)
{
    auto first = [](std::size_t hint) {
        return std::clamp<std::size_t>(hint + sizeof(Block) + 64, kFirstBlock, kLargestHint);
    };
    return new CTextArena(first(nodeBytes), first(textBytes));
}

CTextArena::CTextArena(std::size_t nodeBlock, std::size_t textBlock)
{
    m_nodes.nextBlock = nodeBlock;
    m_texts.nextBlock = textBlock;
}

CTextArena::~CTextArena()
{
    while (m_last) {
        Block* previous = m_last->previous;
        std::free(m_last);
        m_last = previous;
    }
}

void CTextArena::Destroy() noexcept
{
    const std::vector<CTextArena*> kept = std::move(m_kept);
    delete this;
    for (CTextArena* arena : kept)
        arena->Release();
}

bool CTextArena::Keeps(const CTextArena& other) const
{
    for (const CTextArena* kept : m_kept)
        if (kept == &other || kept->Keeps(other))
            return true;
    return false;
}

void CTextArena::KeepAlive(CTextArena& other)
{
    if (std::find(m_kept.begin(), m_kept.end(), &other) != m_kept.end())
        return;
    m_kept.push_back(&other);
    other.Retain();
}

void CTextArena::AddBlock(Region& region, std::size_t minimum)
{
    std::size_t size =
        std::max(region.nextBlock, minimum + sizeof(Block) + alignof(std::max_align_t));
    // malloc: large blocks come from the system and go back when the tree is freed,
    // and a process that reads file after file gets them again without new page faults.
    void* memory = std::malloc(size);
    if (!memory)
        throw std::bad_alloc();
    auto* block = static_cast<Block*>(memory);
    block->previous = m_last;
    block->size = size;
    m_last = block;
    m_reserved += size;
    region.cursor = static_cast<std::byte*>(memory) + sizeof(Block);
    region.end = static_cast<std::byte*>(memory) + size;
    region.nextBlock = std::min(region.nextBlock * 2, std::max(kLargestBlock, region.nextBlock));
}

void* CTextArena::TakeSlow(Region& region, std::size_t bytes, std::size_t alignment)
{
    AddBlock(region, bytes + alignment);
    return region.Take(*this, bytes, alignment);
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
