// An RPM package: a 96-byte lead, a signature header padded to 8 bytes, then the main header,
// an index of (tag, type, offset, count) entries over a store of values.

#include "installers/Bytes.h"
#include "installers/InstallerInfo.h"

namespace quillomat {
namespace {

using bytes::be32;

constexpr qint64 kLeadSize = 96;
constexpr qint64 kHeaderIntro = 16;
// A header of a real package holds a few thousand entries and some megabytes (file lists).
constexpr std::uint32_t kMaxEntries = 1 << 20;
constexpr std::uint32_t kMaxStore = 256 * 1024 * 1024;
const QByteArray kLeadMagic = QByteArray::fromHex("EDABEEDB");
const QByteArray kHeaderMagic = QByteArray::fromHex("8EADE801");

enum Tag : std::uint32_t
{
    Name = 1000,
    Version = 1001,
    Vendor = 1011,
    Group = 1016,
};

enum Type : std::uint32_t
{
    String = 6,
    StringArray = 8,
    I18nString = 9,
};

struct Header
{
    QByteArray index, store;
    qint64 end = 0;
};

std::optional<Header> readHeader(QIODevice& file, qint64 at)
{
    const std::optional<QByteArray> intro = bytes::readAt(file, at, kHeaderIntro);
    if (!intro || !intro->startsWith(kHeaderMagic))
        return std::nullopt;
    const std::uint32_t entries = *be32(*intro, 8), storeSize = *be32(*intro, 12);
    if (entries > kMaxEntries || storeSize > kMaxStore)
        return std::nullopt;
    const std::optional<QByteArray> index = bytes::readAt(file, at + kHeaderIntro, entries * 16);
    const std::optional<QByteArray> store =
        bytes::readAt(file, at + kHeaderIntro + entries * 16, storeSize);
    if (!index || !store)
        return std::nullopt;
    return Header{*index, *store, at + kHeaderIntro + entries * 16 + storeSize};
}

// The string value of a tag (the first of an array or of the translations).
QString stringTag(const Header& header, std::uint32_t tag)
{
    for (qint64 entry = 0; entry + 16 <= header.index.size(); entry += 16) {
        if (be32(header.index, entry) != tag)
            continue;
        const std::uint32_t type = *be32(header.index, entry + 4);
        const std::uint32_t offset = *be32(header.index, entry + 8);
        if ((type != String && type != StringArray && type != I18nString) ||
            offset >= header.store.size())
            return {};
        const qsizetype end = header.store.indexOf('\0', offset);
        return QString::fromUtf8(header.store.mid(offset, end < 0 ? -1 : end - offset)).trimmed();
    }
    return {};
}

} // namespace

InstallerInfo readRpmHeader(QIODevice& file)
{
    const std::optional<QByteArray> lead = bytes::readAt(file, 0, kLeadSize);
    if (!lead || !lead->startsWith(kLeadMagic))
        return {};
    const std::optional<Header> signature = readHeader(file, kLeadSize);
    if (!signature)
        return {};
    const std::optional<Header> header = readHeader(file, (signature->end + 7) / 8 * 8);
    if (!header)
        return {};
    InstallerInfo info;
    info.name = stringTag(*header, Name);
    info.version = stringTag(*header, Version);
    info.company = stringTag(*header, Vendor);
    // "Applications/Games" is a game; "Unspecified" is what packagers leave standing.
    info.category = stringTag(*header, Group).section(u'/', -1).trimmed();
    if (info.category.compare(QStringLiteral("Unspecified"), Qt::CaseInsensitive) == 0)
        info.category.clear();
    return info;
}

} // namespace quillomat
