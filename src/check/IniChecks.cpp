#include "check/IniChecks.h"

#include "platform/RegularFile.h"
#include "text/TextServices.h"

#include <QSet>

#include <algorithm>
#include <numeric>
#include <vector>

namespace quillomat {
namespace {

// Two letters cover the usual slips (a swapped pair, one letter doubled or lost) without
// suggesting unrelated short keys.
constexpr qsizetype kMaxSuggestionDistance = 2;

// Levenshtein distance of the case-folded names.
qsizetype editDistance(const QString& a, const QString& b)
{
    const QString x = a.toCaseFolded();
    const QString y = b.toCaseFolded();
    std::vector<qsizetype> row(std::size_t(y.size()) + 1);
    std::iota(row.begin(), row.end(), 0);
    for (qsizetype i = 1; i <= x.size(); ++i) {
        qsizetype diagonal = row[0];
        row[0] = i;
        for (qsizetype j = 1; j <= y.size(); ++j) {
            const qsizetype substitution = diagonal + (x[i - 1] == y[j - 1] ? 0 : 1);
            diagonal = row[std::size_t(j)];
            row[std::size_t(j)] =
                std::min({row[std::size_t(j)] + 1, row[std::size_t(j - 1)] + 1, substitution});
        }
    }
    return row.back();
}

bool isKnown(QStringView key, const QStringList& knownKeys)
{
    return std::any_of(knownKeys.begin(), knownKeys.end(),
                       [key](const QString& known) { return sameTextIgnoringCase(key, known); });
}

} // namespace

std::optional<IniFile> loadForCheck(Report& report, const QString& file)
{
    if (!canOpenForReading(file))
        return std::nullopt;
    std::optional<IniFile> ini = IniFile::load(file);
    if (ini)
        report.setFile(file);
    return ini;
}

QString nearestKey(const QString& key, const QStringList& knownKeys)
{
    QString nearest;
    qsizetype best = kMaxSuggestionDistance + 1;
    for (const QString& known : knownKeys) {
        const qsizetype distance = editDistance(key, known);
        if (distance < best && distance < known.size()) {
            best = distance;
            nearest = known;
        }
    }
    return nearest;
}

void checkSectionKeys(Report& report, const IniFile& ini, const QString& section,
                      const QStringList& knownKeys)
{
    QSet<QString> seen;
    for (const auto& [key, value] : ini.sectionPairs(section)) {
        const QString name = key.toString();
        if (!isKnown(key, knownKeys)) {
            const QString suggestion = nearestKey(name, knownKeys);
            report.warning(
                section, name,
                suggestion.isEmpty()
                    ? QStringLiteral("no reader uses this key")
                    : QStringLiteral("no reader uses this key (did you mean %1?)").arg(suggestion));
        } else if (bool(seen.contains(name.toCaseFolded()))) {
            report.warning(section, name,
                           QStringLiteral("key given again; only its first value is read"));
        }
        seen.insert(name.toCaseFolded());
    }
}

void checkRepeatedSections(Report& report, const IniFile& ini, Severity severity,
                           const QString& message)
{
    for (const QStringView section : ini.repeatedSections())
        report.add(severity, section.toString(), QString(), message);
}

} // namespace quillomat
