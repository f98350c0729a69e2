// quillomat-catalogue: shows what Quillomat makes of a menu file, as JSON, for disc authors and
// for tests.

#include "catalogue/DescriptionTextCache.h"
#include "catalogue/RecordingViews.h"
#include "catalogue/TProject.h"
#include "check/FileChecks.h"
#include "cli/CheckCommand.h"
#include "cli/JsonWriter.h"
#include "cli/NewCommand.h"
#include "cli/Output.h"
#include "platform/CasePaths.h"
#include "platform/DriveRoot.h"
#include "platform/StandardStreams.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>
#include <optional>

using namespace quillomat;

namespace {

constexpr int kExitCannotOpen = 1;
constexpr int kExitUsage = 2;

const char kUsage[] =
    "Usage:\n"
    "  quillomat-catalogue show MENU [OPTIONS]\n"
    "  quillomat-catalogue list MENU --mode name|category|company [--filter TEXT] [OPTIONS]\n"
    "  quillomat-catalogue search MENU TEXT [OPTIONS]\n"
    "  quillomat-catalogue text FILE\n"
    "  quillomat-catalogue check MENU [--cd-folder DIR] [--drive-root DIR] [--lang FILE]\n"
    "                            [--skin FILE] [--screen WxH] [--json]\n"
    "  quillomat-catalogue new FOLDER [--cd-folder DIR] [-o MENU]\n"
    "\n"
    "Prints, as UTF-8 JSON, the catalogue Quillomat builds from a menu file (show), the filter\n"
    "box and package list of one order (list) or the result of a keyword search (search).\n"
    "show gives each package's files as Quillomat finds them on disc: where a file does not\n"
    "exist as written, the one whose name differs only in letter case.\n"
    "text prints the plain text the keyword search sees in a description file.\n"
    "check reads a disc the way Quillomat will and prints one line per problem found:\n"
    "FILE: error|warning: [SECTION] KEY: REASON, then a count (or JSON with --json). It\n"
    "checks the menu file, and the language and skin files (by default lang.ini and\n"
    "qmskin.ini beside the menu file, when they are there). It reads only.\n"
    "new drafts a menu for the packages under FOLDER, with names, companies and categories\n"
    "from the installers where they give them, and notes (; lines) on what to fill in. It\n"
    "writes MENU, which must not exist yet, or standard output without -o; it reads only\n"
    "otherwise. Its paths are relative to --cd-folder (default: FOLDER).\n"
    "\n"
    "Options:\n"
    "  --cd-folder DIR  folder the packages' files are resolved against (default: the menu\n"
    "                   file's CDFolder key)\n"
    "  --drive-root DIR folder a drive letter (E:\\) in the menu file stands for (default:\n"
    "                   the --cd-folder when one is given, as with quillomat /TEST DIR,\n"
    "                   else the mount point of the file system this program is on); not\n"
    "                   on Windows, where a drive letter names that drive\n"
    "  --lang FILE      language file, loaded before the menu file (default: lang.ini\n"
    "                   beside the menu file, when it is there)\n"
    "  --language N     language of that file to use, counted from 1\n"
    "  --skin FILE      skin file to check\n"
    "  --screen WxH     screen a preview picture must fit on (default: 1024x768)\n"
    "  --json           check prints its findings as JSON\n"
    "  -o MENU          new file new writes the menu to (also --output MENU)\n"
    "  --help           show this help\n"
    "  --version        show the version\n"
    "\n"
    "Exit status: 0 on success (check: no errors, warnings allowed), 1 when a file cannot be\n"
    "opened, 2 on a usage error, 3 when check found errors.\n";

struct Arguments
{
    QStringList positional;
    std::optional<QString> cdFolder, driveRoot, languageFile, language, mode, filter, skin, screen,
        output;
    bool help = false;
    bool version = false;
    bool json = false;
};

int usageError(const QString& message)
{
    writeError(QStringLiteral("quillomat-catalogue: ") + message);
    std::fputs(kUsage, stderr);
    return kExitUsage;
}

// Options may stand anywhere after the command; "--" ends them. nullopt with the message set
// on an unknown option or one that lacks its value.
std::optional<Arguments> parseArguments(const QStringList& args, QString& error)
{
    Arguments parsed;
    const std::pair<QLatin1StringView, std::optional<QString> Arguments::*> valueOptions[] = {
        {QLatin1StringView("--cd-folder"), &Arguments::cdFolder},
        {QLatin1StringView("--drive-root"), &Arguments::driveRoot},
        {QLatin1StringView("--lang"), &Arguments::languageFile},
        {QLatin1StringView("--language"), &Arguments::language},
        {QLatin1StringView("--mode"), &Arguments::mode},
        {QLatin1StringView("--filter"), &Arguments::filter},
        {QLatin1StringView("--skin"), &Arguments::skin},
        {QLatin1StringView("--screen"), &Arguments::screen},
        {QLatin1StringView("-o"), &Arguments::output},
        {QLatin1StringView("--output"), &Arguments::output},
    };
    bool optionsEnded = false;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (optionsEnded || !arg.startsWith(u'-') || arg == QStringLiteral("-")) {
            parsed.positional.append(arg);
            continue;
        }
        if (arg == QStringLiteral("--")) {
            optionsEnded = true;
            continue;
        }
        if (arg == QStringLiteral("--help")) {
            parsed.help = true;
            continue;
        }
        if (arg == QStringLiteral("--version")) {
            parsed.version = true;
            continue;
        }
        if (arg == QStringLiteral("--json")) {
            parsed.json = true;
            continue;
        }
        QString name = arg;
        std::optional<QString> inlineValue;
        if (const qsizetype equals = arg.indexOf(u'='); equals > 0) {
            name = arg.first(equals);
            inlineValue = arg.sliced(equals + 1);
        }
        bool known = false;
        for (const auto& [optionName, member] : valueOptions) {
            if (name != optionName)
                continue;
            known = true;
            if (inlineValue) {
                parsed.*member = *inlineValue;
            } else if (i + 1 < args.size()) {
                parsed.*member = args[++i];
            } else {
                error = QStringLiteral("option %1 needs a value").arg(name);
                return std::nullopt;
            }
        }
        if (!known) {
            error = QStringLiteral("unknown option %1").arg(arg);
            return std::nullopt;
        }
    }
    return parsed;
}

