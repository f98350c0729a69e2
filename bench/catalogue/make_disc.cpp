// Writes a synthetic disc for the catalogue benchmarks: quillomat-bench-make-disc FOLDER
// PACKAGES [--no-texts]
#include "DiscGenerator.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    const bool withTexts = !args.removeAll(QStringLiteral("--no-texts"));
    bool isNumber = false;
    const int packages = args.size() == 3 ? args[2].toInt(&isNumber) : 0;
    if (!isNumber || packages < 0) {
        std::fputs("usage: quillomat-bench-make-disc FOLDER PACKAGES [--no-texts]\n", stderr);
        return 2;
    }
    return quillomat::bench::writeSyntheticDisc(args[1], packages, withTexts) ? 0 : 1;
}
