// The main window on a disc written on Windows and copied to a file system that tells letter
// case apart: the menu names SETUP\SETUP.EXE where the disc holds setup/Setup.exe, its CD
// folder is a drive letter, and it was saved in UTF-8 with one stray Windows-1252 byte.
#include "AppTestHelpers.h"
#include "app/Haupt.h"
#include "app/PackageListView.h"
#include "controls/TExtSpeedButton.h"
#include "controls/TFlatComboBox.h"
#include "dialogs/ErrorBox.h"
#include "dialogs/PreviewWindow.h"
#include "platform/CasePaths.h"
#include "platform/DriveRoot.h"

#include <QCoreApplication>
#include <QImage>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

using namespace quillomat;

class WindowsDiscTest : public QObject
{
    Q_OBJECT

private:
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
    void paneSetupAndPreviewFindTheFiles();
    void searchReadsTheDescription();
    void mixedEncodingKeepsEveryLetter();
    void testFolderStandsForTheDrive();
};

void WindowsDiscTest::init()
{
    forgetFolderListings(); // each test's disc is new; the program sees only one per session
    m_program = std::make_unique<QTemporaryDir>();
    writeFile(m_program->filePath("lang.ini"), "[English]\n");
    // Beside the test program, so that the disc is on the drive its drive letter stands for.
    m_disc = std::make_unique<QTemporaryDir>(QStringLiteral(QUILLOMAT_BINARY_DIR "/disc-XXXXXX"));
    const QString disc = QFileInfo(m_disc->path()).canonicalFilePath() + u'/';
    const QString driveRoot = driveRootOf(QCoreApplication::applicationFilePath());
    if (!disc.startsWith(driveRoot))
        QSKIP("the build folder is not below the mount point of the test program");

    writeFile(disc + "setup/Setup.exe",
              "#!/bin/sh\ntouch \"" + (disc + "started").toUtf8() + "\"\n");
    QFile::setPermissions(disc + "setup/Setup.exe",
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    writeFile(disc + "docs/Readme.txt", "Paint Studio draws with zeppelin brushes.");
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    QVERIFY(picture.save(disc + "docs/Shot.bmp", "BMP"));

    // E:\ and the disc's folder in capitals; the picture named from the drive, the description
    // from the CD folder's root.
    const QByteArray onDrive =
        "E:\\" + disc.mid(driveRoot.size()).toUpper().replace(u'/', u'\\').toUtf8();
    writeFile(disc + "quillomat.qmf", "[!Quillomat menu file generator]\r\nCDFolder=" + onDrive +
                                          "\r\n[Paint Studio]\r\nRunFile=SETUP\\SETUP.EXE\r\n"
                                          "TextFile=\\DOCS\\README.TXT\r\nBitmap=" +
                                          onDrive +
                                          "DOCS\\SHOT.BMP\r\n"
                                          "[Kr\xC3\xA4uterbuch]\r\nCompany=Gr\xFCn\r\n");

    m_errors.clear();
    m_previews.clear();
    setErrorBoxHook([this](QWidget*, const QString& message) { m_errors.append(message); });
    setPreviewWindowHook([this](QWidget*, const QString&, const QImage& image) {
        m_previews.append(QStringLiteral("%1x%2").arg(image.width()).arg(image.height()));
        return 2;
    });
    m_form = std::make_unique<TMain_Form>();
    QVERIFY(m_form->FormCreate({disc + "quillomat.qmf"}, m_program->path() + '/'));
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void WindowsDiscTest::cleanup()
{
    m_form.reset();
    setErrorBoxHook({});
    setPreviewWindowHook({});
}

void WindowsDiscTest::paneSetupAndPreviewFindTheFiles()
{
    m_form->quillzListView()->setCurrentItem(
        m_form->quillzListView()->findItems("Paint Studio", Qt::MatchExactly).value(0));
    QCOMPARE(paneText(), QStringLiteral("Paint Studio draws with zeppelin brushes."));
    QVERIFY(m_form->setupExtSpeedButton()->isEnabled());
    QVERIFY(m_form->previewExtSpeedButton()->isEnabled());

    m_form->previewExtSpeedButton()->click();

    QVERIFY(settled(*m_form));
    QCOMPARE(m_previews, QStringList{"40x30"});
    m_form->setupExtSpeedButton()->click();
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_disc->filePath("started")), 10000);
    QCOMPARE(m_errors, QStringList());
}

void WindowsDiscTest::searchReadsTheDescription()
{
    TFlatComboBox* sortBy = m_form->sortByComboBox();
    const int search = sortBy->findText("search...");
    sortBy->setCurrentIndex(search);
    emit sortBy->activated(search);
    m_form->sortFilterComboBox()->lineEdit()->setText("ZEPPELIN");
    QTest::keyClick(m_form->sortFilterComboBox()->lineEdit(), Qt::Key_Return);
    QCOMPARE(captionsOf(m_form->quillzListView()), QStringList{"Paint Studio"});
}

void WindowsDiscTest::mixedEncodingKeepsEveryLetter()
{
    QCOMPARE(captionsOf(m_form->quillzListView()), (QStringList{"Kräuterbuch", "Paint Studio"}));
    TFlatComboBox* sortBy = m_form->sortByComboBox();
    const int company = sortBy->findText("company");
    sortBy->setCurrentIndex(company);
    emit sortBy->activated(company);
    QVERIFY(m_form->sortFilterComboBox()->findText("Grün") >= 0);
}

// A menu written on Windows, beside the program and tested from a folder that is not on a drive
// of its own: its drive letters stand for that folder.
void WindowsDiscTest::testFolderStandsForTheDrive()
{
    QTemporaryDir stick;
    writeFile(stick.filePath("Docs/Readme.txt"), "Found on the stick.");
    writeFile(m_program->filePath("quillomat.qmf"),
              "[!Quillomat menu file generator]\r\nCDFolder=E:\\\r\n"
              "[Another Tool]\r\n[Stick Tool]\r\nTextFile=E:\\DOCS\\README.TXT\r\n");
    TMain_Form form;
    QVERIFY(form.FormCreate({"/TEST", stick.path()}, m_program->path() + '/'));
    form.quillzListView()->setCurrentRow(1);
    QVERIFY(settled(form));
    QCOMPARE(form.descriptionRichEdit()->toPlainText(), QStringLiteral("Found on the stick."));
}

QTEST_MAIN(WindowsDiscTest)
#include "tst_windowsdisc.moc"
