// MB/s of RTF to plain text (what the keyword search reads) and to a formatted QTextDocument
// (what the description pane shows), on three kinds of input:
//   LibreOffice: data/libreoffice-1mb.rtf (make-bench-input.sh), heavy in control words;
//   MostlyText: 1 MB of prose with a little formatting, as WordPad writes English;
//   MostlyHexEscapes: 1 MB of Cyrillic written as \'hh escapes, as WordPad writes Russian;
//   BoldAndAccents: 1 MB of French with bold words and \'hh accented letters in every line, as
//   the search benchmark's rich descriptions are written.
#include "richtext/PlainText.h"
#include "richtext/RtfDocument.h"

#include <QFile>
#include <QGuiApplication>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr qsizetype kInputSize = 1 << 20;

QByteArray libreOfficeFile()
{
    QFile file(QStringLiteral(QUILLOMAT_RTF_BENCH_DATA "/libreoffice-1mb.rtf"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read the benchmark input; run bench/rtf/make-bench-input.sh");
    return file.readAll();
}

QByteArray repeated(const QByteArray& header, const QByteArray& paragraph)
{
    QByteArray bytes = header;
    while (bytes.size() < kInputSize)
        bytes += paragraph;
    return bytes + '}';
}

QByteArray mostlyText()
{
    return repeated("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}"
                    "\\viewkind4\\uc1\\pard\\f0\\fs20 ",
                    "This package installs the drawing program with its tools, brushes and "
                    "templates. It needs about twelve megabytes on the hard disk and runs on "
                    "every supported system. Start the {\\b setup} from the menu and follow the "
                    "instructions on the screen; the installer asks for a folder and creates "
                    "the shortcuts.\\par\r\n");
}

QByteArray mostlyHexEscapes()
{
    // "Программа для рисования с инструментами и шаблонами." in Windows-1251.
    const QByteArray sentence =
        "\\'cf\\'f0\\'ee\\'e3\\'f0\\'e0\\'ec\\'ec\\'e0 \\'e4\\'eb\\'ff \\'f0\\'e8\\'f1\\'ee"
        "\\'e2\\'e0\\'ed\\'e8\\'ff \\'f1 \\'e8\\'ed\\'f1\\'f2\\'f0\\'f3\\'ec\\'e5\\'ed\\'f2"
        "\\'e0\\'ec\\'e8 \\'e8 \\'f8\\'e0\\'e1\\'eb\\'ee\\'ed\\'e0\\'ec\\'e8. ";
    return repeated("{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset204 "
                    "Arial;}}\\viewkind4\\uc1\\pard\\f0\\fs20 ",
                    sentence + sentence + sentence + "\\par\r\n");
}

QByteArray boldAndAccents()
{
    return repeated("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}"
                    "\\viewkind4\\uc1\\pard\\f0\\fs20 ",
                    "Le programme {\\b d\\'e9marre} la mise \\'e0 jour du \\b r\\'e9seau\\b0  et "
                    "des donn\\'e9es; la {\\b m\\'e9moire} du syst\\'e8me reste libre. Les "
                    "pr\\'e9f\\'e9rences de l'\\'e9diteur sont \\b gard\\'e9es\\b0  pour "
                    "l'ann\\'e9e suivante.\\par\n");
}

void run(benchmark::State& state, QByteArray (*input)())
{
    const QByteArray bytes = input();
    for (auto _ : state) {
        QString text = quillomat::rtfToPlainText(bytes);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

void runFormatted(benchmark::State& state, QByteArray (*input)())
{
    const QByteArray bytes = input();
    for (auto _ : state) {
        QTextDocument document;
        quillomat::loadDocument(document, bytes);
        benchmark::DoNotOptimize(document.characterCount());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

struct Input
{
    const char* name;
    QByteArray (*make)();
};
const Input kInputs[] = {
    {"LibreOffice", libreOfficeFile},
    {"MostlyText", mostlyText},
    {"MostlyHexEscapes", mostlyHexEscapes},
    {"BoldAndAccents", boldAndAccents},
};

} // namespace

int main(int argc, char** argv)
{
    // The document needs fonts, hence a GUI application; no window is shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    // Plain text first, then the same inputs as formatted documents ("Formatted" + name).
    for (const Input& input : kInputs)
        benchmark::RegisterBenchmark(input.name, run, input.make)->Unit(benchmark::kMillisecond);
    for (const Input& input : kInputs)
        benchmark::RegisterBenchmark((std::string("Formatted") + input.name).c_str(), runFormatted,
                                     input.make)
            ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
