#pragma once

#include <QString>

namespace quillomat {

// The folder of the running executable, ending in '/': where lang.ini, qmskin.ini, the default
// menu file and the help and about texts live.
QString programFolder();

} // namespace quillomat
