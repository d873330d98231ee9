#include "CArchive.h"

#include "CTextArena.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <iterator>

namespace {

constexpr std::uint64_t kProgressStep = 256 * 1024;
// Strings are read in pieces of this size when the file size is unknown, so a
// hostile length never allocates more than the bytes that actually arrive.
constexpr std::size_t kUnboundedChunk = 64 * 1024;

// Windows-1252 has its own characters at 0x80..0x9F; the five unassigned bytes
// map to the C1 controls of the same value, as the system converter does.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::string SystemError(int error) { return error ? std::strerror(error) : "unknown error"; }

void SwapIfBigEndian(char16_t* text, std::size_t count)
{
    if constexpr (std::endian::native != std::endian::little) {
        for (std::size_t i = 0; i < count; ++i)
            text[i] = static_cast<char16_t>((text[i] >> 8) | (text[i] << 8));
    }
}

// UTF-16LE code units straight from a byte buffer.
struct LittleEndianUnits {
    using iterator_category = std::forward_iterator_tag;
    using value_type = char16_t;
    using difference_type = std::ptrdiff_t;
    using pointer = const char16_t*;
    using reference = char16_t;

    const unsigned char* at;

    char16_t operator*() const { return static_cast<char16_t>(at[0] | (at[1] << 8)); }
    LittleEndianUnits& operator++()
    {
        at += 2;
        return *this;
    }
    LittleEndianUnits operator++(int)
    {
        LittleEndianUnits before = *this;
        at += 2;
        return before;
    }
    bool operator==(const LittleEndianUnits&) const = default;
};

} // namespace

std::u16string DecodeWindows1252(const unsigned char* bytes, std::size_t count)
{
    std::u16string text(count, u'\0');
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned char byte = bytes[i];
        text[i] = byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : char16_t{byte};
    }
    return text;
}

CArchiveException::CArchiveException(Cause cause, std::uint64_t offset, const std::string& what)
    : std::runtime_error(what), cause(cause), offset(offset)
{
}

CArchive::CArchive(std::FILE* file, Mode mode, std::uint64_t fileSize, std::size_t bufferSize)
    : file(file), mode(mode), fileSize(fileSize), bufferSize(std::max<std::size_t>(bufferSize, 16)),
      storage(std::make_unique_for_overwrite<unsigned char[]>(this->bufferSize)), buffer(storage.get())
{
}

CArchive::~CArchive()
{
    if (IsStoring() && !closed) {
        try {
            Flush();
        } catch (const CArchiveException&) {
            // A destructor cannot report; callers that care call Close().
        }
    }
}

std::uint64_t CArchive::BytesLeft() const
{
    return fileSize > position ? fileSize - position : 0;
}

void CArchive::SetProgress(ProgressCallback callback, std::uint64_t total)
{
    progress = std::move(callback);
    progressTotal = total;
    nextProgress = kProgressStep;
}

void CArchive::ReportProgress()
{
    if (progress && position >= nextProgress) {
        progress(position, progressTotal);
        nextProgress = position + kProgressStep;
    }
}

void CArchive::Fail(CArchiveException::Cause cause, const std::string& what) const
{
    throw CArchiveException(cause, fieldStart, what);
}

void CArchive::Fill()
{
    bufferPos = 0;
    bufferEnd = std::fread(buffer, 1, bufferSize, file);
    if (bufferEnd == 0) {
        if (std::ferror(file))
            Fail(CArchiveException::Cause::ReadFailed, SystemError(errno));
        Fail(CArchiveException::Cause::EndOfFile, "unexpected end of file");
    }
    ReportProgress();
}

void CArchive::ReadBytes(void* out, std::size_t count)
{
    auto* target = static_cast<unsigned char*>(out);
    while (count > 0) {
        if (bufferPos == bufferEnd)
            Fill();
        const std::size_t piece = std::min(count, bufferEnd - bufferPos);
        std::memcpy(target, buffer + bufferPos, piece);
        bufferPos += piece;
        position += piece;
        target += piece;
        count -= piece;
    }
}

