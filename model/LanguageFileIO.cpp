#include "LanguageFileIO.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <new>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

std::string SystemError(int error) { return std::strerror(error); }

FileError MakeError(FileError::Kind kind, std::string detail, std::uint64_t offset = 0)
{
    FileError error;
    error.kind = kind;
    error.offset = offset;
    error.detail = std::move(detail);
    return error;
}

FileError FromArchive(const CArchiveException& failure)
{
    FileError::Kind kind = FileError::Kind::ReadFailed;
    switch (failure.cause) {
    case CArchiveException::Cause::EndOfFile: kind = FileError::Kind::EndOfFile; break;
    case CArchiveException::Cause::ReadFailed: kind = FileError::Kind::ReadFailed; break;
    case CArchiveException::Cause::WriteFailed: kind = FileError::Kind::WriteFailed; break;
    case CArchiveException::Cause::TooDeep: kind = FileError::Kind::TooDeep; break;
    }
    return MakeError(kind, failure.what(), failure.offset);
}

// A new file beside target that nobody else can have opened; the umask applies.
int CreateTemporary(const std::string& target, std::string& name)
{
    std::random_device seed;
    std::mt19937 random(seed());
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = target + ".tmp-";
        for (int i = 0; i < 8; ++i)
            name += kLetters[random() % (sizeof kLetters - 1)];
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

// The rename is durable only once the folder's entry is on disk too.
void SyncFolder(const std::string& target)
{
    std::string folder = std::filesystem::path(target).parent_path().string();
    if (folder.empty())
        folder = ".";
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

std::string FileError::Describe(const std::string& path) const
{
    const std::string file = "\"" + path + "\"";
    switch (kind) {
    case Kind::None: return {};
    case Kind::CannotOpen: return "Cannot open " + file + ": " + detail;
    case Kind::EndOfFile:
        return file + " ends unexpectedly at byte " + std::to_string(offset) + " (" + detail + ")";
    case Kind::ReadFailed: return "Cannot read " + file + ": " + detail;
    case Kind::WriteFailed: return "Cannot write " + file + ": " + detail;
    case Kind::TooDeep: return "Cannot read " + file + ": " + detail;
    }
    return detail;
}

ReadOutcome ReadLanguageFile(const std::string& path, ReadDepth depth,
                             const ProgressCallback& progress)
{
    ReadOutcome outcome;
    FileHandle file(std::fopen(path.c_str(), "rbe"));
    if (!file) {
        outcome.error = MakeError(FileError::Kind::CannotOpen, SystemError(errno));
        return outcome;
    }
    struct stat status {};
    if (::fstat(::fileno(file.get()), &status) != 0) {
        outcome.error = MakeError(FileError::Kind::CannotOpen, SystemError(errno));
        return outcome;
    }
    // Devices and pipes have no size to bound the lengths by, and may never end.
    if (!S_ISREG(status.st_mode)) {
        outcome.error = MakeError(FileError::Kind::CannotOpen, "not a regular file");
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
        outcome.error = MakeError(FileError::Kind::ReadFailed, "out of memory");
        return outcome;
    }
    outcome.wrongMagic = result == SerializeResult::WrongMagic;
    outcome.language = std::move(language);
    return outcome;
}

FileError WriteLanguageFile(const CLanguageFile& language, const std::string& path,
                            const ProgressCallback& progress)
{
    // Replace the file a link points to, not the link.
    std::string target = path;
    std::error_code ignored;
    if (std::filesystem::is_symlink(path, ignored)) {
        const auto resolved = std::filesystem::canonical(path, ignored);
        if (!ignored)
            target = resolved.string();
    }

    // The rename would replace a file that the user may not write, which a
    // direct write refuses: ask the file itself, as that write would.
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && S_ISREG(existing.st_mode)) {
        const int probe = ::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (probe < 0)
            return MakeError(FileError::Kind::CannotOpen, SystemError(errno));
        ::close(probe);
    }

    std::string temporary;
    const int fd = CreateTemporary(target, temporary);
    if (fd < 0)
        return MakeError(FileError::Kind::CannotOpen, SystemError(errno));

    auto fail = [&temporary](FileError error) {
        ::unlink(temporary.c_str());
        return error;
    };

    if (exists && ::fchmod(fd, existing.st_mode & 07777) != 0) {
        const int error = errno;
        ::close(fd);
        return fail(MakeError(FileError::Kind::WriteFailed, SystemError(error)));
    }

    FileHandle file(::fdopen(fd, "wb"));
    if (!file) {
        const int error = errno;
        ::close(fd);
        return fail(MakeError(FileError::Kind::WriteFailed, SystemError(error)));
    }
    try {
        CArchive ar(file.get(), CArchive::Mode::Store, UINT64_MAX, CArchive::kLargeBufferSize);
        if (progress)
            ar.SetProgress(progress, language.StoredSize());
        language.Store(ar);
        ar.Close();
    } catch (const CArchiveException& failure) {
        file.reset();
        return fail(FromArchive(failure));
    } catch (const std::bad_alloc&) {
        file.reset();
        return fail(MakeError(FileError::Kind::WriteFailed, "out of memory"));
    }
    if (std::fflush(file.get()) != 0 || ::fsync(fd) != 0) {
        const int error = errno;
        file.reset();
        return fail(MakeError(FileError::Kind::WriteFailed, SystemError(error)));
    }
    if (std::fclose(file.release()) != 0) {
        const int error = errno;
        return fail(MakeError(FileError::Kind::WriteFailed, SystemError(error)));
    }
    if (std::rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = errno;
        return fail(MakeError(FileError::Kind::WriteFailed, SystemError(error)));
    }
    SyncFolder(target);
    return {};
}
