#include "XmlText.h"

#include <QXmlStreamWriter>

namespace xml_text {

QString ToQt(std::u16string_view text)
{
    return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

QString ToQt(const std::string& utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

std::u16string FromQt(const QString& text)
{
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
}

void WriteText(QXmlStreamWriter& writer, std::u16string_view text)
{
    std::size_t start = 0;
    for (std::size_t i = text.find(u'\r'); i != std::u16string_view::npos; i = text.find(u'\r', start)) {
        writer.writeCharacters(ToQt(text.substr(start, i - start)));
        writer.writeEntityReference(QStringLiteral("#13"));
        start = i + 1;
    }
    writer.writeCharacters(ToQt(text.substr(start)));
}

} // namespace xml_text
