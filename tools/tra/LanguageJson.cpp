#include "LanguageJson.h"

#include "TextEncoding.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

using tra_text::AppendJsonString;

// ---------------------------------------------------------------------------------------------
// Writing
// ---------------------------------------------------------------------------------------------

namespace {

class JsonSink {
public:
    explicit JsonSink(std::FILE* file) : file(file) {}

    std::string& Buffer() { return buffer; }
    void MaybeFlush()
    {
        if (file != nullptr && buffer.size() >= (1u << 20)) {
            Flush();
        }
    }
    bool Flush()
    {
        if (file != nullptr && !buffer.empty()) {
            ok = ok && std::fwrite(buffer.data(), 1, buffer.size(), file) == buffer.size();
            buffer.clear();
        }
        return ok;
    }
    std::string Take() { return std::move(buffer); }

private:
    std::FILE* file;
    std::string buffer;
    bool ok = true;
};

// Indentation grows with the depth only up to a limit, so a very deep tree does not make
// the output grow with the square of its depth.
void Indent(std::string& out, std::size_t depth)
{
    out.append(2 * std::min<std::size_t>(depth, 40), ' ');
}

// A node's fields up to the opening bracket of its children.
void AppendNodeHead(std::string& out, const CTextNode& node)
{
    out += "{\"originalText\": ";
    AppendJsonString(out, node.originalText);
    out += ", \"translatedText\": ";
    AppendJsonString(out, node.translatedText);
    out += ", \"kindCode\": ";
    out += std::to_string(node.kindCode);
    out += ", \"width\": ";
    out += std::to_string(node.width);
    out += ", \"height\": ";
    out += std::to_string(node.height);
    out += ", \"editState\": ";
    out += std::to_string(node.editState);
    out += ", \"children\": [";
}

void AppendField(std::string& out, const char* name, std::uint32_t value)
{
    out += "  \"";
    out += name;
    out += "\": ";
    out += std::to_string(value);
    out += ",\n";
}

void AppendField(std::string& out, const char* name, const std::u16string& value)
{
    out += "  \"";
    out += name;
    out += "\": ";
    AppendJsonString(out, value);
    out += ",\n";
}

void WriteJson(const CLanguageFile& language, JsonSink& sink)
{
    std::string& out = sink.Buffer();
    out += "{\n";
    AppendField(out, "headerNumber1", language.headerNumber1);
    AppendField(out, "flags", language.flags);
    AppendField(out, "headerNumber2", language.headerNumber2);
    AppendField(out, "programName", language.programName);
    AppendField(out, "programVersion", language.programVersion);
    AppendField(out, "languageName", language.languageName);
    AppendField(out, "headerText4", language.headerText4);
    AppendField(out, "headerText5", language.headerText5);
    AppendField(out, "headerNumber3", language.headerNumber3);
    // One flag row per line.
    out += "  \"flagPixels\": [";
    for (std::size_t i = 0; i < language.flagPixels.size(); ++i) {
        out += i % CLanguageFile::kFlagSide == 0 ? "\n    " : " ";
        out += std::to_string(language.flagPixels[i]);
        if (i + 1 < language.flagPixels.size()) {
            out += ',';
        }
    }
    out += "\n  ],\n  \"root\": ";
    if (language.root == nullptr) {
        out += "null\n}\n";
        return;
    }

    struct Open {
        const CTextNode* node;
        std::int32_t next;
    };
    std::vector<Open> stack;
    AppendNodeHead(out, *language.root);
    if (language.root->ChildCount() > 0) {
        stack.push_back({language.root.get(), 0});
    } else {
        out += "]}";
    }
    while (!stack.empty()) {
        Open& top = stack.back();
        if (top.next < top.node->ChildCount()) {
            const CTextNode* child = top.node->GetChild(top.next);
            out += top.next++ == 0 ? "\n" : ",\n";
            Indent(out, stack.size() + 1);
            AppendNodeHead(out, *child);
            if (child->ChildCount() > 0) {
                stack.push_back({child, 0}); // invalidates top
            } else {
                out += "]}";
            }
            sink.MaybeFlush();
        } else {
            stack.pop_back();
            out += '\n';
            Indent(out, stack.size() + 1);
            out += "]}";
        }
    }
    out += "\n}\n";
}

} // namespace

