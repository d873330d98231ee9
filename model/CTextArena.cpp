#include "CTextArena.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace {

constexpr std::size_t kFirstBlock = 16 * 1024;
// Blocks double up to this size; beyond it a big tree takes many blocks of it, so the
// unused tail of the last block stays small.
constexpr std::size_t kLargestBlock = 8 * 1024 * 1024;
// A first block sized from a hint (the bytes of a file being read) may be larger.
constexpr std::size_t kLargestHint = std::size_t{1} << 30;

#ifdef __linux__
// Large blocks come straight from the system, so freeing a tree gives its memory back
// at once. (Huge pages would save page faults but round every block's used part up
// to 2 MiB, which a process holding three trees pays for in peak memory.)
constexpr std::size_t kPage = 4096;
constexpr std::size_t kMappedBlock = 4 * 1024 * 1024;

void* MapBlock(std::size_t& size)
{
    size = (size + kPage - 1) / kPage * kPage;
    void* memory = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    return memory == MAP_FAILED ? nullptr : memory;
}
#endif

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
#ifdef __linux__
        if (m_last->mapped) {
            ::munmap(m_last, m_last->size);
            m_last = previous;
            continue;
        }
#endif
        std::free(m_last);
        m_last = previous;
    }
}

void CTextArena::Destroy() noexcept
{
    CTextArena* kept = m_kept;
    delete this;
    while (kept) {
        CTextArena* next = kept->m_nextKept;
        kept->m_nextKept = nullptr;
        kept->Release();
        kept = next;
    }
}

bool CTextArena::Keeps(const CTextArena& other) const
{
    for (const CTextArena* kept = m_kept; kept; kept = kept->m_nextKept)
        if (kept == &other || kept->Keeps(other))
            return true;
    return false;
}

void CTextArena::KeepAlive(CTextArena& other)
{
    for (CTextArena* kept = m_kept; kept; kept = kept->m_nextKept)
        if (kept == &other)
            return;
    other.Retain();
    other.m_nextKept = m_kept;
    m_kept = &other;
}

void CTextArena::AddBlock(Region& region, std::size_t minimum)
{
    std::size_t size =
        std::max(region.nextBlock, minimum + sizeof(Block) + alignof(std::max_align_t));
    void* memory = nullptr;
    bool mapped = false;
#ifdef __linux__
    if (size >= kMappedBlock) {
        memory = MapBlock(size);
        mapped = memory != nullptr;
    }
#endif
    if (!memory)
        memory = std::malloc(size);
    if (!memory)
        throw std::bad_alloc();
    auto* block = static_cast<Block*>(memory);
    block->previous = m_last;
    block->size = size;
    block->mapped = mapped;
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
