#pragma once

#include "CArchive.h"
#include "CLanguageFile.h"

#include <cstdint>
#include <memory>
#include <string>

// Why a whole-file operation failed; the caller turns it into a message.
struct FileError {
    enum class Kind { None, CannotOpen, EndOfFile, ReadFailed, WriteFailed, TooDeep };
    Kind kind = Kind::None;
    std::uint64_t offset = 0;   // where reading stopped
    std::string detail;         // system error text or what was being read

    explicit operator bool() const { return kind != Kind::None; }
    std::string Describe(const std::string& path) const;
};

struct ReadOutcome {
    std::unique_ptr<CLanguageFile> language; // null on a file error
    bool wrongMagic = false;                  // the file is not a language file: no tree
    FileError error;
};

enum class ReadDepth { Whole, Header, HeaderAndFlag };

ReadOutcome ReadLanguageFile(const std::string& path, ReadDepth depth = ReadDepth::Whole,
                             const ProgressCallback& progress = {});

// Writes to a temporary file beside path and renames it over path, so a failed
// write leaves the old file as it was.
FileError WriteLanguageFile(const CLanguageFile& language, const std::string& path,
                            const ProgressCallback& progress = {});
