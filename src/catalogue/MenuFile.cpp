// Reading the menu file into the catalogue: packages in file order, grouped by category and by
// company, both groupings sorted by name.

#include "catalogue/PathRules.h"
#include "catalogue/TProject.h"
#include "platform/DriveRoot.h"
#include "platform/FileProbe.h"
#include "platform/IniFile.h"
#include "platform/TextServices.h"

#include <QCoreApplication>

#include <algorithm>

namespace quillomat {
namespace {

const QString kHeaderSection = QStringLiteral("!Quillomat menu file generator");

// The first value of each key the loader reads, from one pass over the section's pairs.
struct PackageValues
{
    QString company, category, runFile, textFile, bitmap;
};

PackageValues packageValues(std::span<const IniFile::KeyValue> pairs)
{
    struct Slot
    {
        QLatin1StringView key;
        QString PackageValues::*field;
    };
    static constexpr Slot kSlots[] = {
        {QLatin1StringView("Company"), &PackageValues::company},
        {QLatin1StringView("Category"), &PackageValues::category},
        {QLatin1StringView("RunFile"), &PackageValues::runFile},
        {QLatin1StringView("TextFile"), &PackageValues::textFile},
        {QLatin1StringView("Bitmap"), &PackageValues::bitmap},
    };
    PackageValues values;
    bool seen[std::size(kSlots)] = {};
    for (const auto& [key, value] : pairs) {
        for (std::size_t i = 0; i < std::size(kSlots); ++i) {
            if (!seen[i] && key.compare(kSlots[i].key, Qt::CaseInsensitive) == 0) {
                values.*kSlots[i].field = value.toString();
                seen[i] = true;
                break;
            }
        }
    }
    return values;
}

// Finds groupings by name while a menu file is read. Most packages spell their grouping the
// way an earlier one did, so the exact spelling is looked up first and upper-casing, which
// allocates, is left to the first time a spelling is seen.
template <typename Group> class GroupIndex
{
public:
    GroupIndex(std::vector<std::unique_ptr<Group>>& list, QHash<QString, Group*>& byKey)
        : m_list(list), m_byKey(byKey)
    {
    }

    // The grouping whose upper-cased name equals that of the given name; a new one, named as
    // given, appended to the list when there is none yet. name becomes a copy of the first
    // identical spelling, so that the packages of a grouping share one string: with many
    // packages that is much of the catalogue's memory.
    Group* groupFor(QString& name)
    {
        if (const auto known = m_bySpelling.constFind(name); known != m_bySpelling.cend()) {
            name = known.key();
            return known.value();
        }
        const QString key = upperCased(name);
        Group* group = m_byKey.value(key);
        if (!group) {
            m_list.push_back(std::make_unique<Group>(name));
            group = m_list.back().get();
            m_byKey.insert(key, group);
        }
        m_bySpelling.insert(name, group);
        return group;
    }

private:
    std::vector<std::unique_ptr<Group>>& m_list;
    QHash<QString, Group*>& m_byKey;
    QHash<QString, Group*> m_bySpelling;
};

// Ascending order of the upper-cased names, compared code unit by code unit. The keys of one
// list are unique (equal keys were merged), so the order is total.
template <typename Group> void sortByKey(std::vector<std::unique_ptr<Group>>& list)
{
    std::vector<std::pair<QString, std::unique_ptr<Group>>> keyed;
    keyed.reserve(list.size());
    for (auto& group : list)
        keyed.emplace_back(upperCased(group->Name), std::move(group));
    std::sort(keyed.begin(), keyed.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 0; i < keyed.size(); ++i)
        list[i] = std::move(keyed[i].second);
}

} // namespace

bool TProject::LoadMenuFile(const QString& path, const QString& cdFolder)
{
    if (!canOpenForReading(path))
        return true;
    const auto ini = IniFile::load(path);
    if (!ini)
        return true;

    // The drive root is looked up only for a drive letter: it reads the table of mounts.
    const auto driveRootFor = [this](const QString& path) {
        return startsWithDriveLetter(path) ? driveRoot() : QString();
    };
    const QString folder = cdFolder.isEmpty() ? ini->value(kHeaderSection, u"CDFolder") : cdFolder;
    m_cdFolder = settledCdFolder(folder, driveRootFor(folder));
    const auto onDisc = [&](const QString& value) {
        return resolvedOnDisc(m_cdFolder, value, driveRootFor(value));
    };

    const QString other = GetText(QStringLiteral("CategoryOther"));
    GroupIndex<TCategory> categories(Categories, m_categoryByKey);
    GroupIndex<TCompany> companies(Companies, m_companyByKey);
    const QStringList sections = ini->sectionNames();
    Applications.reserve(Applications.size() + sections.size());
    for (const QString& section : sections) {
        if (sameTextIgnoringCase(section, kHeaderSection))
            continue;
        const PackageValues values = packageValues(ini->sectionPairs(section));
        auto app = std::make_unique<TAppDescription>();
        app->Name = section;
        app->Company = values.company.isEmpty() ? other : values.company;
        app->Category = values.category.isEmpty() ? other : values.category;
        categories.groupFor(app->Category)->AddApp(app.get());
        companies.groupFor(app->Company)->AddApp(app.get());
        app->RunFile = onDisc(values.runFile);
        app->TextFile = onDisc(values.textFile);
        app->Bitmap = onDisc(values.bitmap);
        Applications.push_back(std::move(app));
    }
    sortByKey(Categories);
    sortByKey(Companies);
    return false;
}

void TProject::setDriveRoot(const QString& root)
{
    m_driveRoot = root.endsWith(u'/') ? root : root + u'/';
}

QString TProject::driveRoot() const
{
    if (m_driveRoot.isEmpty())
        m_driveRoot = driveRootOf(QCoreApplication::applicationFilePath());
    return m_driveRoot;
}

TCategory* TProject::FindCategory(const QString& name) const
{
    return m_categoryByKey.value(upperCased(name));
}

TCompany* TProject::FindCompany(const QString& name) const
{
    return m_companyByKey.value(upperCased(name));
}

} // namespace quillomat
