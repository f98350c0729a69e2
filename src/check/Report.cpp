#include "check/Report.h"

#include <algorithm>

namespace quillomat {

void Report::add(Severity severity, const QString& section, const QString& key,
                 const QString& message)
{
    m_findings.push_back({severity, m_file, section, key, message});
}

qsizetype Report::count(Severity severity) const
{
    return std::count_if(m_findings.begin(), m_findings.end(), [severity](const Finding& finding) {
        return finding.severity == severity;
    });
}

} // namespace quillomat
