// Reading the menu file into the catalogue: packages in file order, grouped by category and by
// company, both groupings sorted by name.

#include "catalogue/MenuKeys.h"
#include "catalogue/PackedTexts.h"
#include "catalogue/PathRules.h"
#include "catalogue/TProject.h"
#include "platform/DriveRoot.h"
#include "platform/ProgramFolder.h"
#include "platform/RegularFile.h"
#include "text/IniFile.h"
#include "text/TextServices.h"

#include <QSet>

#include <algorithm>
#include <array>
#include <cstdint>
#include <deque>
#include <optional>

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
        m_seen.push_back(0);
        m_written.emplace_back();
        if (sameTextIgnoringCase(name, menukeys::kHeaderSection)) {
            m_packageOfSection.push_back(nullptr);
            return;
        }
        auto app = std::make_unique<TAppDescription>();
        app->Name = name;
        m_packageOfSection.push_back(app.get());
        m_applications.push_back(std::move(app));
    }

    void pair(std::size_t section, QStringView key, QStringView value) override
    {
        TAppDescription* app = m_packageOfSection[section];
        if (!app) {
            if (!m_cdFolderSeen && sameTextIgnoringCase(key, menukeys::kCdFolderKey)) {
                m_cdFolder = value.toString();
                m_cdFolderSeen = true;
            }
            return;
        }
        for (std::size_t i = 0; i < std::size(menukeys::kPackageKeys); ++i) {
            const menukeys::PackageKey& known = menukeys::kPackageKeys[i];
            const auto bit = std::uint8_t(1u << i);
            if (!(m_seen[section] & bit) && sameTextIgnoringCase(key, known.name)) {
                if (!known.namesFile) // a grouping name: most spell it as others do, and share it
                    app->*kGroupingFields[i] = sharedSpelling(value);
                else
                    addWrittenFile(section, int(i - kFirstFileKey), value);
                m_seen[section] |= bit;
                return;
            }
        }
    }

    // The header's CDFolder value, empty without one.
    const QString& cdFolder() const { return m_cdFolder; }

    // Calls settle(package, its files as written, one slot each) for every package, in file
    // order, and lets go of the files as written once settled: the settled ones take their
    // place in memory.
    template <typename Settle> void settlePackages(Settle settle)
    {
        for (std::size_t section = 0; section < m_packageOfSection.size(); ++section) {
            if (m_packageOfSection[section])
                settle(*m_packageOfSection[section], std::as_const(m_written[section]));
            m_written[section] = PackedTexts();
        }
    }

private:
    // The grouping keys come first in menukeys::kPackageKeys, the three file keys after them.
    static constexpr std::size_t kFirstFileKey = 2;
    static constexpr auto kFileKeyBits = std::uint8_t(0b111u << kFirstFileKey);
    static constexpr QString TAppDescription::*kGroupingFields[kFirstFileKey] = {
        &TAppDescription::Company, &TAppDescription::Category};
    static_assert(std::size(menukeys::kPackageKeys) == kFirstFileKey + 3);

    // The files of a package go into one string, as they will stay: with many packages, a
    // string for each that lives only until they are settled makes the allocator slow.
    void addWrittenFile(std::size_t section, int slot, QStringView value)
    {
        PackedTexts& written = m_written[section];
        if (!(m_seen[section] & kFileKeyBits))
            written.reserve(3 * value.size()); // most packages name three files alike
        written.append(slot, value);
    }

    QString sharedSpelling(QStringView value) { return *m_spellings.insert(value.toString()); }

    std::vector<std::unique_ptr<TAppDescription>>& m_applications;
    // Per section: its package (null for the header), the keys seen, the files as written.
    std::vector<TAppDescription*> m_packageOfSection;
    std::vector<std::uint8_t> m_seen; // one bit per key of menukeys::kPackageKeys
    std::deque<PackedTexts> m_written;
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
            if (!seen[i] && sameTextIgnoringCase(key, kPackageKeys[i].name)) {
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
    PackageCollector collector(Applications);
    if (!IniFile::walk(path, collector))
        return true;
    const QString folder = cdFolder.isEmpty() ? collector.cdFolder() : cdFolder;

    // The drive root is looked up only for a drive letter: it reads the table of mounts.
    const auto driveRootFor = [this](QStringView path) {
        return startsWithDriveLetter(path) ? driveRoot() : QString();
    };
    m_cdFolder = settledCdFolder(folder, driveRootFor(folder));
    const QString& filesFolder = m_filesFolders.emplace_back(m_cdFolder);
    QString resolved; // the paths of one package, the buffer reused for the next
    collector.settlePackages([&](TAppDescription& app, const PackedTexts& written) {
        std::array<QStringView, 3> values;
        std::array<std::optional<QStringView>, 3> parts;
        bool allInFolder = true;
        for (int i = 0; i < 3; ++i) {
            values[i] = written.text(i);
            parts[i] = partInFolder(values[i]);
            // Files in the folder share it, unless one is the folder itself (a lone backslash),
            // which leaves nothing after it to keep.
            allInFolder &= values[i].isEmpty() || (parts[i] && !parts[i]->isEmpty());
        }
        resolved.resize(0);
        std::array<qsizetype, 4> starts = {0};
        for (int i = 0; i < 3; ++i) {
            if (allInFolder)
                resolved.append(parts[i].value_or(QStringView()));
            else if (!values[i].isEmpty())
                resolved.append(
                    resolvedOnDisc(filesFolder, values[i].toString(), driveRootFor(values[i])));
            starts[i + 1] = resolved.size();
        }
        resolved.replace(u'\\', u'/');
        const QStringView all = resolved;
        app.setFiles(allInFolder ? &filesFolder : nullptr,
                     {all.sliced(starts[0], starts[1] - starts[0]),
                      all.sliced(starts[1], starts[2] - starts[1]),
                      all.sliced(starts[2], starts[3] - starts[2])});
    });

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
        m_driveRoot = driveRootOf(programFilePath());
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
