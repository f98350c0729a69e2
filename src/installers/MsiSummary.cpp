// The summary information of a Windows Installer database: a property set stream inside an OLE
// compound file (sectors chained through a FAT, small streams in a mini stream of their own).
// The product's version is in the database's Property table: a stream of string ids, column by
// column, into a pool of strings.

#include "installers/Bytes.h"
#include "installers/InstallerInfo.h"
#include "platform/CodePageConverter.h"
#include "text/TextDecoding.h"

#include <QMap>

namespace quillomat {
namespace {

using bytes::le16;
using bytes::le32;

constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
// The directory and the summary stream are small; these bound what damaged chains can make
// the reader collect.
constexpr qint64 kMaxDirectoryBytes = 16 * 1024 * 1024;
constexpr qint64 kMaxSummaryBytes = 1024 * 1024;
// A product's properties and strings fit in a few megabytes; larger pools are not read.
constexpr qint64 kMaxTableBytes = 64 * 1024 * 1024;
const QByteArray kSignature = QByteArray::fromHex("D0CF11E0A1B11AE1");
const QString kSummaryName = QStringLiteral("\x05SummaryInformation");

enum SummaryProperty : std::uint32_t
{
    CodePage = 1,
    Title = 2,
    Subject = 3,
    Author = 4,
};

class CompoundFile
{
public:
    explicit CompoundFile(QIODevice& file) : m_file(file) {}

    bool open()
    {
        const std::optional<QByteArray> header = bytes::readAt(m_file, 0, 512);
        if (!header || !header->startsWith(kSignature))
            return false;
        const std::uint32_t shift = *le16(*header, 30);
        if (shift != 9 && shift != 12)
            return false;
        m_sectorSize = 1 << shift;
        m_miniSectorSize = 1 << std::min<std::uint32_t>(*le16(*header, 32), 12);
        m_directoryStart = *le32(*header, 48);
        m_miniCutoff = *le32(*header, 56);
        m_miniFatStart = *le32(*header, 60);
        m_maxSectors = m_file.size() / m_sectorSize + 1;
        // The FAT's own sectors: 109 in the header, the rest in a chain of DIFAT sectors.
        const std::uint32_t fatCount = *le32(*header, 44);
        for (int i = 0; i < 109 && std::uint32_t(m_fatSectors.size()) < fatCount; ++i)
            m_fatSectors.append(*le32(*header, 76 + i * 4));
        std::uint32_t difat = *le32(*header, 68);
        for (qint64 guard = 0; std::uint32_t(m_fatSectors.size()) < fatCount &&
                               difat < kEndOfChain && guard < m_maxSectors;
             ++guard) {
            const std::optional<QByteArray> sector = readSector(difat);
            if (!sector)
                return false;
            const int perSector = int(m_sectorSize / 4) - 1;
            for (int i = 0; i < perSector && std::uint32_t(m_fatSectors.size()) < fatCount; ++i)
                m_fatSectors.append(*le32(*sector, i * 4));
            difat = *le32(*sector, perSector * 4);
        }
        return true;
    }

    // The stream of the directory entry named `name`, or nullopt.
    std::optional<QByteArray> stream(const QString& name, qint64 maxBytes)
    {
        const std::optional<QByteArray> directory =
            chainBytes(m_directoryStart, kMaxDirectoryBytes, &CompoundFile::fatNext,
                       &CompoundFile::readSector, m_sectorSize);
        if (!directory || directory->size() < 128)
            return std::nullopt;
        const std::uint32_t rootStart = *le32(*directory, 116);
        for (qint64 entry = 0; entry + 128 <= directory->size(); entry += 128) {
            const std::uint32_t nameBytes =
                std::min<std::uint32_t>(*le16(*directory, entry + 64), 64);
            const int type = std::uint8_t(directory->at(entry + 66));
            if (type != 2 || nameBytes < 2)
                continue;
            QString entryName;
            for (std::uint32_t i = 0; i + 2 < nameBytes; i += 2)
                entryName.append(QChar(char16_t(*le16(*directory, entry + i))));
            if (entryName != name)
                continue;
            const std::uint32_t start = *le32(*directory, entry + 116);
            const qint64 size = *le32(*directory, entry + 120);
            if (size > maxBytes)
                return std::nullopt;
            std::optional<QByteArray> data;
            if (size < m_miniCutoff) {
                m_miniStreamStart = rootStart;
                data = chainBytes(start, size, &CompoundFile::miniFatNext,
                                  &CompoundFile::readMiniSector, m_miniSectorSize);
            } else {
                data = chainBytes(start, size, &CompoundFile::fatNext, &CompoundFile::readSector,
                                  m_sectorSize);
            }
            if (!data || data->size() < size)
                return std::nullopt;
            return data->left(size);
        }
        return std::nullopt;
    }

private:
    using Next = std::optional<std::uint32_t> (CompoundFile::*)(std::uint32_t);
    using Read = std::optional<QByteArray> (CompoundFile::*)(std::uint32_t);

