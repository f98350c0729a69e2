#pragma once

#include <QString>

// The program's own pictures, compiled in by the quillomat_resources target. The backgrounds
// and the window glyphs are uncompressed bitmaps: they are read at every start, and a bitmap
// needs no decoding.
namespace quillomat::builtin {

inline const QString kMainBackground = QStringLiteral(":/quillomat/background101.bmp");
inline const QString kLanguageBackground = QStringLiteral(":/quillomat/background102.bmp");
inline const QString kCloseGlyph = QStringLiteral(":/quillomat/glyph_close.bmp");
inline const QString kMinimizeGlyph = QStringLiteral(":/quillomat/glyph_minimize.bmp");
inline const QString kHelpGlyph = QStringLiteral(":/quillomat/glyph_help.bmp");
inline const QString kHelpMenuImage = QStringLiteral(":/quillomat/menu_help.png");
inline const QString kAboutMenuImage = QStringLiteral(":/quillomat/menu_about.png");

} // namespace quillomat::builtin
