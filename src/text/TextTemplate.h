#pragma once

#include <QString>

namespace quillomat {

// Fills a language text used as a template: the first "%s" becomes the argument and "%%" a
// single '%', as a translator who knows format strings expects; any other '%' sequence shows
// literally. Language texts never reach a printf-style formatter.
QString fillTemplate(const QString& templateText, const QString& argument);

// Turns every two-character sequence backslash + n into a line break (a newline), as the pane messages
// of the language file are written.
QString expandLineBreaks(const QString& text);

} // namespace quillomat
