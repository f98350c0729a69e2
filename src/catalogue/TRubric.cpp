#include "catalogue/TRubric.h"

#include "text/Exception.h"

namespace quillomat {

std::int32_t TRubric::AddApp(TAppDescription* app)
{
    Apps.append(app);
    return GetAppCount() - 1;
}

TAppDescription* TRubric::getApp(std::int32_t nIndex) const
{
    if (nIndex < 0 || nIndex >= GetAppCount())
        throw Exception(QStringLiteral("TRubric.getApp: nIndex ist ungültig."));
    return Apps.at(nIndex);
}

void TRubric::CopyFrom(const TRubric& other)
{
    Name = other.Name;
    Apps = other.Apps;
}

} // namespace quillomat