std::uint8_t CArchive::ReadByte()
{
    std::uint8_t value = 0;
    ReadBytes(&value, 1);
    return value;
}

std::uint16_t CArchive::ReadUInt16()
{
    unsigned char bytes[2];
    ReadBytes(bytes, 2);
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

std::uint32_t CArchive::ReadLittle32()
{
    unsigned char bytes[4];
    ReadBytes(bytes, 4);
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
           (static_cast<std::uint32_t>(bytes[2]) << 16) |
           (static_cast<std::uint32_t>(bytes[3]) << 24);
}

bool CArchive::ReadStringHead(std::uint64_t& length)
{
    length = ReadByte();
    if (length != 0xFF)
        return false;
    const std::uint16_t marker = ReadUInt16();
    if (marker == 0xFFFE) {
        length = ReadByte();
        if (length == 0xFF) {
            length = ReadUInt16();
            if (length == 0xFFFF)
                length = ReadLittle32();
        }
        return true;
    }
    length = marker == 0xFFFF ? ReadLittle32() : marker;
    return false;
}

std::u16string_view CArchive::ReadText(CTextArena& arena)
{
    fieldStart = position;
    const unsigned char* head = buffer + bufferPos;
    const std::size_t available = bufferEnd - bufferPos;
    std::uint64_t length = 0;
    std::size_t headSize = 0;
    if (available >= 4 && head[0] == 0xFF && head[1] == 0xFE && head[2] == 0xFF && head[3] < 0xFF) {
        length = head[3];
        headSize = 4;
    } else if (available >= 6 && head[0] == 0xFF && head[1] == 0xFE && head[2] == 0xFF &&
               head[3] == 0xFF && !(head[4] == 0xFF && head[5] == 0xFF)) {
        length = static_cast<std::uint64_t>(head[4] | (head[5] << 8));
        headSize = 6;
    }
    // The usual case: a UTF-16 string that lies wholly in the buffer.
    if (headSize != 0 && available - headSize >= 2 * length) {
        if (length == 0) {
            bufferPos += headSize;
            position += headSize;
            return {};
        }
        char16_t* units = arena.AllocateText(length);
        std::memcpy(units, head + headSize, 2 * length);
        SwapIfBigEndian(units, length);
        units[length] = u'\0';
        bufferPos += headSize + 2 * length;
        position += headSize + 2 * length;
        return {units, static_cast<std::size_t>(length)};
    }

    const std::uint64_t start = position;
    const bool wide = ReadStringHead(length);
    // A wide string of proven length goes straight into the arena; anything else
    // (8-bit, or a length that the file size cannot bound) takes the general path.
    if (wide && fileSize != UINT64_MAX) {
        fieldStart = start;
        if (length * 2 > BytesLeft())
            Fail(CArchiveException::Cause::EndOfFile, "string longer than the rest of the file");
        if (length == 0)
            return {};
        char16_t* units = arena.AllocateText(length);
        ReadBytes(units, 2 * length);
        SwapIfBigEndian(units, length);
        units[length] = u'\0';
        return {units, static_cast<std::size_t>(length)};
    }
    const std::u16string text = ReadBody(start, wide, length);
    return arena.CopyText(text);
}

std::u16string CArchive::ReadString()
{
    const std::uint64_t start = position;
    fieldStart = start;

    // Most strings are short UTF-16 ones that lie wholly in the buffer.
    const unsigned char* head = buffer + bufferPos;
    const std::size_t available = bufferEnd - bufferPos;
    if (available >= 4 && head[0] == 0xFF && head[1] == 0xFE && head[2] == 0xFF && head[3] < 0xFF &&
        available - 4 >= 2u * head[3]) {
        const std::size_t length = head[3];
        // Built straight from the bytes: no zero fill first, no alignment assumed.
        std::u16string text(LittleEndianUnits{head + 4}, LittleEndianUnits{head + 4 + 2 * length});
        bufferPos += 4 + 2 * length;
        position += 4 + 2 * length;
        return text;
    }

    std::uint64_t length = 0;
    const bool wide = ReadStringHead(length);
    return ReadBody(start, wide, length);
}

std::u16string CArchive::ReadBody(std::uint64_t start, bool wide, std::uint64_t length)
{
    fieldStart = start;
    const std::uint64_t byteCount = wide ? length * 2 : length;
    if (byteCount > BytesLeft())
        Fail(CArchiveException::Cause::EndOfFile, "string longer than the rest of the file");

    // With a known file size the length is now proven; otherwise grow as bytes arrive.
    const std::size_t chunk =
        fileSize == UINT64_MAX ? kUnboundedChunk : static_cast<std::size_t>(byteCount);
    if (wide) {
        std::u16string text;
        std::size_t done = 0;
        while (done < length) {
            const std::size_t piece = std::min<std::uint64_t>(chunk / 2 + 1, length - done);
            text.resize(done + piece);
            ReadBytes(text.data() + done, piece * 2);
            done += piece;
        }
        SwapIfBigEndian(text.data(), text.size());
        return text;
    }
    std::u16string text;
    unsigned char bytes[512];
    std::size_t done = 0;
    while (done < length) {
        const std::size_t piece = std::min<std::uint64_t>(sizeof bytes, length - done);
        ReadBytes(bytes, piece);
        text += DecodeWindows1252(bytes, piece);
        done += piece;
    }
    return text;
}

void CArchive::Flush()
{
    if (bufferPos == 0)
        return;
    const std::size_t written = std::fwrite(buffer, 1, bufferPos, file);
    if (written != bufferPos)
        Fail(CArchiveException::Cause::WriteFailed, SystemError(errno));
    bufferPos = 0;
    ReportProgress();
}

void CArchive::WriteBytes(const void* data, std::size_t count)
{
    const auto* source = static_cast<const unsigned char*>(data);
    while (count > 0) {
        if (bufferPos == bufferSize)
            Flush();
        const std::size_t piece = std::min(count, bufferSize - bufferPos);
        std::memcpy(buffer + bufferPos, source, piece);
        bufferPos += piece;
        position += piece;
        source += piece;
        count -= piece;
    }
}

void CArchive::WriteUInt32(std::uint32_t value)
{
    fieldStart = position;
    const unsigned char bytes[4] = {
        static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
        static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
    WriteBytes(bytes, 4);
}

void CArchive::WriteString(std::u16string_view text)
{
    fieldStart = position;
    const std::uint64_t length = text.size();
    if (length > UINT32_MAX)
        Fail(CArchiveException::Cause::WriteFailed, "string too long for the file format");

    unsigned char head[10] = {0xFF, 0xFE, 0xFF};
    std::size_t headSize = 3;
    if (length < 0xFF) {
        head[headSize++] = static_cast<unsigned char>(length);
    } else if (length < 0xFFFE) {
        head[headSize++] = 0xFF;
        head[headSize++] = static_cast<unsigned char>(length);
        head[headSize++] = static_cast<unsigned char>(length >> 8);
    } else {
        head[headSize++] = 0xFF;
        head[headSize++] = 0xFF;
        head[headSize++] = 0xFF;
        for (int shift = 0; shift < 32; shift += 8)
            head[headSize++] = static_cast<unsigned char>(length >> shift);
    }
    WriteBytes(head, headSize);

    if constexpr (std::endian::native == std::endian::little) {
        WriteBytes(text.data(), text.size() * 2);
    } else {
        for (char16_t unit : text) {
            const unsigned char bytes[2] = {static_cast<unsigned char>(unit),
                                            static_cast<unsigned char>(unit >> 8)};
            WriteBytes(bytes, 2);
        }
    }
}

void CArchive::Close()
{
    if (closed)
        return;
    if (IsStoring())
        Flush();
    closed = true;
}
