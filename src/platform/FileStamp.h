#pragma once

#include <cstdint>

namespace quillomat {

// What tells one state of a file from another: size, times of the last write and of the last
// change of its metadata, and its identity (volume and file number).
struct FileStamp
{
    std::int64_t size = -1;
    std::int64_t modifiedNs = 0;
    std::int64_t changedNs = 0;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const FileStamp&) const = default;
};

} // namespace quillomat
