#include "SystemPaths.h"
#include "catalogue/PathRules.h"
#include "catalogue/TProject.h"
#include "platform/DriveRoot.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace quillomat;

namespace {

QStringList groupNames(const auto& groups)
{
    QStringList names;
    for (const auto& group : groups)
        names.append(group->Name);
    return names;
}

QStringList appNames(const TRubric& group)
{
    QStringList names;
    for (const TAppDescription* app : group.Apps)
        names.append(app->Name);
    return names;
}

} // namespace

class MenuFileTest : public QObject
{
    Q_OBJECT

private:
    QString writeMenu(const QByteArray& bytes);
    QTemporaryDir m_dir;

private slots:
    void workedExample();
    void pathRules_data();
    void pathRules();
    void folderArgumentWinsOverHeaderKey();
    void eachMenuKeepsItsOwnFolder();
    void headerFoundWhateverItsCase();
    void bareSectionBelongsToOther();
    void repeatedSectionsMergeFirstValueWins();
    void firstSpellingNamesTheGroup_data();
    void firstSpellingNamesTheGroup();
    void groupsSortByUpperCasedName_data();
    void groupsSortByUpperCasedName();
    void groupingMatchesExchangeSortOnRandomNames();
    void missingNameOfActiveLanguage();
    void unopenableFileLoadsNothing_data();
    void unopenableFileLoadsNothing();
    void defaultCdFolderIsTheMountPoint();
};

QString MenuFileTest::writeMenu(const QByteArray& bytes)
{
    static int counter = 0;
    const QString path = m_dir.filePath(QStringLiteral("menu%1.qmf").arg(++counter));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write a menu file");
    file.write(bytes);
    return path;
}

void MenuFileTest::workedExample()
{
    TProject project;
    project.setDriveRoot(QStringLiteral("/media/disc")); // what E: stands for
    QVERIFY(!project.LoadMenuFile(
        QStringLiteral(QUILLOMAT_TEST_DATA_DIR "/catalogue/worked-example.qmf"), QString()));
    const QString disc = kDriveLettersLeadToTheDiscRoot ? "/media/disc" : "E:";
    QCOMPARE(project.cdFolder(), disc + "/packages/");

    const QList<QStringList> expected = {
        {"Paint Studio", "Brightline", "Graphics", disc + "/packages/paint/setup.exe",
         disc + "/packages/paint/about.rtf", disc + "/packages/paint/shot.jpg"},
        {"archiver", "brightline", "Tools", disc + "/packages/arc/install.exe", "", ""},
        {"Notes", "other", "tools", "", disc + "/packages/notes/readme.rtf", ""},
    };
    QCOMPARE(project.applications().size(), std::size_t(3));
    for (int i = 0; i < 3; ++i) {
        const TAppDescription& app = *project.applications()[i];
        QCOMPARE(QStringList({app.Name, app.Company, app.Category, app.RunFile(), app.TextFile(),
                              app.Bitmap()}),
                 expected[i]);
    }
    QCOMPARE(groupNames(project.categories()), QStringList({"Graphics", "Tools"}));
    QCOMPARE(appNames(*project.categories()[1]), QStringList({"archiver", "Notes"}));
    QCOMPARE(groupNames(project.companies()), QStringList({"Brightline", "other"}));
    QCOMPARE(appNames(*project.companies()[0]), QStringList({"Paint Studio", "archiver"}));
    QCOMPARE(project.FindCategory(QStringLiteral("TOOLS")), project.categories()[1].get());
    QCOMPARE(project.FindCompany(QStringLiteral("OTHER")), project.companies()[1].get());
    QCOMPARE(project.FindCategory(QStringLiteral("Tool")), nullptr);
}

