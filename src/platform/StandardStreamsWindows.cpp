#include "platform/StandardStreams.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>

namespace quillomat {

void setStandardStreamsBinary()
{
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

} // namespace quillomat
