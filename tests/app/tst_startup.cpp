#include "AppTestHelpers.h"
#include "app/Haupt.h"
#include "app/PackageListView.h"
#include "controls/TExtSpeedButton.h"
#include "controls/TFlatComboBox.h"
#include "dialogs/LangDlg.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>

using namespace quillomat;

namespace {

QStringList entriesOf(const QComboBox* box)
{
    QStringList entries;
    for (int i = 0; i < box->count(); ++i)
        entries.append(box->itemText(i));
    return entries;
}

// Answers the language chooser once it shows: picks a row, then presses a key on it.
void answerLanguageDialog(int row, int key)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [=] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<TChoseLang_Form*>(widget);
            if (!dialog || !dialog->isVisible())
                continue;
            poll->stop();
            poll->deleteLater();
            if (row >= 0)
                dialog->Lang_ComboBox->setCurrentIndex(row);
            QTest::keyClick(dialog->Lang_ComboBox, Qt::Key(key));
            return;
        }
    });
    poll->start(10);
}

const QByteArray kMenu = "[!Quillomat menu file generator]\n"
                         "CDFolder=/nowhere\n"
                         "[Zebra Paint]\nCategory=Graphics\nCompany=Brightline\n"
                         "RunFile=zebra\\setup.sh\nTextFile=zebra\\package.rtf\n"
                         "[archiver]\nCategory=Tools\nCompany=Other Co\n"
                         "[Notes]\nCategory=tools\n";

} // namespace

class StartupTest : public QObject
{
    Q_OBJECT

private:
    QString paneText() const
    {
        settled(*m_form);
        return m_form->descriptionRichEdit()->toPlainText();
    }
    std::unique_ptr<TMain_Form> m_form;
    std::unique_ptr<QTemporaryDir> m_program;
    std::unique_ptr<QTemporaryDir> m_disc;
    QString programFile(const QString& name) const { return m_program->filePath(name); }

private slots:
    void init();
    void cleanup();
    void withoutLanguageFileUsesBuiltinTexts();
    void oneLanguageNeedsNoChooser();
    void chooserOkSelectsTheRow();
    void chooserCancelEndsStartUp_data();
    void chooserCancelEndsStartUp();
    void missingMenuFileIsReported();
    void emptyMenuFileShowsAbout();
    void firstRowShowsItsDescription();
    void paneMessagesAreCentredLines();
    void windowIsShapedAndLaidOut();
};

void StartupTest::init()
{
    m_program = std::make_unique<QTemporaryDir>();
    m_disc = std::make_unique<QTemporaryDir>();
    m_form = std::make_unique<TMain_Form>();
    QFile::copy(kAppTestData + "about.rtf", programFile("about.rtf"));
    QFile::copy(kAppTestData + "package.rtf", m_disc->filePath("zebra/package.rtf"));
    QDir(m_disc->path()).mkpath("zebra");
    QFile::copy(kAppTestData + "package.rtf", m_disc->filePath("zebra/package.rtf"));
}

void StartupTest::cleanup()
{
    m_form.reset();
}

void StartupTest::withoutLanguageFileUsesBuiltinTexts()
{
    writeFile(programFile("quillomat.qmf"), "[Solo]\n");
    QVERIFY(m_form->FormCreate({"/TEST", m_disc->path()}, m_program->path() + '/'));
    // The message about lang.ini was replaced by the first package's description.
    QCOMPARE(paneText(), QStringLiteral("No description given."));
    QCOMPARE(m_form->setupExtSpeedButton()->text(), QStringLiteral("&setup"));
    QCOMPARE(m_form->previewExtSpeedButton()->text(), QStringLiteral("&preview"));
    QCOMPARE(m_form->hilfeMenuItem()->text(), QStringLiteral("&help"));
    QCOMPARE(entriesOf(m_form->sortByComboBox()), (QStringList{"name", "search..."}));

    TMain_Form empty;
    QVERIFY(empty.FormCreate({"/TEST", m_disc->path()}, m_disc->path() + '/'));
    QVERIFY(settled(empty));
    QCOMPARE(empty.descriptionRichEdit()->toPlainText(),
             QStringLiteral("Cannot open file \"%1/quillomat.qmf\".").arg(m_disc->path()));
}

