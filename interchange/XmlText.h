#pragma once

// The model's texts in and out of Qt's XML stream classes, shared by the XLIFF bridge
// and the translation memory's TMX files.

#include <QString>

#include <string>
#include <string_view>

class QXmlStreamWriter;

namespace xml_text {

QString ToQt(std::u16string_view text);
QString ToQt(const std::string& utf8);
std::u16string FromQt(const QString& text);

// Element text in which a carriage return survives: XML readers turn a raw one into a
// line feed, so it goes out as a character reference.
void WriteText(QXmlStreamWriter& writer, std::u16string_view text);

} // namespace xml_text
