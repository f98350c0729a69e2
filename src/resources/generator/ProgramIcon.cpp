#include "ProgramIcon.h"

#include <QBuffer>
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtEndian>

namespace quillomat::artwork {

QImage programIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 64.0, size / 64.0); // drawn on a 64-unit square

    // The disc: a silver-blue face with a light sheen and a dark rim.
    QRadialGradient face(QPointF(24, 20), 48);
    face.setColorAt(0, QColor(0xe8, 0xf1, 0xff));
    face.setColorAt(0.55, QColor(0x7d, 0xa6, 0xd9));
    face.setColorAt(1, QColor(0x2a, 0x4f, 0x8a));
    QPainterPath disc;
    disc.addEllipse(QRectF(2, 2, 60, 60));
    disc.addEllipse(QRectF(27, 27, 10, 10)); // the hole
    painter.setPen(QPen(QColor(0x1b, 0x33, 0x5c), 2));
    painter.setBrush(face);
    painter.drawPath(disc);

    // The letter, with a soft shadow so that it reads on both light and dark task bars.
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPixelSize(40);
    font.setBold(true);
    QPainterPath letter;
    letter.addText(0, 0, font, QStringLiteral("Q"));
    const QRectF bounds = letter.boundingRect();
    letter.translate(32 - bounds.center().x(), 33 - bounds.center().y());
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 110));
    painter.drawPath(letter.translated(1.2, 1.6));
    painter.setBrush(QColor(0xff, 0xf4, 0xd6));
    painter.drawPath(letter);
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QByteArray programIconFile()
{
    const int sizes[] = {16, 24, 32, 48, 64, 256};
    constexpr int headerSize = 6;
    constexpr int entrySize = 16;
    const int count = int(std::size(sizes));

    QByteArray directory(headerSize + count * entrySize, '\0');
    QByteArray images;
    const auto put16 = [&](int at, quint16 value) {
        qToLittleEndian(value, directory.data() + at);
    };
    const auto put32 = [&](int at, quint32 value) {
        qToLittleEndian(value, directory.data() + at);
    };
    put16(2, 1); // type: icon
    put16(4, quint16(count));
    for (int i = 0; i < count; ++i) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        programIcon(sizes[i]).save(&buffer, "PNG", 0);
        const int entry = headerSize + i * entrySize;
        directory[entry] = char(sizes[i] & 0xff); // 0 stands for 256
        directory[entry + 1] = char(sizes[i] & 0xff);
        put16(entry + 4, 1);  // colour planes
        put16(entry + 6, 32); // bits per pixel
        put32(entry + 8, quint32(png.size()));
        put32(entry + 12, quint32(directory.size() + images.size()));
        images += png;
    }
    return directory + images;
}

} // namespace quillomat::artwork
