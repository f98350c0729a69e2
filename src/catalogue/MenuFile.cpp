// Reading the menu file into the catalogue: packages in file order, grouped by category and by
// company, both groupings sorted by name.

#include "catalogue/MenuKeys.h"
#include "catalogue/PathRules.h"
#include "catalogue/TProject.h"
#include "platform/DriveRoot.h"
#include "platform/FileProbe.h"
#include "platform/IniFile.h"
#include "platform/TextServices.h"

#include <QCoreApplication>
#include <QSet>

#include <algorithm>
#include <cstdint>

namespace quillomat {
namespace {

// Collects the packages of a menu file while it is walked: one per section in file order (the
// header aside), each with the first value of every key the loader reads. The walk reads the
// file in pieces, so that its text is never in memory whole beside the catalogue; paths and
// groupings are settled afterwards.
class PackageCollector : public IniFile::Visitor
{
public:
    explicit PackageCollector(std::vector<std::unique_ptr<TAppDescription>>& applications)
        : m_applications(applications)
    {
    }

    void newSection(const QString& name) override
    {
        if (sameTextIgnoringCase(name, menukeys::kHeaderSection)) {
            m_packageOfSection.push_back(nullptr);
            m_seen.push_back(0);
            return;
        }
        auto app = std::make_unique<TAppDescription>();
        app->Name = name;
        m_packageOfSection.push_back(app.get());
        m_seen.push_back(0);
        m_applications.push_back(std::move(app));
    }

    void pair(std::size_t section, QStringView key, QStringView value) override
    {
        TAppDescription* app = m_packageOfSection[section];
        if (!app) {
            if (!m_cdFolderSeen && key.compare(menukeys::kCdFolderKey, Qt::CaseInsensitive) == 0) {
                m_cdFolder = value.toString();
                m_cdFolderSeen = true;
            }
            return;
        }
        for (std::size_t i = 0; i < std::size(menukeys::kPackageKeys); ++i) {
            const menukeys::PackageKey& known = menukeys::kPackageKeys[i];
            const auto bit = std::uint8_t(1u << i);
            if (!(m_seen[section] & bit) && key.compare(known.name, Qt::CaseInsensitive) == 0) {
                m_seen[section] |= bit;
                // A grouping name: most packages spell it as others do, so they share it.
                app->*kPackageFields[i] =
                    known.namesFile ? value.toString() : sharedSpelling(value);
                return;
            }
        }
    }

    // The header's CDFolder value, empty without one.
    const QString& cdFolder() const { return m_cdFolder; }

private:
    // Where each key of menukeys::kPackageKeys goes in a package, in the same order.
    static constexpr QString TAppDescription::*kPackageFields[] = {
        &TAppDescription::Company, &TAppDescription::Category, &TAppDescription::RunFile,
        &TAppDescription::TextFile, &TAppDescription::Bitmap};
    static_assert(std::size(kPackageFields) == std::size(menukeys::kPackageKeys));
    static_assert(std::size(kPackageFields) <= 8, "one bit per key in m_seen");

    QString sharedSpelling(QStringView value) { return *m_spellings.insert(value.toString()); }

    std::vector<std::unique_ptr<TAppDescription>>& m_applications;
    std::vector<TAppDescription*> m_packageOfSection; // null for the header
    std::vector<std::uint8_t> m_seen;                 // per section, one bit per slot
    QSet<QString> m_spellings;
    QString m_cdFolder;
    bool m_cdFolderSeen = false;
};

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

namespace menukeys {

PackageValues packageValues(std::span<const IniFile::KeyValue> pairs)
{
    PackageValues values;
    bool seen[std::size(kPackageKeys)] = {};
    for (const auto& [key, value] : pairs) {
        for (std::size_t i = 0; i < std::size(kPackageKeys); ++i) {
            if (!seen[i] && key.compare(kPackageKeys[i].name, Qt::CaseInsensitive) == 0) {
                values.*kPackageKeys[i].field = value.toString();
                seen[i] = true;
                break;
            }
        }
    }
    return values;
}

} // namespace menukeys

bool TProject::LoadMenuFile(const QString& path, const QString& cdFolder)
{
    if (!canOpenForReading(path))
        return true;
    const std::size_t firstNew = Applications.size();
    QString folder;
    {
        PackageCollector collector(Applications);
        if (!IniFile::walk(path, collector))
            return true;
        folder = cdFolder.isEmpty() ? collector.cdFolder() : cdFolder;
    }

    // The drive root is looked up only for a drive letter: it reads the table of mounts.
    const auto driveRootFor = [this](const QString& path) {
        return startsWithDriveLetter(path) ? driveRoot() : QString();
    };
    m_cdFolder = settledCdFolder(folder, driveRootFor(folder));
    const auto onDisc = [&](QString& value) {
        value = resolvedOnDisc(m_cdFolder, value, driveRootFor(value));
    };

    const QString other = GetText(QStringLiteral("CategoryOther"));
    GroupIndex<TCategory> categories(Categories, m_categoryByKey);
    GroupIndex<TCompany> companies(Companies, m_companyByKey);
    for (std::size_t i = firstNew; i < Applications.size(); ++i) {
        TAppDescription* app = Applications[i].get();
        if (app->Company.isEmpty())
            app->Company = other;
        if (app->Category.isEmpty())
            app->Category = other;
        categories.groupFor(app->Category)->AddApp(app);
        companies.groupFor(app->Company)->AddApp(app);
        onDisc(app->RunFile);
        onDisc(app->TextFile);
        onDisc(app->Bitmap);
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
