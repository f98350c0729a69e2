#pragma once

#include <QString>

namespace quillomat {

// Fills a language text used as a template: the first "%s" becomes the argument and nothing
// else changes, so any other '%' sequence a translator wrote shows literally. Language texts
// never reach a printf-style formatter.
QString fillTemplate(const QString& templateText, const QString& argument);

// Turns every two-character sequence backslash + n into a line break (a newline), as the pane messages
// of the language file are written.
QString expandLineBreaks(const QString& text);

} // namespace quillomat
