#include "platform/ResidentProgram.h"

#include <QFile>

#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace quillomat {
namespace {

struct Mapping
{
    char* start = nullptr;
    std::size_t length = 0;
    bool readable = false, writable = false, executable = false;
    dev_t device = 0;
    bool hasFile = false;
};

// One line of /proc/self/maps: "start-end perms offset major:minor inode path".
bool parseMapping(const char* line, Mapping* mapping)
{
    unsigned long long start = 0, end = 0, offset = 0, inode = 0;
    unsigned major = 0, minor = 0;
    char perms[5] = {};
    if (std::sscanf(line, "%llx-%llx %4s %llx %x:%x %llu", &start, &end, perms, &offset, &major,
                    &minor, &inode) != 7)
        return false;
    mapping->start = reinterpret_cast<char*>(start);
    mapping->length = std::size_t(end - start);
    mapping->readable = perms[0] == 'r';
    mapping->writable = perms[1] == 'w';
    mapping->executable = perms[2] == 'x';
    mapping->device = makedev(major, minor);
    mapping->hasFile = inode != 0;
    return true;
}

// A read-only region gets an anonymous copy of itself in its place: the same bytes at the same
// addresses, which no longer depend on the file. Nobody writes to it, so the copy cannot miss
// a change, and the switch is one step for the threads that run in it.
bool replaceWithCopy(const Mapping& mapping)
{
    void* copy =
        ::mmap(nullptr, mapping.length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (copy == MAP_FAILED)
        return false;
    std::memcpy(copy, mapping.start, mapping.length);
    const int protection = PROT_READ | (mapping.executable ? PROT_EXEC : 0);
    if (::mprotect(copy, mapping.length, protection) != 0 ||
        ::mremap(copy, mapping.length, mapping.length, MREMAP_MAYMOVE | MREMAP_FIXED,
                 mapping.start) == MAP_FAILED) {
        ::munmap(copy, mapping.length);
        return false;
    }
    return true;
}

// Locking reads every page in and keeps it: the kernel drops no locked page under memory
// pressure, and nothing is copied. It fails past the limit of locked memory (RLIMIT_MEMLOCK, a
// few megabytes for most users); read-only regions are then copied instead, and writable ones
// are made private copies page by page, which their writers see as their own.
bool holdInMemory(const Mapping& mapping, bool* copied)
{
    if (::mlock(mapping.start, mapping.length) == 0)
        return true;
    *copied = true;
    if (!mapping.writable)
        return replaceWithCopy(mapping);
#ifdef MADV_POPULATE_WRITE
    return ::madvise(mapping.start, mapping.length, MADV_POPULATE_WRITE) == 0;
#else
    return false;
#endif
}

} // namespace

ResidentProgramReport keepProgramInMemory(const QString& programFolder, const PieceGate& gate)
{
    ResidentProgramReport report;
    struct stat folder = {}, systemRoot = {};
    if (::stat(QFile::encodeName(programFolder).constData(), &folder) != 0)
        return report;
    // A program on the system's own volume cannot lose its medium while the system runs; holding
    // it would only lock the system's shared libraries into this process.
    if (::stat("/", &systemRoot) == 0 && systemRoot.st_dev == folder.st_dev)
        return report;
    // The list is read whole first: changing mappings while reading it would shift its lines.
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return report;
    const QList<QByteArray> lines = maps.readAll().split('\n');
    maps.close();
    for (const QByteArray& line : lines) {
        Mapping mapping;
        // Only regions of files on the program's volume; a region without access is a gap
        // between a library's parts and holds nothing.
        if (!parseMapping(line.constData(), &mapping) || !mapping.hasFile ||
            mapping.device != folder.st_dev || !mapping.readable)
            continue;
        ++report.regions;
        bool held = true, copied = false;
        for (std::size_t offset = 0; offset < mapping.length; offset += kResidentPieceBytes) {
            Mapping piece = mapping;
            piece.start += offset;
            piece.length = std::min(kResidentPieceBytes, mapping.length - offset);
            const bool turn = gate([&] { held = holdInMemory(piece, &copied) && held; });
            if (!turn)
                return report;
        }
        report.copied += int(copied);
        if (held)
            report.bytes += qint64(mapping.length);
        else
            ++report.failed;
    }
    return report;
}

} // namespace quillomat
