#pragma once

#include <QString>

namespace quillomat {

// Results of shellOpen, numbered as the Windows shell numbers them so that the callers' table
// of reactions works unchanged on every platform.
namespace shellresult {
inline constexpr int Started = 42; // anything above 32 means started
inline constexpr int FileNotFound = 2;
inline constexpr int AccessDenied = 5;   // the file exists but could not be started
inline constexpr int NoAssociation = 31; // no application is associated with the file's type
inline constexpr int LastFailure = 32;   // every value from 0 up to this one is a failure
} // namespace shellresult

// Opens a file the way a double click in the desktop's file manager does, in the file's own
// folder, and does not wait. An empty path or a missing file gives FileNotFound.
// - Windows: the shell opens it (ShellExecuteW, default verb, no parameters) and its own result
//   is returned: the standard codes up to 32 (FileNotFound, NoAssociation, AccessDenied, ...)
//   unchanged, Started for every success.
// - Linux: a program (execute permission, or a script beginning with "#!") is started directly
//   and detached, without arguments and never through a shell; when it cannot be started the
//   result is AccessDenied (a file that merely carries the execute bit, as on FAT media, and is
//   neither a script nor an ELF binary is opened as a document instead). Media mounted without
//   execute bits (FAT with showexec, discs without Rock Ridge) still run what they hold, as
//   opening by association does for documents: a script without the bit runs through the
//   interpreter of its "#!" line, an ELF program for this machine through the loader it names
//   (AccessDenied on a noexec mount, which forbids that too). Any other file (or folder) is
//   opened with the desktop's default application for its type (freedesktop MIME
//   associations), NoAssociation when there is none, AccessDenied when the application fails
//   to launch.
int shellOpen(const QString& path);

// Whether shellOpen would find a way to open the file, without starting anything: a program it
// starts directly (an ELF binary with the execute bit or, without it, one whose loader exists, or
// a script whose interpreter exists), or
// a file of a type the desktop has a default application for. False for a missing file.
bool canShellOpen(const QString& path);

// What the user is shown for a shellOpen result.
enum class ShellOutcome
{
    Started,        // above 32: nothing to report
    FileNotFound,   // 2
    UnknownDocType, // 31
    CannotOpenFile, // every other value from 0 to 32
    Ignored,        // negative (a huge unsigned result read as signed): nothing to report
};

ShellOutcome shellOutcome(int result);

// The key of the user-interface text that reports the outcome ("FileNotFound",
// "UnknownDocType", "CannotOpenFile"); empty for the outcomes that report nothing.
QString shellOutcomeTextKey(ShellOutcome outcome);

} // namespace quillomat
