// The language file: texts no reader asks for, and texts one language gives and another lacks.

#include "catalogue/BuiltinTexts.h"
#include "check/DiscCheck.h"
#include "check/IniChecks.h"
#include "text/IniFile.h"
#include "text/TextServices.h"

#include <optional>

namespace quillomat {
namespace {

// The first value of the key in the section, empty or not; nullopt when the key is absent.
std::optional<QStringView> firstValue(const IniFile& ini, const QString& section,
                                      const QString& key)
{
    for (const auto& [name, value] : ini.sectionPairs(section))
        if (sameTextIgnoringCase(name, key))
            return value;
    return std::nullopt;
}

} // namespace

bool checkLanguageFile(Report& report, const QString& languageFile)
{
    const std::optional<IniFile> ini = loadForCheck(report, languageFile);
    if (!ini)
        return false;

    QStringList keys;
    for (const BuiltinText& text : builtinTexts())
        keys.append(QString::fromUtf16(text.key));
    const QStringList languages = ini->sectionNames();

    // For each text, the first language that gives it: any language that lacks it then shows
    // the built-in English text amid its own.
    QStringList givenBy;
    for (const QString& key : keys) {
        QString giver;
        for (const QString& language : languages) {
            if (!firstValue(*ini, language, key).value_or(QStringView()).isEmpty()) {
                giver = language;
                break;
            }
        }
        givenBy.append(giver);
    }

    checkRepeatedSections(report, *ini, Severity::Warning,
                          QStringLiteral("language written again: its texts are added to the "
                                         "first, where a text already given is ignored"));
    for (const QString& language : languages) {
        checkSectionKeys(report, *ini, language, keys);
        for (qsizetype i = 0; i < keys.size(); ++i) {
            if (givenBy[i].isEmpty())
                continue;
            const std::optional<QStringView> value = firstValue(*ini, language, keys[i]);
            if (value && !value->isEmpty())
                continue;
            report.error(
                language, keys[i],
                QStringLiteral("%1, though %2 gives it: the built-in English text is "
                               "shown instead")
                    .arg(value ? QStringLiteral("empty") : QStringLiteral("missing"), givenBy[i]));
        }
    }
    return true;
}

} // namespace quillomat
