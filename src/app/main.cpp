#include "app/Haupt.h"
#include "app/ProgramInMemory.h"
#include "app/ProgramSetup.h"
#include "app/QuitAfterFirstPaint.h"
#include "dialogs/WindowPlacement.h"
#include "platform/ProgramFolder.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // The disc kit's Qt takes only the kit's plugins, also when the host's loader started the
    // program (the medium has no execute bits) and the environment names another Qt's.
    quillomat::useOwnPlugins();
    QApplication app(argc, argv);
    quillomat::useOwnPlugins();
    quillomat::setUpApplication();

    quillomat::TMain_Form window;
    if (!window.FormCreate(QApplication::arguments().mid(1), quillomat::programFolder()))
        return 0; // the language chooser was cancelled
    if (qEnvironmentVariableIsSet("QUILLOMAT_QUIT_AFTER_FIRST_PAINT"))
        window.installEventFilter(new quillomat::QuitAfterFirstPaint(&window));
    // Stopped before the window and its catalogue go.
    quillomat::ProgramInMemory inMemory(window.programFolder(), window.project()->readPrecedence());
    window.installEventFilter(&inMemory);
    quillomat::centreOnPrimaryScreen(&window);
    window.show();
    return app.exec();
}
