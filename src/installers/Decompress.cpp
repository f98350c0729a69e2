// Each decompressor is there when its library was found at build time (see CMakeLists.txt):
// a build without one says so rather than guessing.

#include "installers/Decompress.h"

#ifdef QUILLOMAT_HAVE_ZLIB
#include <zlib.h>
#endif
#ifdef QUILLOMAT_HAVE_LZMA
#include <lzma.h>
#endif
#ifdef QUILLOMAT_HAVE_ZSTD
#include <zstd.h>
#endif

namespace quillomat {
namespace {

constexpr qsizetype kPiece = 64 * 1024;

[[maybe_unused]] QString unsupported(const char* format)
{
    return QStringLiteral("this build cannot read %1 compression").arg(QLatin1StringView(format));
}

// Runs `step` until it reports the end; `step` appends to `out` and returns 1 at the end, 0 to
// go on, -1 on damaged data.
template <typename Step>
std::optional<QByteArray> drain(Step step, qint64 maxBytes, QString& problem)
{
    QByteArray out;
    for (;;) {
        const int state = step(out);
        if (state < 0) {
            problem = QStringLiteral("damaged compressed data");
            return std::nullopt;
        }
        if (out.size() > maxBytes) {
            problem = QStringLiteral("larger than %1 bytes uncompressed").arg(maxBytes);
            return std::nullopt;
        }
        if (state > 0)
            return out;
    }
}

#ifdef QUILLOMAT_HAVE_ZLIB
std::optional<QByteArray> gunzip(const QByteArray& data, qint64 maxBytes, QString& problem)
{
    z_stream stream{};
    if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK) {
        problem = QStringLiteral("out of memory");
        return std::nullopt;
    }
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    stream.avail_in = uInt(data.size());
    auto result = drain(
        [&](QByteArray& out) {
            const qsizetype had = out.size();
            out.resize(had + kPiece);
            stream.next_out = reinterpret_cast<Bytef*>(out.data() + had);
            stream.avail_out = uInt(kPiece);
            const int status = inflate(&stream, Z_NO_FLUSH);
            out.resize(out.size() - qsizetype(stream.avail_out));
            if (status == Z_STREAM_END)
                return 1;
            if (status != Z_OK || (stream.avail_in == 0 && stream.avail_out != 0))
                return -1;
            return 0;
        },
        maxBytes, problem);
    inflateEnd(&stream);
    return result;
}
#endif

#ifdef QUILLOMAT_HAVE_LZMA
std::optional<QByteArray> unxz(const QByteArray& data, qint64 maxBytes, QString& problem)
{
    lzma_stream stream = LZMA_STREAM_INIT;
    if (lzma_stream_decoder(&stream, UINT64_MAX, 0) != LZMA_OK) {
        problem = QStringLiteral("out of memory");
        return std::nullopt;
    }
    stream.next_in = reinterpret_cast<const uint8_t*>(data.constData());
    stream.avail_in = size_t(data.size());
    auto result = drain(
        [&](QByteArray& out) {
            const qsizetype had = out.size();
            out.resize(had + kPiece);
            stream.next_out = reinterpret_cast<uint8_t*>(out.data() + had);
            stream.avail_out = size_t(kPiece);
            const lzma_ret status = lzma_code(&stream, LZMA_FINISH);
            out.resize(out.size() - qsizetype(stream.avail_out));
            if (status == LZMA_STREAM_END)
                return 1;
            return status == LZMA_OK ? 0 : -1;
        },
        maxBytes, problem);
    lzma_end(&stream);
    return result;
}
#endif

#ifdef QUILLOMAT_HAVE_ZSTD
std::optional<QByteArray> unzstd(const QByteArray& data, qint64 maxBytes, QString& problem)
{
    ZSTD_DStream* stream = ZSTD_createDStream();
    if (!stream) {
        problem = QStringLiteral("out of memory");
        return std::nullopt;
    }
    ZSTD_inBuffer in{data.constData(), size_t(data.size()), 0};
    auto result = drain(
        [&](QByteArray& out) {
            const qsizetype had = out.size();
            out.resize(had + kPiece);
            ZSTD_outBuffer piece{out.data() + had, size_t(kPiece), 0};
            const size_t status = ZSTD_decompressStream(stream, &piece, &in);
            out.resize(had + qsizetype(piece.pos));
            if (ZSTD_isError(status))
                return -1;
            if (status == 0)
                return 1;
            return in.pos == in.size && piece.pos < piece.size ? -1 : 0;
        },
        maxBytes, problem);
    ZSTD_freeDStream(stream);
    return result;
}
#endif

} // namespace

std::optional<Compression> compressionOfName(const QString& name)
{
    const std::pair<const char*, Compression> endings[] = {
        {".gz", Compression::Gzip},
        {".xz", Compression::Xz},
        {".zst", Compression::Zstd},
        {".tar", Compression::None},
    };
    for (const auto& [ending, compression] : endings) {
        if (name.endsWith(QLatin1StringView(ending)))
            return compression;
    }
    return std::nullopt;
}

std::optional<QByteArray> decompress(const QByteArray& data, Compression compression,
                                     qint64 maxBytes, QString& problem)
{
    (void)maxBytes; // unused in a build without any decompressor
    switch (compression) {
    case Compression::None:
        return data;
    case Compression::Gzip:
#ifdef QUILLOMAT_HAVE_ZLIB
        return gunzip(data, maxBytes, problem);
#else
        problem = unsupported("gzip");
        return std::nullopt;
#endif
    case Compression::Xz:
#ifdef QUILLOMAT_HAVE_LZMA
        return unxz(data, maxBytes, problem);
#else
        problem = unsupported("xz");
        return std::nullopt;
#endif
    case Compression::Zstd:
#ifdef QUILLOMAT_HAVE_ZSTD
        return unzstd(data, maxBytes, problem);
#else
        problem = unsupported("zstd");
        return std::nullopt;
#endif
    }
    return std::nullopt;
}

} // namespace quillomat
