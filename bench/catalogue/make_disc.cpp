// Writes a synthetic disc for the benchmarks:
//   quillomat-bench-make-disc FOLDER PACKAGES [--no-texts] [--text-bytes N] [--rich]
// --rich writes descriptions with bold runs and escaped accented letters in most lines.
#include "DiscGenerator.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    const bool withTexts = !args.removeAll(QStringLiteral("--no-texts"));
    const auto style = args.removeAll(QStringLiteral("--rich"))
                           ? quillomat::bench::DescriptionStyle::Rich
                           : quillomat::bench::DescriptionStyle::Plain;
    int textBytes = quillomat::bench::kDefaultDescriptionBytes;
    bool isNumber = true;
    if (const qsizetype option = args.indexOf(QStringLiteral("--text-bytes")); option > 0) {
        textBytes = args.value(option + 1).toInt(&isNumber);
        args.remove(option, std::min<qsizetype>(2, args.size() - option));
    }
    const int packages = isNumber && args.size() == 3 ? args[2].toInt(&isNumber) : 0;
    if (!isNumber || packages < 0 || textBytes < 100) {
        std::fputs("usage: quillomat-bench-make-disc FOLDER PACKAGES [--no-texts] "
                   "[--text-bytes N] [--rich]\n",
                   stderr);
        return 2;
    }
    return quillomat::bench::writeSyntheticDisc(args[1], packages, withTexts, textBytes, style) ? 0
                                                                                                : 1;
}