// The drive root here is /media/disc/: every drive letter stands for it.
void MenuFileTest::pathRules_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("folder on the drive") << "E:\\packages"
                                         << "paint\\setup.exe"
                                         << "/media/disc/packages/paint/setup.exe";
    QTest::newRow("drive root") << "E:\\"
                                << "setup.exe"
                                << "/media/disc/setup.exe";
    QTest::newRow("bare drive") << "E:"
                                << "setup.exe"
                                << "/media/disc/setup.exe";
    QTest::newRow("drive folder with slashes") << "e:/Packages"
                                               << "a.rtf"
                                               << "/media/disc/Packages/a.rtf";
    QTest::newRow("no folder") << ""
                               << "setup.exe"
                               << "/setup.exe";
    QTest::newRow("posix folder") << "/media/cdrom"
                                  << "a/b.rtf"
                                  << "/media/cdrom/a/b.rtf";
    QTest::newRow("any drive in a value is the medium") << "/media/cdrom"
                                                        << "C:\\tools\\x.exe"
                                                        << "/media/disc/tools/x.exe";
    QTest::newRow("drive with a slash") << "/media/cdrom"
                                        << "D:/tools/x.exe"
                                        << "/media/disc/tools/x.exe";
    QTest::newRow("drive without separator") << "E:\\"
                                             << "c:x.exe"
                                             << "/media/disc/x.exe";
    QTest::newRow("bare drive as a value") << "/media/cdrom"
                                           << "E:"
                                           << "/media/disc/";
    QTest::newRow("unc path kept") << "E:\\"
                                   << "\\\\server\\share\\x.exe"
                                   << "//server/share/x.exe";
    QTest::newRow("posix path kept") << "/media/cdrom/"
                                     << "/opt/x"
                                     << "/opt/x";
    QTest::newRow("leading backslash joined once") << "E:\\packages"
                                                   << "\\paint\\x.exe"
                                                   << "/media/disc/packages/paint/x.exe";
    QTest::newRow("leading backslash in the folder") << "\\packages"
                                                     << "x.exe"
                                                     << "/packages/x.exe";
    QTest::newRow("unc folder") << "\\\\srv\\disc"
                                << "a\\b"
                                << "//srv/disc/a/b";
    QTest::newRow("digit is no drive") << "/cd"
                                       << "1:x"
                                       << "/cd/1:x";
    QTest::newRow("empty value stays empty") << "/cd"
                                             << ""
                                             << "";
}

void MenuFileTest::pathRules()
{
    QFETCH(QString, folder);
    QFETCH(QString, value);
    QFETCH(QString, expected);
    if (!kDriveLettersLeadToTheDiscRoot &&
        (startsWithDriveLetter(folder) || startsWithDriveLetter(value)))
        QSKIP("a drive letter leads to that drive here");
    const QString driveRoot = QStringLiteral("/media/disc/");
    QCOMPARE(resolvedOnDisc(settledCdFolder(folder, driveRoot), value, driveRoot), expected);
}

void MenuFileTest::folderArgumentWinsOverHeaderKey()
{
    const QString path = writeMenu("[!Quillomat menu file generator]\nCDFolder=E:\\packages\n"
                                   "[App]\nRunFile=setup.exe\nBitmap=pic\\a.bmp\n");
    TProject project;
    QVERIFY(!project.LoadMenuFile(path, QStringLiteral("/media/other")));
    QCOMPARE(project.cdFolder(), QStringLiteral("/media/other/"));
    QCOMPARE(project.applications().at(0)->RunFile(), QStringLiteral("/media/other/setup.exe"));
    QCOMPARE(project.applications().at(0)->Bitmap(), QStringLiteral("/media/other/pic/a.bmp"));
}

// Packages keep their files without the CD folder where they can; what they show must not
// depend on that, nor on a later menu file read with another folder.
void MenuFileTest::eachMenuKeepsItsOwnFolder()
{
    TProject project;
    const QByteArray first = QByteArray("[In]\nRunFile=a\\setup.exe\nTextFile=\\a\\t.rtf\n"
                                        "[Mixed]\nRunFile=/opt/x\nBitmap=p.jpg\n"
                                        "[Folder itself]\nRunFile=\\\n"
                                        "[Nul]\nBitmap=z\nRunFile=x") +
                             '\0' + "y\n";
    QVERIFY(!project.LoadMenuFile(writeMenu(first), QStringLiteral("/first")));
    QVERIFY(
        !project.LoadMenuFile(writeMenu("[Second]\nTextFile=b.rtf\n"), QStringLiteral("/second")));
    QStringList files;
    for (const auto& app : project.applications())
        files << app->RunFile() << app->TextFile() << app->Bitmap();
    QCOMPARE(files,
             QStringList({"/first/a/setup.exe", "/first/a/t.rtf", "", "/opt/x", "", "/first/p.jpg",
                          "/first/", "", "", QStringLiteral("/first/x") + QChar(0) + u'y', "",
                          "/first/z", "", "/second/b.rtf", ""}));
}

