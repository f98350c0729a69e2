#include "platform/MediumOrder.h"

#include <QFile>

#include <fcntl.h>
#include <linux/fiemap.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace quillomat {

std::optional<quint64> physicalOffset(const QString& path)
{
    // O_NONBLOCK: a named pipe in place of a file must not wait for a writer.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    // Room for the first extent only: that is where reading the file starts.
    alignas(fiemap) unsigned char buffer[sizeof(fiemap) + sizeof(fiemap_extent)] = {};
    auto* map = reinterpret_cast<fiemap*>(buffer);
    map->fm_start = 0;
    map->fm_length = FIEMAP_MAX_OFFSET;
    map->fm_extent_count = 1;
    const int result = ::ioctl(fd, FS_IOC_FIEMAP, map);
    ::close(fd);
    // Data kept inline or not yet placed has no position of its own.
    if (result != 0 || map->fm_mapped_extents == 0 ||
        (map->fm_extents[0].fe_flags & (FIEMAP_EXTENT_UNKNOWN | FIEMAP_EXTENT_DATA_INLINE)))
        return std::nullopt;
    return quint64(map->fm_extents[0].fe_physical);
}

} // namespace quillomat