    std::optional<QByteArray> readSector(std::uint32_t sector)
    {
        return bytes::readAt(m_file, (qint64(sector) + 1) * m_sectorSize, m_sectorSize);
    }

    // The entry of a sector allocation table whose sectors are listed in `tableSectors`.
    std::optional<std::uint32_t> tableEntry(const QList<std::uint32_t>& tableSectors,
                                            std::uint32_t index)
    {
        const std::uint32_t perSector = m_sectorSize / 4;
        if (index / perSector >= std::uint32_t(tableSectors.size()))
            return std::nullopt;
        const std::optional<QByteArray> entry = bytes::readAt(
            m_file,
            (qint64(tableSectors[index / perSector]) + 1) * m_sectorSize + (index % perSector) * 4,
            4);
        return entry ? le32(*entry, 0) : std::nullopt;
    }

    std::optional<std::uint32_t> fatNext(std::uint32_t sector)
    {
        return tableEntry(m_fatSectors, sector);
    }

    std::optional<std::uint32_t> miniFatNext(std::uint32_t sector)
    {
        if (m_miniFatSectors.isEmpty()) {
            for (std::uint32_t s = m_miniFatStart;
                 s < kEndOfChain && m_miniFatSectors.size() < m_maxSectors;) {
                m_miniFatSectors.append(s);
                const std::optional<std::uint32_t> next = fatNext(s);
                if (!next)
                    return std::nullopt;
                s = *next;
            }
        }
        return tableEntry(m_miniFatSectors, sector);
    }

    // A mini sector: its place in the mini stream, which is the root entry's chain of sectors.
    std::optional<QByteArray> readMiniSector(std::uint32_t miniSector)
    {
        const qint64 offset = qint64(miniSector) * m_miniSectorSize;
        std::uint32_t sector = m_miniStreamStart;
        for (qint64 skip = offset / m_sectorSize; skip > 0; --skip) {
            const std::optional<std::uint32_t> next = fatNext(sector);
            if (!next || *next >= kEndOfChain)
                return std::nullopt;
            sector = *next;
        }
        return bytes::readAt(m_file, (qint64(sector) + 1) * m_sectorSize + offset % m_sectorSize,
                             m_miniSectorSize);
    }

    // The bytes of a chain from `start`, up to `maxBytes`; a loop or a broken link ends it.
    std::optional<QByteArray> chainBytes(std::uint32_t start, qint64 maxBytes, Next next, Read read,
                                         qint64 unit)
    {
        QByteArray data;
        qint64 steps = 0;
        for (std::uint32_t s = start; s < kEndOfChain && data.size() < maxBytes; ++steps) {
            if (steps > m_maxSectors * (m_sectorSize / unit))
                return std::nullopt;
            const std::optional<QByteArray> piece = (this->*read)(s);
            const std::optional<std::uint32_t> following = (this->*next)(s);
            if (!piece || !following)
                return std::nullopt;
            data += *piece;
            s = *following;
        }
        return data;
    }

