#include "Backgrounds.h"

#include "Marble.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace quillomat::artwork {

namespace {

// The fill that the controls of the default layouts share; panels use exactly this colour so
// that a control and the panel around it read as one surface.
const QColor panelColour(0x40, 0x40, 0x40);
constexpr double panelRadius = 7;

// The window is cut to a rounded rectangle from (1, 1) to (width, height) with 100 x 100 corner
// ellipses; the frame's bevel follows that outline.
QPainterPath windowOutline(QSize size, double inset)
{
    QPainterPath path;
    const QRectF area(1 + inset, 1 + inset, size.width() - 1 - 2 * inset,
                      size.height() - 1 - 2 * inset);
    path.addRoundedRect(area, 50 - inset, 50 - inset);
    return path;
}

// The frame's rim: a light edge on the upper left and a darker one on the lower right, as if the
// slab were slightly raised, and a faint groove a little further in.
void drawRim(QPainter& painter, QSize size)
{
    painter.save();
    painter.setBrush(Qt::NoBrush);
    QLinearGradient light(0, 0, size.width(), size.height());
    light.setColorAt(0, QColor(255, 255, 255, 230));
    light.setColorAt(0.5, QColor(255, 255, 255, 60));
    light.setColorAt(1, QColor(0, 0, 0, 150));
    painter.setPen(QPen(QBrush(light), 3));
    painter.drawPath(windowOutline(size, 1.5));

    QLinearGradient groove(0, 0, size.width(), size.height());
    groove.setColorAt(0, QColor(40, 50, 70, 90));
    groove.setColorAt(1, QColor(255, 255, 255, 120));
    painter.setPen(QPen(QBrush(groove), 1));
    painter.drawPath(windowOutline(size, 6.5));
    painter.restore();
}

// A dark panel sunk into the stone: a shadow along its upper left edge and a highlight along the
// lower right, then the flat fill on top, so that the inside keeps exactly the panel colour.
void drawPanel(QPainter& painter, const QPainterPath& panel)
{
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 150));
    painter.drawPath(panel.translated(1.5, 1.5));
    painter.setBrush(QColor(20, 25, 35, 120));
    painter.drawPath(panel.translated(-1.5, -1.5));
    painter.setBrush(QColor(20, 25, 35, 60));
    painter.drawPath(panel.translated(-2.5, -2.5));
    painter.setBrush(panelColour);
    painter.drawPath(panel);
    painter.restore();
}

QPainterPath roundedRect(const QRectF& rect, double radius = panelRadius)
{
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

QFont titleFont(int pixelSize)
{
    QFont font(QStringLiteral("URW Bookman"));
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(pixelSize);
    font.setWeight(QFont::DemiBold);
    font.setItalic(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1);
    return font;
}

QFont labelFont(int pixelSize, bool bold)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

// Engraved title lettering: a soft shadow, a light edge below and right, and a dark blue fill
// running from ink to slate.
void drawTitle(QPainter& painter, const QString& text, double centreX, double baseline,
               int pixelSize)
{
    QPainterPath glyphs;
    const QFont font = titleFont(pixelSize);
    glyphs.addText(0, 0, font, text);
    const QRectF bounds = glyphs.boundingRect();
    glyphs.translate(centreX - bounds.center().x(), baseline);

    painter.save();
    painter.setPen(Qt::NoPen);
    for (int spread = 3; spread >= 1; --spread) {
        painter.setBrush(QColor(30, 35, 50, 28));
        painter.drawPath(glyphs.translated(spread, spread + 0.5));
    }
    painter.setBrush(QColor(255, 255, 255, 200));
    painter.drawPath(glyphs.translated(-0.8, -0.8));
    QLinearGradient ink(0, baseline - pixelSize * 0.8, 0, baseline + pixelSize * 0.2);
    ink.setColorAt(0, QColor(0x24, 0x33, 0x52));
    ink.setColorAt(0.55, QColor(0x3a, 0x52, 0x7e));
    ink.setColorAt(1, QColor(0x1c, 0x27, 0x3d));
    painter.setBrush(ink);
    painter.drawPath(glyphs);
    painter.restore();
}

// Small lettering inside a dark panel, in the silver of the controls' own text. It is drawn in
// device pixels, so that hinting sets the letters on whole pixels at every scale and their
// smoothed edges stay off the boxes below and above.
void drawPanelLabel(QPainter& painter, const QString& text, QPointF baselineStart)
{
    const double scale = painter.transform().m22();
    painter.save();
    painter.resetTransform();
    painter.setFont(labelFont(int(std::lround(10 * scale)), true));
    painter.setPen(QColor(0x9c, 0xa8, 0xbc));
    painter.drawText(baselineStart * scale, text);
    painter.restore();
}

// Lettering on the stone: dark text with a light halo, so that it stays readable over veins.
void drawStoneLabel(QPainter& painter, const QString& text, double centreX, double baseline,
                    int pixelSize)
{
    QPainterPath glyphs;
    glyphs.addText(0, 0, labelFont(pixelSize, true), text);
    glyphs.translate(centreX - glyphs.boundingRect().center().x(), baseline);
    painter.save();
    painter.setPen(
        QPen(QColor(255, 255, 255, 150), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(glyphs);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x26, 0x30, 0x44));
    painter.drawPath(glyphs);
    painter.restore();
}

// The light, slightly raised box on which the help, minimize and close glyphs sit.
void drawButtonBox(QPainter& painter, const QRectF& box)
{
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(20, 25, 35, 70));
    painter.drawPath(roundedRect(box.translated(1, 1.5), 6));
    QLinearGradient face(0, box.top(), 0, box.bottom());
    face.setColorAt(0, QColor(0xf4, 0xf4, 0xf6));
    face.setColorAt(1, QColor(0xcc, 0xce, 0xd4));
    painter.setBrush(face);
    painter.setPen(QPen(QColor(0x8a, 0x90, 0x9c), 1));
    painter.drawPath(roundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), 6));
    painter.restore();
}

