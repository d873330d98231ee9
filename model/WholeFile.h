#pragma once

// Whole files in and out: one reader and one atomic writer for everything that
// reads or writes a file at once (language files, and the command-line tool's
// JSON, PO, XLIFF and resource scripts).

#include <cstdint>
#include <cstdio>
#include <functional>
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

FileError MakeFileError(FileError::Kind kind, std::string detail, std::uint64_t offset = 0);

// The bytes of a regular file, read to its end whatever size it claims (files of
// /proc claim none); a folder, device or pipe is refused.
FileError ReadWholeFile(const std::string& path, std::string& bytes);

// Writes a new file beside path with write and renames it over path, so a failed
// write leaves the old file as it was. A link is followed (its target is replaced,
// the link stays), an existing file keeps its mode, and a file that the user may
// not write is refused as a direct write would refuse it. Everything is on disk
// before the rename.
FileError ReplaceFile(const std::string& path, const std::function<FileError(std::FILE*)>& write);

FileError WriteWholeFile(const std::string& path, const std::string& bytes);
