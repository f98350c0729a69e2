// The version resource of a Windows program: PE headers, then the resource directory down to
// RT_VERSION, then the VS_VERSIONINFO tree of keyed blocks.

#include "installers/Bytes.h"
#include "installers/InstallerInfo.h"

#include <QMap>

namespace quillomat {
namespace {

using bytes::le16;
using bytes::le32;

// A resource section larger than this is not read: version resources sit in the first few
// kilobytes, and the whole section is held in memory while its tree is walked.
constexpr qint64 kMaxResourceSection = 64 * 1024 * 1024;
constexpr std::uint32_t kVersionResourceType = 16;
constexpr int kMaxBlockDepth = 8;

struct Section
{
    std::uint32_t virtualAddress = 0, rawSize = 0, rawOffset = 0;
};

// The resource section's bytes and the address its offsets count from.
struct Resources
{
    QByteArray data;
    std::uint32_t base = 0; // the section's virtual address
    std::uint32_t root = 0; // the resource directory's offset in data
};

std::optional<Resources> readResourceSection(QIODevice& file)
{
    const std::optional<QByteArray> dos = bytes::readAt(file, 0, 64);
    if (!dos || !dos->startsWith("MZ"))
        return std::nullopt;
    const std::uint32_t pe = *le32(*dos, 0x3C);
    const std::optional<QByteArray> headers = bytes::readAt(file, pe, 24 + 240);
    if (!headers || !headers->startsWith(QByteArrayView("PE\0\0", 4)))
        return std::nullopt;
    const std::uint32_t sectionCount = *le16(*headers, 6);
    const std::uint32_t optionalSize = *le16(*headers, 20);
    const std::uint32_t magic = *le16(*headers, 24);
    const qint64 directories = magic == 0x20B ? 24 + 112 : 24 + 96; // PE32+ or PE32
    const std::optional<std::uint32_t> directoryCount = le32(*headers, directories - 4);
    const std::optional<std::uint32_t> resourceAddress = le32(*headers, directories + 2 * 8);
    if ((magic != 0x10B && magic != 0x20B) || !directoryCount || *directoryCount < 3 ||
        !resourceAddress || *resourceAddress == 0)
        return std::nullopt;
    const std::optional<QByteArray> table =
        bytes::readAt(file, pe + 24 + optionalSize, qint64(sectionCount) * 40);
    if (!table)
        return std::nullopt;
    for (std::uint32_t i = 0; i < sectionCount; ++i) {
        const qint64 at = qint64(i) * 40;
        const Section section{*le32(*table, at + 12), *le32(*table, at + 16),
                              *le32(*table, at + 20)};
        const std::uint32_t virtualSize = std::max(*le32(*table, at + 8), section.rawSize);
        if (*resourceAddress < section.virtualAddress ||
            *resourceAddress - section.virtualAddress >= virtualSize)
            continue;
        if (section.rawSize > kMaxResourceSection)
            return std::nullopt;
        std::optional<QByteArray> data = bytes::readAt(file, section.rawOffset, section.rawSize);
        if (!data)
            return std::nullopt;
        return Resources{*data, section.virtualAddress, *resourceAddress - section.virtualAddress};
    }
    return std::nullopt;
}

// The entry of a resource directory with the given id, or its first entry when id is empty.
// Gives the entry's target offset and whether it is a subdirectory.
std::optional<std::pair<std::uint32_t, bool>>
directoryEntry(const QByteArray& data, std::uint32_t directory, std::optional<std::uint32_t> id)
{
    const std::optional<std::uint32_t> named = le16(data, directory + 12);
    const std::optional<std::uint32_t> numbered = le16(data, directory + 14);
    if (!named || !numbered)
        return std::nullopt;
    for (std::uint32_t i = 0; i < *named + *numbered; ++i) {
        const qint64 entry = qint64(directory) + 16 + qint64(i) * 8;
        const std::optional<std::uint32_t> name = le32(data, entry);
        const std::optional<std::uint32_t> target = le32(data, entry + 4);
        if (!name || !target)
            return std::nullopt;
        if (!id || *name == *id)
            return std::make_pair(*target & 0x7FFFFFFF, (*target & 0x80000000) != 0);
    }
    return std::nullopt;
}

// The VS_VERSIONINFO bytes: type 16, its first name, its first language.
std::optional<QByteArray> versionResource(const Resources& resources)
{
    auto entry = directoryEntry(resources.data, resources.root, kVersionResourceType);
    for (int level = 0; entry && entry->second && level < 2; ++level)
        entry = directoryEntry(resources.data, entry->first, std::nullopt);
    if (!entry || entry->second)
        return std::nullopt;
    const std::optional<std::uint32_t> address = le32(resources.data, entry->first);
    const std::optional<std::uint32_t> size = le32(resources.data, entry->first + 4);
    if (!address || !size || *address < resources.base)
        return std::nullopt;
    const qint64 offset = qint64(*address) - resources.base;
    if (offset + *size > resources.data.size())
        return std::nullopt;
    return resources.data.mid(offset, *size);
}

qint64 aligned4(qint64 offset)
{
    return (offset + 3) & ~qint64(3);
}

// UTF-16 text from `offset` up to its terminating zero or `end`.
QString utf16At(const QByteArray& data, qint64 offset, qint64 end, qint64* after = nullptr)
{
    QString text;
    qint64 at = offset;
    for (; at + 1 < end; at += 2) {
        const char16_t unit = char16_t(*le16(data, at));
        if (unit == 0) {
            at += 2;
            break;
        }
        text.append(QChar(unit));
    }
    if (after)
        *after = at;
    return text;
}

// Walks one block (wLength, wValueLength, wType, key, value, children) and collects the String
// blocks below StringFileInfo; the fixed file version is kept from the root's value.
void walkBlock(const QByteArray& data, qint64 offset, qint64 limit, int depth, bool inStrings,
               QMap<QString, QString>& strings, QString& fixedVersion)
{
    const std::optional<std::uint32_t> length = le16(data, offset);
    const std::optional<std::uint32_t> valueLength = le16(data, offset + 2);
    const std::optional<std::uint32_t> type = le16(data, offset + 4);
    if (!length || !valueLength || !type || *length < 6 || depth > kMaxBlockDepth)
        return;
    const qint64 end = std::min(limit, offset + qint64(*length));
    qint64 afterKey = 0;
    const QString key = utf16At(data, offset + 6, end, &afterKey);
    const qint64 value = aligned4(afterKey);
    const qint64 valueBytes = *type == 1 ? qint64(*valueLength) * 2 : *valueLength;
    if (depth == 0 && key == QStringLiteral("VS_VERSION_INFO") && *valueLength >= 52 &&
        le32(data, value) == 0xFEEF04BDu) {
        const std::uint32_t high = *le32(data, value + 8), low = *le32(data, value + 12);
        fixedVersion = QStringLiteral("%1.%2.%3.%4")
                           .arg(high >> 16)
                           .arg(high & 0xFFFF)
                           .arg(low >> 16)
                           .arg(low & 0xFFFF);
    }
    if (depth == 3 && inStrings) {
        // A String: the first table that names a key wins.
        const QString text = utf16At(data, value, end).trimmed();
        if (!strings.contains(key) && !text.isEmpty())
            strings.insert(key, text);
        return;
    }
    const bool strings1 = inStrings || (depth == 1 && key == QStringLiteral("StringFileInfo"));
    for (qint64 child = aligned4(value + valueBytes); child + 6 <= end;) {
        const std::optional<std::uint32_t> childLength = le16(data, child);
        if (!childLength || *childLength == 0)
            break;
        walkBlock(data, child, end, depth + 1, strings1, strings, fixedVersion);
        child = aligned4(child + *childLength);
    }
}

} // namespace

InstallerInfo readWindowsVersion(QIODevice& file)
{
    const std::optional<Resources> resources = readResourceSection(file);
    if (!resources)
        return {};
    const std::optional<QByteArray> version = versionResource(*resources);
    if (!version)
        return {};
    QMap<QString, QString> strings;
    QString fixedVersion;
    walkBlock(*version, 0, version->size(), 0, false, strings, fixedVersion);
    InstallerInfo info;
    info.name = strings.value(QStringLiteral("ProductName"));
    info.version = strings.value(QStringLiteral("FileVersion"),
                                 strings.value(QStringLiteral("ProductVersion"), fixedVersion));
    info.company = strings.value(QStringLiteral("CompanyName"));
    return info;
}

} // namespace quillomat