QImage stone(QSize size, std::uint32_t seed, int scale)
{
    MarbleStyle style;
    style.seed = seed;
    return marble(size * scale, style, scale);
}

// A painter on the image that draws in the picture's own units, at every scale.
void beginDrawing(QPainter& painter, QImage& image, int scale)
{
    painter.begin(&image);
    painter.scale(scale, scale);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
}

} // namespace

QImage mainBackground(int scale)
{
    const QSize size(592, 373);
    QImage image = stone(size, 101, scale);
    QPainter painter;
    beginDrawing(painter, image, scale);
    drawRim(painter, size);

    // Controls of the default layout.
    const QRect sortBy(30, 76, 201, 21);
    const QRect filter(30, 109, 201, 21);
    const QRect list(30, 144, 201, 172);
    const QRect description(250, 66, 321, 251);
    const QRect buttons(428, 324, 135, 21); // preview and setup side by side

    // Left column: one panel holds the two boxes, the list and their labels.
    const QRectF left(QPointF(sortBy.left() - 8, 50), QPointF(list.right() + 9, list.bottom() + 9));
    drawPanel(painter, roundedRect(left));
    // Right column: the description, with a tab below it for the white button captions.
    const QRectF right(QPointF(description.left() - 7, 50),
                       QPointF(description.right() + 8, description.bottom() + 8));
    // The tab is as wide as the description's panel on the right and stays clear of the rim.
    const QRectF tab(QPointF(buttons.left() - 7, right.bottom() - 10),
                     QPointF(right.right(), buttons.bottom() + 5));
    const QPainterPath descriptionPanel = roundedRect(right).united(roundedRect(tab)).simplified();
    drawPanel(painter, descriptionPanel);

    drawPanelLabel(painter, QStringLiteral("sort by"), QPointF(sortBy.left() + 2, 60));
    drawPanelLabel(painter, QStringLiteral("filter"), QPointF(filter.left() + 2, 107));
    drawPanelLabel(painter, QStringLiteral("description"), QPointF(description.left() + 2, 60));
    // A fine groove between the boxes and the list.
    painter.setPen(QPen(QColor(0x58, 0x58, 0x5c), 1));
    painter.drawLine(QPointF(list.left() + 4, 137.5), QPointF(list.right() - 3, 137.5));

    drawButtonBox(painter, QRectF(467, 8, 77, 25));
    drawTitle(painter, QStringLiteral("Quillomat"), 296, 40, 32);
    painter.end();
    return image;
}

QImage languageBackground(int scale)
{
    const QSize size(342, 173);
    QImage image = stone(size, 102, scale);
    QPainter painter;
    beginDrawing(painter, image, scale);
    drawRim(painter, size);

    const QRect languageBox(30, 91, 283, 21);
    const QRect buttons(179, 124, 135, 21); // cancel and ok side by side
    // The buttons' tab overlaps the box's panel, so that the two join without a seam.
    const QRectF boxPanel = QRectF(languageBox).adjusted(-6, -6, 6, 6);
    const QRectF tab(QPointF(buttons.left() - 6, boxPanel.bottom() - 10),
                     QPointF(boxPanel.right(), buttons.bottom() + 5));
    drawPanel(painter, roundedRect(boxPanel).united(roundedRect(tab)).simplified());

    drawTitle(painter, QStringLiteral("Quillomat"), 171, 38, 26);
    drawStoneLabel(painter, QStringLiteral("Choose your language  \u00b7  Sprache w\u00e4hlen"),
                   171, 72, 12);
    painter.end();
    return image;
}

} // namespace quillomat::artwork