bool WriteLanguageJson(const CLanguageFile& language, std::FILE* out)
{
    JsonSink sink(out);
    WriteJson(language, sink);
    return sink.Flush() && std::fflush(out) == 0;
}

std::string LanguageToJson(const CLanguageFile& language)
{
    JsonSink sink(nullptr);
    WriteJson(language, sink);
    return sink.Take();
}

// ---------------------------------------------------------------------------------------------
// Reading
// ---------------------------------------------------------------------------------------------

namespace {

// The JSON text with lone-surrogate escapes and U+FDD0 rewritten into the private form of
// tra_text, plus what is needed to map an offset of the rewritten text back.
class RewrittenJson {
public:
    explicit RewrittenJson(std::string_view json);

    const std::string& Text() const { return text; }
    std::size_t OriginalOffset(std::size_t offset) const;

private:
    void Replace(std::size_t originalLength, char16_t unit);

    std::string text;
    // After the rewritten text reached end, its offsets exceed the original ones by extra.
    struct Shift {
        std::size_t end;
        std::size_t extra;
    };
    std::vector<Shift> shifts;
};

// The code unit of a \uXXXX escape at json[pos], or -1.
int EscapedUnit(std::string_view json, std::size_t pos)
{
    if (pos + 6 > json.size() || json[pos] != '\\' || json[pos + 1] != 'u') {
        return -1;
    }
    int unit = 0;
    for (std::size_t i = 2; i < 6; ++i) {
        const int digit = tra_text::HexDigitValue(json[pos + i]);
        if (digit < 0) {
            return -1;
        }
        unit = unit * 16 + digit;
    }
    return unit;
}

RewrittenJson::RewrittenJson(std::string_view json)
{
    text.reserve(json.size() + json.size() / 64);
    bool inString = false;
    std::size_t pos = 0;
    while (pos < json.size()) {
        const char c = json[pos];
        if (!inString) {
            inString = c == '"';
            text += c;
            ++pos;
            continue;
        }
        if (c == '"') {
            inString = false;
            text += c;
            ++pos;
        } else if (c == '\\') {
            const int unit = EscapedUnit(json, pos);
            if (unit < 0) {
                // Any other escape (or a broken one, which the parser reports) stays.
                text.append(json.substr(pos, 2));
                pos += 2;
            } else if (unit >= 0xD800 && unit <= 0xDBFF) {
                const int next = EscapedUnit(json, pos + 6);
                if (next >= 0xDC00 && next <= 0xDFFF) {
                    text.append(json.substr(pos, 12));
                    pos += 12;
                } else {
                    Replace(6, static_cast<char16_t>(unit));
                    pos += 6;
                }
            } else if ((unit >= 0xDC00 && unit <= 0xDFFF) ||
                       unit == static_cast<int>(tra_text::kPrivateEscape)) {
                Replace(6, static_cast<char16_t>(unit));
                pos += 6;
            } else {
                text.append(json.substr(pos, 6));
                pos += 6;
            }
        } else if (json.substr(pos, 3) == "\xEF\xB7\x90") { // U+FDD0 written as UTF-8
            Replace(3, static_cast<char16_t>(tra_text::kPrivateEscape));
            pos += 3;
        } else {
            text += c;
            ++pos;
        }
    }
}

void RewrittenJson::Replace(std::size_t originalLength, char16_t unit)
{
    text += "\\uFDD0";
    tra_text::AppendHex4(text, unit);
    const std::size_t extra = (shifts.empty() ? 0 : shifts.back().extra) + 10 - originalLength;
    shifts.push_back({text.size(), extra});
}

std::size_t RewrittenJson::OriginalOffset(std::size_t offset) const
{
    const auto after = std::upper_bound(shifts.begin(), shifts.end(), offset,
                                        [](std::size_t value, const Shift& s) { return value < s.end; });
    if (after == shifts.begin()) {
        return offset;
    }
    return offset - std::prev(after)->extra;
}

enum class Field {
    None,
    HeaderNumber1,
    Flags,
    HeaderNumber2,
    ProgramName,
    ProgramVersion,
    LanguageName,
    HeaderText4,
    HeaderText5,
    HeaderNumber3,
    FlagPixels,
    Root,
    OriginalText,
    TranslatedText,
    KindCode,
    Width,
    Height,
    EditState,
    Children,
};

struct FieldName {
    const char* name;
    Field field;
};

constexpr std::array kFileFields = {
    FieldName{"headerNumber1", Field::HeaderNumber1}, FieldName{"flags", Field::Flags},
    FieldName{"headerNumber2", Field::HeaderNumber2}, FieldName{"programName", Field::ProgramName},
    FieldName{"programVersion", Field::ProgramVersion},
    FieldName{"languageName", Field::LanguageName}, FieldName{"headerText4", Field::HeaderText4},
    FieldName{"headerText5", Field::HeaderText5}, FieldName{"headerNumber3", Field::HeaderNumber3},
    FieldName{"flagPixels", Field::FlagPixels},   FieldName{"root", Field::Root},
};

constexpr std::array kNodeFields = {
    FieldName{"originalText", Field::OriginalText},
    FieldName{"translatedText", Field::TranslatedText},
    FieldName{"kindCode", Field::KindCode},
    FieldName{"width", Field::Width},
    FieldName{"height", Field::Height},
    FieldName{"editState", Field::EditState},
    FieldName{"children", Field::Children},
};

// Builds the language straight from the parser's events: no document tree in between, and
// no recursion, so the depth of the tree does not matter.
class LanguageSax : public nlohmann::json::json_sax_t {
public:
    using json = nlohmann::json;

