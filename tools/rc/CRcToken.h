#pragma once

#include <cstdint>
#include <memory>
#include <string>

// One token of a resource script after preprocessing, with the place it came
// from (for a token out of a macro: the place the macro was used).
class CRcToken {
public:
    enum class Kind { Identifier, Number, String, Punct, End };

    Kind kind = Kind::End;
    // As written: an identifier, punctuation, a number's spelling; a string literal with
    // its quotes and escapes, in UTF-8 (what stringizing and pasting work on).
    std::string text;
    std::u16string value;    // a string literal's decoded text
    std::int64_t number = 0; // a number's value
    std::shared_ptr<const std::string> file;
    int line = 0;
    bool spaceBefore = false; // white space before it on its line: stringizing keeps one blank

    bool Is(Kind k, std::string_view t) const { return kind == k && text == t; }
    bool IsPunct(std::string_view t) const { return Is(Kind::Punct, t); }
    // Keywords of the script are case-sensitive upper case, as rc writes them.
    bool IsKeyword(std::string_view t) const { return Is(Kind::Identifier, t); }
    const std::string& FileName() const {
        static const std::string none = "<input>";
        return file ? *file : none;
    }
};
