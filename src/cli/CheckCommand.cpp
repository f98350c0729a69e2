#include "cli/CheckCommand.h"

#include "cli/JsonWriter.h"
#include "cli/Output.h"

#include <QRegularExpression>

namespace quillomat {
namespace {

constexpr int kExitCannotOpen = 1;

QString severityName(Severity severity)
{
    return severity == Severity::Error ? QStringLiteral("error") : QStringLiteral("warning");
}

QString counted(qsizetype count, const QString& noun)
{
    return QString::number(count) + u' ' + noun + (count == 1 ? QString() : QStringLiteral("s"));
}

// FILE: SEVERITY: [SECTION] KEY: MESSAGE, leaving out what the finding does not name.
QString findingLine(const Finding& finding)
{
    QString line =
        finding.file + QStringLiteral(": ") + severityName(finding.severity) + QStringLiteral(": ");
    if (!finding.section.isEmpty())
        line += u'[' + finding.section + u']' +
                (finding.key.isEmpty() ? QString() : QStringLiteral(" "));
    line += finding.key;
    if (!finding.section.isEmpty() || !finding.key.isEmpty())
        line += QStringLiteral(": ");
    return line + finding.message + u'\n';
}

QByteArray asText(const Report& report)
{
    QString text;
    for (const Finding& finding : report.findings())
        text += findingLine(finding);
    const qsizetype errors = report.count(Severity::Error);
    const qsizetype warnings = report.count(Severity::Warning);
    for (const QString& note : report.notes())
        text += QStringLiteral("note: ") + note + u'\n';
    if (errors == 0 && warnings == 0)
        text += QStringLiteral("no problems found\n");
    else
        text += counted(errors, QStringLiteral("error")) + QStringLiteral(", ") +
                counted(warnings, QStringLiteral("warning")) + u'\n';
    return text.toUtf8();
}

QByteArray asJson(const Report& report)
{
    JsonWriter json;
    json.beginObject();
    json.key(QStringLiteral("findings"));
    json.beginArray();
    for (const Finding& finding : report.findings()) {
        json.beginObject();
        const std::pair<const char16_t*, QString> fields[] = {
            {u"file", finding.file},       {u"severity", severityName(finding.severity)},
            {u"section", finding.section}, {u"key", finding.key},
            {u"message", finding.message},
        };
        for (const auto& [name, value] : fields) {
            json.key(QString::fromUtf16(name));
            json.value(value);
        }
        json.endObject();
    }
    json.endArray();
    json.key(QStringLiteral("notes"));
    json.beginArray();
    for (const QString& note : report.notes())
        json.value(note);
    json.endArray();
    json.key(QStringLiteral("errors"));
    json.value(qint64(report.count(Severity::Error)));
    json.key(QStringLiteral("warnings"));
    json.value(qint64(report.count(Severity::Warning)));
    json.endObject();
    return json.toUtf8();
}

} // namespace

int runCheck(const CheckOptions& options, bool json)
{
    const CheckOutcome outcome = checkDisc(options);
    if (!outcome.unreadableFile.isEmpty()) {
        writeError(QStringLiteral("quillomat-catalogue: cannot open file \"") +
                   outcome.unreadableFile + u'"');
        return kExitCannotOpen;
    }
    writeOut(json ? asJson(outcome.report) : asText(outcome.report));
    return outcome.report.count(Severity::Error) > 0 ? kExitProblemsFound : 0;
}

std::optional<QSize> parseScreenSize(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^([1-9][0-9]{0,5})x([1-9][0-9]{0,5})$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return QSize(match.captured(1).toInt(), match.captured(2).toInt());
}

} // namespace quillomat
