#include "XliffBridge.h"

#include "LanguageCodes.h"

#include <QByteArray>
#include <QString>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include "TextEncoding.h"
#include "XmlText.h"

#include <fmt/core.h>

#include <vector>

namespace xliff_bridge {

using xml_text::FromQt;
using xml_text::ToQt;
using xml_text::WriteText;

namespace {

constexpr char kNamespace[] = "urn:oasis:names:tc:xliff:document:1.2";

// Kind codes whose texts must keep the width of their control.
bool IsSizeLimited(std::int32_t kindCode) { return kindCode == 2 || (kindCode >= 22 && kindCode <= 25); }

// The editor's width rule (77.5 % of the control) in pixels, at the standard dialog base
// unit of 8 pixels per 4 horizontal dialog units.
std::int64_t MaxWidthPixels(std::int32_t width)
{
    constexpr std::int64_t kBaseUnit = 8;
    return (kBaseUnit * width) / 4 * 31 / 40;
}

bool ToBeEditedState(const QString& state)
{
    return state.startsWith(QLatin1String("needs-")) || state == QLatin1String("new");
}

// Inline elements (<g>, <mrk>, ...) nest; deeper than this is no translation.
constexpr int kMaxInlineDepth = 100;

// The text of the element the reader stands on, the text of inline elements in it
// included. A loop, not a recursion, so that deep nesting costs no stack. Returns an
// error, or "" with the reader on the element's end.
std::string ReadElementText(QXmlStreamReader& reader, QString& text)
{
    for (int depth = 1; depth > 0 && !reader.atEnd();) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement:
            if (++depth > kMaxInlineDepth) {
                return fmt::format("elements nested deeper than {} levels inside <{}>", kMaxInlineDepth,
                                   tra_text::Printable(reader.name().toString().toStdString(), 40));
            }
            break;
        case QXmlStreamReader::EndElement: --depth; break;
        case QXmlStreamReader::Characters: text += reader.text(); break;
        case QXmlStreamReader::EntityReference:
            return fmt::format("the entity &{}; is not defined",
                               tra_text::Printable(reader.name().toString().toStdString(), 40));
        default: break;
        }
    }
    return {};
}

} // namespace

ExportResult ExportXliff(const CLanguageFile& language, std::u16string_view sourceLanguage,
                         std::u16string_view targetLanguage)
{
    const QString target = targetLanguage.empty()
                               ? QString::fromStdString(language_codes::CodeOrUndetermined(language.GetLanguageName()))
                               : ToQt(targetLanguage);
    ExportResult result;
    QByteArray bytes;
    QXmlStreamWriter writer(&bytes);
    writer.setAutoFormatting(true);
    writer.setAutoFormattingIndent(1);
    writer.writeStartDocument();
    writer.writeStartElement(QStringLiteral("xliff"));
    writer.writeDefaultNamespace(QLatin1String(kNamespace));
    writer.writeAttribute(QStringLiteral("version"), QStringLiteral("1.2"));
    writer.writeStartElement(QStringLiteral("file"));
    writer.writeAttribute(QStringLiteral("original"),
                          ToQt(language.GetProgramName()) + u' ' + ToQt(language.GetProgramVersion()));
    writer.writeAttribute(QStringLiteral("source-language"), ToQt(sourceLanguage));
    writer.writeAttribute(QStringLiteral("target-language"), target);
    writer.writeAttribute(QStringLiteral("datatype"), QStringLiteral("plaintext"));
    writer.writeAttribute(QStringLiteral("product-name"), ToQt(language.GetProgramName()));
    writer.writeAttribute(QStringLiteral("product-version"), ToQt(language.GetProgramVersion()));
    writer.writeStartElement(QStringLiteral("header"));
    writer.writeStartElement(QStringLiteral("tool"));
    writer.writeAttribute(QStringLiteral("tool-id"), QStringLiteral("glossmark-tra"));
    writer.writeAttribute(QStringLiteral("tool-name"), QStringLiteral("glossmark-tra"));
    writer.writeEndElement();
    writer.writeEndElement();
    writer.writeStartElement(QStringLiteral("body"));
    if (language.GetRoot() != nullptr) {
        bridge::ForEachUnit(*language.GetRoot(), [&](const bridge::Unit& unit) {
            if (!result.error.empty()) {
                return;
            }
            result.error = bridge::UnwritableTextError(
                unit, true,
                "holds a character that XML cannot carry (a control character or a lone surrogate)");
            if (!result.error.empty()) {
                return;
            }
            const CTextNode& node = *unit.node;
            const std::string path = bridge::AncestorPath(unit);
            writer.writeStartElement(QStringLiteral("trans-unit"));
            writer.writeAttribute(QStringLiteral("id"), ToQt(unit.path));
            writer.writeAttribute(QStringLiteral("resname"), ToQt(path));
            writer.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
            // CAT tools read "approved" as the opposite of fuzzy.
            writer.writeAttribute(QStringLiteral("approved"),
                                  bridge::OwnTextToBeEdited(node) ? QStringLiteral("no") : QStringLiteral("yes"));
            if (IsSizeLimited(node.kindCode) && node.width > 0) {
                writer.writeAttribute(QStringLiteral("maxwidth"), QString::number(MaxWidthPixels(node.width)));
                writer.writeAttribute(QStringLiteral("size-unit"), QStringLiteral("pixel"));
            }
            writer.writeStartElement(QStringLiteral("source"));
            WriteText(writer, node.originalText);
            writer.writeEndElement();
            writer.writeStartElement(QStringLiteral("target"));
            writer.writeAttribute(QStringLiteral("state"), bridge::OwnTextToBeEdited(node)
                                                               ? QStringLiteral("needs-translation")
                                                               : QStringLiteral("translated"));
            WriteText(writer, node.translatedText);
            writer.writeEndElement();
            writer.writeTextElement(QStringLiteral("note"), ToQt(bridge::UnitNote(unit)));
            writer.writeEndElement();
        });
    }
    writer.writeEndDocument();
    if (result.error.empty()) {
        result.text.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    }
    return result;
}

