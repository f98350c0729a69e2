#include "platform/ShellOpen.h"

#include "platform/WindowsText.h"

#include <QFileInfo>

#include <objbase.h>
#include <shellapi.h>
#include <windows.h>

namespace quillomat {
namespace {

// Shell extensions that an association may load want COM on the calling thread; the program's
// window thread already has it, the command-line tools and tests do not.
class ComForThisCall
{
public:
    ComForThisCall()
        : m_result(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))
    {
    }
    ~ComForThisCall()
    {
        if (SUCCEEDED(m_result))
            CoUninitialize();
    }
    ComForThisCall(const ComForThisCall&) = delete;
    ComForThisCall& operator=(const ComForThisCall&) = delete;

private:
    HRESULT m_result;
};

} // namespace

int shellOpen(const QString& path)
{
    // An empty name would make the shell open the current folder.
    if (path.isEmpty())
        return shellresult::FileNotFound;
    const QFileInfo info(path);
    const std::wstring file = nativePath(info.absoluteFilePath());
    const std::wstring folder = nativePath(info.absolutePath());
    const bool folderExists = QFileInfo(info.absolutePath()).isDir();

    const ComForThisCall com;
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, nullptr, file.c_str(), nullptr,
                      folderExists ? folder.c_str() : nullptr, SW_SHOWNORMAL));
    // Above 32 is a success whatever the number; up to 32 it is the reason.
    return result > shellresult::LastFailure ? shellresult::Started : int(result);
}

bool canShellOpen(const QString& path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return false;
    if (info.isDir())
        return true; // the shell opens a folder in Explorer
    // The program that would open the file: the file itself for a program, otherwise the
    // application associated with its type; 32 or less when there is none.
    const std::wstring file = nativePath(info.absoluteFilePath());
    wchar_t program[MAX_PATH] = {};
    const ComForThisCall com;
    const auto result = reinterpret_cast<INT_PTR>(FindExecutableW(file.c_str(), nullptr, program));
    return result > shellresult::LastFailure;
}

} // namespace quillomat