void writeStringArray(JsonWriter& json, const QStringList& strings)
{
    json.beginArray();
    for (const QString& text : strings)
        json.value(text);
    json.endArray();
}

template <typename Group>
void writeGroups(JsonWriter& json, const std::vector<std::unique_ptr<Group>>& groups)
{
    json.beginArray();
    for (const auto& group : groups) {
        json.beginObject();
        json.key(QStringLiteral("name"));
        json.value(group->Name);
        json.key(QStringLiteral("apps"));
        json.beginArray();
        for (const TAppDescription* app : group->Apps)
            json.value(app->Name);
        json.endArray();
        json.endObject();
    }
    json.endArray();
}

void writeRows(JsonWriter& json, const RecordingRowList& rows)
{
    json.key(QStringLiteral("rows"));
    json.beginArray();
    for (const RecordingRowList::Row& row : rows.rows) {
        json.beginObject();
        json.key(QStringLiteral("caption"));
        json.value(row.caption);
        json.key(QStringLiteral("package"));
        if (row.package)
            json.value(row.package->Name);
        else
            json.nullValue();
        json.endObject();
    }
    json.endArray();
}

void writeShow(JsonWriter& json, const TProject& project)
{
    json.beginObject();
    json.key(QStringLiteral("cdFolder"));
    json.value(project.cdFolder());
    json.key(QStringLiteral("languages"));
    writeStringArray(json, project.GetLanguageNames());
    json.key(QStringLiteral("activeLanguage"));
    json.value(qint64(project.activeLanguage()));
    json.key(QStringLiteral("applications"));
    json.beginArray();
    for (const auto& app : project.applications()) {
        json.beginObject();
        // Files are shown as found on disc.
        const std::pair<const char16_t*, QString> fields[] = {
            {u"name", app->Name},
            {u"company", app->Company},
            {u"category", app->Category},
            {u"runFile", resolvePathCase(app->RunFile()).path},
            {u"textFile", resolvePathCase(app->TextFile()).path},
            {u"bitmap", resolvePathCase(app->Bitmap()).path},
        };
        for (const auto& [name, value] : fields) {
            json.key(QString::fromUtf16(name));
            json.value(value);
        }
        json.endObject();
    }
    json.endArray();
    json.key(QStringLiteral("categories"));
    writeGroups(json, project.categories());
    json.key(QStringLiteral("companies"));
    writeGroups(json, project.companies());
    json.key(QStringLiteral("sortBy"));
    RecordingChoiceBox sortBy;
    project.FillSortByList(sortBy);
    writeStringArray(json, sortBy.entries);
    json.endObject();
}

