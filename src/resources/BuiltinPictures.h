#pragma once

#include <QImage>
#include <QString>

// The program's own pictures, compiled in by the quillomat_resources target. The backgrounds
// and the window glyphs are uncompressed bitmaps, stored uncompressed: they are read at every
// start, and a bitmap needs next to no decoding.
namespace quillomat::builtin {

inline const QString kMainBackground = QStringLiteral(":/quillomat/background101.bmp");
inline const QString kLanguageBackground = QStringLiteral(":/quillomat/background102.bmp");
inline const QString kCloseGlyph = QStringLiteral(":/quillomat/glyph_close.bmp");
inline const QString kMinimizeGlyph = QStringLiteral(":/quillomat/glyph_minimize.bmp");
inline const QString kHelpGlyph = QStringLiteral(":/quillomat/glyph_help.bmp");
inline const QString kHelpMenuImage = QStringLiteral(":/quillomat/menu_help.png");
inline const QString kAboutMenuImage = QStringLiteral(":/quillomat/menu_about.png");

// One of the pictures above. Plain bitmaps are read here rather than by Qt's image reader, whose
// first use scans the image-format plugins and whose bitmap decoder goes pixel by pixel: together
// a few milliseconds of every start. Any other picture goes to Qt's reader.
QImage picture(const QString& resourcePath);

// The picture for a screen of the given device pixel ratio: above 1, its "@2x" companion (each
// built-in picture has one), as sharpPicture chooses.
QImage picture(const QString& resourcePath, qreal devicePixelRatio);

// "folder/name@2x.ext" for "folder/name.ext": where a picture drawn at twice the resolution
// lies beside it.
QString sharpCompanionPath(const QString& path);

// What to draw on a screen of the given device pixel ratio: above 1, the companion when it is
// exactly twice the plain picture's size, marked with ratio 2 so that it covers the plain one's
// area; otherwise the plain picture, which Qt enlarges. A companion of any other size would
// move every part of the picture away from the controls laid out on it.
QImage sharpPicture(const QImage& plain, const QImage& companion, qreal devicePixelRatio);

// An uncompressed Windows bitmap of 1, 4, 8 or 24 bits per pixel (the indexed ones keep their
// colour table); a null image for any other bytes.
QImage plainBitmap(const QByteArray& bytes);

} // namespace quillomat::builtin
