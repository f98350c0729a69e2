#pragma once

#include "catalogue/SortMode.h"
#include "catalogue/TAppDescription.h"
#include "catalogue/TLanguage.h"
#include "catalogue/TRubric.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <QByteArray>

#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

namespace quillomat {

class ChoiceBox;
class DescriptionTextCache;
class DescriptionWarmUp;
class ReadPrecedence;
class RowList;

// How a search runs: on how many threads, and a flag that cancels it from another thread.
struct SearchControl
{
    int workers = 0; // 0: one per core
    const std::atomic<bool>* cancelled = nullptr;
};

// The catalogue root: languages with their texts, the packages of the menu file and their
// groupings by category and company. It owns everything in its four lists.
class TProject
{
public:
    TProject();
    ~TProject();
    TProject(const TProject&) = delete;
    TProject& operator=(const TProject&) = delete;

    // Language file and texts.
    bool LoadLanguageFile(const QString& path); // true when the file cannot be opened
    QStringList GetLanguageNames() const;
    void setLanguage(std::int32_t nLang); // throws quillomat::Exception outside 1..count-1
    QString GetText(const QString& key) const;

    // Menu file. cdFolder may be empty: the file's own CDFolder key then applies.
    bool LoadMenuFile(const QString& path, const QString& cdFolder); // true when not openable
    TCategory* FindCategory(const QString& name) const;
    TCompany* FindCompany(const QString& name) const;
    // The CD folder the last LoadMenuFile settled on, ending in '/'.
    const QString& cdFolder() const { return m_cdFolder; }
    // The folder that a drive letter in the menu file stands for, ending in '/': unless set,
    // the mount point of the program's file system, looked up when first needed.
    void setDriveRoot(const QString& root);
    QString driveRoot() const;

    // Views filling the main window's boxes and list. Search keeps the plain texts of the
    // description files it read, so that searching again reads only files that changed.
    void FillSortByList(ChoiceBox& box) const;
    void FillFilterList(ChoiceBox& box, SortMode mode) const;
    void FillApplicationList(RowList& rows, SortMode mode, const QString& filter) const;
    void Search(RowList& rows, const QString& searchText, const SearchControl& control = {});

    // Search in two steps, so that the first can run on another thread: the matching packages
    // in Applications order (nullopt when cancelled), then the rows they give. The first is
    // safe on any thread, also beside a warm-up, as long as the catalogue is not changed.
    std::optional<std::vector<const TAppDescription*>>
    searchMatches(const QString& searchText, const SearchControl& control = {}) const;
    void showSearchResult(RowList& rows, const std::vector<const TAppDescription*>& matches) const;

    // Reads every package's description into the search's cache in the background, in the
    // order the files lie on the medium; among files whose place is not known, those of `first`
    // come first, in that order, then the rest in Applications order. Replaces a running one.
    void startDescriptionWarmUp(const std::vector<const TAppDescription*>& first = {});
    // Stops the warm-up and waits for its thread; the destructor does the same.
    void stopDescriptionWarmUp();
    DescriptionWarmUp* descriptionWarmUp() const { return m_warmUp.get(); }
    DescriptionTextCache& descriptionCache() const { return *m_descriptionCache; }
    // A program that searches once keeps no texts: budget 0. Empties the cache.
    void setDescriptionCacheBudget(qsizetype budgetBytes);
    // Reads a description for the user meanwhile (the pane) hold the warm-up back.
    ReadPrecedence& readPrecedence() const { return *m_readPrecedence; }

    // The catalogue's lists, read-only: only the loaders above change them. Languages[0] is the
    // built-in language; ActiveLanguage indexes Languages.
    std::int32_t activeLanguage() const { return ActiveLanguage; }
    const std::vector<std::unique_ptr<TLanguage>>& languages() const { return Languages; }
    const std::vector<std::unique_ptr<TAppDescription>>& applications() const
    {
        return Applications;
    }
    const std::vector<std::unique_ptr<TCompany>>& companies() const { return Companies; }
    const std::vector<std::unique_ptr<TCategory>>& categories() const { return Categories; }

private:
    std::int32_t ActiveLanguage = 0;
    std::vector<std::unique_ptr<TLanguage>> Languages;
    std::vector<std::unique_ptr<TAppDescription>> Applications;
    std::vector<std::unique_ptr<TCompany>> Companies;
    std::vector<std::unique_ptr<TCategory>> Categories;
    QString m_cdFolder;
    // The CD folders whose packages keep their files without it, one per menu file read. A
    // deque, so that each stays where its packages point.
    std::deque<QString> m_filesFolders;
    mutable QString m_driveRoot;
    QHash<QString, TCategory*> m_categoryByKey; // upper-cased name -> category
    QHash<QString, TCompany*> m_companyByKey;   // upper-cased name -> company
    std::unique_ptr<DescriptionTextCache> m_descriptionCache;
    std::unique_ptr<ReadPrecedence> m_readPrecedence;
    std::unique_ptr<DescriptionWarmUp> m_warmUp; // declared last: stopped before the rest goes
};

} // namespace quillomat
