#pragma once

#include "check/DiscCheck.h"

namespace quillomat {

inline constexpr int kExitProblemsFound = 3;

// Runs the checks and prints one line per finding and a summary (or one JSON document).
// Returns 0 when no errors were found, kExitProblemsFound when some were, 1 when a file
// cannot be read.
int runCheck(const CheckOptions& options, bool json);

// "WIDTHxHEIGHT" with both positive; nullopt otherwise.
std::optional<QSize> parseScreenSize(const QString& text);

} // namespace quillomat
