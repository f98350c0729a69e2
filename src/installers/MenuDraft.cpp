#include "installers/MenuDraft.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

namespace quillomat {
namespace {

// Names and values stay far below the menu reader's 2,047 characters.
constexpr qsizetype kMaxName = 200;
constexpr qsizetype kMaxValue = 1000;

// One line of text: metadata may hold line breaks and control characters.
QString oneLine(const QString& text, qsizetype limit)
{
    QString line;
    for (const QChar c : text)
        line.append(c.isPrint() ? c : QChar(u' '));
    return line.simplified().left(limit).trimmed();
}

// A section name the menu reader reads back as written: no brackets, unique without regard
// to case (as sections are found).
QString sectionName(const PackageDraft& package, QSet<QString>& taken)
{
    QString name = oneLine(package.info.nameWithVersion(), kMaxName);
    name.replace(u'[', u'(').replace(u']', u')');
    if (name.isEmpty() || name.startsWith(u';'))
        name = oneLine(QFileInfo(package.folder).fileName(), kMaxName);
    if (name.isEmpty())
        name = QStringLiteral("Package");
    QString unique = name;
    for (int n = 2; taken.contains(unique.toCaseFolded()); ++n)
        unique = name + QStringLiteral(" (%1)").arg(n);
    taken.insert(unique.toCaseFolded());
    return unique;
}

// A category as a menu shows it: "games" as "Games".
QString categoryName(const QString& category)
{
    QString name = oneLine(category, kMaxValue);
    if (!name.isEmpty())
        name[0] = name[0].toUpper();
    return name;
}

QString relativePath(const QDir& cdFolder, const QString& path)
{
    return path.isEmpty() ? QString() : cdFolder.relativeFilePath(path).replace(u'/', u'\\');
}

} // namespace

qsizetype packagesToComplete(const QList<PackageDraft>& packages)
{
    return std::count_if(packages.cbegin(), packages.cend(), [](const PackageDraft& p) {
        return p.info.company.trimmed().isEmpty() || p.info.category.trimmed().isEmpty();
    });
}

QByteArray draftMenu(const QList<PackageDraft>& packages, const QString& cdFolder)
{
    const QDir cd(cdFolder);
    QStringList lines{
        QStringLiteral("; Drafted from the packages on the medium. Lines starting with ; are "
                       "notes:"),
        QStringLiteral("; fill in what they ask for, then: quillomat-catalogue check MENU"),
        QStringLiteral("; Paths are relative to the medium's root; CDFolder names it for a menu "
                       "opened by name."),
        QString(),
        QStringLiteral("[!Quillomat menu file generator]"),
        QStringLiteral("CDFolder=") + QDir::toNativeSeparators(cd.absolutePath()) +
            (cd.isRoot() ? QString() : QDir::toNativeSeparators(QStringLiteral("/"))),
    };
    QSet<QString> taken;
    for (const PackageDraft& package : packages) {
        lines.append(QString());
        lines.append(u'[' + sectionName(package, taken) + u']');
        const QString company = oneLine(package.info.company, kMaxValue);
        const QString category = categoryName(package.info.category);
        QStringList missing;
        if (package.info.name.isEmpty())
            missing.append(QStringLiteral("the name in brackets"));
        if (company.isEmpty())
            missing.append(QStringLiteral("Company"));
        if (category.isEmpty())
            missing.append(QStringLiteral("Category"));
        if (!missing.isEmpty())
            lines.append(QStringLiteral("; Fill in ") + missing.join(QStringLiteral(", ")) +
                         QStringLiteral(": the package's files do not say."));
        for (const QString& note : package.notes)
            lines.append(QStringLiteral("; ") + oneLine(note, kMaxValue));
        if (!package.otherRunFiles.isEmpty())
            lines.append(QStringLiteral("; Also there to run: ") +
                         oneLine(package.otherRunFiles.join(QStringLiteral(", ")), kMaxValue));
        lines.append(QStringLiteral("Company=") + company);
        lines.append(QStringLiteral("Category=") + category);
        const std::pair<const char*, QString> files[] = {
            {"RunFile", package.runFile},
            {"TextFile", package.textFile},
            {"Bitmap", package.bitmap},
        };
        for (const auto& [key, path] : files) {
            const QString relative = relativePath(cd, path);
            if (relative.isEmpty())
                continue;
            // A line break or other control character in a file name would end the line.
            if (std::any_of(relative.cbegin(), relative.cend(),
                            [](QChar c) { return c.category() == QChar::Other_Control; }))
                lines.append(QStringLiteral("; %1: the file's name cannot stand in a menu: ")
                                 .arg(QLatin1StringView(key)) +
                             oneLine(relative, kMaxValue));
            else
                lines.append(QLatin1StringView(key) + u'=' + relative);
        }
    }
    return QByteArray("\xEF\xBB\xBF") + lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n";
}

} // namespace quillomat
