#include "installers/PackageScan.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace quillomat {
namespace {

// Deeper than any medium's folders go; it bounds the walk of a strange tree.
constexpr int kMaxDepth = 32;
// Ranks of what a package's run file can be, best first. Programs and packages outrank
// documents, which are run files only where nothing else is.
constexpr int kFirstDocumentRank = 100;

enum class Match
{
    Name, // the whole file name
    Extension,
    VersionedProgram, // a .exe that carries a version resource
};

struct RunRule
{
    Match match;
    const char* text;
    int rank;
};

const RunRule kRunRules[] = {
    {Match::Name, "setup.exe", 0},
    {Match::Name, "install.exe", 1},
    {Match::Extension, ".msi", 2},
    {Match::VersionedProgram, ".exe", 3},
    {Match::Name, "setup.sh", 4},
    {Match::Name, "install.sh", 5},
    {Match::Extension, ".appimage", 6},
    {Match::Extension, ".deb", 7},
    {Match::Extension, ".rpm", 8},
    {Match::Extension, ".sh", 9},
    {Match::Extension, ".pdf", kFirstDocumentRank},
    {Match::Extension, ".html", kFirstDocumentRank + 1},
    {Match::Extension, ".htm", kFirstDocumentRank + 1},
    {Match::Extension, ".doc", kFirstDocumentRank + 2},
    {Match::Extension, ".docx", kFirstDocumentRank + 2},
    {Match::Extension, ".odt", kFirstDocumentRank + 2},
    {Match::Extension, ".txt", kFirstDocumentRank + 3},
    {Match::Extension, ".md", kFirstDocumentRank + 3},
    {Match::Extension, ".rtf", kFirstDocumentRank + 4},
};

// Files of a medium's root that start it, never a package's.
const char* const kMediumFiles[] = {"autorun.inf", "autorun.sh"};
const char* const kReadmeNames[] = {"readme", "liesmich", "lisezmoi"};
const char* const kReadmeExtensions[] = {"", "txt", "md", "1st", "me"};
const char* const kPictureExtensions[] = {"bmp", "jpg", "jpeg"};
const char* const kPictureNames[] = {"screenshot", "preview", "shot"};

struct Candidate
{
    QFileInfo file;
    int rank = 0;
    InstallerInfo info;
};

bool isOneOf(const QString& text, const auto& list)
{
    return std::any_of(std::begin(list), std::end(list), [&](const char* item) {
        return text.compare(QLatin1StringView(item), Qt::CaseInsensitive) == 0;
    });
}

bool nameHasOneOf(const QString& text, const auto& list)
{
    return std::any_of(std::begin(list), std::end(list), [&](const char* item) {
        return text.contains(QLatin1StringView(item), Qt::CaseInsensitive);
    });
}

// The file as a thing to run, with the metadata of an installer; nullopt when it is none.
std::optional<Candidate> asCandidate(const QFileInfo& file)
{
    const QString name = file.fileName();
    if (isOneOf(name, kMediumFiles))
        return std::nullopt;
    std::optional<InstallerInfo> info;
    auto metadata = [&]() -> const InstallerInfo& {
        if (!info)
            info = readInstallerInfo(file.filePath());
        return *info;
    };
    for (const RunRule& rule : kRunRules) {
        const QLatin1StringView text(rule.text);
        const bool matches = rule.match == Match::Name
                                 ? name.compare(text, Qt::CaseInsensitive) == 0
                             : rule.match == Match::Extension
                                 ? name.endsWith(text, Qt::CaseInsensitive)
                                 : name.endsWith(text, Qt::CaseInsensitive) &&
                                       !(metadata().isEmpty() && metadata().version.isEmpty());
        if (matches)
            return Candidate{file, rule.rank,
                             installerKindOf(name) == InstallerKind::None ? InstallerInfo{}
                                                                          : metadata()};
    }
    return std::nullopt;
}

bool isReadme(const QFileInfo& file)
{
    return isOneOf(file.completeBaseName(), kReadmeNames) &&
           isOneOf(file.suffix(), kReadmeExtensions);
}

// The description: an RTF file (one named like a description or readme first), else a readme.
QString descriptionOf(const QFileInfoList& files)
{
    const QFileInfo* rtf = nullptr;
    for (const QFileInfo& file : files) {
        if (file.suffix().compare(QStringLiteral("rtf"), Qt::CaseInsensitive) != 0)
            continue;
        const bool named = file.completeBaseName().startsWith(QStringLiteral("description"),
                                                              Qt::CaseInsensitive) ||
                           isReadme(file);
        if (!rtf || named)
            rtf = &file;
        if (named)
            break;
    }
    if (rtf)
        return rtf->filePath();
    for (const QFileInfo& file : files) {
        if (isReadme(file))
            return file.filePath();
    }
    return {};
}

// The picture: the largest of those named like a screenshot or preview, else the largest.
QString pictureOf(const QFileInfoList& files)
{
    const QFileInfo* best = nullptr;
    auto better = [&](const QFileInfo& file) {
        if (!best)
            return true;
        const bool named = nameHasOneOf(file.completeBaseName(), kPictureNames);
        const bool bestNamed = nameHasOneOf(best->completeBaseName(), kPictureNames);
        return named != bestNamed ? named : file.size() > best->size();
    };
    for (const QFileInfo& file : files) {
        if (isOneOf(file.suffix(), kPictureExtensions) && better(file))
            best = &file;
    }
    return best ? best->filePath() : QString();
}

// The kit's program folder: the menu program beside its language file.
bool isProgramFolder(const QDir& folder)
{
    return folder.exists(QStringLiteral("lang.ini")) &&
           (folder.exists(QStringLiteral("quillomat")) ||
            folder.exists(QStringLiteral("quillomat.exe")));
}

PackageDraft draftOf(const QString& folder, const QFileInfoList& files, QList<Candidate> candidates)
{
    PackageDraft draft;
    draft.folder = folder;
    draft.textFile = descriptionOf(files);
    draft.bitmap = pictureOf(files);
    // Among documents, the description is the run file only where it is the only one.
    if (candidates.size() > 1 && candidates.front().rank >= kFirstDocumentRank)
        candidates.removeIf(
            [&](const Candidate& c) { return c.file.filePath() == draft.textFile; });
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate& a, const Candidate& b) { return a.rank < b.rank; });
    draft.runFile = candidates.front().file.filePath();
    for (const Candidate& candidate : candidates) {
        if (candidate.file.filePath() != draft.runFile && candidate.rank < kFirstDocumentRank)
            draft.otherRunFiles.append(candidate.file.fileName());
        const InstallerInfo& info = candidate.info;
        if (!info.problem.isEmpty())
            draft.notes.append(QStringLiteral("%1: metadata not read (%2)")
                                   .arg(candidate.file.fileName(), info.problem));
        if (draft.info.name.isEmpty() && !info.name.isEmpty()) {
            draft.info.name = info.name;
            draft.info.version = info.version;
        }
        if (draft.info.company.isEmpty())
            draft.info.company = info.company;
        if (draft.info.category.isEmpty())
            draft.info.category = info.category;
    }
    return draft;
}

