#include "catalogue/TProject.h"

#include "catalogue/BuiltinTexts.h"
#include "catalogue/DescriptionTextCache.h"
#include "catalogue/DescriptionWarmUp.h"
#include "platform/RegularFile.h"
#include "text/Exception.h"
#include "text/IniFile.h"

#include <algorithm>

namespace quillomat {

TProject::TProject()
    : m_descriptionCache(std::make_unique<DescriptionTextCache>()),
      m_readPrecedence(std::make_unique<ReadPrecedence>())
{
    auto builtin = std::make_unique<TLanguage>(QStringLiteral("default"));
    for (const BuiltinText& entry : builtinTexts())
        builtin->AddText(QString::fromUtf16(entry.key), QString::fromUtf16(entry.text));
    Languages.push_back(std::move(builtin));
}

TProject::~TProject()
{
    stopDescriptionWarmUp();
}

void TProject::startDescriptionWarmUp(const std::vector<const TAppDescription*>& first)
{
    stopDescriptionWarmUp();
    // Which packages are listed is kept as marks beside the sorted `first`: with many packages
    // a hash set of them would cost several megabytes more.
    std::vector<const TAppDescription*> sorted(first.begin(), first.end());
    std::sort(sorted.begin(), sorted.end());
    std::vector<bool> listed(sorted.size());
    // Marks a package of `first` as listed; false when it was already.
    const auto markListed = [&](const TAppDescription* app) {
        const auto index =
            std::size_t(std::lower_bound(sorted.begin(), sorted.end(), app) - sorted.begin());
        const bool wasListed = listed[index];
        listed[index] = true;
        return !wasListed;
    };
    std::vector<const TAppDescription*> inOrder;
    inOrder.reserve(Applications.size());
    for (const TAppDescription* app : first) {
        if (markListed(app))
            inOrder.push_back(app);
    }
    for (const auto& app : Applications) {
        if (!std::binary_search(sorted.begin(), sorted.end(), app.get()))
            inOrder.push_back(app.get());
    }
    m_warmUp = std::make_unique<DescriptionWarmUp>(*m_descriptionCache, *m_readPrecedence,
                                                   std::move(inOrder));
}

void TProject::setDescriptionCacheBudget(qsizetype budgetBytes)
{
    stopDescriptionWarmUp();
    m_descriptionCache = std::make_unique<DescriptionTextCache>(budgetBytes);
}

void TProject::stopDescriptionWarmUp()
{
    m_warmUp.reset();
}

bool TProject::LoadLanguageFile(const QString& path)
{
    if (!canOpenForReading(path))
        return true;
    const auto ini = IniFile::load(path);
    if (!ini)
        return true;
    const QStringList sections = ini->sectionNames();
    for (const QString& section : sections) {
        auto language = std::make_unique<TLanguage>(section);
        for (const auto& [key, text] : ini->sectionPairs(section))
            language->AddText(key.toString(), text.toString());
        Languages.push_back(std::move(language));
    }
    if (!sections.isEmpty())
        ActiveLanguage = 1;
    return false;
}

QStringList TProject::GetLanguageNames() const
{
    QStringList names;
    for (std::size_t i = 1; i < Languages.size(); ++i)
        names.append(Languages[i]->Name);
    return names;
}

void TProject::setLanguage(std::int32_t nLang)
{
    if (nLang <= 0 || static_cast<std::size_t>(nLang) >= Languages.size())
        throw Exception(QStringLiteral("TProject.setLanguage: nLang ist ungültig."));
    ActiveLanguage = nLang;
}

QString TProject::GetText(const QString& key) const
{
    const QString text = Languages.at(ActiveLanguage)->FindText(key);
    return text.isEmpty() ? Languages.front()->FindText(key) : text;
}

} // namespace quillomat
