#include "CTextArena.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include <sys/mman.h>
#include <unistd.h>

namespace {

constexpr std::size_t kFirstBlock = 16 * 1024;
// Blocks double up to this size; beyond it a big tree takes many blocks of it, so the
// unused tail of the last block stays small.
constexpr std::size_t kLargestBlock = 8 * 1024 * 1024;
// A first block sized from a hint (the bytes of a file being read) may be larger.
constexpr std::size_t kLargestHint = std::size_t{1} << 30;
// Blocks of this size and more are mapped in huge pages where the system has them:
// a tree of 100,000 texts then costs a few page faults instead of thousands.
constexpr std::size_t kHugePage = 2 * 1024 * 1024;

// Memory of at least size bytes, aligned to a huge page, the whole huge pages of it in
// huge pages (a last one only partly used would count in full); null when there is none.
void* MapHuge(std::size_t& size)
{
    const std::size_t whole = size / kHugePage * kHugePage;
    size = (size + kHugePage - 1) / kHugePage * kHugePage;
    void* memory = ::mmap(nullptr, size + kHugePage, PROT_READ | PROT_WRITE,
                          MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED)
        return nullptr;
    // Only whole, aligned huge pages can be huge: the slack on either side goes back.
    const auto at = reinterpret_cast<std::uintptr_t>(memory);
    const std::uintptr_t aligned = (at + kHugePage - 1) & ~std::uintptr_t(kHugePage - 1);
    if (aligned > at)
        ::munmap(memory, aligned - at);
    if (aligned + size < at + size + kHugePage)
        ::munmap(reinterpret_cast<void*>(aligned + size), at + kHugePage - aligned);
#ifdef MADV_HUGEPAGE
    ::madvise(reinterpret_cast<void*>(aligned), whole, MADV_HUGEPAGE);
#endif
    return reinterpret_cast<void*>(aligned);
}

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
        if (m_last->mapped)
            ::munmap(m_last, m_last->mapped);
        else
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

std::byte* CTextArena::NewBlock(std::size_t size)
{
    std::size_t mapped = size;
    void* memory = size >= kHugePage ? MapHuge(mapped) : nullptr;
    if (!memory) {
        mapped = 0;
        memory = std::malloc(size);
    }
    if (!memory)
        throw std::bad_alloc();
    auto* block = static_cast<Block*>(memory);
    block->previous = m_last;
    block->size = size;
    block->mapped = mapped;
    m_last = block;
    m_reserved += size;
    return static_cast<std::byte*>(memory);
}

void CTextArena::AddBlock(Region& region, std::size_t minimum)
{
    std::size_t size =
        std::max(region.nextBlock, minimum + sizeof(Block) + alignof(std::max_align_t));
    std::byte* memory = NewBlock(size);
    region.cursor = memory + sizeof(Block);
    region.end = memory + size;
    region.nextBlock = std::min(region.nextBlock * 2, std::max(kLargestBlock, region.nextBlock));
}

void CTextArena::Trim()
{
    const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    for (const Region* region : {&m_nodes, &m_texts}) {
        if (!region->cursor)
            continue;
        const std::uintptr_t from = (reinterpret_cast<std::uintptr_t>(region->cursor) + page - 1) & ~(page - 1);
        const std::uintptr_t to = reinterpret_cast<std::uintptr_t>(region->end) & ~(page - 1);
        if (to > from)
            ::madvise(reinterpret_cast<void*>(from), to - from, MADV_DONTNEED);
    }
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
