#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

class CTextArena;

// A node's text (UTF-16). It reads like a const std::u16string (size, find, substr,
// iteration, comparison with and conversion to std::u16string and std::u16string_view)
// and takes new values by assignment or +=.
//
// Texts read from a file or copied with a tree sit in the tree's arena and are not
// owned; a text assigned afterwards (a typed translation) gets a buffer of its own.
// Either way the characters are followed by a zero, so c_str() is always valid.
class CNodeText {
public:
    using value_type = char16_t;
    using size_type = std::size_t;
    using difference_type = std::ptrdiff_t;
    using traits_type = std::char_traits<char16_t>;
    using const_reference = const char16_t&;
    using reference = const char16_t&;
    using const_pointer = const char16_t*;
    using pointer = const char16_t*;
    using const_iterator = const char16_t*;
    using iterator = const char16_t*;
    static constexpr size_type npos = std::u16string_view::npos;

    CNodeText() noexcept = default;
    CNodeText(const CNodeText& other) { Assign(other.view()); }
    CNodeText(CNodeText&& other);
    explicit CNodeText(std::u16string_view text) { Assign(text); }
    ~CNodeText() { Free(); }

    CNodeText& operator=(const CNodeText& other) { return Assign(other.view()); }
    CNodeText& operator=(CNodeText&& other);
    CNodeText& operator=(std::u16string_view text) { return Assign(text); }
    CNodeText& operator=(const std::u16string& text) { return Assign(text); }
    CNodeText& operator=(const char16_t* text) { return Assign(std::u16string_view(text)); }
    CNodeText& operator=(std::initializer_list<char16_t> units)
    {
        return Assign(std::u16string_view(units.begin(), units.size()));
    }
    CNodeText& assign(std::u16string_view text) { return Assign(text); }

    CNodeText& operator+=(std::u16string_view text) { return Append(text); }
    CNodeText& operator+=(const std::u16string& text) { return Append(text); }
    CNodeText& operator+=(const char16_t* text) { return Append(std::u16string_view(text)); }
    CNodeText& operator+=(char16_t unit) { return Append(std::u16string_view(&unit, 1)); }
    CNodeText& append(std::u16string_view text) { return Append(text); }
    void clear() { Assign({}); }

    const char16_t* data() const noexcept { return m_data; }
    const char16_t* c_str() const noexcept { return m_data; }
    size_type size() const noexcept { return m_size; }
    size_type length() const noexcept { return m_size; }
    bool empty() const noexcept { return m_size == 0; }
    const_iterator begin() const noexcept { return m_data; }
    const_iterator end() const noexcept { return m_data + m_size; }
    const_iterator cbegin() const noexcept { return begin(); }
    const_iterator cend() const noexcept { return end(); }
    char16_t operator[](size_type i) const noexcept { return m_data[i]; }
    char16_t front() const noexcept { return m_data[0]; }
    char16_t back() const noexcept { return m_data[m_size - 1]; }

    std::u16string_view view() const noexcept { return {m_data, m_size}; }
    std::u16string str() const { return std::u16string(m_data, m_size); }
    operator std::u16string_view() const noexcept { return view(); }
    operator std::u16string() const { return str(); }

    size_type find(std::u16string_view text, size_type pos = 0) const noexcept { return view().find(text, pos); }
    size_type find(char16_t unit, size_type pos = 0) const noexcept { return view().find(unit, pos); }
    size_type find(const char16_t* text, size_type pos = 0) const { return view().find(text, pos); }
    size_type rfind(std::u16string_view text, size_type pos = npos) const noexcept { return view().rfind(text, pos); }
    size_type rfind(char16_t unit, size_type pos = npos) const noexcept { return view().rfind(unit, pos); }
    size_type rfind(const char16_t* text, size_type pos = npos) const { return view().rfind(text, pos); }
    size_type find_first_of(std::u16string_view units, size_type pos = 0) const noexcept
    {
        return view().find_first_of(units, pos);
    }
    size_type find_first_not_of(std::u16string_view units, size_type pos = 0) const noexcept
    {
        return view().find_first_not_of(units, pos);
    }
    size_type find_last_of(std::u16string_view units, size_type pos = npos) const noexcept
    {
        return view().find_last_of(units, pos);
    }
    bool starts_with(std::u16string_view text) const noexcept { return view().starts_with(text); }
    bool starts_with(char16_t unit) const noexcept { return view().starts_with(unit); }
    bool ends_with(std::u16string_view text) const noexcept { return view().ends_with(text); }
    bool ends_with(char16_t unit) const noexcept { return view().ends_with(unit); }
    std::u16string substr(size_type pos = 0, size_type count = npos) const
    {
        return std::u16string(view().substr(pos, count));
    }
    int compare(std::u16string_view text) const noexcept { return view().compare(text); }

    // True when the characters lie in a tree's arena rather than in a buffer of this text.
    bool InArena() const noexcept { return m_capacity == 0 && m_size != 0; }

    friend bool operator==(const CNodeText& a, const CNodeText& b) noexcept { return a.view() == b.view(); }
    friend bool operator==(const CNodeText& a, std::u16string_view b) noexcept { return a.view() == b; }
    friend std::strong_ordering operator<=>(const CNodeText& a, const CNodeText& b) noexcept
    {
        return a.view() <=> b.view();
    }
    friend std::strong_ordering operator<=>(const CNodeText& a, std::u16string_view b) noexcept
    {
        return a.view() <=> b;
    }

private:
    friend class CTextNode;
    friend class CLanguageFile;

    CNodeText& Assign(std::u16string_view text);
    CNodeText& Append(std::u16string_view text);
    // Takes characters that live (terminated) in the arena of the node holding this text.
    void SetShared(std::u16string_view textInArena) noexcept;
    void Free() noexcept;

    const char16_t* m_data = u"";
    std::uint32_t m_size = 0;
    std::uint32_t m_capacity = 0; // non-zero: m_data is this text's own buffer of capacity + 1 units
};

std::u16string operator+(const CNodeText& a, const CNodeText& b);
std::u16string operator+(const CNodeText& a, std::u16string_view b);
std::u16string operator+(std::u16string_view a, const CNodeText& b);
std::u16string operator+(const CNodeText& a, char16_t b);
std::u16string operator+(char16_t a, const CNodeText& b);

template <>
struct std::hash<CNodeText> {
    std::size_t operator()(const CNodeText& text) const noexcept
    {
        return std::hash<std::u16string_view>{}(text.view());
    }
};