std::optional<SortMode> sortModeNamed(const QString& name)
{
    if (name == QStringLiteral("name"))
        return SortMode::SortByName;
    if (name == QStringLiteral("category"))
        return SortMode::SortByCategory;
    if (name == QStringLiteral("company"))
        return SortMode::SortByCompany;
    return std::nullopt;
}

// Windows reads a drive letter as that drive of the machine, and so does Quillomat there: a
// drive root of another folder would check a disc the program never sees.
std::optional<int> refuseDriveRoot(const Arguments& args)
{
    if (!args.driveRoot || !driveLettersNameDrives())
        return std::nullopt;
    return usageError(QStringLiteral(
        "--drive-root is not used on Windows: a drive letter names that drive of this machine, "
        "as it does for Quillomat; to check a copy of the disc, give its folder a drive letter "
        "(subst E: FOLDER) or use --cd-folder"));
}

int runText(const Arguments& args)
{
    if (args.positional.size() != 2)
        return usageError(QStringLiteral("text needs exactly one FILE"));
    if (args.cdFolder || args.driveRoot || args.languageFile || args.language || args.mode ||
        args.filter || args.skin || args.screen || args.json || args.output)
        return usageError(QStringLiteral("text takes no options"));
    const QString& path = args.positional[1];
    const std::optional<QString> text = descriptionPlainText(path);
    if (!text) {
        writeError(QStringLiteral("quillomat-catalogue: cannot open file \"%1\"").arg(path));
        return kExitCannotOpen;
    }
    writeOut(text->toUtf8());
    return 0;
}

int runCheckCommand(const Arguments& args)
{
    if (args.positional.size() != 2)
        return usageError(QStringLiteral("check needs exactly one MENU"));
    if (args.language || args.mode || args.filter || args.output)
        return usageError(QStringLiteral("check takes no --language, --mode, --filter or -o"));
    if (const std::optional<int> refused = refuseDriveRoot(args))
        return *refused;
    CheckOptions options;
    options.menuFile = args.positional[1];
    options.cdFolder = args.cdFolder.value_or(QString());
    options.driveRoot = args.driveRoot;
    options.languageFile = args.languageFile;
    options.skinFile = args.skin;
    if (args.screen) {
        const std::optional<QSize> screen = parseScreenSize(*args.screen);
        if (!screen)
            return usageError(QStringLiteral("--screen must be WIDTHxHEIGHT, such as 1024x768"));
        options.screen = *screen;
    }
    return runCheck(options, args.json);
}

int runNewCommand(const Arguments& args)
{
    if (args.positional.size() != 2)
        return usageError(QStringLiteral("new needs exactly one FOLDER"));
    if (args.driveRoot || args.languageFile || args.language || args.mode || args.filter ||
        args.skin || args.screen || args.json)
        return usageError(QStringLiteral("new takes only --cd-folder and -o"));
    return runNew({args.positional[1], args.cdFolder, args.output});
}

