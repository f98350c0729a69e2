#pragma once

#include <QString>

namespace quillomat {

// The running program's own file, as an absolute path with symbolic links resolved. On Linux
// this is the file the program's code is mapped from, which also holds when the host's loader
// was started with the program as its argument (a medium whose files carry no execute bit):
// the system then names the loader as the running executable. Callable before the application
// object exists on Linux; on Windows it needs the application object.
QString programFilePath();

// The folder of programFilePath, ending in '/': where lang.ini, qmskin.ini, the default menu
// file and the help and about texts live.
QString programFolder();

// When the program folder carries its own Qt plugins (a "plugins" folder, as the disc kit
// has), makes Qt load plugins from there alone, whatever the environment names
// (QT_PLUGIN_PATH, QT_QPA_PLATFORM_PLUGIN_PATH) and wherever the loader or qt.conf would lead:
// another Qt's plugins do not fit the program's Qt. Call once before the application object is
// made and once after. Does nothing where Qt's plugins are built into the program.
void useOwnPlugins();

} // namespace quillomat
