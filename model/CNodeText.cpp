#include "CNodeText.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>

namespace {

char16_t* NewBuffer(std::size_t capacity)
{
    if (capacity >= std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("text longer than 4 Gi units");
    return static_cast<char16_t*>(::operator new((capacity + 1) * sizeof(char16_t)));
}

} // namespace

CNodeText::CNodeText(CNodeText&& other)
{
    if (other.m_capacity == 0) {
        // Arena characters belong to the other text's tree, which this text may outlive.
        Assign(other.view());
        return;
    }
    m_data = other.m_data;
    m_size = other.m_size;
    m_capacity = other.m_capacity;
    other.m_data = u"";
    other.m_size = 0;
    other.m_capacity = 0;
}

CNodeText& CNodeText::operator=(CNodeText&& other)
{
    if (this == &other)
        return *this;
    if (other.m_capacity == 0)
        return Assign(other.view());
    Free();
    m_data = other.m_data;
    m_size = other.m_size;
    m_capacity = other.m_capacity;
    other.m_data = u"";
    other.m_size = 0;
    other.m_capacity = 0;
    return *this;
}

void CNodeText::Free() noexcept
{
    if (m_capacity != 0)
        ::operator delete(const_cast<char16_t*>(m_data));
    m_data = u"";
    m_size = 0;
    m_capacity = 0;
}

CNodeText& CNodeText::Assign(std::u16string_view text)
{
    if (text.empty()) {
        if (m_capacity != 0) {
            const_cast<char16_t*>(m_data)[0] = u'\0';
            m_size = 0;
        } else {
            m_data = u"";
            m_size = 0;
        }
        return *this;
    }
    if (m_capacity >= text.size()) {
        // memmove: text may be a piece of this very buffer.
        auto* units = const_cast<char16_t*>(m_data);
        std::memmove(units, text.data(), text.size() * sizeof(char16_t));
        units[text.size()] = u'\0';
        m_size = static_cast<std::uint32_t>(text.size());
        return *this;
    }
    char16_t* units = NewBuffer(text.size());
    std::memcpy(units, text.data(), text.size() * sizeof(char16_t));
    units[text.size()] = u'\0';
    Free();
    m_data = units;
    m_size = static_cast<std::uint32_t>(text.size());
    m_capacity = static_cast<std::uint32_t>(text.size());
    return *this;
}

CNodeText& CNodeText::Append(std::u16string_view text)
{
    if (text.empty())
        return *this;
    const std::size_t size = m_size + text.size();
    if (m_capacity >= size) {
        auto* units = const_cast<char16_t*>(m_data);
        std::memmove(units + m_size, text.data(), text.size() * sizeof(char16_t));
        units[size] = u'\0';
        m_size = static_cast<std::uint32_t>(size);
        return *this;
    }
    const std::size_t capacity = std::max<std::size_t>(size, 2 * std::size_t{m_capacity});
    char16_t* units = NewBuffer(capacity);
    std::memcpy(units, m_data, m_size * sizeof(char16_t));
    std::memcpy(units + m_size, text.data(), text.size() * sizeof(char16_t));
    units[size] = u'\0';
    Free();
    m_data = units;
    m_size = static_cast<std::uint32_t>(size);
    m_capacity = static_cast<std::uint32_t>(capacity);
    return *this;
}

void CNodeText::SetShared(std::u16string_view textInArena) noexcept
{
    Free();
    if (!textInArena.empty()) {
        m_data = textInArena.data();
        m_size = static_cast<std::uint32_t>(textInArena.size());
    }
}

std::u16string operator+(const CNodeText& a, const CNodeText& b)
{
    std::u16string result;
    result.reserve(a.size() + b.size());
    result.append(a.view()).append(b.view());
    return result;
}

std::u16string operator+(const CNodeText& a, std::u16string_view b)
{
    std::u16string result;
    result.reserve(a.size() + b.size());
    result.append(a.view()).append(b);
    return result;
}

std::u16string operator+(std::u16string_view a, const CNodeText& b)
{
    std::u16string result;
    result.reserve(a.size() + b.size());
    result.append(a).append(b.view());
    return result;
}

std::u16string operator+(const CNodeText& a, char16_t b) { return a + std::u16string_view(&b, 1); }

std::u16string operator+(char16_t a, const CNodeText& b) { return std::u16string_view(&a, 1) + b; }
