#include "FuzzTargets.h"

#include "app/Haupt.h"
#include "text/IniFile.h"
#include "text/TextDecoding.h"
#include "text/ValueParsing.h"

#include <QFile>
#include <QTemporaryDir>

namespace quillomat::fuzz {
namespace {

// The program folder of the window under test; the skin file is written there for each input.
const QString& programFolder()
{
    static QTemporaryDir dir;
    static const QString path = dir.path() + u'/';
    return path;
}

void parseValue(QStringView value)
{
    // The skin reader converts every number this way; the sanitizers watch the parsing.
    static_cast<void>(parseInteger(value));
}

} // namespace

void skin(QByteArrayView bytes)
{
    const QString text = decodeText(bytes);
    parseValue(text);
    const IniFile ini = IniFile::parse(text);
    for (const QString& section : ini.sectionNames()) {
        for (const auto& [key, value] : ini.sectionPairs(section))
            parseValue(value);
    }

    QFile file(programFolder() + QStringLiteral("qmskin.ini"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes.data(), bytes.size()) != bytes.size())
        return;
    file.close();

    // A fresh window for every input, so that each run starts from the design look. Reading
    // twice is what F5 does.
    TMain_Form form(programFolder());
    form.ApplySkin();
    form.ApplySkin();
}

} // namespace quillomat::fuzz
