#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace quillomat {

enum class Compression
{
    None,
    Gzip,
    Xz,
    Zstd,
};

// The compression a member name's extension stands for (control.tar.gz ...); nullopt for one
// not known.
std::optional<Compression> compressionOfName(const QString& name);

// Decompresses `data` whole, up to `maxBytes` of output. nullopt with `problem` set when the
// data is damaged, larger than that, or in a format this build cannot read.
std::optional<QByteArray> decompress(const QByteArray& data, Compression compression,
                                     qint64 maxBytes, QString& problem);

} // namespace quillomat
