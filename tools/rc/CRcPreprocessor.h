#pragma once

#include "CRcSymbols.h"
#include "CRcToken.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Reads a resource script and the headers it includes, and turns it into the
// tokens the parser reads: comments removed, #include, #define, #undef and
// the conditionals (#if, #ifdef, #ifndef, #elif, #else, #endif) carried out,
// object-like macros expanded. Each token keeps its file and line.
class CRcPreprocessor {
public:
    explicit CRcPreprocessor(CRcSymbols& symbols, std::vector<std::string> includeDirs = {});

    // Throws CRcError on bad input, with the file and line.
    std::vector<CRcToken> ProcessFile(const std::string& path);
    std::vector<CRcToken> ProcessText(const std::string& name, std::string_view text);

    // For scripts of other programs: an include file that is not there is skipped with a
    // warning (its constants are then undefined) instead of ending the run.
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

    void Process(const std::string& name, std::string_view bytes, int depth,
                 std::vector<CRcToken>& out);
    void Directive(const std::shared_ptr<const std::string>& file, int line,
                   std::string_view text, int depth, std::vector<Conditional>& conditionals,
                   int& codePage, std::vector<CRcToken>& out);
    void Include(const std::shared_ptr<const std::string>& file, int line, std::string_view rest,
                 int depth, std::vector<CRcToken>& out);
    void Define(const std::shared_ptr<const std::string>& file, int line, std::string_view rest,
                int codePage);
    bool EvaluateCondition(const std::shared_ptr<const std::string>& file, int line,
                           std::string_view rest, int codePage);
    std::vector<CRcToken> Tokenize(const std::shared_ptr<const std::string>& file, int line,
                                   std::string_view text, int codePage) const;
    void Expand(const CRcToken& token, std::vector<CRcToken>& out,
                std::vector<std::string>& expanding, int line,
                const std::shared_ptr<const std::string>& file, std::size_t lineStart) const;

    CRcSymbols& symbols;
    std::vector<std::string> includeDirs;
    std::vector<std::string> warnings;
    std::vector<std::string> filesRead;
    bool skipMissingIncludes = false;
};
