// Started by shellOpen in the Linux tests: writes the name it was started under and its working
// folder, one per line, to ran.txt in its working folder. The file appears whole or not at all.
#include <cstdio>
#include <filesystem>
#include <fstream>

int main(int argc, char* argv[])
{
    if (argc < 1)
        return 1;
    {
        std::ofstream partial("ran.tmp", std::ios::binary);
        partial << argv[0] << '\n' << std::filesystem::current_path().string() << '\n';
        if (!partial.flush())
            return 1;
    }
    return std::rename("ran.tmp", "ran.txt") == 0 ? 0 : 1;
}