    QIODevice& m_file;
    qint64 m_sectorSize = 512, m_miniSectorSize = 64, m_maxSectors = 0;
    std::uint32_t m_directoryStart = kEndOfChain, m_miniFatStart = kEndOfChain;
    std::uint32_t m_miniStreamStart = kEndOfChain, m_miniCutoff = 4096;
    QList<std::uint32_t> m_fatSectors, m_miniFatSectors;
};

QString decodeIn(int codePage, QByteArrayView text)
{
    if (codePage == 65001)
        return QString::fromUtf8(text);
    if (codePage == 0) // neutral: as written by the tool, commonly UTF-8
        return decodeText(text);
    if (codePage != 1252 && knownCodePage(codePage)) {
        CodePageConverter converter(codePage);
        if (converter.isValid())
            return converter.decode(text);
    }
    return decodeWindows1252(text);
}

// The text properties of a property set's first section, by property id.
QMap<std::uint32_t, QString> textProperties(const QByteArray& set)
{
    QMap<std::uint32_t, QString> texts;
    const std::optional<std::uint32_t> section = le32(set, 44);
    const std::optional<std::uint32_t> count = section ? le32(set, *section + 4) : std::nullopt;
    if (le16(set, 0) != 0xFFFEu || !count)
        return texts;
    QMap<std::uint32_t, QByteArray> raw;
    int codePage = 1252;
    for (std::uint32_t i = 0; i < std::min<std::uint32_t>(*count, 1024); ++i) {
        const qint64 entry = qint64(*section) + 8 + qint64(i) * 8;
        const std::optional<std::uint32_t> id = le32(set, entry);
        const std::optional<std::uint32_t> offset = le32(set, entry + 4);
        if (!id || !offset)
            break;
        const qint64 at = qint64(*section) + *offset;
        const std::optional<std::uint32_t> type = le32(set, at);
        if (*id == CodePage && type == 2u) // VT_I2
            codePage = int(*le16(set, at + 4));
        if (type != 30u) // VT_LPSTR
            continue;
        const std::optional<std::uint32_t> length = le32(set, at + 4);
        if (!length || at + 8 + *length > set.size())
            continue;
        QByteArray text = set.mid(at + 8, *length);
        if (const qsizetype zero = text.indexOf('\0'); zero >= 0)
            text.truncate(zero);
        raw.insert(*id, text);
    }
    for (auto it = raw.cbegin(); it != raw.cend(); ++it)
        texts.insert(it.key(), decodeIn(codePage, it.value()).trimmed());
    return texts;
}

// A table's stream name: its characters packed two to a code unit behind a table mark.
QString tableStreamName(QStringView table)
{
    auto code = [](QChar c) -> int {
        const char16_t u = c.unicode();
        return u >= u'0' && u <= u'9'   ? u - u'0'
               : u >= u'A' && u <= u'Z' ? u - u'A' + 10
               : u >= u'a' && u <= u'z' ? u - u'a' + 36
               : u == u'.'              ? 62
                                        : 63;
    };
    QString name(QChar(char16_t(0x4840)));
    for (qsizetype i = 0; i < table.size(); i += 2) {
        name.append(QChar(char16_t(i + 1 < table.size()
                                       ? 0x3800 + code(table[i]) + (code(table[i + 1]) << 6)
                                       : 0x4800 + code(table[i]))));
    }
    return name;
}

// The values of the Property table by property name; empty where the database has none.
QMap<QString, QString> databaseProperties(CompoundFile& compound)
{
    QMap<QString, QString> properties;
    const auto pool = compound.stream(tableStreamName(u"_StringPool"), kMaxTableBytes);
    const auto data = compound.stream(tableStreamName(u"_StringData"), kMaxTableBytes);
    const auto table = compound.stream(tableStreamName(u"Property"), kMaxTableBytes);
    if (!pool || !data || !table || pool->size() < 4)
        return properties;
    const std::uint32_t header = *le32(*pool, 0);
    const int refSize = (header & 0x80000000) ? 3 : 2; // string ids of 3 bytes in large pools
    const int codePage = int(header & 0xFFFF);
    // Strings are numbered from 1 in pool order, their bytes one after another in the data.
    QList<QByteArray> strings{QByteArray()};
    qint64 offset = 0;
    for (qint64 at = 4; at + 4 <= pool->size(); at += 4) {
        qint64 length = *le16(*pool, at);
        if (length == 0 && *le16(*pool, at + 2) != 0 && at + 8 <= pool->size()) {
            // A string of 64 KB or more: the high half here, the low half in the next entry.
            length = (qint64(*le16(*pool, at + 2)) << 16) | *le16(*pool, at + 4);
            at += 4;
        }
        if (offset + length > data->size())
            break;
        strings.append(data->mid(offset, length));
        offset += length;
    }
    auto stringAt = [&](qint64 at) -> QString {
        const std::optional<std::uint32_t> id = bytes::unsignedAt(*table, at, refSize, false);
        return id && *id < std::uint32_t(strings.size()) ? decodeIn(codePage, strings[*id])
                                                         : QString();
    };
    const qint64 rows = table->size() / (2 * refSize);
    for (qint64 row = 0; row < rows; ++row)
        properties.insert(stringAt(row * refSize), stringAt((rows + row) * refSize).trimmed());
    return properties;
}

} // namespace

InstallerInfo readMsiSummary(QIODevice& file)
{
    CompoundFile compound(file);
    if (!compound.open())
        return {};
    const std::optional<QByteArray> summary = compound.stream(kSummaryName, kMaxSummaryBytes);
    if (!summary)
        return {};
    const QMap<std::uint32_t, QString> texts = textProperties(*summary);
    InstallerInfo info;
    // Tools that write a product's name as the subject leave the title at its generic text.
    info.name = texts.value(Subject);
    if (info.name.isEmpty() &&
        texts.value(Title).compare(QStringLiteral("Installation Database"), Qt::CaseInsensitive))
        info.name = texts.value(Title);
    info.company = texts.value(Author);
    const QMap<QString, QString> properties = databaseProperties(compound);
    info.version = properties.value(QStringLiteral("ProductVersion"));
    if (info.name.isEmpty())
        info.name = properties.value(QStringLiteral("ProductName"));
    if (info.company.isEmpty())
        info.company = properties.value(QStringLiteral("Manufacturer"));
    return info;
}

} // namespace quillomat