std::string ReadXliff(std::string_view xliff, Document& document)
{
    QXmlStreamReader reader(QByteArray::fromRawData(xliff.data(), static_cast<qsizetype>(xliff.size())));
    std::vector<TransUnit>& units = document.units;
    std::string error;
    bool sawRoot = false;
    TransUnit* unit = nullptr;
    const auto fail = [&](const std::string& message) {
        error = fmt::format("line {}: {}", reader.lineNumber(), message);
    };
    const auto readText = [&](std::u16string& into) {
        QString text;
        if (std::string why = ReadElementText(reader, text); !why.empty()) {
            fail(why);
        } else if (text.contains(QChar(0))) {
            fail("a text holds a null character");
        }
        into = FromQt(text);
    };
    while (!reader.atEnd() && error.empty()) {
        reader.readNext();
        // Entities that a DTD declares can expand a small file beyond any memory and
        // read other files; XLIFF needs none.
        if (reader.tokenType() == QXmlStreamReader::DTD) {
            fail("the document has a DTD (<!DOCTYPE ...>); XLIFF needs none, and its entities are not read");
            break;
        }
        if (!reader.isStartElement()) {
            if (reader.isEndElement() && reader.name() == QLatin1String("trans-unit")) {
                unit = nullptr;
            }
            continue;
        }
        const auto name = reader.name();
        if (!sawRoot) {
            sawRoot = true;
            if (name != QLatin1String("xliff")) {
                fail(fmt::format("expected an <xliff> document, found <{}>",
                                 tra_text::Printable(reader.name().toString().toStdString(), 40)));
            }
            continue;
        }
        if (name == QLatin1String("file") && document.sourceLanguage.empty()) {
            document.sourceLanguage = reader.attributes().value(QLatin1String("source-language")).toString().toStdString();
            document.targetLanguage = reader.attributes().value(QLatin1String("target-language")).toString().toStdString();
        } else if (name == QLatin1String("trans-unit")) {
            if (unit != nullptr) {
                fail("a <trans-unit> inside another");
                break;
            }
            units.emplace_back();
            unit = &units.back();
            unit->line = static_cast<int>(reader.lineNumber());
            unit->id = reader.attributes().value(QLatin1String("id")).toString().toStdString();
            unit->toBeEdited = reader.attributes().value(QLatin1String("approved")) == QLatin1String("no");
        } else if (unit != nullptr && name == QLatin1String("source")) {
            readText(unit->source);
        } else if (unit != nullptr && name == QLatin1String("target")) {
            // The target's state decides; without one, the unit's approval.
            const QString state = reader.attributes().value(QLatin1String("state")).toString();
            if (!state.isEmpty()) {
                unit->toBeEdited = ToBeEditedState(state);
            }
            unit->hasTarget = true;
            readText(unit->target);
        } else if (unit != nullptr) {
            // Notes, contexts, alternatives: nothing the language file keeps.
            reader.skipCurrentElement();
        }
    }
    if (error.empty() && reader.hasError()) {
        fail(tra_text::Printable(reader.errorString().toStdString(), 200));
    }
    if (error.empty() && !sawRoot) {
        error = "line 1: the document has no elements";
    }
    return error;
}

ImportResult ImportXliff(std::string_view xliff, CLanguageFile& language)
{
    ImportResult result;
    Document document;
    result.error = ReadXliff(xliff, document);
    if (!result.error.empty() || language.GetRoot() == nullptr) {
        return result;
    }
    bridge::UnitImporter importer(*language.GetRoot(), "id", "<source>");
    for (const TransUnit& read : document.units) {
        importer.Apply(read.line, read.id, read.source, read.hasTarget ? read.target : std::u16string(),
                       read.toBeEdited);
    }
    result.counts = std::move(importer.counts);
    if (result.counts.applied > 0) {
        language.GetRoot()->UpdateStates();
    }
    return result;
}

} // namespace xliff_bridge
