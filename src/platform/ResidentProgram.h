#pragma once

#include <QString>

namespace quillomat {

// What keepProgramInMemory did.
struct ResidentProgramReport
{
    qint64 bytes = 0; // bytes of the program's files now held in memory
    int regions = 0;  // mapped regions of those files that were taken
    int copied = 0;   // regions that could not be locked and were copied instead
    int failed = 0;   // regions that could be neither locked nor copied
};

// Reads every page of the program's own files that lie on the volume of `programFolder` (the
// executable and, where they come with it, its libraries and plugins) into memory and keeps
// it there, so that the program goes on running once its medium is gone: a page not yet read
// would otherwise fail when first touched and end the program. It reads the medium: call it on
// a background thread at the lowest priority, after the window is on the screen. Files loaded
// afterwards (a plugin loaded later) are not covered.
ResidentProgramReport keepProgramInMemory(const QString& programFolder);

} // namespace quillomat
