#include "CFormatArg.h"

std::int64_t CFormatArg::AsSigned() const
{
    switch (m_type) {
    case Type::Signed: return m_signed;
    case Type::Unsigned: return std::int64_t(m_unsigned);
    case Type::Float:
        // Out-of-range doubles would be undefined behaviour to convert.
        if (!(m_float > -9.2e18 && m_float < 9.2e18))
            return 0;
        return std::int64_t(m_float);
    case Type::Pointer: return std::int64_t(reinterpret_cast<std::uintptr_t>(m_pointer));
    default: return 0;
    }
}

std::uint64_t CFormatArg::AsUnsigned() const
{
    if (m_type == Type::Unsigned)
        return m_unsigned;
    return std::uint64_t(AsSigned());
}

double CFormatArg::AsFloat() const
{
    switch (m_type) {
    case Type::Float: return m_float;
    case Type::Signed: return double(m_signed);
    case Type::Unsigned: return double(m_unsigned);
    default: return 0.0;
    }
}
