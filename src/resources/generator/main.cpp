// quillomat-artwork: draws the program's built-in pictures into a folder.
// Usage: quillomat-artwork <output folder>
// Every picture is written twice: "name.ext" and "name@2x.ext", drawn at twice the resolution.
// The output is committed under src/resources/images/; run the generator again after changing
// the drawing code (the target "regenerate-artwork" does that in place).
// The lettering uses URW Bookman (fonts-urw-base35) and DejaVu Sans; where they are missing the
// font database picks others and the pictures come out differently.

#include "Backgrounds.h"
#include "Glyphs.h"
#include "ProgramIcon.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTextStream>

#include <utility>

namespace {

bool writePicture(const QDir& folder, const QString& name, int scale, const QImage& image,
                  QTextStream& err)
{
    // Bitmaps where no transparency is needed: they load without decoding at every start.
    // PNG, at its highest compression effort, for the menu images with their alpha.
    const bool bitmap = !name.startsWith(QLatin1String("menu_"));
    const QString path =
        folder.filePath(name + (scale == 1 ? QString() : QStringLiteral("@2x")) +
                        (bitmap ? QStringLiteral(".bmp") : QStringLiteral(".png")));
    if (image.save(path, bitmap ? "BMP" : "PNG", bitmap ? -1 : 0))
        return true;
    err << "cannot write " << path << '\n';
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    // Drawing text needs a GUI application, but never a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        err << "usage: quillomat-artwork <output folder>\n";
        return 2;
    }
    const QDir folder(arguments.at(1));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        err << "cannot create " << folder.path() << '\n';
        return 1;
    }

    using namespace quillomat::artwork;
    using Drawing = QImage (*)(int scale);
    const std::pair<const char*, Drawing> pictures[] = {
        {"background101", mainBackground}, {"background102", languageBackground},
        {"glyph_close", closeGlyph},       {"glyph_minimize", minimizeGlyph},
        {"glyph_help", helpGlyph},         {"menu_help", menuHelpImage},
        {"menu_about", menuAboutImage},
    };
    // Each picture at its size and, named "name@2x", at twice the resolution.
    for (const auto& [name, draw] : pictures) {
        for (int scale : {1, 2}) {
            if (!writePicture(folder, QString::fromLatin1(name), scale, draw(scale), err))
                return 1;
        }
    }
    // The program's icon for the Windows executable (its resource file names it).
    const QByteArray iconBytes = programIconFile();
    QFile icon(folder.filePath(QStringLiteral("quillomat.ico")));
    if (!icon.open(QIODevice::WriteOnly) || icon.write(iconBytes) != iconBytes.size()) {
        err << "cannot write " << icon.fileName() << '\n';
        return 1;
    }
    return 0;
}
