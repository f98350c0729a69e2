#include "text/TextTemplate.h"

namespace quillomat {

QString fillTemplate(const QString& templateText, const QString& argument)
{
    QString filled;
    filled.reserve(templateText.size() + argument.size());
    bool placed = false;
    for (qsizetype i = 0; i < templateText.size(); ++i) {
        const QChar ch = templateText[i];
        const QChar next = i + 1 < templateText.size() ? templateText[i + 1] : QChar();
        if (ch == u'%' && next == u'%') {
            filled += u'%';
            ++i;
        } else if (ch == u'%' && next == u's' && !placed) {
            filled += argument;
            placed = true;
            ++i;
        } else {
            filled += ch;
        }
    }
    return filled;
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