    explicit LanguageSax(CLanguageFile& language) : language(language) {}

    bool null() override;
    bool boolean(bool) override { return WrongType("true or false"); }
    bool number_integer(json::number_integer_t value) override { return Number(value, false); }
    bool number_unsigned(json::number_unsigned_t value) override { return Number(0, true, value); }
    bool number_float(json::number_float_t, const json::string_t&) override
    {
        return WrongType("a fractional number");
    }
    bool string(json::string_t& value) override;
    bool binary(json::binary_t&) override { return WrongType("binary data"); }
    bool start_object(std::size_t) override;
    bool key(json::string_t& name) override;
    bool end_object() override;
    bool start_array(std::size_t) override;
    bool end_array() override;
    bool parse_error(std::size_t position, const std::string&,
                     const nlohmann::detail::exception& error) override;

    bool Finished() const { return finished; }
    const std::string& Error() const { return error; }
    bool IsSyntaxError() const { return syntaxError; }
    std::size_t ErrorPosition() const { return errorPosition; }

private:
    enum class Kind { File, Node, Children, Pixels };
    struct Frame {
        Kind kind;
        CTextNode* node = nullptr;
        std::uint32_t seen = 0;      // bit per field of kFileFields / kNodeFields
        Field pending = Field::None; // the key whose value comes next
        std::size_t count = 0;       // values read so far (arrays)
        std::size_t index = 0;       // place in the parent's children
    };

    bool Number(std::int64_t value, bool isUnsigned, std::uint64_t unsignedValue = 0);
    bool WrongType(const std::string& found);
    bool Fail(const std::string& message);
    std::string Path() const;
    static const char* NameOf(Field field);
    void ValueDone() { frames.back().pending = Field::None; }

