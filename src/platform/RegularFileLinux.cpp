#include "platform/RegularFile.h"
#include "platform/SystemFile.h"

#include <QFile>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <optional>
#include <vector>

namespace quillomat {
namespace {

FileStamp stampFrom(const struct stat& info)
{
    constexpr std::int64_t nsPerSecond = 1'000'000'000;
    return {info.st_size, std::int64_t(info.st_mtim.tv_sec) * nsPerSecond + info.st_mtim.tv_nsec,
            std::int64_t(info.st_ctim.tv_sec) * nsPerSecond + info.st_ctim.tv_nsec,
            std::uint64_t(info.st_dev), std::uint64_t(info.st_ino)};
}

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

std::optional<FileStamp> regularFileStamp(const QString& path)
{
    struct stat info = {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &info) != 0 ||
        !S_ISREG(info.st_mode))
        return std::nullopt;
    return stampFrom(info);
}

namespace systemfile {

Handle openForReading(const QString& path, bool& missing, QString& reason)
{
    // Non-blocking, so that opening a named pipe does not wait for a writer.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        missing = errno == ENOENT;
        reason = systemReason(errno);
        return kNoHandle;
    }
    return fd;
}

std::optional<FileStamp> stampOf(Handle handle)
{
    struct stat info = {};
    if (::fstat(int(handle), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return stampFrom(info);
}

std::int64_t readSome(Handle handle, char* into, std::int64_t size, QString& reason)
{
    for (;;) {
        const ssize_t got = ::read(int(handle), into, std::size_t(size));
        if (got >= 0)
            return got;
        if (errno != EINTR) {
            reason = systemReason(errno);
            return -1;
        }
    }
}

namespace {

// cachestat (Linux 6.5) counts a file's pages in memory in one call; the C library has no
// wrapper yet, and the kernel headers of older systems no number for it.
#if defined(__x86_64__) || defined(__aarch64__)
constexpr long kCachestat = 451;
#else
constexpr long kCachestat = -1;
#endif
struct CachestatRange
{
    std::uint64_t offset, length;
};
struct Cachestat
{
    std::uint64_t cached, dirty, writeback, evicted, recentlyEvicted;
};
std::atomic<bool> cachestatMissing = kCachestat < 0;

// True or false where cachestat tells, nullopt where the kernel lacks it.
std::optional<bool> cachedByCachestat(int fd, std::int64_t size, long page)
{
    if (cachestatMissing.load(std::memory_order_relaxed))
        return std::nullopt;
    CachestatRange range{0, std::uint64_t(size)};
    Cachestat counts{};
    if (::syscall(kCachestat, fd, &range, &counts, 0) != 0) {
        if (errno == ENOSYS)
            cachestatMissing = true;
        return errno == ENOSYS ? std::nullopt : std::optional<bool>(false);
    }
    return counts.cached >= std::uint64_t((size + page - 1) / page);
}

// mincore on a mapping of the file, for kernels without cachestat.
bool cachedByMincore(int fd, std::int64_t size, long page)
{
    void* mapped = ::mmap(nullptr, std::size_t(size), PROT_READ, MAP_SHARED, fd, 0);
    if (mapped == MAP_FAILED)
        return false;
    std::vector<unsigned char> resident(std::size_t((size + page - 1) / page));
    const bool known = ::mincore(mapped, std::size_t(size), resident.data()) == 0;
    ::munmap(mapped, std::size_t(size));
    return known && std::all_of(resident.begin(), resident.end(),
                                [](unsigned char pageState) { return pageState & 1; });
}

} // namespace

bool isInMemory(Handle handle, std::int64_t size)
{
    // Asked without reading: a read that must not wait (RWF_NOWAIT) would start the read-ahead
    // of the pages it misses from the medium.
    if (size <= 0)
        return true;
    static const long page = ::sysconf(_SC_PAGESIZE);
    if (const std::optional<bool> cached = cachedByCachestat(int(handle), size, page))
        return *cached;
    return cachedByMincore(int(handle), size, page);
}

void close(Handle handle)
{
    ::close(int(handle));
}

} // namespace systemfile
} // namespace quillomat