void StartupTest::oneLanguageNeedsNoChooser()
{
    writeFile(programFile("lang.ini"), "[Deutsch]\nButtonSetup=&Installieren\n"
                                       "CategoryOther=Sonstige\nName=Name\nSearch=Suche...\n");
    writeFile(programFile("quillomat.qmf"), kMenu);
    QVERIFY(m_form->FormCreate({"/TEST", m_disc->path()}, m_program->path() + '/'));
    QCOMPARE(m_form->setupExtSpeedButton()->text(), QStringLiteral("&Installieren"));
    QCOMPARE(m_form->previewExtSpeedButton()->text(), QStringLiteral("&preview"));
    QCOMPARE(entriesOf(m_form->sortByComboBox()),
             (QStringList{"Name", "category", "company", "Suche..."}));
    QCOMPARE(m_form->project()->companies().back()->Name, QStringLiteral("Sonstige"));
}

void StartupTest::chooserOkSelectsTheRow()
{
    writeFile(programFile("lang.ini"), "[English]\nButtonSetup=&install\n"
                                       "[Deutsch]\nButtonSetup=&Installieren\n"
                                       "[Français]\nButtonSetup=&installer\n");
    writeFile(programFile("quillomat.qmf"), kMenu);
    answerLanguageDialog(2, Qt::Key_Return);
    QVERIFY(m_form->FormCreate({"/TEST", m_disc->path()}, m_program->path() + '/'));
    QCOMPARE(m_form->project()->activeLanguage(), 3);
    QCOMPARE(m_form->setupExtSpeedButton()->text(), QStringLiteral("&installer"));

    TMain_Form untouched;
    answerLanguageDialog(-1, Qt::Key_Return); // ok without touching the box: the first row
    QVERIFY(untouched.FormCreate({"/TEST", m_disc->path()}, m_program->path() + '/'));
    QCOMPARE(untouched.project()->activeLanguage(), 1);
}

void StartupTest::chooserCancelEndsStartUp_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("escape") << int(Qt::Key_Escape);
}

void StartupTest::chooserCancelEndsStartUp()
{
    QFETCH(int, key);
    writeFile(programFile("lang.ini"), "[English]\n[Deutsch]\n");
    writeFile(programFile("quillomat.qmf"), kMenu);
    answerLanguageDialog(1, key);
    QVERIFY(!m_form->FormCreate({"/TEST", m_disc->path()}, m_program->path() + '/'));
    QVERIFY(m_form->project()->applications().empty()); // the menu file was never read
    QVERIFY(!m_form->isVisible());
}

void StartupTest::missingMenuFileIsReported()
{
    writeFile(programFile("lang.ini"), "[English]\n");
    const QString menu = m_disc->filePath("absent.qmf");
    QVERIFY(m_form->FormCreate({menu}, m_program->path() + '/'));
    QCOMPARE(paneText(), QStringLiteral("Cannot open file \"%1\".").arg(menu));
    QCOMPARE(entriesOf(m_form->sortByComboBox()), (QStringList{"name", "search..."}));
    QCOMPARE(m_form->quillzListView()->count(), 0);
    QVERIFY(m_form->sortFilterComboBox()->isHidden());
    QVERIFY(!m_form->sortFilterComboBox()->isEnabled());
}

void StartupTest::emptyMenuFileShowsAbout()
{
    writeFile(programFile("lang.ini"), "[English]\n");
    writeFile(programFile("quillomat.qmf"), "; nothing on this disc yet\n");
    QVERIFY(m_form->FormCreate({}, m_program->path() + '/'));
    QCOMPARE(m_form->quillzListView()->count(), 0);
    QVERIFY(paneText().contains(QStringLiteral("About this disc")));
    QVERIFY(paneText().contains(QStringLiteral("A test disc for Quillomat.")));
}