void MenuFileTest::headerFoundWhateverItsCase()
{
    const QString path =
        writeMenu("[App]\nCategory=x\n[!QUILLOMAT MENU FILE GENERATOR]\nCDFolder=/cd\n");
    TProject project;
    QVERIFY(!project.LoadMenuFile(path, QString()));
    QCOMPARE(project.applications().size(), std::size_t(1));
    QCOMPARE(project.applications()[0]->Name, QStringLiteral("App"));
    QCOMPARE(project.cdFolder(), QStringLiteral("/cd/"));
}

void MenuFileTest::bareSectionBelongsToOther()
{
    TProject project;
    QVERIFY(!project.LoadMenuFile(writeMenu("[Bare]\n"), QString()));
    const TAppDescription& app = *project.applications().at(0);
    QCOMPARE(app.Category, QStringLiteral("other"));
    QCOMPARE(app.Company, QStringLiteral("other"));
    QVERIFY(app.RunFile().isEmpty() && app.TextFile().isEmpty() && app.Bitmap().isEmpty());
    QCOMPARE(project.cdFolder(), QStringLiteral("/"));
    QCOMPARE(appNames(*project.FindCategory(QStringLiteral("other"))), QStringList{"Bare"});
}

// A package whose section comes twice is one package at its first place; for each key its first
// value counts, also an empty one, and a later repetition fills only what the first lacked.
void MenuFileTest::repeatedSectionsMergeFirstValueWins()
{
    const QString path = writeMenu("[A]\nCompany=\nRunFile=a.exe\n"
                                   "[!Quillomat menu file generator]\nCDFolder=/cd\n"
                                   "[B]\nCategory=b\n"
                                   "[a]\ncompany=late\nRUNFILE=late.exe\nCategory=cat\n"
                                   "[!QUILLOMAT MENU FILE GENERATOR]\nCDFolder=/late\n"
                                   "[A]\nTextFile=t.rtf\nCategory=later\n");
    TProject project;
    QVERIFY(!project.LoadMenuFile(path, QString()));
    QCOMPARE(project.cdFolder(), QStringLiteral("/cd/"));
    QCOMPARE(project.applications().size(), std::size_t(2));
    const TAppDescription& a = *project.applications()[0];
    QCOMPARE(QStringList({a.Name, a.Company, a.Category, a.RunFile(), a.TextFile(), a.Bitmap()}),
             QStringList({"A", "other", "cat", "/cd/a.exe", "/cd/t.rtf", ""}));
    QCOMPARE(project.applications()[1]->Name, QStringLiteral("B"));
    QCOMPARE(groupNames(project.categories()), QStringList({"b", "cat"}));
}

void MenuFileTest::firstSpellingNamesTheGroup_data()
{
    QTest::addColumn<QByteArray>("menu");
    QTest::addColumn<QString>("groupName");
    QTest::newRow("written Other first") << QByteArray("[A]\nCategory=Other\n[B]\n") << "Other";
    QTest::newRow("missing first") << QByteArray("[B]\n[A]\nCategory=Other\n") << "other";
}

void MenuFileTest::firstSpellingNamesTheGroup()
{
    QFETCH(QByteArray, menu);
    QFETCH(QString, groupName);
    TProject project;
    QVERIFY(!project.LoadMenuFile(writeMenu(menu), QString()));
    QCOMPARE(groupNames(project.categories()), QStringList{groupName});
    QCOMPARE(project.categories()[0]->GetAppCount(), 2);
}

void MenuFileTest::groupsSortByUpperCasedName_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("sorted");
    QTest::newRow("digits, letters, underscore")
        << QStringList{"beta", "Alpha", "10", "9", "_misc"}
        << QStringList{"10", "9", "Alpha", "beta", "_misc"};
    QTest::newRow("non-ASCII after ASCII")
        << QStringList{"Äpfel", "zeta", "apfel"} << QStringList{"apfel", "zeta", "Äpfel"};
    QTest::newRow("case variants merge")
        << QStringList{"tools", "TOOLS", "Tools", "art"} << QStringList{"art", "tools"};
    QTest::newRow("prefix first") << QStringList{"ab", "a", "abc"} << QStringList{"a", "ab", "abc"};
}

void MenuFileTest::groupsSortByUpperCasedName()
{
    QFETCH(QStringList, names);
    QFETCH(QStringList, sorted);
    QByteArray menu;
    for (qsizetype i = 0; i < names.size(); ++i)
        menu += QStringLiteral("[P%1]\nCategory=%2\nCompany=%2\n").arg(i).arg(names[i]).toUtf8();
    TProject project;
    QVERIFY(!project.LoadMenuFile(writeMenu(menu), QString()));
    QCOMPARE(groupNames(project.categories()), sorted);
    QCOMPARE(groupNames(project.companies()), sorted);
}

