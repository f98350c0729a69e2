#include "resources/BuiltinPictures.h"

#include <QResource>
#include <QtEndian>

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace quillomat::builtin {
namespace {

// The fields of a Windows bitmap's file and info headers that the reader below needs.
struct BitmapLayout
{
    qint32 width = 0;
    qint32 height = 0; // negative for rows stored top-down
    int bitCount = 0;
    qsizetype paletteOffset = 0;
    int paletteSize = 0;
    qsizetype pixelOffset = 0;
    qsizetype stride = 0;
};

template <typename T> T littleEndianAt(const QByteArray& bytes, qsizetype offset)
{
    return qFromLittleEndian<T>(bytes.constData() + offset);
}

constexpr qsizetype kFileHeaderSize = 14;
constexpr qsizetype kInfoHeaderSize = 40;
constexpr qint32 kMaxSide = 8192;

// The layout of an uncompressed bitmap of 1, 4, 8 or 24 bits per pixel whose pixels lie within
// the bytes; nothing for any other kind.
std::optional<BitmapLayout> plainBitmapLayout(const QByteArray& bytes)
{
    if (bytes.size() < kFileHeaderSize + kInfoHeaderSize || !bytes.startsWith("BM"))
        return std::nullopt;
    const auto headerSize = littleEndianAt<quint32>(bytes, 14);
    BitmapLayout layout;
    layout.width = littleEndianAt<qint32>(bytes, 18);
    layout.height = littleEndianAt<qint32>(bytes, 22);
    layout.bitCount = littleEndianAt<quint16>(bytes, 28);
    const auto compression = littleEndianAt<quint32>(bytes, 30);
    const auto usedColours = littleEndianAt<quint32>(bytes, 46);
    const qint64 rows = std::abs(qint64(layout.height));
    const bool plain = headerSize >= kInfoHeaderSize && headerSize <= 1024 && compression == 0 &&
                       layout.width > 0 && layout.width <= kMaxSide && rows > 0 &&
                       rows <= kMaxSide &&
                       (layout.bitCount == 1 || layout.bitCount == 4 || layout.bitCount == 8 ||
                        layout.bitCount == 24);
    if (!plain)
        return std::nullopt;
    if (layout.bitCount <= 8) {
        const quint32 fullPalette = 1u << layout.bitCount;
        layout.paletteSize =
            int(usedColours == 0 ? fullPalette : std::min(usedColours, fullPalette));
    }
    layout.paletteOffset = kFileHeaderSize + headerSize;
    layout.pixelOffset = littleEndianAt<quint32>(bytes, 10);
    layout.stride = (qsizetype(layout.width) * layout.bitCount + 31) / 32 * 4;
    const bool fits = layout.paletteOffset + 4 * layout.paletteSize <= bytes.size() &&
                      layout.pixelOffset + layout.stride * rows <= bytes.size();
    return fits ? std::optional(layout) : std::nullopt;
}

// The stored bytes of picture row y (0 at the top); rows are stored bottom-up unless the height
// is negative.
const uchar* storedRow(const QByteArray& bytes, const BitmapLayout& layout, int rows, int y)
{
    const int stored = layout.height > 0 ? rows - 1 - y : y;
    return reinterpret_cast<const uchar*>(bytes.constData()) + layout.pixelOffset +
           layout.stride * stored;
}

QImage readTrueColour(const QByteArray& bytes, const BitmapLayout& layout, int rows)
{
    QImage image(layout.width, rows, QImage::Format_RGB32);
    for (int y = 0; y < rows; ++y) {
        const uchar* source = storedRow(bytes, layout, rows, y);
        auto* target = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < layout.width; ++x, source += 3)
            target[x] = qRgb(source[2], source[1], source[0]);
    }
    return image;
}

QImage readIndexed(const QByteArray& bytes, const BitmapLayout& layout, int rows)
{
    QList<QRgb> palette(1 << layout.bitCount, qRgb(0, 0, 0));
    for (int i = 0; i < layout.paletteSize; ++i) {
        const auto* entry =
            reinterpret_cast<const uchar*>(bytes.constData()) + layout.paletteOffset + 4 * i;
        palette[i] = qRgb(entry[2], entry[1], entry[0]);
    }
    QImage image(layout.width, rows, QImage::Format_Indexed8);
    image.setColorTable(palette);
    const int perByte = 8 / layout.bitCount;
    const int mask = (1 << layout.bitCount) - 1;
    for (int y = 0; y < rows; ++y) {
        const uchar* source = storedRow(bytes, layout, rows, y);
        uchar* target = image.scanLine(y);
        for (int x = 0; x < layout.width; ++x) {
            const int shift = (perByte - 1 - x % perByte) * layout.bitCount;
            target[x] = uchar((source[x / perByte] >> shift) & mask);
        }
    }
    return image;
}

} // namespace

QImage plainBitmap(const QByteArray& bytes)
{
    const auto layout = plainBitmapLayout(bytes);
    if (!layout)
        return QImage();
    const int rows = int(std::abs(qint64(layout->height)));
    return layout->bitCount == 24 ? readTrueColour(bytes, *layout, rows)
                                  : readIndexed(bytes, *layout, rows);
}

QImage picture(const QString& resourcePath)
{
    // Uncompressed resources are read in place, without a copy.
    const QImage image = plainBitmap(QResource(resourcePath).uncompressedData());
    return image.isNull() ? QImage(resourcePath) : image;
}

QImage picture(const QString& resourcePath, qreal devicePixelRatio)
{
    const QImage plain = picture(resourcePath);
    if (devicePixelRatio <= 1)
        return plain;
    return sharpPicture(plain, picture(sharpCompanionPath(resourcePath)), devicePixelRatio);
}

QString sharpCompanionPath(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    const qsizetype dot = path.lastIndexOf(u'.');
    const qsizetype at = dot > slash ? dot : path.size();
    return QString(path).insert(at, QLatin1String("@2x"));
}

QImage sharpPicture(const QImage& plain, const QImage& companion, qreal devicePixelRatio)
{
    if (devicePixelRatio <= 1 || plain.isNull() || companion.size() != plain.size() * 2)
        return plain;
    QImage sharp = companion;
    sharp.setDevicePixelRatio(2);
    return sharp;
}

} // namespace quillomat::builtin