void StartupTest::firstRowShowsItsDescription()
{
    writeFile(programFile("lang.ini"), "[English]\n");
    writeFile(programFile("quillomat.qmf"), kMenu);
    const QString disc = m_disc->path() + '/';
    QFile::remove(programFile("about.rtf")); // the pane then keeps the package's description
    QVERIFY(m_form->FormCreate({"/TEST", disc}, m_program->path() + '/'));

    // Rows come in the locale's order of their captions; the first one is selected.
    QCOMPARE(captionsOf(m_form->quillzListView()), (QStringList{"archiver", "Notes", "Zebra Paint"}));
    QCOMPARE(m_form->quillzListView()->currentRow(), 0);
    QVERIFY(!m_form->setupExtSpeedButton()->isEnabled());
    QVERIFY(!m_form->previewExtSpeedButton()->isEnabled());
    QCOMPARE(paneText(), QStringLiteral("Cannot open file \"%1\".").arg(programFile("about.rtf")));

    m_form->quillzListView()->setCurrentRow(2);
    QVERIFY(m_form->setupExtSpeedButton()->isEnabled());
    QCOMPARE(m_form->project()->applications().front()->TextFile(), disc + "zebra/package.rtf");
    QVERIFY(paneText().contains(QStringLiteral("Paint Studio draws pictures.")));
}

void StartupTest::paneMessagesAreCentredLines()
{
    writeFile(programFile("quillomat.qmf"), "");
    QVERIFY(m_form->FormCreate({}, m_program->path() + '/'));
    m_form->ShowPaneMessage(m_form->project()->GetText("searchhelp"));
    QCOMPARE(paneText(), QStringLiteral("Specify the keywords and press [return].\n"
                                        "The keywords are combined using \"or\"."));
    const QTextDocument* document = m_form->descriptionRichEdit()->document();
    QCOMPARE(document->blockCount(), 2);
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        QCOMPARE(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QCOMPARE(document->begin().charFormat().font().family(), m_form->descriptionFont().font.family());

    m_form->ShowDescriptionFile(QStringLiteral("/dev/zero")); // endless: refused, not read
    QCOMPARE(paneText(), QStringLiteral("Cannot open file \"/dev/zero\"."));
    m_form->ShowDescriptionFile(m_disc->filePath("missing %s %d.txt"));
    QCOMPARE(paneText(), QStringLiteral("Cannot open file \"%1\".").arg(m_disc->filePath("missing %s %d.txt")));
    QCOMPARE(document->begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
}

void StartupTest::windowIsShapedAndLaidOut()
{
    writeFile(programFile("quillomat.qmf"), "");
    QVERIFY(m_form->FormCreate({}, m_program->path() + '/'));
    QCOMPARE(m_form->size(), QSize(592, 373));
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Quillomat"));
    QVERIFY(m_form->windowFlags() & Qt::FramelessWindowHint);

    const QRegion region = m_form->mask();
    QVERIFY(region.contains(QPoint(296, 1)));        // top edge, cut from row 1
    QVERIFY(!region.contains(QPoint(296, 0)));       // row 0 is cut off
    QVERIFY(!region.contains(QPoint(0, 186)));       // and column 0
    QVERIFY(region.contains(QPoint(591, 186)));      // right edge kept
    QVERIFY(!region.contains(QPoint(3, 3)));         // rounded corners
    QVERIFY(!region.contains(QPoint(589, 370)));
    QVERIFY(region.contains(QPoint(51, 51)));

    QCOMPARE(m_form->sortByComboBox()->geometry(), QRect(30, 76, 201, 21));
    QCOMPARE(m_form->sortFilterComboBox()->geometry(), QRect(30, 109, 201, 21));
    QCOMPARE(m_form->quillzListView()->geometry(), QRect(30, 144, 201, 172));
    QCOMPARE(m_form->descriptionRichEdit()->geometry(), QRect(250, 66, 321, 251));
    QCOMPARE(m_form->setupExtSpeedButton()->geometry(), QRect(496, 324, 67, 21));
    QCOMPARE(m_form->helpExtSpeedButton()->geometry(), QRect(474, 12, 16, 16));
    QVERIFY(m_form->findChild<QTextEdit*>("Description_RichEdit"));

    // The background picture is painted unscaled from the top-left corner.
    const QImage shot = m_form->grab().toImage();
    QCOMPARE(shot.pixelColor(10, 200), m_form->backgroundBitmap().pixelColor(10, 200));
}

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