    CLanguageFile& language;
    std::vector<Frame> frames;
    std::int32_t nodeDepth = 0; // node frames on the stack: the depth of the next child
    bool finished = false;
    std::string error;
    bool syntaxError = false;
    std::size_t errorPosition = 0;
};

const char* LanguageSax::NameOf(Field field)
{
    for (const auto& entry : kFileFields) {
        if (entry.field == field) {
            return entry.name;
        }
    }
    for (const auto& entry : kNodeFields) {
        if (entry.field == field) {
            return entry.name;
        }
    }
    return "";
}

std::string LanguageSax::Path() const
{
    std::vector<std::string> parts;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const Frame& frame = frames[i];
        if (frame.kind == Kind::Node && i > 0 && frames[i - 1].kind == Kind::Children) {
            parts.push_back("[" + std::to_string(frame.index) + "]");
        }
        if ((frame.kind == Kind::File || frame.kind == Kind::Node) && frame.pending != Field::None) {
            parts.push_back(std::string(parts.empty() ? "" : ".") + NameOf(frame.pending));
        }
        if ((frame.kind == Kind::Pixels || frame.kind == Kind::Children) && i + 1 == frames.size()) {
            parts.push_back("[" + std::to_string(frame.count) + "]");
        }
    }
    if (parts.empty()) {
        return "the document";
    }
    // A path into a very deep tree keeps its ends.
    constexpr std::size_t kHead = 6;
    constexpr std::size_t kTail = 10;
    std::string path;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (parts.size() > kHead + kTail + 1 && i == kHead) {
            path += "...(" + std::to_string(parts.size() - kHead - kTail) + " more)...";
            i = parts.size() - kTail - 1;
            continue;
        }
        path += parts[i];
    }
    return path;
}

bool LanguageSax::Fail(const std::string& message)
{
    if (error.empty()) {
        error = Path() + ": " + message;
    }
    return false;
}

bool LanguageSax::WrongType(const std::string& found)
{
    if (frames.empty()) {
        return Fail("expected an object, found " + found);
    }
    const Frame& top = frames.back();
    switch (top.kind) {
    case Kind::Children:
        return Fail("expected a node object, found " + found);
    case Kind::Pixels:
        return Fail("expected a number from 0 to 4294967295, found " + found);
    default:
        break;
    }
    switch (top.pending) {
    case Field::ProgramName:
    case Field::ProgramVersion:
    case Field::LanguageName:
    case Field::HeaderText4:
    case Field::HeaderText5:
    case Field::OriginalText:
    case Field::TranslatedText:
        return Fail("expected a string, found " + found);
    case Field::KindCode:
    case Field::Width:
    case Field::Height:
        return Fail("expected a whole number from -2147483648 to 2147483647, found " + found);
    case Field::FlagPixels:
        return Fail("expected an array of 1024 numbers, found " + found);
    case Field::Root:
        return Fail("expected a node object or null, found " + found);
    case Field::Children:
        return Fail("expected an array of node objects, found " + found);
    default:
        return Fail("expected a whole number from 0 to 4294967295, found " + found);
    }
}

bool LanguageSax::null()
{
    if (!frames.empty() && frames.back().pending == Field::Root) {
        language.root.reset();
        ValueDone();
        return true;
    }
    return WrongType("null");
}

