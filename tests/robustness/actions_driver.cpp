// Runs the program's start-up and its main user actions on a disc, offscreen, without a user:
// the write watch and the leak check run this under strace and the leak checkers.
//   quillomat-actions-driver <program folder> <disc folder>
//   quillomat-actions-driver <program folder> <disc folder> --setup <package name>
// The second form only selects the package and clicks its setup button, which runs the disc's
// run file as for a user, and waits a few seconds for it.
// Modal windows (language chooser, preview, error boxes) are answered by a timer: Enter for
// dialogs with a default button, close for the preview. Starting a package's setup is left out:
// it runs the disc's own programs, which are not ours to watch.
#include "app/Haupt.h"
#include "app/MediumReader.h"
#include "app/PackageListView.h"
#include "controls/TExtSpeedButton.h"
#include "controls/TFlatComboBox.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <cstdio>

using namespace quillomat;

namespace {

int g_modalsAnswered = 0;

void answerModalWindows()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible())
        return;
    ++g_modalsAnswered;
    if (qobject_cast<QMessageBox*>(modal) || modal->objectName() == u"ChoseLang_Form")
        QTest::keyClick(modal, Qt::Key_Return);
    else
        modal->close();
    // A window that ignored the key is closed the next time round.
    if (modal->isVisible())
        QTimer::singleShot(0, modal, &QWidget::close);
}

// The pane's files and the pictures are read in the background, the newest request first: the
// driver waits for each, as a user would, so that every file is read.
void waitForReads(const TMain_Form& form)
{
    if (!QTest::qWaitFor(
            [&] { return !form.paneReader()->isBusy() && !form.previewReader()->isBusy(); }))
        std::fputs("a read of the disc did not end\n", stderr);
}

void selectEveryRow(TMain_Form& form)
{
    PackageListView* list = form.quillzListView();
    for (int row = 0; row < list->count(); ++row) {
        list->setCurrentRow(row);
        form.Quillz_ListViewChange();
        // The preview of the packages that have one (a window or an error box).
        if (form.previewExtSpeedButton()->isEnabled())
            form.Preview_ExtSpeedButtonClick();
        waitForReads(form);
    }
}

// Clicks the setup button of the package named `name`; 1 when the list has no such package.
int runSetup(TMain_Form& form, const QString& name)
{
    PackageListView* list = form.quillzListView();
    for (int row = 0; row < list->count(); ++row) {
        const TAppDescription* package = PackageListView::packageOf(list->item(row));
        if (!package || package->Name != name)
            continue;
        list->setCurrentRow(row);
        form.Quillz_ListViewChange();
        form.Setup_ExtSpeedButtonClick();
        std::fprintf(stderr, "setup clicked, %d modal windows answered\n", g_modalsAnswered);
        QTest::qWait(3000);
        return g_modalsAnswered == 0 ? 0 : 1; // an error box: the run file did not start
    }
    std::fputs("no such package\n", stderr);
    return 1;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    const bool setupOnly = args.size() == 5 && args[3] == u"--setup";
    if (args.size() != 3 && !setupOnly) {
        std::fputs(
            "usage: quillomat-actions-driver <program folder> <disc folder> [--setup <package "
            "name>]\n",
            stderr);
        return 2;
    }
    QTimer answerer;
    QObject::connect(&answerer, &QTimer::timeout, &answerModalWindows);
    answerer.start(20);

    auto* form = new TMain_Form;
    QString programFolder = args[1];
    if (!programFolder.endsWith(u'/'))
        programFolder += u'/';
    if (!form->FormCreate({QStringLiteral("/TEST"), args[2]}, programFolder)) {
        std::fputs("the language chooser was cancelled\n", stderr);
        return 1;
    }
    form->show();
    QTest::qWait(50);
    if (setupOnly)
        return runSetup(*form, args[4]);

    // Every order with every filter entry, and every row in each.
    TFlatComboBox* sortBy = form->sortByComboBox();
    TFlatComboBox* filter = form->sortFilterComboBox();
    for (int order = 0; order < sortBy->count(); ++order) {
        sortBy->setCurrentIndex(order);
        form->SortBy_ComboBoxChange();
        if (form->searchActive()) {
            for (const QString& words : {QStringLiteral("game"), QStringLiteral("zzz qqq")}) {
                filter->setEditText(words);
                form->SortFilter_ComboBoxKeyDown(Qt::Key_Return, Qt::NoModifier);
                selectEveryRow(*form);
            }
            continue;
        }
        for (int entry = 0; entry < std::max(filter->count(), 1); ++entry) {
            if (filter->count() > 0) {
                filter->setCurrentIndex(entry);
                form->SortFilter_ComboBoxChange();
            }
            selectEveryRow(*form);
        }
    }

    form->Hilfe_MenuItemClick();
    waitForReads(*form);
    form->About_MenuItemClick();
    waitForReads(*form);
    form->FormKeyDown(Qt::Key_F5, Qt::NoModifier);
    form->FormKeyDown(Qt::Key_F9, Qt::NoModifier);
    form->FormKeyDown(Qt::Key_F9, Qt::NoModifier);
    form->repaint();
    form->Minimize_NewSpeedButtonClick();
    QTest::qWait(50);
    form->Close_NewSpeedButtonClick();
    delete form;
    std::fprintf(stderr, "actions done, %d modal windows answered\n", g_modalsAnswered);
    return 0;
}
