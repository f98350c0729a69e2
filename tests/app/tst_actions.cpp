#include "AppTestHelpers.h"
#include "app/FocusMark.h"
#include "app/Haupt.h"
#include "app/PackageListView.h"
#include "controls/TExtSpeedButton.h"
#include "controls/TFlatComboBox.h"
#include "dialogs/ErrorBox.h"
#include "dialogs/PreviewWindow.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

using namespace quillomat;

namespace {

const QByteArray kMenu = "[Paint Studio]\nCompany=Brightline\nCategory=Graphics\n"
                         "RunFile=paint\\setup.sh\nTextFile=paint\\about.rtf\n"
                         "Bitmap=paint\\shot.BMP\n"
                         "[archiver]\nCompany=brightline\nCategory=Tools\n"
                         "RunFile=arc\\install.sh\nTextFile=arc\\readme.TXT\n"
                         "[Notes]\nCategory=tools\nTextFile=notes\\readme.Rtf\n"
                         "Bitmap=notes\\missing.jpg\n"
                         "[Viewer]\nCompany=Lens\nCategory=Graphics\nBitmap=viewer\\shot.jpeg\n"
                         "RunFile=viewer\\gone.sh\n";

} // namespace

class ActionsTest : public QObject
{
    Q_OBJECT

private:
    void choose(TFlatComboBox* box, const QString& entry);
    void selectRow(const QString& caption);
    QString paneText() const
    {
        settled(*m_form);
        return m_form->descriptionRichEdit()->toPlainText();
    }

    std::unique_ptr<QTemporaryDir> m_program;
    std::unique_ptr<QTemporaryDir> m_disc;
    std::unique_ptr<TMain_Form> m_form;
    QStringList m_errors;
    QStringList m_previews;

private slots:
    void init();
    void cleanup();
    void switchesOrders();
    void sameOrderOrFilterChangesNothing();
    void searchRunsOnEnterOnly();
    void leavingSearchSelectsNothing();
    void searchWithoutResult();
    void selectionSetsButtonsAndPane();
    void descriptionFormatFollowsExtension();
    void setupReportsFailures();
    void setupStartsProgram();
    void enterGoesToSetupButton();
    void previewShowsPictureOrError();
    void f9HidesAndShowsTheContent();
    void enterInThePaneDoesNothing();
    void firstKeyChoosesTheMarkedRow();
    void windowKeysCloseAnOpenList();
    void focusIsVisible();
    void f9GivesTheFocusBack();
    void f1OpensTheHelpMenu();
    void screenReaderNamesEveryControl();
    void helpMenuAndTexts();
};

