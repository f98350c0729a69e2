#include "Glyphs.h"

#include <QFont>
#include <QHash>
#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <initializer_list>
#include <string_view>

namespace quillomat::artwork {

namespace {

constexpr QRgb silver = 0xffc0c0c0;

// The sixteen colours of the classic 4-bit palette.
const QList<QRgb> sixteenColours = {
    0xff000000, 0xff800000, 0xff008000, 0xff808000, 0xff000080, 0xff800080, 0xff008080, 0xffc0c0c0,
    0xff808080, 0xffff0000, 0xff00ff00, 0xffffff00, 0xff0000ff, 0xffff00ff, 0xff00ffff, 0xffffffff,
};

// Pixel art: one string per row, one character per pixel, looked up in the legend.
QImage fromRows(std::initializer_list<std::string_view> rows, const QHash<char, QRgb>& legend)
{
    const int height = static_cast<int>(rows.size());
    const int width = static_cast<int>(rows.begin()->size());
    QImage image(width, height, QImage::Format_RGB32);
    int y = 0;
    for (std::string_view row : rows) {
        Q_ASSERT(static_cast<int>(row.size()) == width);
        for (int x = 0; x < width; ++x) {
            Q_ASSERT(legend.contains(row[x]));
            image.setPixel(x, y, legend.value(row[x]));
        }
        ++y;
    }
    return image;
}

const QHash<char, QRgb> signLegend = {{'.', silver}, {'#', 0xff000000}};

QImage circleIcon(const QColor& light, const QColor& dark, const QString& sign, int yOffset,
                  int scale)
{
    QImage image(16 * scale, 16 * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.scale(scale, scale);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QRadialGradient ball(QPointF(5.5, 4.5), 11);
    ball.setColorAt(0, light);
    ball.setColorAt(1, dark);
    painter.setPen(QPen(dark.darker(150), 1));
    painter.setBrush(ball);
    painter.drawEllipse(QRectF(0.5, 0.5, 15, 15));

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    font.setBold(true);
    QPainterPath glyph;
    glyph.addText(0, 0, font, sign);
    const QRectF bounds = glyph.boundingRect();
    glyph.translate(8 - bounds.center().x(), 8 - bounds.center().y() + yOffset * 0.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 90));
    painter.drawPath(glyph.translated(0.6, 0.8));
    painter.setBrush(Qt::white);
    painter.drawPath(glyph);
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

// The close sign at twice the resolution: two strokes three pixels wide from corner to corner
// of the sign's box, with hard edges (see closeGlyph).
QImage sharpCloseGlyph()
{
    QImage image(24, 20, QImage::Format_RGB32);
    const QLineF strokes[] = {{4, 2, 20, 16}, {20, 2, 4, 16}};
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QPointF centre(x + 0.5, y + 0.5);
            bool onStroke = false;
            for (const QLineF& stroke : strokes) {
                // Distance from the pixel's centre to the stroke's line, within its length.
                const QPointF along = stroke.p2() - stroke.p1();
                const QPointF offset = centre - stroke.p1();
                const double t =
                    QPointF::dotProduct(offset, along) / QPointF::dotProduct(along, along);
                const QPointF nearest = stroke.p1() + std::clamp(t, 0.0, 1.0) * along;
                onStroke = onStroke || QLineF(centre, nearest).length() <= 1.3;
            }
            image.setPixel(x, y, onStroke ? 0xff000000 : silver);
        }
    }
    return image;
}

} // namespace

QImage closeGlyph(int scale)
{
    if (scale == 2)
        return sharpCloseGlyph();
    return fromRows(
        {
            "............",
            "..##....##..",
            "...##..##...",
            "....####....",
            ".....##.....",
            "....####....",
            "...##..##...",
            "..##....##..",
            "............",
            "............",
        },
        signLegend);
}

QImage minimizeGlyph(int scale)
{
    // A bar of whole pixels: at twice the resolution it is the same bar, twice as large.
    const QImage bar = fromRows(
        {
            "............",
            "............",
            "............",
            "............",
            "............",
            "............",
            "............",
            "..########..",
            "..########..",
            "............",
        },
        signLegend);
    return bar.scaled(bar.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

QImage helpGlyph(int scale)
{
    // K outline, Y yellow, O olive shading, W white highlight, '.' silver (transparent).
    const QHash<char, QRgb> legend = {
        {'.', silver}, {'K', 0xff000000}, {'Y', 0xffffff00}, {'O', 0xff808000}, {'W', 0xffffffff},
    };
    if (scale == 2) {
        // Drawn anew at twice the resolution, with a one-pixel outline.
        const QImage sharp = fromRows(
            {
                ".....KKKKKKKKKK.....", "...KKWWWYYYYYYOKK...", "..KWWYYYYYYYYYYOOK..",
                ".KWYYYYKKKKKKYYYOOK.", ".KWYYKK......KKYYOK.", "KWYYK..........KYYOK",
                "KYYOK..........KYYOK", ".KKK...........KYYOK", "..............KYYYOK",
                ".............KYYYOK.", "...........KKYYYOK..", ".........KKYYYOOK...",
                "........KYYYYOKK....", ".......KYYYOKK......", ".......KYYOK........",
                ".......KYYOK........", ".......KYYOK........", ".......KYYOK........",
                ".......KYYOK........", "........KKK.........", "....................",
                "....................", ".......KKKKK........", "......KWWYYOK.......",
                "......KWYYYOK.......", "......KYYYYOK.......", "......KYYYOOK.......",
                ".......KKKKK........",
            },
            legend);
        return sharp.convertToFormat(QImage::Format_Indexed8, sixteenColours, Qt::ThresholdDither);
    }
    const QImage art = fromRows(
        {
            "..KKKKKK..",
            ".KWYYYYOK.",
            "KWYKKKKYOK",
            "KYOK..KYOK",
            ".KK..KYYOK",
            "....KYYOK.",
            "...KYYOK..",
            "...KYOK...",
            "...KYOK...",
            "....KK....",
            "...KKKK...",
            "...KWYK...",
            "...KYOK...",
            "...KKKK...",
        },
        legend);
    return art.convertToFormat(QImage::Format_Indexed8, sixteenColours, Qt::ThresholdDither);
}

QImage menuHelpImage(int scale)
{
    return circleIcon(QColor(0x8c, 0xc4, 0xff), QColor(0x1d, 0x5b, 0xb8), QStringLiteral("?"), 0,
                      scale);
}

QImage menuAboutImage(int scale)
{
    return circleIcon(QColor(0xff, 0xe0, 0x8a), QColor(0xc2, 0x7a, 0x0c), QStringLiteral("i"), 0,
                      scale);
}

} // namespace quillomat::artwork
