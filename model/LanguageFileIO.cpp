#include "LanguageFileIO.h"

#include <cerrno>
#include <cstring>
#include <new>

#include <sys/stat.h>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

std::string SystemError(int error) { return std::strerror(error); }

FileError FromArchive(const CArchiveException& failure)
{
    FileError::Kind kind = FileError::Kind::ReadFailed;
    switch (failure.cause) {
    case CArchiveException::Cause::EndOfFile: kind = FileError::Kind::EndOfFile; break;
    case CArchiveException::Cause::ReadFailed: kind = FileError::Kind::ReadFailed; break;
    case CArchiveException::Cause::WriteFailed: kind = FileError::Kind::WriteFailed; break;
    case CArchiveException::Cause::TooDeep: kind = FileError::Kind::TooDeep; break;
    }
    return MakeFileError(kind, failure.what(), failure.offset);
}

} // namespace

ReadOutcome ReadLanguageFile(const std::string& path, ReadDepth depth,
                             const ProgressCallback& progress)
{
    ReadOutcome outcome;
    FileHandle file(std::fopen(path.c_str(), "rbe"));
    if (!file) {
        outcome.error = MakeFileError(FileError::Kind::CannotOpen, SystemError(errno));
        return outcome;
    }
    struct stat status {};
    if (::fstat(::fileno(file.get()), &status) != 0) {
        outcome.error = MakeFileError(FileError::Kind::CannotOpen, SystemError(errno));
        return outcome;
    }
    // Devices and pipes have no size to bound the lengths by, and may never end.
    if (!S_ISREG(status.st_mode)) {
        outcome.error = MakeFileError(FileError::Kind::CannotOpen, "not a regular file");
        return outcome;
    }
    const auto size = static_cast<std::uint64_t>(status.st_size);
    // The archive buffers; a second buffer underneath would only copy every byte twice.
    std::setvbuf(file.get(), nullptr, _IONBF, 0);

    auto language = std::make_unique<CLanguageFile>();
    SerializeResult result = SerializeResult::Ok;
    try {
        // A whole file is read in large blocks; a header needs only its first bytes.
        CArchive ar(file.get(), CArchive::Mode::Load, size,
                    depth == ReadDepth::Whole ? CArchive::kLargeBufferSize : CArchive::kBufferSize);
        if (progress)
            ar.SetProgress(progress, size);
        switch (depth) {
        case ReadDepth::Whole: result = language->Serialize(ar); break;
        case ReadDepth::Header: result = language->LoadHeader(ar); break;
        case ReadDepth::HeaderAndFlag: result = language->LoadHeaderAndFlag(ar); break;
        }
        ar.Close();
    } catch (const CArchiveException& failure) {
        outcome.error = FromArchive(failure);
        return outcome;
    } catch (const std::bad_alloc&) {
        outcome.error = MakeFileError(FileError::Kind::ReadFailed, "out of memory");
        return outcome;
    }
    outcome.wrongMagic = result == SerializeResult::WrongMagic;
    outcome.language = std::move(language);
    return outcome;
}

FileError WriteLanguageFile(const CLanguageFile& language, const std::string& path,
                            const ProgressCallback& progress)
{
    return ReplaceFile(path, [&](std::FILE* file) {
        try {
            CArchive ar(file, CArchive::Mode::Store, UINT64_MAX, CArchive::kLargeBufferSize);
            if (progress)
                ar.SetProgress(progress, language.StoredSize());
            language.Store(ar);
            ar.Close();
        } catch (const CArchiveException& failure) {
            return FromArchive(failure);
        }
        return FileError{};
    });
}
