#include "platform/MediumOrder.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <limits>
#include <numeric>

namespace quillomat {
namespace {

// Sorts the indices by their keys, keeping the given order among equal keys.
template <typename Key> std::vector<std::size_t> sortedByKey(const std::vector<Key>& keys)
{
    std::vector<std::size_t> order(keys.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    return order;
}

std::vector<std::size_t> directoryOrder(std::size_t count,
                                        const std::function<QString(std::size_t)>& pathAt)
{
    constexpr qsizetype kNotFound = std::numeric_limits<qsizetype>::max();
    // Each folder is listed once: its entries' positions by name. The keys share the listing's
    // copy of the folder's name.
    QHash<QString, QHash<QString, qsizetype>> listings;
    std::vector<std::pair<QString, qsizetype>> keys;
    keys.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const QFileInfo info(pathAt(i));
        const QString folder = info.absolutePath();
        auto listing = listings.find(folder);
        if (listing == listings.end()) {
            QHash<QString, qsizetype> positions;
            const QStringList names =
                QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted);
            for (qsizetype i = 0; i < names.size(); ++i)
                positions.insert(names[i], i);
            listing = listings.insert(folder, positions);
        }
        const qsizetype position = listing->value(info.fileName(), kNotFound);
        keys.emplace_back(position == kNotFound ? QString(QChar(0xFFFF)) : listing.key(), position);
    }
    return sortedByKey(keys);
}

} // namespace

std::vector<std::size_t> orderOnMedium(std::size_t count,
                                       const std::function<QString(std::size_t)>& pathAt)
{
    std::vector<quint64> offsets;
    offsets.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::optional<quint64> offset = physicalOffset(pathAt(i));
        if (!offset)
            return directoryOrder(count, pathAt); // positions of different kinds do not compare
        offsets.push_back(*offset);
    }
    return sortedByKey(offsets);
}

} // namespace quillomat