// The grouping must give what walking the list and exchange-sorting it gives.
void MenuFileTest::groupingMatchesExchangeSortOnRandomNames()
{
    QRandomGenerator random(4711);
    const QString letters = QStringLiteral("aAbBzZ_9äÄ");
    QStringList categories;
    QByteArray menu;
    for (int i = 0; i < 400; ++i) {
        QString name;
        for (int length = 1 + random.bounded(3); length > 0; --length)
            name.append(letters[random.bounded(int(letters.size()))]);
        categories.append(name);
        menu += QStringLiteral("[P%1]\nCategory=%2\n").arg(i).arg(name).toUtf8();
    }

    QList<std::pair<QString, QStringList>> reference; // name, packages
    for (int i = 0; i < categories.size(); ++i) {
        auto found = std::find_if(reference.begin(), reference.end(), [&](const auto& group) {
            return group.first.toUpper() == categories[i].toUpper();
        });
        if (found == reference.end())
            found = reference.insert(reference.end(), {categories[i], {}});
        found->second.append(QStringLiteral("P%1").arg(i));
    }
    for (qsizetype i = 0; i < reference.size(); ++i) {
        for (qsizetype j = 0; j < reference.size(); ++j) {
            if (reference[i].first.toUpper() < reference[j].first.toUpper())
                std::swap(reference[i], reference[j]);
        }
    }

    TProject project;
    QVERIFY(!project.LoadMenuFile(writeMenu(menu), QString()));
    QCOMPARE(project.categories().size(), std::size_t(reference.size()));
    for (qsizetype i = 0; i < reference.size(); ++i) {
        QCOMPARE(project.categories()[i]->Name, reference[i].first);
        QCOMPARE(appNames(*project.categories()[i]), reference[i].second);
    }
}

void MenuFileTest::missingNameOfActiveLanguage()
{
    QTemporaryDir dir;
    QFile lang(dir.filePath(QStringLiteral("lang.ini")));
    QVERIFY(lang.open(QIODevice::WriteOnly));
    lang.write("[English]\nSearch=find\n[Deutsch]\nCategoryOther=Sonstige\n");
    lang.close();
    TProject project;
    QVERIFY(!project.LoadLanguageFile(lang.fileName()));
    project.setLanguage(2);
    QVERIFY(!project.LoadMenuFile(writeMenu("[A]\nCompany=X\n[B]\nCategory=Y\n"), QString()));
    QCOMPARE(groupNames(project.categories()), QStringList({"Sonstige", "Y"}));
    QCOMPARE(groupNames(project.companies()), QStringList({"Sonstige", "X"}));
}

void MenuFileTest::unopenableFileLoadsNothing_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("missing") << m_dir.filePath(QStringLiteral("absent.qmf"));
    QTest::newRow("folder") << m_dir.path();
}

void MenuFileTest::unopenableFileLoadsNothing()
{
    QFETCH(QString, path);
    TProject project;
    QVERIFY(project.LoadMenuFile(path, QStringLiteral("/cd")));
    QVERIFY(project.applications().empty());
    QVERIFY(project.categories().empty());
    QVERIFY(project.companies().empty());
    QVERIFY(project.cdFolder().isEmpty());
}

void MenuFileTest::defaultCdFolderIsTheMountPoint()
{
    const QString program = QCoreApplication::applicationFilePath();
    const QString root = driveRootOf(program);
    QVERIFY2(root.endsWith(u'/') && program.startsWith(root), qPrintable(root));
    QCOMPARE(driveRootOf(QDir::rootPath()), QDir::rootPath());
    QCOMPARE(driveRootOf(m_dir.filePath(QStringLiteral("absent/x.exe"))),
             driveRootOf(m_dir.path()));

    // A drive letter in a menu stands for that mount point unless told otherwise (Linux), or
    // for that drive (Windows).
    TProject project;
    QVERIFY(!project.LoadMenuFile(writeMenu("[!Quillomat menu file generator]\nCDFolder=E:\n"
                                            "[App]\nRunFile=Setup.exe\n"),
                                  QString()));
    const QString disc = kDriveLettersLeadToTheDiscRoot ? root : QStringLiteral("E:/");
    QCOMPARE(project.cdFolder(), disc);
    QCOMPARE(project.applications().at(0)->RunFile(), disc + QStringLiteral("Setup.exe"));
}

QTEST_GUILESS_MAIN(MenuFileTest)
#include "tst_menufile.moc"
