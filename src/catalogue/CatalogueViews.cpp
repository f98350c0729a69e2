// The views that fill the main window's sort-by box, filter box and package list.

#include "catalogue/DescriptionTextCache.h"
#include "catalogue/DescriptionWarmUp.h"
#include "catalogue/SearchText.h"
#include "text/UpperCasedUtf8.h"
#include "catalogue/TProject.h"
#include "catalogue/ViewInterfaces.h"
#include "catalogue/Workers.h"

#include <QByteArrayList>

namespace quillomat {
namespace {

void appendPackages(RowList& rows, const std::vector<std::unique_ptr<TAppDescription>>& apps)
{
    for (const auto& app : apps)
        rows.appendRow(app->Name, app.get());
}

void appendPackages(RowList& rows, const TRubric& group)
{
    for (std::int32_t i = 0; i < group.GetAppCount(); ++i) {
        const TAppDescription* app = group.getApp(i);
        rows.appendRow(app->Name, app);
    }
}

template <typename Group>
void fillFilterEntries(ChoiceBox& box, const std::vector<std::unique_ptr<Group>>& groups)
{
    box.setVisibleFlag(groups.size() > 1);
    // The names are listed even when the box is hidden: the main window selects entry 0.
    for (const auto& group : groups)
        box.appendEntry(group->Name);
}

// Only the space separates words; tabs and other characters belong to the word.
QByteArrayList searchKeywords(const QString& text)
{
    return upperCasedUtf8(text).split(' ');
}

bool containsAnyKeyword(QByteArrayView upperText, const QByteArrayList& keywords)
{
    for (const QByteArray& keyword : keywords) {
        if (containsBytes(upperText, keyword))
            return true;
    }
    return false;
}

} // namespace

void TProject::FillSortByList(ChoiceBox& box) const
{
    box.appendEntry(GetText(QStringLiteral("Name")));
    if (Categories.size() > 1)
        box.appendEntry(GetText(QStringLiteral("Category")));
    if (Companies.size() > 1)
        box.appendEntry(GetText(QStringLiteral("Company")));
    box.appendEntry(GetText(QStringLiteral("Search")));
}

void TProject::FillFilterList(ChoiceBox& box, SortMode mode) const
{
    box.clearEntries();
    switch (mode) {
    case SortMode::SortByName:
        box.setVisibleFlag(false);
        break;
    case SortMode::SortByCategory:
        fillFilterEntries(box, Categories);
        break;
    case SortMode::SortByCompany:
        fillFilterEntries(box, Companies);
        break;
    case SortMode::SortBySearch:
        break;
    }
    box.setEnabledFlag(box.visibleFlag());
}

void TProject::FillApplicationList(RowList& rows, SortMode mode, const QString& filter) const
{
    rows.clearRows();
    const TRubric* group = nullptr;
    switch (mode) {
    case SortMode::SortByName:
        break;
    case SortMode::SortByCategory:
        group = filter.isEmpty() && !Categories.empty() ? Categories.front().get()
                                                        : FindCategory(filter);
        break;
    case SortMode::SortByCompany:
        group =
            filter.isEmpty() && !Companies.empty() ? Companies.front().get() : FindCompany(filter);
        break;
    case SortMode::SortBySearch:
        return;
    }
    // A filter that names no grouping shows every package.
    if (group)
        appendPackages(rows, *group);
    else
        appendPackages(rows, Applications);
}

void TProject::Search(RowList& rows, const QString& searchText, const SearchControl& control)
{
    showSearchResult(
        rows, searchMatches(searchText, control).value_or(std::vector<const TAppDescription*>()));
}

std::optional<std::vector<const TAppDescription*>>
TProject::searchMatches(const QString& searchText, const SearchControl& control) const
{
    QByteArrayList keywords = searchKeywords(searchText);
    keywords.removeAll(QByteArray());
    std::vector<const TAppDescription*> matches;
    if (keywords.isEmpty())
        return matches;

    const ForegroundRead holdWarmUpBack(*m_readPrecedence);
    const auto isCancelled = [&] { return control.cancelled && control.cancelled->load(); };
    // The workers read one file at a time between them, and none while the user waits for a
    // read: on a medium with one head the pane waits for one of their files at most.
    static const std::atomic<bool> kNeverCancelled{false};
    const DescriptionTextCache::ReadGate takeHead = [&] {
        return m_readPrecedence->takeHead(control.cancelled ? *control.cancelled : kNeverCancelled,
                                          ReadPrecedence::Rank::Search);
    };
    // One flag per package, written by whichever thread tests it; read in order afterwards,
    // so the result does not depend on how the work was shared.
    std::vector<char> matched(Applications.size(), 0);
    runOnWorkers(Applications.size(), control.workers > 0 ? control.workers : defaultWorkerCount(),
                 [&](std::size_t i) {
                     if (isCancelled())
                         return;
                     const TAppDescription& app = *Applications[i];
                     // The description is read only when name, category and company do not
                     // match: the outcome is the same, and reading is what a search spends
                     // its time on.
                     matched[i] = containsAnyKeyword(upperCasedUtf8(app.Name), keywords) ||
                                  containsAnyKeyword(upperCasedUtf8(app.Category), keywords) ||
                                  containsAnyKeyword(upperCasedUtf8(app.Company), keywords) ||
                                  containsAnyKeyword(
                                      m_descriptionCache->upperCasedText(app.TextFile(), takeHead),
                                      keywords);
                 });
    if (isCancelled())
        return std::nullopt;
    for (std::size_t i = 0; i < Applications.size(); ++i) {
        if (matched[i])
            matches.push_back(Applications[i].get());
    }
    return matches;
}

void TProject::showSearchResult(RowList& rows,
                                const std::vector<const TAppDescription*>& matches) const
{
    rows.clearRows();
    for (const TAppDescription* app : matches)
        rows.appendRow(app->Name, app);
    if (matches.empty())
        rows.appendRow(GetText(QStringLiteral("NoSearchResults")), nullptr);
}

} // namespace quillomat
