#pragma once

#include <QString>

#include <cstddef>
#include <functional>

namespace quillomat {

// What keepProgramInMemory did.
struct ResidentProgramReport
{
    qint64 bytes = 0; // bytes of the program's files now held in memory
    int regions = 0;  // mapped regions of those files that were taken
    int copied = 0;   // regions that could not be locked and were copied instead
    int failed = 0;   // regions that could be neither locked nor copied
};

// The program's files are read in pieces of this size, each when the gate lets it: on a medium
// with one head, a read of the user's then waits for one piece at most.
inline constexpr std::size_t kResidentPieceBytes = std::size_t(128) << 10;
// Runs `readPiece` when it is the turn of the next piece; false (without running it) stops.
using PieceGate = std::function<bool(const std::function<void()>& readPiece)>;

// Reads every page of the program's own files that lie on the volume of `programFolder` (the
// executable and, where they come with it, its libraries and plugins) into memory and keeps
// it there, so that the program goes on running once its medium is gone: a page not yet read
// would otherwise fail when first touched and end the program. It reads the medium: call it on
// a background thread at the lowest priority, after the window is on the screen. Files loaded
// afterwards (a plugin loaded later) are not covered. A program on the system's own volume (or
// drive) is left as it is: that medium goes only with the system.
ResidentProgramReport keepProgramInMemory(
    const QString& programFolder, const PieceGate& gate = [](const auto& readPiece) {
        readPiece();
        return true;
    });

} // namespace quillomat
