#include "DiscGenerator.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <cstdio>

namespace quillomat::bench {
namespace {

constexpr int kCategories = 40;
constexpr int kCompanies = 500;
constexpr int kFilesPerFolder = 1000; // keeps folders small enough for any file system

const char* const kWords[] = {
    "install",  "program",  "archive",   "graphics", "editor",   "utility",  "network",  "driver",
    "update",   "compress", "picture",   "document", "manager",  "system",   "screen",   "backup",
    "convert",  "audio",    "video",     "player",   "browser",  "office",   "spread",   "sheet",
    "printer",  "scanner",  "font",      "colour",   "window",   "desktop",  "language", "version",
    "support",  "licence",  "shareware", "freeware", "disk",     "folder",   "memory",   "fast",
    "simple",   "powerful", "modern",    "classic",  "tutorial", "examples", "settings", "options",
    "keyboard", "mouse",    "game",      "puzzle",   "chess",    "math",     "school",   "science",
};

QString packageName(int index)
{
    return QStringLiteral("Package %1 %2")
        .arg(index, 6, 10, QChar(u'0'))
        .arg(QString::fromLatin1(kWords[index % std::size(kWords)]));
}

QString descriptionPath(int index)
{
    return QStringLiteral("texts/%1/pkg%2.rtf")
        .arg(index / kFilesPerFolder, 4, 10, QChar(u'0'))
        .arg(index, 6, 10, QChar(u'0'));
}

// Words with accented letters as a word processor escapes them in Windows-1252.
const char* const kAccentedWords[] = {
    "d\\'e9marrer",  "r\\'e9seau",    "m\\'e9moire",      "t\\'e9l\\'e9charger", "s\\'e9curit\\'e9",
    "fen\\'eatre",   "donn\\'e9es",   "syst\\'e8me",      "pr\\'e9f\\'e9rences", "\\'e9diteur",
    "cha\\'eene",    "gr\\'f6\\'dfe", "f\\'fcr",          "M\\'e4rkte",          "\\'fcber",
    "Schl\\'fcssel", "ann\\'e9e",     "biblioth\\'e8que",
};

// Appends one word of a description in the given style.
void appendWord(QByteArray& rtf, QRandomGenerator& random, DescriptionStyle style)
{
    const int pick = random.bounded(int(std::size(kWords)));
    if (style == DescriptionStyle::Plain) {
        if (pick == 7)
            rtf += "\\b ";
        rtf += kWords[pick];
        if (pick == 7)
            rtf += "\\b0";
        if (pick == 11)
            rtf += " f\\'fcr M\\'e4rkte";
        return;
    }
    const int form = random.bounded(24);
    const bool bold = form < 2;
    if (bold)
        rtf += form == 0 ? "\\b " : "{\\b ";
    rtf += form >= 2 && form < 8 ? kAccentedWords[pick % std::size(kAccentedWords)] : kWords[pick];
    if (bold)
        rtf += form == 0 ? "\\b0" : "}";
}

// RTF as a word processor writes it: a header, paragraphs, bold runs, hex escapes for
// accented letters.
QByteArray descriptionRtf(int index, int bytes, DescriptionStyle style)
{
    QRandomGenerator random(quint32(index) * 2654435761u + 1);
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}"
                     "{\\f1\\froman Times New Roman;}}\n"
                     "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue128;}\n"
                     "\\viewkind4\\uc1\\pard\\cf2\\b\\f0\\fs28 ";
    rtf += packageName(index).toLatin1();
    rtf += "\\cf1\\b0\\fs20\\par\n\\pard ";
    const bool withRareWord = index % 100 == 42;
    int wordsInParagraph = 0;
    while (rtf.size() < bytes - 40) {
        appendWord(rtf, random, style);
        if (withRareWord && wordsInParagraph == 20)
            rtf += " zeppelin";
        rtf += ++wordsInParagraph % 60 == 0 ? ".\\par\n" : " ";
    }
    rtf += "\\par\n}\n";
    return rtf;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

QString descriptionFolder(const QString& discFolder)
{
    return QDir(discFolder).filePath(QStringLiteral("texts"));
}

bool writeSyntheticDisc(const QString& folder, int packages, bool withDescriptions,
                        int descriptionBytes, DescriptionStyle style)
{
    QDir disc(folder);
    if (!disc.mkpath(QStringLiteral(".")))
        return false;
    QByteArray menu = "[!Quillomat menu file generator]\r\nCDFolder=";
    menu += disc.absolutePath().toUtf8();
    menu += "\r\n";
    QByteArray otherCase = menu;
    for (int i = 0; i < packages; ++i) {
        const QString text = descriptionPath(i);
        const QString files = QStringLiteral("RunFile=setup\\pkg%1\\setup.exe\r\nTextFile=%2\r\n"
                                             "Bitmap=shots\\pkg%1.jpg\r\n")
                                  .arg(i, 6, 10, QChar(u'0'))
                                  .arg(QString(text).replace(u'/', u'\\'));
        const QByteArray section =
            QStringLiteral("\r\n[%1]\r\nCompany=Company %2\r\nCategory=%3 %4\r\n")
                .arg(packageName(i))
                .arg(i % kCompanies)
                .arg(QString::fromLatin1(kWords[i % kCategories]))
                .arg(i % kCategories)
                .toUtf8();
        menu += section + files.toUtf8();
        otherCase += section + files.toUpper().toUtf8();
        if (withDescriptions) {
            if (i % kFilesPerFolder == 0 && !disc.mkpath(text.section(u'/', 0, 1)))
                return false;
            if (!writeFile(disc.filePath(text), descriptionRtf(i, descriptionBytes, style)))
                return false;
        }
    }
    if (!writeFile(disc.filePath(QString::fromLatin1(kOtherCaseMenu)), otherCase))
        return false;
    return writeFile(disc.filePath(QStringLiteral("quillomat.qmf")), menu);
}

} // namespace quillomat::bench
