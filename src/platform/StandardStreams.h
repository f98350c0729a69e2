#pragma once

namespace quillomat {

// Makes standard output and error pass bytes through unchanged, so that a command-line tool
// writes the same UTF-8 with '\n' line ends on every system (Windows would otherwise turn
// each '\n' into "\r\n"). Call once, before writing.
void setStandardStreamsBinary();

} // namespace quillomat
