#include "check/DiscCheck.h"

#include "catalogue/DescriptionTextCache.h"
#include "catalogue/MenuKeys.h"
#include "catalogue/PathRules.h"
#include "catalogue/TProject.h"
#include "check/FileChecks.h"
#include "check/IniChecks.h"
#include "platform/DriveRoot.h"
#include "platform/RegularFile.h"
#include "text/TextServices.h"

#include <QFileInfo>

#include <algorithm>

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

// Whether the menu names a file or its CD folder by a drive letter, so that what the letter was
// taken for matters to the report.
bool usesDriveLetters(const IniFile& ini, bool folderFromMenu)
{
    for (const QString& section : ini.sectionNames()) {
        const bool header = sameTextIgnoringCase(section, kHeaderSection);
        if (header && !folderFromMenu)
            continue;
        for (const auto& [key, value] : ini.sectionPairs(section)) {
            const bool pathKey = header
                                     ? sameTextIgnoringCase(key, kCdFolderKey)
                                     : std::any_of(std::begin(kPackageKeys), std::end(kPackageKeys),
                                                   [&](const PackageKey& known) {
                                                       return known.namesFile &&
                                                              sameTextIgnoringCase(key, known.name);
                                                   });
            if (pathKey && startsWithDriveLetter(value))
                return true;
        }
    }
    return false;
}

QString driveRootNote(const QString& driveRoot, const QString& source)
{
    if (driveLettersNameDrives())
        return QStringLiteral("drive letters (such as E:\\) name the drives of this machine");
    return QStringLiteral("drive letters (such as E:\\) were taken for \"%1\", %2")
        .arg(driveRoot, source);
}

// The disc kit's starter page says so in its text.
constexpr QStringView kStarterPageMark = u"This is the starter page of the Quillomat disc kit.";

// about.rtf beside the menu, the page the program starts with, is still the kit's starter page.
void checkStartPage(Report& report, const QString& menuFile)
{
    const QString page = besideFile(menuFile, QStringLiteral("about.rtf"));
    if (!QFileInfo::exists(page))
        return;
    const std::optional<QString> text = descriptionPlainText(page);
    if (!text || !text->contains(kStarterPageMark))
        return;
    report.setFile(page);
    report.warning(QString(), QString(),
                   QStringLiteral("still the disc kit's starter page, which the program shows "
                                  "when it starts: replace it with the disc's own start page"));
}

} // namespace

bool checkMenuFile(Report& report, const CheckOptions& options)
{
    // The project settles the CD folder and the drive root exactly as the program does.
    TProject project;
    QString driveRootSource;
    if (options.driveRoot) {
        project.setDriveRoot(*options.driveRoot);
        driveRootSource = QStringLiteral("the folder --drive-root names");
    } else if (!options.cdFolder.isEmpty()) {
        project.setDriveRoot(options.cdFolder);
        driveRootSource =
            QStringLiteral("the folder --cd-folder names (--drive-root names another)");
    } else {
        driveRootSource = QStringLiteral("the mount point of the file system this tool is on "
                                         "(--drive-root names another)");
    }
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
    if (usesDriveLetters(*ini, folderFromMenu))
        report.addNote(driveRootNote(project.driveRoot(), driveRootSource));
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
    else
        checkStartPage(outcome.report, options.menuFile);
    return outcome;
}

} // namespace quillomat
