#include "platform/MediumOrder.h"

namespace quillomat {

// Windows tells clusters only for some file systems (FSCTL_GET_RETRIEVAL_POINTERS), and not
// reliably on the CD and DVD file systems a disc comes on; their directory order, which
// orderOnMedium falls back to, is the order the files were mastered in.
std::optional<quint64> physicalOffset(const QString&)
{
    return std::nullopt;
}

} // namespace quillomat
