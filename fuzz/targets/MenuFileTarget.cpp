#include "FuzzTargets.h"

#include "catalogue/BuiltinTexts.h"
#include "catalogue/RecordingViews.h"
#include "catalogue/TProject.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace quillomat::fuzz {
namespace {

// A line of its own that splits an input into a language file (before) and a menu file
// (after); without it the whole input is the menu file and the language file is lang.ini
// below. The dictionary carries the separator, so the fuzzer finds both shapes.
constexpr QByteArrayView kLanguageSeparator = "\n%%lang%%\n";

constexpr QByteArrayView kLanguageFile = "[English]\nSearch=search...\nCategoryOther=other\n"
                                         "[Deutsch]\nSearch=Suche...\nCategoryOther=Sonstige\n";
constexpr QByteArrayView kRtfDescription =
    "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Paint \\b studio\\b0  for \\'e9t\\'e9\\par}";
constexpr QByteArrayView kTextDescription = "A plain description: notes, tools and games.\n";

// Views are walked for at most this many filter entries, so that one input stays quick.
constexpr int kMaxFiltersWalked = 32;

// The disc the menu files point into: two descriptions beside the menu file, created once.
const QString& discFolder()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString folder = dir.path() + u'/';
        const auto write = [&](const QString& name, QByteArrayView bytes) {
            QFile file(folder + name);
            if (file.open(QIODevice::WriteOnly))
                file.write(bytes.data(), bytes.size());
        };
        write(QStringLiteral("about.rtf"), kRtfDescription);
        write(QStringLiteral("readme.txt"), kTextDescription);
        write(QStringLiteral("lang.ini"), kLanguageFile);
        return folder;
    }();
    return path;
}

bool writeFile(const QString& path, QByteArrayView bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes.data(), bytes.size()) == bytes.size();
}

} // namespace

void menuFile(QByteArrayView bytes)
{
    const QString folder = discFolder();
    QString languagePath = folder + QStringLiteral("lang.ini");
    QByteArrayView menu = bytes;
    if (const qsizetype split = bytes.indexOf(kLanguageSeparator); split >= 0) {
        languagePath = folder + QStringLiteral("fuzz-lang.ini");
        if (!writeFile(languagePath, bytes.first(split)))
            return;
        menu = bytes.sliced(split + kLanguageSeparator.size());
    }
    const QString menuPath = folder + QStringLiteral("fuzz.qmf");
    if (!writeFile(menuPath, menu))
        return;

    TProject project;
    project.LoadLanguageFile(languagePath);
    const QStringList languages = project.GetLanguageNames();
    if (!languages.isEmpty())
        project.setLanguage(std::int32_t(languages.size()));
    for (const BuiltinText& text : builtinTexts())
        (void)project.GetText(QString::fromUtf16(text.key));

    // An empty CD folder makes the loader read the file's own CDFolder key; the fuzzer
    // chooses by the menu's first byte.
    const bool ownFolder = !menu.isEmpty() && (menu.front() & 1);
    project.LoadMenuFile(menuPath, ownFolder ? QString() : folder);

    RecordingChoiceBox sortBy;
    project.FillSortByList(sortBy);
    RecordingChoiceBox filter;
    RecordingRowList rows;
    for (const SortMode mode :
         {SortMode::SortByName, SortMode::SortByCategory, SortMode::SortByCompany}) {
        project.FillFilterList(filter, mode);
        project.FillApplicationList(rows, mode, QString());
        const QStringList entries = filter.entries;
        for (int i = 0; i < entries.size() && i < kMaxFiltersWalked; ++i)
            project.FillApplicationList(rows, mode, entries[i]);
    }

    // Searches: the text the filter box starts with, a name of the menu, and the menu's last
    // line, which the fuzzer shapes freely. The second round is served by the text cache.
    QStringList searches{QStringLiteral("enter keywords"), QStringLiteral("studio \u00e9t\u00e9")};
    if (!project.applications().empty())
        searches.append(project.applications().front()->Name);
    const qsizetype lastLine = menu.lastIndexOf('\n');
    searches.append(QString::fromUtf8(
        menu.sliced(lastLine + 1).first(std::min<qsizetype>(menu.size() - lastLine - 1, 256))));
    for (int round = 0; round < 2; ++round) {
        for (const QString& words : searches)
            project.Search(rows, words);
    }
}

} // namespace quillomat::fuzz