void scanFolder(const QString& path, int depth, PackageScan& scan)
{
    const QDir folder(path);
    if (!folder.isReadable()) {
        scan.unreadableFolders.append(path);
        return;
    }
    if (isProgramFolder(folder))
        return;
    const QDir::SortFlags order = QDir::Name | QDir::IgnoreCase;
    const QFileInfoList files = folder.entryInfoList(QDir::Files, order);
    QList<Candidate> candidates;
    for (const QFileInfo& file : files) {
        if (std::optional<Candidate> candidate = asCandidate(file))
            candidates.append(*candidate);
    }
    const bool runnable = std::any_of(candidates.cbegin(), candidates.cend(),
                                      [](const auto& c) { return c.rank < kFirstDocumentRank; });
    if (runnable) {
        candidates.removeIf([](const Candidate& c) { return c.rank >= kFirstDocumentRank; });
        scan.packages.append(draftOf(path, files, candidates));
        return;
    }
    const qsizetype before = scan.packages.size();
    if (depth < kMaxDepth) {
        for (const QFileInfo& sub :
             folder.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, order)) {
            if (!sub.isSymLink())
                scanFolder(sub.filePath(), depth + 1, scan);
        }
    }
    if (scan.packages.size() == before && !candidates.isEmpty())
        scan.packages.append(draftOf(path, files, candidates));
}

} // namespace

PackageScan findPackages(const QString& root)
{
    PackageScan scan;
    scanFolder(QDir(root).absolutePath(), 0, scan);
    return scan;
}

} // namespace quillomat
