// Started by the shell in the Windows tests: writes the path it runs from and its working
// folder, one per line in UTF-8, to ran.txt beside itself. The file appears whole or not at all.
#include <windows.h>

#include <string>

namespace {

std::string utf8(const std::wstring& text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string bytes(size_t(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), bytes.data(), size, nullptr,
                        nullptr);
    return bytes;
}

} // namespace

int main()
{
    std::wstring self(32768, L'\0');
    self.resize(GetModuleFileNameW(nullptr, self.data(), DWORD(self.size())));
    std::wstring folder(32768, L'\0');
    folder.resize(GetCurrentDirectoryW(DWORD(folder.size()), folder.data()));

    const std::wstring beside = self.substr(0, self.find_last_of(L'\\') + 1);
    const std::wstring partial = beside + L"ran.tmp";
    const std::string text = utf8(self) + "\n" + utf8(folder) + "\n";
    const HANDLE file = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    const bool ok = WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr) &&
                    written == text.size();
    CloseHandle(file);
    return ok && MoveFileExW(partial.c_str(), (beside + L"ran.txt").c_str(),
                             MOVEFILE_REPLACE_EXISTING)
               ? 0
               : 1;
}