bool LanguageSax::Number(std::int64_t value, bool isUnsigned, std::uint64_t unsignedValue)
{
    const std::string found = isUnsigned ? std::to_string(unsignedValue) : std::to_string(value);
    if (frames.empty()) {
        return WrongType(found);
    }
    Frame& top = frames.back();
    const auto asUnsigned = [&](std::uint32_t& target) {
        if (!isUnsigned || unsignedValue > std::numeric_limits<std::uint32_t>::max()) {
            return WrongType(found);
        }
        target = static_cast<std::uint32_t>(unsignedValue);
        return true;
    };
    const auto asSigned = [&](std::int32_t& target) {
        const bool fits = isUnsigned ? unsignedValue <= std::numeric_limits<std::int32_t>::max()
                                     : value >= std::numeric_limits<std::int32_t>::min();
        if (!fits) {
            return WrongType(found);
        }
        target = static_cast<std::int32_t>(isUnsigned ? static_cast<std::int64_t>(unsignedValue)
                                                      : value);
        return true;
    };
    if (top.kind == Kind::Pixels) {
        if (top.count >= language.flagPixels.size()) {
            return Fail("more than 1024 pixels");
        }
        const std::size_t index = top.count;
        if (!asUnsigned(language.flagPixels[index])) {
            return false;
        }
        ++top.count;
        return true;
    }
    bool ok = false;
    switch (top.pending) {
    case Field::HeaderNumber1:
        ok = asUnsigned(language.headerNumber1);
        break;
    case Field::Flags:
        ok = asUnsigned(language.flags);
        break;
    case Field::HeaderNumber2:
        ok = asUnsigned(language.headerNumber2);
        break;
    case Field::HeaderNumber3:
        ok = asUnsigned(language.headerNumber3);
        break;
    case Field::EditState:
        ok = asUnsigned(top.node->editState);
        break;
    case Field::KindCode:
        ok = asSigned(top.node->kindCode);
        break;
    case Field::Width:
        ok = asSigned(top.node->width);
        break;
    case Field::Height:
        ok = asSigned(top.node->height);
        break;
    default:
        return WrongType("the number " + found);
    }
    if (ok) {
        ValueDone();
    }
    return ok;
}

bool LanguageSax::string(json::string_t& value)
{
    if (frames.empty()) {
        return WrongType("a string");
    }
    Frame& top = frames.back();
    std::u16string* target = nullptr;
    CNodeText* nodeText = nullptr;
    switch (top.kind == Kind::File || top.kind == Kind::Node ? top.pending : Field::None) {
    case Field::ProgramName:
        target = &language.programName;
        break;
    case Field::ProgramVersion:
        target = &language.programVersion;
        break;
    case Field::LanguageName:
        target = &language.languageName;
        break;
    case Field::HeaderText4:
        target = &language.headerText4;
        break;
    case Field::HeaderText5:
        target = &language.headerText5;
        break;
    case Field::OriginalText:
        nodeText = &top.node->originalText;
        break;
    case Field::TranslatedText:
        nodeText = &top.node->translatedText;
        break;
    default:
        return WrongType("a string");
    }
    if (nodeText) {
        *nodeText = tra_text::FromParsedJson(value);
    } else {
        *target = tra_text::FromParsedJson(value);
    }
    ValueDone();
    return true;
}

bool LanguageSax::start_object(std::size_t)
{
    if (frames.empty()) {
        frames.push_back({Kind::File});
        return true;
    }
    Frame& top = frames.back();
    if (top.kind == Kind::Children) {
        // Readers refuse deeper trees, so such a file could never be opened again.
        if (nodeDepth > CLanguageFile::kMaxTreeDepth) {
            return Fail("the text tree is nested deeper than " +
                        std::to_string(CLanguageFile::kMaxTreeDepth) + " levels");
        }
        auto child = std::make_unique<CTextNode>(top.node);
        CTextNode* raw = child.get();
        top.node->AddChild(std::move(child));
        const std::size_t index = top.count++;
        frames.push_back({Kind::Node, raw});
        frames.back().index = index;
        ++nodeDepth;
        return true;
    }
    if (top.kind == Kind::File && top.pending == Field::Root) {
        language.root = std::make_unique<CTextNode>(nullptr);
        frames.push_back({Kind::Node, language.root.get()});
        ++nodeDepth;
        return true;
    }
    return WrongType("an object");
}

bool LanguageSax::key(json::string_t& name)
{
    Frame& top = frames.back();
    const bool isFile = top.kind == Kind::File;
    const auto& fields = isFile ? std::span<const FieldName>(kFileFields)
                                : std::span<const FieldName>(kNodeFields);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (name == fields[i].name) {
            top.pending = fields[i].field;
            if ((top.seen & (1u << i)) != 0) {
                return Fail("the key appears twice");
            }
            top.seen |= 1u << i;
            return true;
        }
    }
    top.pending = Field::None;
    std::string known;
    for (const auto& field : fields) {
        known += known.empty() ? "" : ", ";
        known += field.name;
    }
    return Fail("unknown key \"" + tra_text::Printable(name, 40) + "\" (expected " + known + ")");
}

