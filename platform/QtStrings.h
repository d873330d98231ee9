#pragma once

// The one place where the model's UTF-16 strings meet Qt's QString.

#include <QString>

#include <string>
#include <string_view>

inline QString ToQString(std::u16string_view s)
{
    return QString(reinterpret_cast<const QChar*>(s.data()), qsizetype(s.size()));
}

inline std::u16string ToU16(const QString& s) { return s.toStdU16String(); }
