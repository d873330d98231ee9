#include "CFileStamp.h"

#include <sys/stat.h>

CFileStamp CFileStamp::Of(const std::string& path)
{
    CFileStamp stamp;
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return stamp;
    stamp.m_exists = true;
    stamp.m_device = std::uint64_t(status.st_dev);
    stamp.m_inode = std::uint64_t(status.st_ino);
    stamp.m_size = std::int64_t(status.st_size);
    stamp.m_seconds = std::int64_t(status.st_mtim.tv_sec);
    stamp.m_nanoseconds = std::int64_t(status.st_mtim.tv_nsec);
    return stamp;
}
