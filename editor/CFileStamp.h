#pragma once

// What identifies the state of a file on disk: its identity (device and
// inode), size and modification time. The document takes one whenever it has
// read or written its file, and compares before it writes over it again, so
// that a change made by another program in between is not overwritten unseen.

#include <cstdint>
#include <string>

class CFileStamp {
public:
    // The file's state now (through links); an empty stamp when it is missing.
    static CFileStamp Of(const std::string& path);

    bool Exists() const { return m_exists; }
    bool operator==(const CFileStamp& other) const = default;

private:
    bool m_exists = false;
    std::uint64_t m_device = 0;
    std::uint64_t m_inode = 0;
    std::int64_t m_size = 0;
    std::int64_t m_seconds = 0;
    std::int64_t m_nanoseconds = 0;
};