bool LanguageSax::end_object()
{
    const Frame& top = frames.back();
    const auto& fields = top.kind == Kind::File ? std::span<const FieldName>(kFileFields)
                                                : std::span<const FieldName>(kNodeFields);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if ((top.seen & (1u << i)) == 0) {
            return Fail(std::string("missing key \"") + fields[i].name + "\"");
        }
    }
    if (top.kind == Kind::Node) {
        --nodeDepth;
    }
    frames.pop_back();
    if (frames.empty()) {
        finished = true;
    } else if (frames.back().kind != Kind::Children) {
        ValueDone();
    }
    return true;
}

bool LanguageSax::start_array(std::size_t)
{
    if (!frames.empty()) {
        Frame& top = frames.back();
        if (top.kind == Kind::File && top.pending == Field::FlagPixels) {
            frames.push_back({Kind::Pixels});
            return true;
        }
        if (top.kind == Kind::Node && top.pending == Field::Children) {
            frames.push_back({Kind::Children, top.node});
            return true;
        }
    }
    return WrongType("an array");
}

bool LanguageSax::end_array()
{
    const Frame top = frames.back();
    frames.pop_back();
    if (top.kind == Kind::Pixels && top.count != language.flagPixels.size()) {
        return Fail("expected 1024 pixels, found " + std::to_string(top.count));
    }
    ValueDone();
    return true;
}

bool LanguageSax::parse_error(std::size_t position, const std::string&,
                              const nlohmann::detail::exception& exception)
{
    // nlohmann's message: "[json.exception.parse_error.101] parse error at line 1, column 2:
    // <reason>". Its place refers to the rewritten text; the caller puts the right one.
    std::string reason = exception.what();
    const std::size_t column = reason.find("column ");
    const std::size_t colon = column == std::string::npos ? std::string::npos : reason.find(": ", column);
    if (colon != std::string::npos) {
        reason = reason.substr(colon + 2);
    }
    // What was last read can be the rest of a huge file: show its start.
    constexpr std::string_view kLastRead = "; last read: '";
    if (const std::size_t at = reason.find(kLastRead); at != std::string::npos) {
        const std::size_t start = at + kLastRead.size();
        const std::size_t end = reason.size() > start && reason.back() == '\'' ? reason.size() - 1 : reason.size();
        reason = reason.substr(0, start) + tra_text::Printable(std::string_view(reason).substr(start, end - start), 40) +
                 "'";
    }
    syntaxError = true;
    errorPosition = position;
    error = reason;
    return false;
}

// "line L, column C" of an offset as nlohmann counts them: the column is the number of
// characters read on the line, including the one that failed.
std::string Place(std::string_view json, std::size_t offset)
{
    offset = std::min(offset, json.size());
    const std::string_view before = json.substr(0, offset);
    const std::size_t line = 1 + static_cast<std::size_t>(std::count(before.begin(), before.end(), '\n'));
    const std::size_t lastBreak = before.rfind('\n');
    const std::size_t column = lastBreak == std::string_view::npos ? offset : offset - lastBreak - 1;
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

} // namespace

JsonReadResult LanguageFromJson(std::string_view json)
{
    const RewrittenJson rewritten(json);
    auto language = std::make_unique<CLanguageFile>();
    LanguageSax sax(*language);
    const bool parsed = nlohmann::json::sax_parse(rewritten.Text(), &sax);
    JsonReadResult result;
    if (sax.IsSyntaxError()) {
        result.error = Place(json, rewritten.OriginalOffset(sax.ErrorPosition())) + ": " + sax.Error();
    } else if (!parsed || !sax.Finished()) {
        result.error = sax.Error().empty() ? "the document is incomplete" : sax.Error();
    } else {
        result.language = std::move(language);
    }
    return result;
}
