#include "TmxFile.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include "XmlText.h"

namespace memory {

using xml_text::FromQt;
using xml_text::ToQt;

namespace {

// Characters XML 1.0 cannot carry (a control character, a lone surrogate) would make the
// whole document unreadable; such a pair is left out of the export.
bool XmlCanCarry(std::u16string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            ++i;
        } else if ((c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') || (c >= 0xD800 && c <= 0xDFFF) ||
                   c == 0xFFFE || c == 0xFFFF) {
            return false;
        }
    }
    return true;
}

void WriteSegment(QXmlStreamWriter& writer, const std::string& language, std::u16string_view text)
{
    writer.writeStartElement(QStringLiteral("tuv"));
    writer.writeAttribute(QStringLiteral("xml:lang"), ToQt(language));
    writer.writeStartElement(QStringLiteral("seg"));
    xml_text::WriteText(writer, text);
    writer.writeEndElement();
    writer.writeEndElement();
}

void WriteProperty(QXmlStreamWriter& writer, const char* type, const QString& value)
{
    if (!value.isEmpty()) {
        writer.writeStartElement(QStringLiteral("prop"));
        writer.writeAttribute(QStringLiteral("type"), QLatin1String(type));
        writer.writeCharacters(value);
        writer.writeEndElement();
    }
}

// TMX 1.4 writes xml:lang, 1.1 lang.
QString LanguageOf(const QXmlStreamAttributes& attributes)
{
    for (const QXmlStreamAttribute& attribute : attributes) {
        if (attribute.name() == QLatin1String("lang")) {
            return attribute.value().toString();
        }
    }
    return {};
}

struct Variant {
    std::string language;
    std::u16string text;
};

void AddUnit(const std::vector<Variant>& variants, std::string source, const std::string& targetLanguage,
             const std::string& file, std::int64_t when, std::vector<Pair>& pairs)
{
    if (variants.empty()) {
        return;
    }
    if (source.empty() || source == "*all*") {
        source = variants.front().language;
    }
    const auto original = std::find_if(variants.begin(), variants.end(), [&](const Variant& v) {
        return QString::compare(ToQt(v.language), ToQt(source), Qt::CaseInsensitive) == 0;
    });
    if (original == variants.end() || original->text.empty()) {
        return;
    }
    for (const Variant& variant : variants) {
        if (&variant == &*original || variant.text.empty() ||
            (!targetLanguage.empty() && QString::compare(ToQt(variant.language), ToQt(targetLanguage), Qt::CaseInsensitive) != 0)) {
            continue;
        }
        pairs.push_back(Pair{original->language, variant.language, original->text, variant.text, {}, {}, when, file});
    }
}

} // namespace

std::string ExportTmx(CTranslationMemory& memory, std::string& out)
{
    QByteArray bytes;
    QXmlStreamWriter writer(&bytes);
    writer.setAutoFormatting(true);
    writer.setAutoFormattingIndent(1);
    writer.writeStartDocument();
    writer.writeStartElement(QStringLiteral("tmx"));
    writer.writeAttribute(QStringLiteral("version"), QStringLiteral("1.4"));
    writer.writeStartElement(QStringLiteral("header"));
    writer.writeAttribute(QStringLiteral("creationtool"), QStringLiteral("glossmark-tra"));
    writer.writeAttribute(QStringLiteral("creationtoolversion"), QStringLiteral("1"));
    writer.writeAttribute(QStringLiteral("segtype"), QStringLiteral("sentence"));
    writer.writeAttribute(QStringLiteral("o-tmf"), QStringLiteral("glossmark-memory"));
    writer.writeAttribute(QStringLiteral("adminlang"), QStringLiteral("en"));
    // Pairs of several source languages may stand side by side.
    writer.writeAttribute(QStringLiteral("srclang"), QStringLiteral("*all*"));
    writer.writeAttribute(QStringLiteral("datatype"), QStringLiteral("plaintext"));
    writer.writeEndElement();
    writer.writeStartElement(QStringLiteral("body"));
    const std::string error = memory.ForEachPair([&](const Pair& pair) {
        if (!XmlCanCarry(pair.original) || !XmlCanCarry(pair.translation) || !XmlCanCarry(pair.program) ||
            !XmlCanCarry(pair.version)) {
            return;
        }
        writer.writeStartElement(QStringLiteral("tu"));
        writer.writeAttribute(QStringLiteral("srclang"), ToQt(pair.sourceLanguage));
        writer.writeAttribute(QStringLiteral("creationdate"),
                              QDateTime::fromSecsSinceEpoch(pair.when, Qt::UTC)
                                  .toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'")));
        WriteProperty(writer, "x-program", ToQt(pair.program));
        WriteProperty(writer, "x-version", ToQt(pair.version));
        WriteProperty(writer, "x-file", ToQt(pair.file));
        WriteSegment(writer, pair.sourceLanguage, pair.original);
        WriteSegment(writer, pair.targetLanguage, pair.translation);
        writer.writeEndElement();
    });
    if (!error.empty()) {
        return error;
    }
    writer.writeEndDocument();
    out.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return {};
}

std::string ReadTmx(std::string_view tmx, const std::string& sourceLanguage, const std::string& targetLanguage,
                    const std::string& file, std::vector<Pair>& pairs)
{
    QXmlStreamReader reader(QByteArray::fromRawData(tmx.data(), static_cast<qsizetype>(tmx.size())));
    std::vector<Pair> read;
    std::string headerSource;
    std::string unitSource;
    std::vector<Variant> variants;
    bool inUnit = false;
    bool sawRoot = false;
    std::string language; // of the variant being read
    const std::int64_t now = QDateTime::currentSecsSinceEpoch();
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isEndElement() && reader.name() == QLatin1String("tu")) {
            AddUnit(variants, !sourceLanguage.empty() ? sourceLanguage : !unitSource.empty() ? unitSource : headerSource,
                    targetLanguage, file, now, read);
            inUnit = false;
            continue;
        }
        if (!reader.isStartElement()) {
            continue;
        }
        const auto name = reader.name();
        if (!sawRoot) {
            sawRoot = true;
            if (name != QLatin1String("tmx")) {
                reader.raiseError(QStringLiteral("expected a <tmx> document, found <%1>").arg(name.toString()));
            }
        } else if (name == QLatin1String("header")) {
            headerSource = reader.attributes().value(QLatin1String("srclang")).toString().toStdString();
        } else if (name == QLatin1String("tu")) {
            if (inUnit) {
                reader.raiseError(QStringLiteral("a <tu> inside another"));
            }
            inUnit = true;
            variants.clear();
            unitSource = reader.attributes().value(QLatin1String("srclang")).toString().toStdString();
        } else if (inUnit && name == QLatin1String("tuv")) {
            language = LanguageOf(reader.attributes()).toStdString();
        } else if (inUnit && name == QLatin1String("seg")) {
            // Inline mark-up (<ph>, <bpt>...) keeps its text.
            variants.push_back(Variant{language, FromQt(reader.readElementText(QXmlStreamReader::IncludeChildElements))});
        }
    }
    if (reader.hasError()) {
        return "line " + std::to_string(reader.lineNumber()) + ": " + reader.errorString().toStdString();
    }
    if (!sawRoot) {
        return "line 1: the document has no elements";
    }
    pairs.insert(pairs.end(), std::make_move_iterator(read.begin()), std::make_move_iterator(read.end()));
    return {};
}

} // namespace memory
