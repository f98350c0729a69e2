#include "FuzzTargets.h"

#include "app/Haupt.h"
#include "platform/IniFile.h"
#include "platform/TextDecoding.h"
#include "platform/ValueParsing.h"

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
    const auto number = parseInteger(value);
    if (parseIntegerOr(value, 7) != number.value_or(7))
        __builtin_trap();
    if (parseBooleanOr(value, true) != (!number || *number != 0))
        __builtin_trap();
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
    TMain_Form form;
    form.ProgramFolder = programFolder();
    form.ApplySkin();
    form.ApplySkin();
}

} // namespace quillomat::fuzz
