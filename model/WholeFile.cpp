#include "WholeFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <new>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string SystemError(int error) { return std::strerror(error); }

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

std::string FolderOf(const std::string& target)
{
    const std::string folder = std::filesystem::path(target).parent_path().string();
    return folder.empty() ? "." : folder;
}

// The rename is durable only once the folder's entry is on disk too.
void SyncFolder(const std::string& target)
{
    const int fd = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

FileError MakeFileError(FileError::Kind kind, std::string detail, std::uint64_t offset)
{
    FileError error;
    error.kind = kind;
    error.offset = offset;
    error.detail = std::move(detail);
    return error;
}

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

FileError ReadWholeFile(const std::string& path, std::string& bytes)
{
    bytes.clear();
    // Non-blocking, so that opening a pipe without a writer does not wait; it is refused below.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return MakeFileError(FileError::Kind::CannotOpen, SystemError(errno));
    FileError error;
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        error = MakeFileError(FileError::Kind::CannotOpen, SystemError(errno));
    } else if (S_ISDIR(status.st_mode)) {
        error = MakeFileError(FileError::Kind::CannotOpen, SystemError(EISDIR));
    } else if (!S_ISREG(status.st_mode)) {
        // Devices and pipes may never end.
        error = MakeFileError(FileError::Kind::CannotOpen, "not a regular file");
    } else {
        try {
            bytes.reserve(static_cast<std::size_t>(status.st_size));
            std::string block(1 << 20, '\0');
            for (;;) {
                const ssize_t got = ::read(fd, block.data(), block.size());
                if (got < 0 && errno == EINTR)
                    continue;
                if (got < 0) {
                    error = MakeFileError(FileError::Kind::ReadFailed, SystemError(errno), bytes.size());
                    break;
                }
                if (got == 0)
                    break;
                bytes.append(block.data(), static_cast<std::size_t>(got));
            }
        } catch (const std::bad_alloc&) {
            error = MakeFileError(FileError::Kind::ReadFailed, "out of memory", bytes.size());
        } catch (const std::length_error&) {
            error = MakeFileError(FileError::Kind::ReadFailed, "out of memory", bytes.size());
        }
    }
    ::close(fd);
    if (error)
        bytes.clear();
    return error;
}

FileError ReplaceFile(const std::string& path, const std::function<FileError(std::FILE*)>& write)
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
            return MakeFileError(FileError::Kind::CannotOpen, SystemError(errno));
        ::close(probe);
    }

    std::string temporary;
    const int fd = CreateTemporary(target, temporary);
    if (fd < 0) {
        const int error = errno;
        if (error == EACCES || error == EROFS || error == EPERM)
            return MakeFileError(FileError::Kind::CannotOpen,
                                 "the folder \"" + FolderOf(target) + "\" is read-only (" + SystemError(error) + ")");
        return MakeFileError(FileError::Kind::CannotOpen, SystemError(error));
    }

    auto fail = [&temporary](FileError error) {
        ::unlink(temporary.c_str());
        return error;
    };

    if (exists && ::fchmod(fd, existing.st_mode & 07777) != 0) {
        const int error = errno;
        ::close(fd);
        return fail(MakeFileError(FileError::Kind::WriteFailed, SystemError(error)));
    }

    std::FILE* file = ::fdopen(fd, "wb");
    if (file == nullptr) {
        const int error = errno;
        ::close(fd);
        return fail(MakeFileError(FileError::Kind::WriteFailed, SystemError(error)));
    }
    FileError written;
    try {
        written = write(file);
    } catch (const std::bad_alloc&) {
        written = MakeFileError(FileError::Kind::WriteFailed, "out of memory");
    }
    if (!written && (std::fflush(file) != 0 || ::fsync(fd) != 0))
        written = MakeFileError(FileError::Kind::WriteFailed, SystemError(errno));
    if (std::fclose(file) != 0 && !written)
        written = MakeFileError(FileError::Kind::WriteFailed, SystemError(errno));
    if (written)
        return fail(written);
    if (std::rename(temporary.c_str(), target.c_str()) != 0)
        return fail(MakeFileError(FileError::Kind::WriteFailed, SystemError(errno)));
    SyncFolder(target);
    return {};
}

FileError WriteWholeFile(const std::string& path, const std::string& bytes)
{
    return ReplaceFile(path, [&bytes](std::FILE* file) {
        if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size())
            return MakeFileError(FileError::Kind::WriteFailed, SystemError(errno));
        return FileError{};
    });
}
