#include "graphics/PreviewPicture.h"

#include "platform/RegularFile.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace quillomat {

namespace {

QByteArray decoderForExtension(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return {};
    const QStringView extension = QStringView(name).mid(dot);
    if (extension.compare(u".bmp", Qt::CaseInsensitive) == 0)
        return "bmp";
    if (extension.compare(u".jpg", Qt::CaseInsensitive) == 0 ||
        extension.compare(u".jpeg", Qt::CaseInsensitive) == 0)
        return "jpeg";
    return {};
}

std::optional<QImage> fail(QString* why, const QString& reason)
{
    if (why)
        *why = reason;
    return std::nullopt;
}

} // namespace

std::optional<QImage> loadPreviewPicture(const QString& path, QString* why)
{
    const QByteArray decoder = decoderForExtension(path);
    if (decoder.isEmpty())
        return fail(why, QStringLiteral("not a .bmp, .jpg or .jpeg file"));

    // A device never ends and opening a named pipe waits for a writer: neither is a picture.
    if (!isRegularFile(path))
        return fail(why, QStringLiteral("not a regular file"));
    // The extension decides the decoder: a PNG named ".bmp" is as broken as a truncated BMP.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(why, file.errorString());
    QImageReader reader(&file, decoder);
    reader.setAutoDetectImageFormat(false);
    // Qt's own reason here is seldom more than "Unknown error".
    if (!reader.canRead())
        return fail(why, decoder == "bmp" ? QStringLiteral("not a BMP picture Qt can read")
                                          : QStringLiteral("not a JPEG picture Qt can read"));

    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return fail(why, QStringLiteral("the picture's header gives no size"));
    if (size.width() > kMaxPreviewSide || size.height() > kMaxPreviewSide ||
        qint64(size.width()) * size.height() > kMaxPreviewPixels)
        return fail(why, QStringLiteral("%1 x %2 is above the preview limit")
                             .arg(size.width())
                             .arg(size.height()));

    QImage picture;
    if (!reader.read(&picture))
        return fail(why, reader.errorString());
    return picture;
}

std::optional<QImage> loadBmpPicture(const QString& path)
{
    if (!isRegularFile(path))
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QImageReader reader(&file, "bmp");
    reader.setAutoDetectImageFormat(false);
    QImage picture;
    if (!reader.read(&picture))
        return std::nullopt;
    return picture;
}

} // namespace quillomat
