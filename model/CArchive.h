#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

class CTextArena;

// Progress of long reads and writes: bytes done and total (0 when unknown).
using ProgressCallback = std::function<void(std::uint64_t done, std::uint64_t total)>;

// Thrown when a file ends before a field is complete, or a read/write fails.
class CArchiveException : public std::runtime_error {
public:
    enum class Cause { EndOfFile, ReadFailed, WriteFailed, TooDeep };
    CArchiveException(Cause cause, std::uint64_t offset, const std::string& what);
    Cause cause;
    std::uint64_t offset; // byte offset in the file where the failing field starts
};

// Buffered reader/writer of the language file's two primitives (32-bit number,
// string) over an open file. The buffer is 4096 bytes; Close() flushes.
class CArchive {
public:
    enum class Mode { Load, Store };
    static constexpr std::size_t kBufferSize = 4096;
    // Whole-file reads and writes take the file in blocks of this size.
    static constexpr std::size_t kLargeBufferSize = 256 * 1024;

    // The archive does not own file. fileSize bounds every length read from it,
    // so a hostile length fails at once instead of allocating.
    CArchive(std::FILE* file, Mode mode, std::uint64_t fileSize = UINT64_MAX,
             std::size_t bufferSize = kBufferSize);
    ~CArchive();

    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    bool IsLoading() const { return mode == Mode::Load; }
    bool IsStoring() const { return mode == Mode::Store; }

    // Inline: a language file is mostly numbers and short strings, read one by one.
    std::uint32_t ReadUInt32()
    {
        fieldStart = position;
        if (bufferEnd - bufferPos < 4)
            return ReadLittle32();
        const unsigned char* bytes = buffer + bufferPos;
        bufferPos += 4;
        position += 4;
        return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
               (static_cast<std::uint32_t>(bytes[2]) << 16) |
               (static_cast<std::uint32_t>(bytes[3]) << 24);
    }
    std::int32_t ReadInt32() { return static_cast<std::int32_t>(ReadUInt32()); }
    std::u16string ReadString();
    // The same string, its characters (and a terminating zero) placed in arena.
    std::u16string_view ReadText(CTextArena& arena);

    void WriteUInt32(std::uint32_t value);
    void WriteInt32(std::int32_t value) { WriteUInt32(static_cast<std::uint32_t>(value)); }
    void WriteString(std::u16string_view text);

    // Called about every 256 KiB of file traffic.
    void SetProgress(ProgressCallback callback, std::uint64_t total);

    // Flushes a storing archive. The file stays open: it belongs to the caller.
    void Close();
    // Bytes consumed (loading) or produced (storing) so far.
    std::uint64_t Position() const { return position; }
    std::uint64_t BytesLeft() const;

private:
    std::uint8_t ReadByte();
    std::uint16_t ReadUInt16();
    std::uint32_t ReadLittle32();
    // Reads a string's head; true for UTF-16, false for the 8-bit form.
    bool ReadStringHead(std::uint64_t& length);
    // The characters of a string whose head began at start.
    std::u16string ReadBody(std::uint64_t start, bool wide, std::uint64_t length);
    void ReadBytes(void* out, std::size_t count);
    void WriteBytes(const void* data, std::size_t count);
    void Fill();
    void Flush();
    void ReportProgress();
    [[noreturn]] void Fail(CArchiveException::Cause cause, const std::string& what) const;

    std::FILE* file;
    Mode mode;
    std::uint64_t fileSize;
    std::uint64_t position = 0;
    std::size_t bufferSize;
    std::unique_ptr<unsigned char[]> storage;
    unsigned char* buffer;
    std::size_t bufferPos = 0;
    std::size_t bufferEnd = 0;
    bool closed = false;
    std::uint64_t fieldStart = 0; // where the field being read or written began
    ProgressCallback progress;
    std::uint64_t progressTotal = 0;
    std::uint64_t nextProgress = 0;
};

// 8-bit strings of old files are decoded as Windows-1252.
std::u16string DecodeWindows1252(const unsigned char* bytes, std::size_t count);
