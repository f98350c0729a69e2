#include "catalogue/TAppDescription.h"

namespace quillomat {

void TAppDescription::setFiles(const QString* folder, const std::array<QStringView, 3>& paths)
{
    m_folder = folder;
    m_files = PackedTexts();
    m_files.reserve(paths[kRunFile].size() + paths[kTextFile].size() + paths[kBitmap].size());
    for (int slot : {kRunFile, kTextFile, kBitmap})
        m_files.append(slot, paths[slot]);
}

QString TAppDescription::file(FileSlot slot) const
{
    const QStringView rest = m_files.text(slot);
    if (rest.isEmpty())
        return QString();
    if (!m_folder)
        return rest.toString();
    QString path;
    path.reserve(m_folder->size() + rest.size());
    return path.append(*m_folder).append(rest);
}

} // namespace quillomat