int runCatalogueCommand(const Arguments& args)
{
    const QString& command = args.positional[0];
    const qsizetype wanted = command == QStringLiteral("search") ? 3 : 2;
    if (args.positional.size() != wanted)
        return usageError(command == QStringLiteral("search")
                              ? QStringLiteral("search needs MENU and TEXT")
                              : QStringLiteral("%1 needs exactly one MENU").arg(command));
    std::optional<SortMode> mode;
    if (command == QStringLiteral("list")) {
        if (!args.mode)
            return usageError(QStringLiteral("list needs --mode"));
        mode = sortModeNamed(*args.mode);
        if (!mode)
            return usageError(QStringLiteral("--mode must be name, category or company"));
    } else if (args.mode || args.filter) {
        return usageError(QStringLiteral("--mode and --filter belong to list"));
    }
    if (args.skin || args.screen || args.json)
        return usageError(QStringLiteral("--skin, --screen and --json belong to check"));
    if (args.output)
        return usageError(QStringLiteral("-o belongs to new"));
    if (const std::optional<int> refused = refuseDriveRoot(args))
        return *refused;

    // The texts the program shows with this menu: lang.ini beside it, where the program keeps
    // its own, unless --lang names another.
    const QString& menuFile = args.positional[1];
    const QString beside = besideFile(menuFile, QStringLiteral("lang.ini"));
    const std::optional<QString> languageFile =
        args.languageFile ? args.languageFile
                          : (QFileInfo::exists(beside) ? std::optional(beside) : std::nullopt);
    TProject project;
    if (languageFile && project.LoadLanguageFile(*languageFile)) {
        writeError(QStringLiteral("quillomat-catalogue: cannot open language file \"%1\"")
                       .arg(*languageFile));
        return kExitCannotOpen;
    }
    if (args.language) {
        bool isNumber = false;
        const int language = args.language->toInt(&isNumber);
        const int count = int(project.GetLanguageNames().size());
        if (!isNumber || language < 1 || language > count)
            return usageError(
                count == 0 ? QStringLiteral("--language needs a language file")
                           : QStringLiteral("--language must be between 1 and %1").arg(count));
        project.setLanguage(language);
    }
    if (args.driveRoot)
        project.setDriveRoot(*args.driveRoot);
    else if (args.cdFolder)
        project.setDriveRoot(*args.cdFolder);
    if (project.LoadMenuFile(menuFile, args.cdFolder.value_or(QString()))) {
        writeError(
            QStringLiteral("quillomat-catalogue: cannot open menu file \"%1\"").arg(menuFile));
        return kExitCannotOpen;
    }

    JsonWriter json;
    if (command == QStringLiteral("show")) {
        writeShow(json, project);
    } else if (command == QStringLiteral("list")) {
        RecordingChoiceBox filterBox;
        RecordingRowList rows;
        project.FillFilterList(filterBox, *mode);
        project.FillApplicationList(rows, *mode, args.filter.value_or(QString()));
        json.beginObject();
        json.key(QStringLiteral("filter"));
        json.beginObject();
        json.key(QStringLiteral("entries"));
        writeStringArray(json, filterBox.entries);
        json.key(QStringLiteral("visible"));
        json.value(filterBox.visible);
        json.key(QStringLiteral("enabled"));
        json.value(filterBox.enabled);
        json.endObject();
        writeRows(json, rows);
        json.endObject();
    } else {
        RecordingRowList rows;
        project.setDescriptionCacheBudget(0); // one search: nothing to keep texts for
        project.Search(rows, args.positional[2]);
        json.beginObject();
        writeRows(json, rows);
        json.endObject();
    }
    writeOut(json.toUtf8());
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    setStandardStreamsBinary();
    QCoreApplication::setApplicationName(QStringLiteral("quillomat-catalogue"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUILLOMAT_VERSION));

    QString error;
    const std::optional<Arguments> args = parseArguments(QCoreApplication::arguments(), error);
    if (!args)
        return usageError(error);
    if (args->help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (args->version) {
        writeOut(QStringLiteral("quillomat-catalogue %1\n")
                     .arg(QStringLiteral(QUILLOMAT_VERSION))
                     .toUtf8());
        return 0;
    }
    if (args->positional.isEmpty())
        return usageError(QStringLiteral("no command given"));
    const QString& command = args->positional[0];
    if (command == QStringLiteral("text"))
        return runText(*args);
    if (command == QStringLiteral("check"))
        return runCheckCommand(*args);
    if (command == QStringLiteral("new"))
        return runNewCommand(*args);
    if (command == QStringLiteral("show") || command == QStringLiteral("list") ||
        command == QStringLiteral("search"))
        return runCatalogueCommand(*args);
    return usageError(QStringLiteral("unknown command %1").arg(command));
}