void ActionsTest::init()
{
    m_program = std::make_unique<QTemporaryDir>();
    m_disc = std::make_unique<QTemporaryDir>();
    writeFile(m_program->filePath("quillomat.qmf"), kMenu);
    writeFile(m_program->filePath("lang.ini"), "[English]\n");
    QFile::copy(kAppTestData + "about.rtf", m_program->filePath("about.rtf"));
    QDir disc(m_disc->path());
    for (const char* folder : {"paint", "arc", "notes", "viewer"})
        disc.mkpath(folder);
    QFile::copy(kAppTestData + "package.rtf", disc.filePath("paint/about.rtf"));
    QFile::copy(kAppTestData + "package.rtf", disc.filePath("notes/readme.Rtf"));
    writeFile(disc.filePath("arc/readme.TXT"), "{\\rtf1 plain \\b text}\nsecond line");
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QVERIFY(picture.save(disc.filePath("paint/shot.BMP"), "BMP"));
    QVERIFY(picture.save(disc.filePath("viewer/shot.jpeg"), "JPEG"));

    m_errors.clear();
    m_previews.clear();
    setErrorBoxHook([this](QWidget*, const QString& message) { m_errors.append(message); });
    setPreviewWindowHook([this](QWidget*, const QString& caption, const QImage& image) {
        m_previews.append(
            QStringLiteral("%1 %2x%3").arg(caption).arg(image.width()).arg(image.height()));
        return 2;
    });
    m_form = std::make_unique<TMain_Form>();
    QVERIFY(m_form->FormCreate({"/TEST", m_disc->path()}, m_program->path() + '/'));
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void ActionsTest::cleanup()
{
    m_form.reset();
    setErrorBoxHook({});
    setPreviewWindowHook({});
}

void ActionsTest::choose(TFlatComboBox* box, const QString& entry)
{
    const int index = box->findText(entry);
    QVERIFY2(index >= 0, qPrintable(entry));
    box->setCurrentIndex(index);
    emit box->activated(index);
}

void ActionsTest::selectRow(const QString& caption)
{
    const auto items = m_form->quillzListView()->findItems(caption, Qt::MatchExactly);
    QCOMPARE(items.size(), 1);
    m_form->quillzListView()->setCurrentItem(items.front());
    QVERIFY(settled(*m_form));
}

void ActionsTest::switchesOrders()
{
    TFlatComboBox* filter = m_form->sortFilterComboBox();
    QVERIFY(filter->isHidden());
    choose(m_form->sortByComboBox(), "category");
    QCOMPARE(m_form->currentSortMode(), SortMode::SortByCategory);
    QVERIFY(!filter->isHidden() && filter->isEnabled());
    QCOMPARE(filter->currentText(), QStringLiteral("Graphics"));
    QCOMPARE(captionsOf(m_form->quillzListView()), (QStringList{"Paint Studio", "Viewer"}));

    choose(filter, "Tools");
    QCOMPARE(captionsOf(m_form->quillzListView()), (QStringList{"archiver", "Notes"}));
    QCOMPARE(m_form->currentFilter(), QStringLiteral("Tools"));

    choose(m_form->sortByComboBox(), "company");
    QCOMPARE(m_form->currentFilter(), QString());
    QCOMPARE(filter->currentText(), QStringLiteral("Brightline"));
    QCOMPARE(captionsOf(m_form->quillzListView()), (QStringList{"archiver", "Paint Studio"}));

    choose(m_form->sortByComboBox(), "name");
    QVERIFY(filter->isHidden() && !filter->isEnabled());
    QCOMPARE(m_form->quillzListView()->count(), 4);
}

void ActionsTest::sameOrderOrFilterChangesNothing()
{
    choose(m_form->sortByComboBox(), "category");
    choose(m_form->sortFilterComboBox(), "Tools");
    m_form->quillzListView()->setCurrentRow(1);
    choose(m_form->sortFilterComboBox(), "Tools"); // same text as the current filter
    QCOMPARE(m_form->quillzListView()->currentRow(), 1);
    choose(m_form->sortByComboBox(), "category"); // same order
    QCOMPARE(m_form->quillzListView()->currentRow(), 1);
    QCOMPARE(m_form->sortFilterComboBox()->currentText(), QStringLiteral("Tools"));
}

void ActionsTest::searchRunsOnEnterOnly()
{
    choose(m_form->sortByComboBox(), "search...");
    TFlatComboBox* filter = m_form->sortFilterComboBox();
    QVERIFY(m_form->searchActive());
    QCOMPARE(filter->ComboStyle(), TComboBoxStyle::csSimple);
    QCOMPARE(filter->currentText(), QStringLiteral("enter keywords"));
    QCOMPARE(m_form->quillzListView()->count(), 0);
    QVERIFY(!m_form->setupExtSpeedButton()->isEnabled());
    QVERIFY(!m_form->previewExtSpeedButton()->isEnabled());
    QVERIFY(paneText().startsWith(QStringLiteral("Specify the keywords")));
    QVERIFY(filter->lineEdit()->hasFocus());

    QTest::keyClicks(filter->lineEdit(), "studio  TOOLS");
    QCOMPARE(m_form->quillzListView()->count(), 0); // typing alone searches nothing
    QTest::keyClick(filter->lineEdit(), Qt::Key_Return);
    QCOMPARE(captionsOf(m_form->quillzListView()),
             (QStringList{"archiver", "Notes", "Paint Studio"}));
    QCOMPARE(filter->lineEdit()->selectedText(), QStringLiteral("studio  TOOLS"));
    QVERIFY(m_errors.isEmpty()); // Enter never reached the setup button
    QCOMPARE(m_form->quillzListView()->selectedItems().size(), 0);

    // The description text is searched too: the package's RTF says "draws pictures".
    filter->lineEdit()->setText("pictures");
    QTest::keyClick(filter->lineEdit(), Qt::Key_Enter);
    QCOMPARE(captionsOf(m_form->quillzListView()), (QStringList{"Notes", "Paint Studio"}));
}

void ActionsTest::leavingSearchSelectsNothing()
{
    choose(m_form->sortByComboBox(), "search...");
    QTest::keyClick(m_form->sortFilterComboBox()->lineEdit(), Qt::Key_Return); // "enter keywords"
    choose(m_form->sortByComboBox(), "name");
    QCOMPARE(m_form->sortFilterComboBox()->ComboStyle(), TComboBoxStyle::csDropDownList);
    QCOMPARE(m_form->quillzListView()->count(), 4);
    QCOMPARE(m_form->quillzListView()->selectedItems().size(), 0);
    QVERIFY(!m_form->setupExtSpeedButton()->isEnabled());
    QVERIFY(paneText().startsWith(QStringLiteral("Specify the keywords")));
}

void ActionsTest::searchWithoutResult()
{
    choose(m_form->sortByComboBox(), "search...");
    m_form->sortFilterComboBox()->lineEdit()->setText("zzz");
    QTest::keyClick(m_form->sortFilterComboBox()->lineEdit(), Qt::Key_Return);
    QCOMPARE(captionsOf(m_form->quillzListView()), QStringList{"Cannot find find any match"});
    const QString help = paneText();
    m_form->quillzListView()->setCurrentRow(0);
    QCOMPARE(paneText(), help);
    QVERIFY(!m_form->setupExtSpeedButton()->isEnabled());
    emit m_form->quillzListView()->itemDoubleClicked(m_form->quillzListView()->item(0));
    QVERIFY(m_errors.isEmpty());
}

void ActionsTest::selectionSetsButtonsAndPane()
{
    selectRow("Viewer"); // run file and picture, no description
    QVERIFY(m_form->setupExtSpeedButton()->isEnabled());
    QVERIFY(m_form->previewExtSpeedButton()->isEnabled());
    QCOMPARE(paneText(), QStringLiteral("No description given."));

    selectRow("Notes"); // description only
    QVERIFY(!m_form->setupExtSpeedButton()->isEnabled());
    QVERIFY(m_form->previewExtSpeedButton()->isEnabled());
    QVERIFY(paneText().contains(QStringLiteral("Paint Studio draws pictures.")));
    emit m_form->quillzListView()->itemDoubleClicked(m_form->quillzListView()->currentItem());
    QCOMPARE(m_errors, QStringList{"No file specified to run."});
}

void ActionsTest::descriptionFormatFollowsExtension()
{
    selectRow("Notes"); // readme.Rtf: its own formatting
    const QTextDocument* document = m_form->descriptionRichEdit()->document();
    bool sawBold = false;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            sawBold |= it.fragment().charFormat().fontWeight() >= QFont::Bold;
    QVERIFY(sawBold);

    selectRow("archiver"); // readme.TXT holding RTF: its content decides, in the pane's font
    QVERIFY(paneText().contains(QStringLiteral("plain text")));
    QCOMPARE(document->defaultFont().family(), m_form->descriptionFont().font.family());
}

void ActionsTest::setupReportsFailures()
{
    selectRow("Viewer");
    m_form->setupExtSpeedButton()->click();
    QCOMPARE(
        m_errors,
        QStringList{QStringLiteral("File \"%1/viewer/gone.sh\" not found.").arg(m_disc->path())});
}

void ActionsTest::setupStartsProgram()
{
    const QString marker = m_disc->filePath("started");
    writeFile(m_disc->filePath("paint/setup.sh"), "#!/bin/sh\npwd > \"" + marker.toUtf8() + "\"\n");
    QFile::setPermissions(m_disc->filePath("paint/setup.sh"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    selectRow("Paint Studio");
    m_form->setupExtSpeedButton()->click();
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(marker), 10000);
    QVERIFY(m_errors.isEmpty());
}

void ActionsTest::enterGoesToSetupButton()
{
    selectRow("Notes"); // setup disabled: Enter still reaches it
    m_form->quillzListView()->setFocus();
    QTest::keyClick(m_form->quillzListView(), Qt::Key_Return);
    QCOMPARE(m_errors, QStringList{"No file specified to run."});
    QTest::keyClick(m_form->quillzListView(), Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClick(m_form->quillzListView(), Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(m_errors.size(), 1);
    QTest::keyClick(m_form->quillzListView(), Qt::Key_Escape);
    QCOMPARE(m_errors.size(), 1);
    QVERIFY(m_form->isVisible());
}

void ActionsTest::previewShowsPictureOrError()
{
    selectRow("Paint Studio"); // shot.BMP in upper case is a valid picture
    m_form->previewExtSpeedButton()->click();
    QVERIFY(settled(*m_form));
    QCOMPARE(m_previews, QStringList{"Quillomat - Preview - Paint Studio 40x30"});
    selectRow("Viewer"); // .jpeg
    m_form->previewExtSpeedButton()->click();
    QVERIFY(settled(*m_form));
    QCOMPARE(m_previews.size(), 2);
    selectRow("Notes");
    m_form->previewExtSpeedButton()->click();
    QVERIFY(settled(*m_form));
    QCOMPARE(
        m_errors,
        QStringList{QStringLiteral(
                        "Cannot open \"%1/notes/missing.jpg\" or it has got an unknown extension.")
                        .arg(m_disc->path())});
    QCOMPARE(m_previews.size(), 2);
}

void ActionsTest::f9HidesAndShowsTheContent()
{
    QWidget* focus = m_form->quillzListView();
    QTest::keyClick(focus, Qt::Key_F9);
    QVERIFY(m_form->quillzListView()->isHidden());
    QVERIFY(m_form->descriptionRichEdit()->isHidden());
    QVERIFY(m_form->sortByComboBox()->isHidden());
    QVERIFY(m_form->sortFilterComboBox()->isHidden());
    QVERIFY(!m_form->setupExtSpeedButton()->isHidden());
    // Keys go where the focus went when the list was hidden (the window itself, if nowhere).
    QWidget* now = QApplication::focusWidget();
    QTest::keyClick(now ? now : m_form.get(), Qt::Key_F9);
    QVERIFY(!m_form->quillzListView()->isHidden());
    QVERIFY(!m_form->descriptionRichEdit()->isHidden());
    QVERIFY(!m_form->sortByComboBox()->isHidden());
    QVERIFY(m_form->sortFilterComboBox()->isHidden()); // disabled in the name order: stays hidden
}

void ActionsTest::enterInThePaneDoesNothing()
{
    selectRow("Notes"); // Enter on the setup button would report "No file specified to run."
    m_form->descriptionRichEdit()->setFocus();
    QTest::keyClick(m_form->descriptionRichEdit(), Qt::Key_Return);
    QTest::keyClick(m_form->descriptionRichEdit(), Qt::Key_Enter);
    QVERIFY(m_errors.isEmpty());
    QVERIFY(paneText().contains(QStringLiteral("draws pictures"))); // the text is left alone
}

void ActionsTest::firstKeyChoosesTheMarkedRow()
{
    PackageListView* list = m_form->quillzListView();
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_Space}) {
        choose(m_form->sortByComboBox(), "search...");
        m_form->sortFilterComboBox()->lineEdit()->setText("pictures");
        QTest::keyClick(m_form->sortFilterComboBox()->lineEdit(), Qt::Key_Return);
        QCOMPARE(list->selectedItems().size(), 0);
        list->setFocus(); // as Tab gives it: the first row is marked, not chosen
        QTest::keyClick(list, key);
        QCOMPARE(captionsOf(list).value(list->currentRow()), QStringLiteral("Notes"));
        QCOMPARE(list->selectedItems().value(0), list->item(0));
        QVERIFY(paneText().contains(QStringLiteral("draws pictures")));
        QTest::keyClick(list, Qt::Key_Down); // with a row chosen, Down moves on
        QCOMPARE(list->selectedItems().value(0), list->item(1));
        choose(m_form->sortByComboBox(), "name");
    }
}

void ActionsTest::windowKeysCloseAnOpenList()
{
    const auto keyInOpenList = [](TFlatComboBox* box, Qt::Key key) {
        box->showPopup();
        QTRY_VERIFY(box->isListOpen());
        QWidget* popup = QApplication::activePopupWidget();
        QVERIFY(popup);
        QTest::keyClick(popup->focusWidget() ? popup->focusWidget() : popup, key);
        QVERIFY(!box->isListOpen());
    };
    writeFile(m_program->filePath("qmskin.ini"), "[Quillomat Skin]\ndialog.width=600\n");
    keyInOpenList(m_form->sortByComboBox(), Qt::Key_F5);
    QCOMPARE(m_form->width(), 600);
    keyInOpenList(m_form->sortByComboBox(), Qt::Key_F9);
    QVERIFY(m_form->quillzListView()->isHidden());
    QVERIFY(m_form->descriptionRichEdit()->isHidden());
}

void ActionsTest::focusIsVisible()
{
    PackageListView* list = m_form->quillzListView();
    QCOMPARE(m_form->focusMark()->markedControl(), list);
    const QRgb onPanel = FocusMark::colourOn(QColor(0x40, 0x40, 0x40)).rgb();
    QCOMPARE(m_form->grab().toImage().pixel(list->geometry().topLeft()), onPanel);
    QCOMPARE(m_form->grab().toImage().pixel(list->geometry().bottomRight()), onPanel);
    // The frame lies around the rows, not over the first one.
    const QRect firstRow = list->visualItemRect(list->item(0));
    const QRect rowInWindow(list->viewport()->mapTo(m_form.get(), firstRow.topLeft()),
                            firstRow.size());
    const int frame = FocusMark::kWidth;
    QVERIFY(list->geometry().marginsRemoved({frame, frame, frame, frame}).contains(rowInWindow));
    // The selected row shows whether the list has the focus.
    const QPoint inRow = list->visualItemRect(list->item(0)).topRight() + QPoint(-4, 2);
    const QColor focused = list->grab().toImage().pixelColor(inRow);
    m_form->descriptionRichEdit()->setFocus();
    QCOMPARE(m_form->focusMark()->markedControl(), m_form->descriptionRichEdit());
    const QColor unfocused = list->grab().toImage().pixelColor(inRow);
    QVERIFY(focused != unfocused);
    QVERIFY(unfocused != QColor(0x40, 0x40, 0x40)); // still visible on the fill
    // A light skin fill gets a dark frame.
    writeFile(m_program->filePath("qmskin.ini"),
              "[Quillomat Skin]\ndescription.color.fill=15790320\n");
    QTest::keyClick(m_form->descriptionRichEdit(), Qt::Key_F5);
    QCOMPARE(m_form->grab().toImage().pixel(m_form->descriptionRichEdit()->geometry().topLeft()),
             FocusMark::colourOn(QColor(0xF0, 0xF0, 0xF0)).rgb());
    QVERIFY(FocusMark::colourOn(QColor(0xF0, 0xF0, 0xF0)).lightness() < 64);
}

void ActionsTest::f9GivesTheFocusBack()
{
    m_form->descriptionRichEdit()->setFocus();
    QTest::keyClick(m_form->descriptionRichEdit(), Qt::Key_F9);
    QVERIFY(m_form->descriptionRichEdit()->isHidden());
    QVERIFY(!m_form->focusMark()->isVisible());
    QWidget* now = QApplication::focusWidget();
    QTest::keyClick(now ? now : m_form.get(), Qt::Key_F9);
    QCOMPARE(QApplication::focusWidget(), m_form->descriptionRichEdit());
    QCOMPARE(m_form->focusMark()->markedControl(), m_form->descriptionRichEdit());
}

void ActionsTest::f1OpensTheHelpMenu()
{
    QTest::keyClick(m_form->quillzListView(), Qt::Key_F1);
    QTRY_VERIFY(m_form->helpPopupMenu()->isVisible());
    QCOMPARE(m_form->helpPopupMenu()->pos(), m_form->helpMenuPosition());
    QCOMPARE(m_form->helpPopupMenu()->activeAction(), m_form->hilfeMenuItem());
    QTest::keyClick(m_form->helpPopupMenu(), Qt::Key_Down);
    QTest::keyClick(m_form->helpPopupMenu(), Qt::Key_Return);
    QTRY_VERIFY(!m_form->helpPopupMenu()->isVisible());
    QVERIFY(paneText().contains(QStringLiteral("About this disc")));
    QVERIFY(m_errors.isEmpty()); // Enter went to the menu, not to the setup button
}

void ActionsTest::screenReaderNamesEveryControl()
{
    for (QWidget* control :
         QList<QWidget*>{m_form->sortByComboBox(), m_form->sortFilterComboBox(),
                         m_form->quillzListView(), m_form->descriptionRichEdit()}) {
        QAccessibleInterface* access = QAccessible::queryAccessibleInterface(control);
        QVERIFY(access);
        QVERIFY2(!access->text(QAccessible::Name).isEmpty(), qPrintable(control->objectName()));
    }
    for (TExtSpeedButton* button : m_form->speedButtons()) {
        QAccessibleInterface* access = QAccessible::queryAccessibleInterface(button);
        QVERIFY(access);
        QCOMPARE(access->role(), QAccessible::Button);
        QVERIFY2(!access->text(QAccessible::Name).isEmpty(), qPrintable(button->objectName()));
        QVERIFY(access->actionInterface());
    }
    QAccessibleInterface* pane =
        QAccessible::queryAccessibleInterface(m_form->descriptionRichEdit());
    QAccessibleTextInterface* text = pane->textInterface();
    QVERIFY(text);
    QCOMPARE(text->text(0, text->characterCount()), paneText());
}

void ActionsTest::helpMenuAndTexts()
{
    const QRect button = m_form->helpExtSpeedButton()->geometry();
    QCOMPARE(m_form->helpMenuPosition(), m_form->mapToGlobal(button.bottomLeft() + QPoint(0, 1)));
    QCOMPARE(m_form->helpPopupMenu()->actions().size(), 2);
    m_form->System_NewSpeedButtonClick();
    QTRY_VERIFY(m_form->helpPopupMenu()->isVisible());
    QVERIFY(!m_form->hilfeMenuItem()->icon().isNull());
    QVERIFY(!m_form->aboutMenuItem()->icon().isNull());
    m_form->helpPopupMenu()->hide();
    m_form->hilfeMenuItem()->trigger();
    QCOMPARE(paneText(),
             QStringLiteral("Cannot open file \"%1\".").arg(m_program->filePath("help.rtf")));
    m_form->aboutMenuItem()->trigger();
    QVERIFY(paneText().contains(QStringLiteral("About this disc")));
}

QTEST_MAIN(ActionsTest)
#include "tst_actions.moc"
