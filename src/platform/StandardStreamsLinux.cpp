#include "platform/StandardStreams.h"

namespace quillomat {

void setStandardStreamsBinary()
{
    // Linux streams never translate line ends.
}

} // namespace quillomat
