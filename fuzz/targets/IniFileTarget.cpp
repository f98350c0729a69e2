#include "FuzzTargets.h"

#include "text/IniFile.h"
#include "text/TextDecoding.h"

namespace quillomat::fuzz {

void iniFile(QByteArrayView bytes)
{
    const QString text = decodeText(bytes);
    const QString latin = decodeWindows1252(bytes);
    // The decoder must give the same result however often it is asked.
    if (decodeText(bytes) != text || latin.size() != bytes.size())
        __builtin_trap();

    const IniFile ini = IniFile::parse(text);
    const QStringList sections = ini.sectionNames();
    for (const QString& section : sections) {
        if (!ini.hasSection(section))
            __builtin_trap();
        const auto pairs = ini.sectionPairs(section);
        for (const auto& [key, value] : pairs) {
            // The first occurrence of a key wins, so looking a key up never fails.
            if (ini.value(section, key, QStringLiteral("\x01missing")) == u"\x01missing")
                __builtin_trap();
            (void)ini.value(section.toLower(), key.toString().toUpper());
        }
    }
    (void)ini.value(QString(), QString());
    (void)ini.sectionPairs(u"no such section");
}

} // namespace quillomat::fuzz
