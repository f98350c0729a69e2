#include "check/DiscCheck.h"

#include "catalogue/MenuKeys.h"
#include "catalogue/PathRules.h"
#include "catalogue/TProject.h"
#include "check/FileChecks.h"
#include "check/IniChecks.h"
#include "platform/FileProbe.h"
#include "platform/TextServices.h"

#include <QFileInfo>

namespace quillomat {
namespace {

using namespace menukeys;

QStringList packageKeyNames()
{
    QStringList names;
    for (const PackageKey& key : kPackageKeys)
        names.append(key.name.toString());
    return names;
}

// The CD folder as found on disc, with the trailing '/' the path rules expect; nullopt, with an
// error, when it is not there.
std::optional<QString> locateCdFolder(Report& report, const QString& cdFolder, bool fromMenu)
{
    const QString section = fromMenu ? kHeaderSection.toString() : QString();
    const QString key = fromMenu ? kCdFolderKey.toString() : QString();
    QString folder = cdFolder;
    if (folder.size() > 1)
        folder.chop(1);
    const std::optional<QString> found = locateNamedFile(report, section, key, folder);
    if (!found)
        return std::nullopt;
    if (!QFileInfo(*found).isDir()) {
        report.error(section, key, u'"' + *found + QStringLiteral("\" is not a folder"));
        return std::nullopt;
    }
    // Already a path on this system: no drive letter is left in it.
    return settledCdFolder(*found, QString());
}

void checkPackageFiles(Report& report, const QString& package, const PackageValues& values,
                       const QString& cdFolder, const QString& driveRoot, QSize screen)
{
    for (const PackageKey& key : kPackageKeys) {
        const QString& value = values.*key.field;
        if (!key.namesFile || value.isEmpty())
            continue;
        const QString name = key.name.toString();
        const std::optional<QString> path =
            locateNamedFile(report, package, name, resolvedOnDisc(cdFolder, value, driveRoot));
        if (!path)
            continue;
        if (key.field == &PackageValues::runFile)
            checkRunFile(report, package, name, *path);
        else if (key.field == &PackageValues::textFile)
            checkDescription(report, package, name, *path);
        else
            checkPicture(report, package, name, *path, screen);
    }
}

} // namespace

bool checkMenuFile(Report& report, const CheckOptions& options)
{
    // The project settles the CD folder and the drive root exactly as the program does.
    TProject project;
    if (options.driveRoot)
        project.setDriveRoot(*options.driveRoot);
    if (project.LoadMenuFile(options.menuFile, options.cdFolder))
        return false;
    const std::optional<IniFile> ini = loadForCheck(report, options.menuFile);
    if (!ini)
        return false;

    for (const QStringView section : ini->repeatedSections()) {
        if (sameTextIgnoringCase(section, kHeaderSection))
            continue;
        report.error(section.toString(), QString(),
                     QStringLiteral("duplicate package name: the program reads both sections as "
                                    "one package, and where a key is given twice, the first "
                                    "value counts"));
    }

    const bool folderFromMenu = options.cdFolder.isEmpty();
    const std::optional<QString> folder =
        locateCdFolder(report, project.cdFolder(), folderFromMenu);
    const QStringList packageKeys = packageKeyNames();
    for (const QString& section : ini->sectionNames()) {
        if (sameTextIgnoringCase(section, kHeaderSection)) {
            checkSectionKeys(report, *ini, section, {kCdFolderKey.toString()});
            continue;
        }
        checkSectionKeys(report, *ini, section, packageKeys);
        // Without the CD folder every file would be reported missing: its one error says it all.
        if (folder)
            checkPackageFiles(report, section, packageValues(ini->sectionPairs(section)), *folder,
                              project.driveRoot(), options.screen);
    }
    return true;
}

CheckOutcome checkDisc(const CheckOptions& options)
{
    CheckOutcome outcome;
    // The files the program reads besides the menu; those beside it only when they are there.
    const QString languageFile =
        options.languageFile.value_or(besideFile(options.menuFile, QStringLiteral("lang.ini")));
    const QString skinFile =
        options.skinFile.value_or(besideFile(options.menuFile, QStringLiteral("qmskin.ini")));
    const bool checkLanguage = options.languageFile || QFileInfo::exists(languageFile);
    const bool checkSkin = options.skinFile || QFileInfo::exists(skinFile);
    for (const auto& [wanted, file] :
         {std::pair(checkLanguage, languageFile), std::pair(checkSkin, skinFile)}) {
        if (wanted && !canOpenForReading(file)) {
            outcome.unreadableFile = file;
            return outcome;
        }
    }

    if (!checkMenuFile(outcome.report, options)) {
        outcome.unreadableFile = options.menuFile;
        return outcome;
    }
    if (checkLanguage && !checkLanguageFile(outcome.report, languageFile))
        outcome.unreadableFile = languageFile;
    else if (checkSkin && !checkSkinFile(outcome.report, skinFile))
        outcome.unreadableFile = skinFile;
    return outcome;
}

} // namespace quillomat
