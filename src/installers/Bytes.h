#pragma once

#include <QByteArray>
#include <QIODevice>

#include <cstdint>
#include <optional>

namespace quillomat::bytes {

// Integers read out of untrusted bytes: nullopt where the bytes end first, never a read past.

inline std::optional<std::uint32_t> unsignedAt(const QByteArray& data, qint64 offset, int size,
                                               bool bigEndian)
{
    if (offset < 0 || size > 4 || offset + size > data.size())
        return std::nullopt;
    std::uint32_t value = 0;
    for (int i = 0; i < size; ++i) {
        const std::uint32_t byte =
            std::uint8_t(data[qsizetype(offset + (bigEndian ? i : size - 1 - i))]);
        value = (value << 8) | byte;
    }
    return value;
}

inline std::optional<std::uint32_t> le16(const QByteArray& data, qint64 offset)
{
    return unsignedAt(data, offset, 2, false);
}
inline std::optional<std::uint32_t> le32(const QByteArray& data, qint64 offset)
{
    return unsignedAt(data, offset, 4, false);
}
inline std::optional<std::uint32_t> be32(const QByteArray& data, qint64 offset)
{
    return unsignedAt(data, offset, 4, true);
}

// `size` bytes from `offset` of a device, or nullopt where the device holds fewer.
inline std::optional<QByteArray> readAt(QIODevice& device, qint64 offset, qint64 size)
{
    if (offset < 0 || size < 0 || offset + size > device.size() || !device.seek(offset))
        return std::nullopt;
    QByteArray data = device.read(size);
    if (data.size() != size)
        return std::nullopt;
    return data;
}

} // namespace quillomat::bytes
