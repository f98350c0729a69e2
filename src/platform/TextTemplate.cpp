#include "platform/TextTemplate.h"

namespace quillomat {

QString fillTemplate(const QString& templateText, const QString& argument)
{
    const qsizetype at = templateText.indexOf(QLatin1String("%s"));
    if (at < 0)
        return templateText;
    QString filled = templateText;
    return filled.replace(at, 2, argument);
}

QString expandLineBreaks(const QString& text)
{
    QString expanded = text;
    // Left to right until none is left: "\\n" first yields "\" + break.
    qsizetype at = 0;
    while ((at = expanded.indexOf(QLatin1String("\\n"), at)) >= 0)
        expanded.replace(at, 2, QStringLiteral("\n"));
    return expanded;
}

} // namespace quillomat
