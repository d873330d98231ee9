#pragma once

#include "CArchive.h"
#include "CLanguageFile.h"
#include "WholeFile.h"

#include <cstdint>
#include <memory>
#include <string>

struct ReadOutcome {
    std::unique_ptr<CLanguageFile> language; // null on a file error
    bool wrongMagic = false;                  // the file is not a language file: no tree
    FileError error;
};

enum class ReadDepth { Whole, Header, HeaderAndFlag };

ReadOutcome ReadLanguageFile(const std::string& path, ReadDepth depth = ReadDepth::Whole,
                             const ProgressCallback& progress = {});

// Writes through ReplaceFile, so a failed write leaves the old file as it was.
FileError WriteLanguageFile(const CLanguageFile& language, const std::string& path,
                            const ProgressCallback& progress = {});
