#pragma once

// Trees written down as text, for golden files: one node a line, two blanks of
// indentation per level, then the original text, a tab, the translated text (the
// original when left out) and optionally the kind code (21 when left out), the
// width and the edit state, tab-separated. "\n", "\r", "\t", "\\" and "\uXXXX"
// are escapes, "" alone is the empty text, and lines starting with "#" are
// comments. The root is implicit.

#include "TestTree.h"

#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace test_tree {

// A field of the golden file (UTF-8, letters of the basic plane) with its escapes.
inline std::u16string Text(std::string_view field)
{
    std::u16string out;
    if (field == "\"\"")
        return out;
    for (std::size_t i = 0; i < field.size();) {
        const unsigned char c = field[i];
        if (c == '\\' && i + 1 < field.size()) {
            const char e = field[i + 1];
            if (e == 'u') {
                out += char16_t(std::stoul(std::string(field.substr(i + 2, 4)), nullptr, 16));
                i += 6;
            } else {
                out += e == 'n' ? u'\n' : e == 'r' ? u'\r' : e == 't' ? u'\t' : char16_t(e);
                i += 2;
            }
            continue;
        }
        const int length = c < 0x80 ? 1 : c < 0xE0 ? 2 : 3;
        char32_t code = length == 1 ? c : length == 2 ? c & 0x1F : c & 0x0F;
        for (int k = 1; k < length; ++k)
            code = (code << 6) | (field[i + k] & 0x3F);
        out += char16_t(code);
        i += length;
    }
    return out;
}

// The tree below an implicit root.
inline std::unique_ptr<CTextNode> ReadTree(const std::string& text)
{
    auto root = std::make_unique<CTextNode>(nullptr);
    std::vector<CTextNode*> parents{root.get()};
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t indent = line.find_first_not_of(' ');
        if (indent == std::string::npos || line[indent] == '#')
            continue;
        parents.resize(indent / 2 + 1);
        std::vector<std::string> fields;
        std::istringstream parts(line.substr(indent));
        for (std::string field; std::getline(parts, field, '\t');)
            fields.push_back(field);
        const std::u16string original = Text(fields[0]);
        parents.push_back(Add(parents.back(), original, fields.size() > 1 ? Text(fields[1]) : original,
                              fields.size() > 2 ? std::stoi(fields[2]) : 21,
                              fields.size() > 3 ? std::stoi(fields[3]) : 0,
                              fields.size() > 4 ? std::uint32_t(std::stoul(fields[4])) : 0u));
    }
    return root;
}

// The two parts of a golden file: before and after its "----" line.
inline std::pair<std::string, std::string> TwoParts(const std::string& text)
{
    const std::size_t split = text.find("----\n");
    if (split == std::string::npos)
        return {text, {}};
    return {text.substr(0, split), text.substr(split + 5)};
}

} // namespace test_tree
