// The skin file: keys the skin reader does not know, values it cannot read, and its background.

#include "catalogue/SkinKeys.h"
#include "check/DiscCheck.h"
#include "check/FileChecks.h"
#include "check/IniChecks.h"
#include "check/SkinLayout.h"
#include "graphics/PreviewPicture.h"
#include "text/IniFile.h"
#include "text/TextServices.h"
#include "text/ValueParsing.h"

#include <QFileInfo>
#include <QSet>

namespace quillomat {
namespace {

using namespace skinkeys;

QString toQString(std::string_view text)
{
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

// What a value of the type must look like, for the message about one that does not.
QString expectedForm(ValueType type)
{
    switch (type) {
    case Integer:
        return QStringLiteral("a whole number");
    case Colour:
        return QStringLiteral("a colour number (decimal, $hex or 0xhex; names such as clRed are "
                              "not read)");
    case Boolean:
        return QStringLiteral("a number (0 for no, any other for yes)");
    case Text:
        break;
    }
    return QString();
}

// The background is named relative to the skin file's folder, the program folder, and read as
// a BMP whatever its name says; the built-in picture is shown when that fails. The size of the
// picture shown; nullopt for the built-in one.
std::optional<QSize> checkBackground(Report& report, const QString& section, const QString& key,
                                     const QString& skinFile, const QString& value)
{
    const QString path = besideFile(skinFile, QString(value).replace(u'\\', u'/'));
    const std::optional<QString> found = locateNamedFile(report, section, key, path);
    if (!found)
        return std::nullopt;
    if (const std::optional<QImage> picture = loadBmpPicture(*found))
        return picture->size();
    report.error(section, key,
                 u'"' + *found +
                     QStringLiteral("\" is not a BMP picture: the built-in background is "
                                    "shown instead"));
    return std::nullopt;
}

// The built-in background fits the window's design size exactly.
QSize builtinBackgroundSize()
{
    return QSize(int(findSkinKey(Window, Width)->defaultNumber),
                 int(findSkinKey(Window, Height)->defaultNumber));
}

} // namespace

bool checkSkinFile(Report& report, const QString& skinFile)
{
    const std::optional<IniFile> ini = loadForCheck(report, skinFile);
    if (!ini)
        return false;

    const QString section = toQString(kSection);
    for (const QString& other : ini->sectionNames()) {
        if (sameTextIgnoringCase(other, section))
            continue;
        const QString suggestion = nearestKey(other, {section});
        report.warning(other, QString(),
                       QStringLiteral("the skin reader reads only the section [%1]%2")
                           .arg(section, suggestion.isEmpty()
                                             ? QString()
                                             : QStringLiteral(": is this name misspelt?")));
    }
    checkRepeatedSections(report, *ini, Severity::Warning,
                          QStringLiteral("section written again: its keys are added to the "
                                         "first, where a key already given is ignored"));

    QStringList known;
    for (const SkinKey& key : kSkinKeys)
        known.append(toQString(key.name));
    checkSectionKeys(report, *ini, section, known);

    QSize background = builtinBackgroundSize();
    QSet<const SkinKey*> seen;
    for (const auto& [name, value] : ini->sectionPairs(section)) {
        const SkinKey* key = skinKeyNamed(name);
        if (!key || seen.contains(key))
            continue; // reported above
        seen.insert(key);
        const QString keyName = name.toString();
        if (key->type == Text) {
            if (key->property == Background && !value.isEmpty())
                background = checkBackground(report, section, keyName, skinFile, value.toString())
                                 .value_or(background);
        } else if (value.isEmpty()) {
            report.warning(section, keyName, QStringLiteral("empty: the key is ignored"));
        } else if (!parseInteger(value)) {
            report.error(section, keyName,
                         QStringLiteral("\"%1\" is not %2: the key is ignored")
                             .arg(value.toString(), expectedForm(key->type)));
        }
    }
    checkSkinLayout(report, *ini, section, background);
    return true;
}

} // namespace quillomat
