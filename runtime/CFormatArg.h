#pragma once

// One argument of a printf-style format, with its type kept, so that the
// formatter never has to trust the format string about what it was given.

#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

class CFormatArg {
public:
    enum class Type { None, Signed, Unsigned, Float, String, Pointer };

    CFormatArg() = default;
    template <std::integral T>
    CFormatArg(T value) // NOLINT: every argument converts implicitly
    {
        if constexpr (std::is_signed_v<T>) {
            m_type = Type::Signed;
            m_signed = value;
        } else {
            m_type = Type::Unsigned;
            m_unsigned = value;
        }
        m_wide = sizeof(T) > 4;
    }
    template <std::floating_point T>
    CFormatArg(T value) : m_type(Type::Float), m_float(double(value)) {} // NOLINT
    CFormatArg(std::u16string_view text) : m_type(Type::String), m_text(text) {} // NOLINT
    CFormatArg(const std::u16string& text) : m_type(Type::String), m_text(text) {} // NOLINT
    CFormatArg(const char16_t* text) // NOLINT
        : m_type(text ? Type::String : Type::Pointer), m_text(text ? text : u"")
    {
    }
    CFormatArg(const void* pointer) : m_type(Type::Pointer), m_pointer(pointer) {} // NOLINT

    Type GetType() const { return m_type; }
    // Wider than 32 bits (a 64-bit integer): %x and %u show all its bits.
    bool IsWide() const { return m_wide; }
    std::int64_t AsSigned() const;
    std::uint64_t AsUnsigned() const;
    double AsFloat() const;
    std::u16string_view AsText() const { return m_text; }
    const void* AsPointer() const { return m_pointer; }

private:
    Type m_type = Type::None;
    bool m_wide = false;
    std::int64_t m_signed = 0;
    std::uint64_t m_unsigned = 0;
    double m_float = 0.0;
    std::u16string_view m_text;
    const void* m_pointer = nullptr;
};
