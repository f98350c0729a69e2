#include "platform/ShellOpen.h"

namespace quillomat {

ShellOutcome shellOutcome(int result)
{
    if (result > shellresult::LastFailure)
        return ShellOutcome::Started;
    if (result < 0)
        return ShellOutcome::Ignored;
    if (result == shellresult::FileNotFound)
        return ShellOutcome::FileNotFound;
    if (result == shellresult::NoAssociation)
        return ShellOutcome::UnknownDocType;
    return ShellOutcome::CannotOpenFile;
}

QString shellOutcomeTextKey(ShellOutcome outcome)
{
    switch (outcome) {
    case ShellOutcome::FileNotFound:
        return QStringLiteral("FileNotFound");
    case ShellOutcome::UnknownDocType:
        return QStringLiteral("UnknownDocType");
    case ShellOutcome::CannotOpenFile:
        return QStringLiteral("CannotOpenFile");
    case ShellOutcome::Started:
    case ShellOutcome::Ignored:
        break;
    }
    return {};
}

} // namespace quillomat
