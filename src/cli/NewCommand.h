#pragma once

#include <QString>

#include <optional>

namespace quillomat {

struct NewOptions
{
    QString folder;                  // where the packages are
    std::optional<QString> cdFolder; // what the menu's paths are relative to; default: folder
    std::optional<QString> menuFile; // where the menu goes; default: standard output
};

// Drafts a menu for the packages under the folder and writes it to a new file (never over an
// existing one) or to standard output. Returns the tool's exit status: 0 done, 1 a folder
// cannot be read or the menu cannot be written, 2 a folder outside the CD folder.
int runNew(const NewOptions& options);

} // namespace quillomat
