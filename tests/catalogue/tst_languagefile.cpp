#include "catalogue/TProject.h"
#include "text/Exception.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace quillomat;

class LanguageFileTest : public QObject
{
    Q_OBJECT

private:
    QString writeLanguageFile(const QByteArray& bytes);
    QTemporaryDir m_dir;

private slots:
    void builtinTextsAreExact_data();
    void builtinTextsAreExact();
    void missingFileKeepsBuiltinTexts();
    void loadsLanguagesInFileOrder();
    void fallsBackToBuiltinText();
    void singleLanguageIsActiveAtOnce();
    void setLanguageRejectsBadPositions();
    void readsOldWindowsFiles();
};

QString LanguageFileTest::writeLanguageFile(const QByteArray& bytes)
{
    const QString path = m_dir.filePath(QStringLiteral("lang.ini"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write lang.ini");
    file.write(bytes);
    return path;
}

void LanguageFileTest::builtinTextsAreExact_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    QTest::newRow("1") << "ButtonPreview" << "&preview";
    QTest::newRow("2") << "ButtonSetup" << "&setup";
    QTest::newRow("3") << "Name" << "name";
    QTest::newRow("4") << "MenuHelp" << "&help";
    QTest::newRow("5") << "MenuAbout" << "&about";
    QTest::newRow("6") << "Category" << "category";
    QTest::newRow("7") << "CategoryAll" << "all";
    QTest::newRow("8") << "CategoryOther" << "other";
    QTest::newRow("9") << "Company" << "company";
    QTest::newRow("10") << "Search" << "search...";
    QTest::newRow("11") << "SearchHelp"
                        << "Specify the keywords and press [return].\\nThe keywords are combined "
                           "using \"or\".";
    QTest::newRow("12") << "NoSearchResults" << "Cannot find find any match";
    QTest::newRow("13") << "NoDescription" << "No description given.";
    QTest::newRow("14") << "CannotOpenFile" << "Cannot open file \"%s\".";
    QTest::newRow("15") << "FileNotFound" << "File \"%s\" not found.";
    QTest::newRow("16") << "UnknownDocType" << "\"%s\" is not linked to any application.";
    QTest::newRow("17") << "NoTarget" << "No file specified to run.";
    QTest::newRow("18") << "PreviewTitle" << "Quillomat - Preview";
    QTest::newRow("19") << "CannotOpenBitmap"
                        << "Cannot open \"%s\" or it has got an unknown extension.";
    QTest::newRow("lower-case key") << "searchhelp"
                                    << "Specify the keywords and press [return].\\nThe keywords "
                                       "are combined using \"or\".";
    QTest::newRow("upper-case key") << "NODESCRIPTION" << "No description given.";
    QTest::newRow("unknown key") << "NoSuchKey" << "";
}

void LanguageFileTest::builtinTextsAreExact()
{
    QFETCH(QString, key);
    QFETCH(QString, text);
    const TProject project;
    QCOMPARE(project.GetText(key), text);
    QCOMPARE(project.languages().front()->Texts.at(10).left(11), QStringLiteral("SearchHelp="));
}

void LanguageFileTest::missingFileKeepsBuiltinTexts()
{
    TProject project;
    QVERIFY(project.LoadLanguageFile(m_dir.filePath(QStringLiteral("absent.ini"))));
    QVERIFY(project.LoadLanguageFile(m_dir.path())); // a folder cannot be opened either
    QVERIFY(project.GetLanguageNames().isEmpty());
    QCOMPARE(project.activeLanguage(), 0);
    QCOMPARE(project.GetText(QStringLiteral("Search")), QStringLiteral("search..."));
}

void LanguageFileTest::loadsLanguagesInFileOrder()
{
    TProject project;
    QVERIFY(!project.LoadLanguageFile(writeLanguageFile("[English]\n"
                                                        "ButtonSetup=&install\n"
                                                        "Search=find...\n"
                                                        "\n"
                                                        "[Deutsch]\n"
                                                        "ButtonPreview=&Vorschau\n"
                                                        "ButtonSetup=&Installieren\n"
                                                        "ButtonSetup=&ignored\n"
                                                        "CategoryOther=Sonstige\n"
                                                        "[default]\n"
                                                        "Name=Name from the file\n")));
    QCOMPARE(project.GetLanguageNames(), (QStringList{"English", "Deutsch", "default"}));
    QCOMPARE(project.activeLanguage(), 1);
    QCOMPARE(project.languages().front()->Name, QStringLiteral("default"));
    QCOMPARE(project.GetText(QStringLiteral("ButtonSetup")), QStringLiteral("&install"));

    project.setLanguage(2);
    QCOMPARE(project.GetText(QStringLiteral("buttonsetup")), QStringLiteral("&Installieren"));
    QCOMPARE(project.GetText(QStringLiteral("Name")), QStringLiteral("name"));
    QCOMPARE(project.GetText(QStringLiteral("CategoryOther")), QStringLiteral("Sonstige"));

    project.setLanguage(3); // a section named default is one more language
    QCOMPARE(project.GetText(QStringLiteral("Name")), QStringLiteral("Name from the file"));
}

void LanguageFileTest::fallsBackToBuiltinText()
{
    TProject project;
    QVERIFY(!project.LoadLanguageFile(writeLanguageFile("[Only]\n"
                                                        "Search=\n"
                                                        "PreviewTitle=Vorschau\n"
                                                        "Custom=x\n")));
    QCOMPARE(project.GetText(QStringLiteral("Search")), QStringLiteral("search..."));
    QCOMPARE(project.GetText(QStringLiteral("PreviewTitle")), QStringLiteral("Vorschau"));
    QCOMPARE(project.GetText(QStringLiteral("NoTarget")),
             QStringLiteral("No file specified to run."));
    QCOMPARE(project.GetText(QStringLiteral("custom")), QStringLiteral("x"));
}

void LanguageFileTest::singleLanguageIsActiveAtOnce()
{
    TProject project;
    QVERIFY(!project.LoadLanguageFile(writeLanguageFile("[Français]\nSearch=chercher...\n")));
    QCOMPARE(project.GetLanguageNames(), QStringList{QStringLiteral("Français")});
    QCOMPARE(project.GetText(QStringLiteral("Search")), QStringLiteral("chercher..."));

    TProject empty;
    QVERIFY(!empty.LoadLanguageFile(writeLanguageFile("; no sections at all\n")));
    QCOMPARE(empty.activeLanguage(), 0);
}

void LanguageFileTest::setLanguageRejectsBadPositions()
{
    TProject project;
    QVERIFY(!project.LoadLanguageFile(writeLanguageFile("[A]\n[B]\n[C]\n")));
    for (int bad : {0, -1, 4, std::numeric_limits<int>::min()}) {
        try {
            project.setLanguage(bad);
            QFAIL("setLanguage accepted a bad position");
        } catch (const Exception& error) {
            QCOMPARE(error.message(), QStringLiteral("TProject.setLanguage: nLang ist ungültig."));
        }
    }
    project.setLanguage(3);
    QCOMPARE(project.activeLanguage(), 3);
}

void LanguageFileTest::readsOldWindowsFiles()
{
    TProject project;
    QVERIFY(!project.LoadLanguageFile(
        writeLanguageFile("[Deutsch]\r\nCategoryOther=\"\xDC" "brige\"\r\nName=Gr\xF6\xDF" "e\r\n")));
    QCOMPARE(project.GetText(QStringLiteral("categoryother")), QStringLiteral("Übrige"));
    QCOMPARE(project.GetText(QStringLiteral("Name")), QStringLiteral("Größe"));
}

QTEST_GUILESS_MAIN(LanguageFileTest)
#include "tst_languagefile.moc"
