#pragma once

#include "CRcSymbols.h"
#include "CRcToken.h"

#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Reads a resource script and the headers it includes, and turns it into the
// tokens the parser reads: comments removed, #include, #define, #undef and
// the conditionals (#if, #ifdef, #ifndef, #elif, #else, #endif) carried out,
// macros expanded as a C preprocessor does (function-like ones with their
// arguments, # and ##). Each token keeps its file and line.
class CRcPreprocessor {
public:
    explicit CRcPreprocessor(CRcSymbols& symbols, std::vector<std::string> includeDirs = {});

    // Throws CRcError on bad input, with the file and line.
    std::vector<CRcToken> ProcessFile(const std::string& path);
    std::vector<CRcToken> ProcessText(const std::string& name, std::string_view text);

    // For scripts of other programs: an include file in <> that is not there is skipped
    // with a warning (its constants are then undefined) instead of ending the run.
    void SetSkipMissingIncludes(bool skip) { skipMissingIncludes = skip; }

    const std::vector<std::string>& Warnings() const { return warnings; }
    // Every file read, the script first: what the output depends on.
    const std::vector<std::string>& FilesRead() const { return filesRead; }

private:
    struct Conditional {
        bool parentActive;
        bool active;
        bool taken; // some branch of this #if was active
        bool elseSeen;
        int line;
    };
    // The file being read and the code page its strings are in.
    struct FileState {
        std::shared_ptr<const std::string> file;
        int codePage;
        int depth;
    };
    // The macros a token came out of, which it must not call again.
    using HideSet = std::shared_ptr<const std::vector<std::string>>;
    struct Pending {
        CRcToken token;
        HideSet hide;
        bool fromMacro = false;
    };
    using Tokens = std::vector<Pending>;

    void Process(const std::string& name, std::string_view bytes, int depth, int codePage,
                 std::vector<CRcToken>& out);
    void Directive(FileState& state, int line, std::string_view text,
                   std::vector<Conditional>& conditionals, std::vector<CRcToken>& out);
    void Include(const FileState& state, int line, std::string_view rest, std::vector<CRcToken>& out);
    void Define(const FileState& state, int line, std::string_view rest);
    void Pragma(FileState& state, int line, std::string_view rest);
    bool EvaluateCondition(const FileState& state, int line, std::string_view rest);
    std::vector<CRcToken> Tokenize(const std::shared_ptr<const std::string>& file, int line,
                                   std::string_view text, int codePage);
    void Warn(const std::string& file, int line, const std::string& message);

    // Macro expansion (CRcMacroExpansion.cpp).
    void ExpandInto(std::vector<CRcToken> tokens, std::vector<CRcToken>& out);
    void Expand(Tokens input, Tokens& out, int depth);
    std::vector<Tokens> Arguments(std::deque<Pending>& work, const CRcToken& use,
                                  const CRcSymbols::Macro& macro);
    Tokens Substitute(const CRcSymbols::Macro& macro, std::vector<Tokens>& arguments,
                      const Pending& use, int depth);
    CRcToken Paste(const CRcToken& left, const CRcToken& right);

    CRcSymbols& symbols;
    std::vector<std::string> includeDirs;
    std::vector<std::string> warnings;
    std::vector<std::string> filesRead;
    bool skipMissingIncludes = false;
};
