#pragma once

#include "catalogue/TAppDescription.h"

#include <QList>
#include <QString>

#include <cstdint>

namespace quillomat {

// A named group of packages (a category or a company). It refers to packages in menu-file
// order and does not own them.
class TRubric
{
public:
    explicit TRubric(const QString& name = {}) : Name(name) {}
    virtual ~TRubric() = default;

    // Appends the package (duplicates are not checked) and returns its position.
    std::int32_t AddApp(TAppDescription* app);
    // Throws quillomat::Exception for a position outside 0 to GetAppCount() - 1.
    TAppDescription* getApp(std::int32_t nIndex) const;
    std::int32_t GetAppCount() const { return static_cast<std::int32_t>(Apps.size()); }
    // Takes the other's name and a copy of its reference list, replacing the own.
    void CopyFrom(const TRubric& other);

    QString Name;
    QList<TAppDescription*> Apps;
};

// The two kinds only record which of the project's grouping lists an object belongs to.
class TCategory : public TRubric
{
public:
    using TRubric::TRubric;
};

class TCompany : public TRubric
{
public:
    using TRubric::TRubric;
};

} // namespace quillomat
