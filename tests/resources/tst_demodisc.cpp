// The demo disc is what newcomers see first: every file its menu names must be there, and every
// language must translate every text. (The disc check, tests/check, finds nothing on it either.)

#include "SystemPaths.h"
#include "catalogue/BuiltinTexts.h"
#include "text/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QSet>
#include <QTest>

using quillomat::IniFile;

namespace {

const QString examples = QStringLiteral(QUILLOMAT_EXAMPLES_DIR);
const QString header = QStringLiteral("!Quillomat menu file generator");

IniFile loadIni(const QString& path)
{
    std::optional<IniFile> ini = IniFile::load(path);
    if (!ini)
        qFatal("cannot read %s", qPrintable(path));
    return *std::move(ini);
}

QStringList packageNames(const IniFile& menu)
{
    QStringList names = menu.sectionNames();
    names.removeIf(
        [](const QString& name) { return name.compare(header, Qt::CaseInsensitive) == 0; });
    return names;
}

// A menu path (backslashes, relative to the disc's folder) as a path on this system.
QString discPath(const QString& menuPath)
{
    return examples + QStringLiteral("/disc/") + QString(menuPath).replace(u'\\', u'/');
}

bool startsWith(const QString& path, QByteArrayView prefix)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(prefix.size()) == prefix;
}

} // namespace

class tst_DemoDisc : public QObject
{
    Q_OBJECT

private slots:
    void menuHasVariety();
    void filesOfPackages_data();
    void filesOfPackages();
    void languagesTranslateEveryText_data();
    void languagesTranslateEveryText();
    void programFilesAreRichText_data();
    void programFilesAreRichText();

private:
    IniFile m_menu = loadIni(examples + QStringLiteral("/program/quillomat.qmf"));
};

void tst_DemoDisc::menuHasVariety()
{
    const QStringList packages = packageNames(m_menu);
    QVERIFY(packages.size() >= 12);
    QSet<QString> categories;
    QSet<QString> companies;
    int withoutCategory = 0;
    int withoutCompany = 0;
    for (const QString& package : packages) {
        const QString category = m_menu.value(package, u"Category");
        const QString company = m_menu.value(package, u"Company");
        category.isEmpty() ? ++withoutCategory : (categories.insert(category), 0);
        company.isEmpty() ? ++withoutCompany : (companies.insert(company), 0);
    }
    QVERIFY(categories.size() >= 4);
    QVERIFY(companies.size() >= 5);
    QVERIFY(withoutCategory > 0);
    QVERIFY(withoutCompany > 0);
    // The menu is in the code page of old discs: the umlaut must have been decoded as such.
    QVERIFY(packages.contains(QStringLiteral("W\u00fcrfelbecher 1.0")));
}

void tst_DemoDisc::filesOfPackages_data()
{
    QTest::addColumn<QString>("package");
    for (const QString& package : packageNames(m_menu))
        QTest::newRow(qPrintable(package)) << package;
}

void tst_DemoDisc::filesOfPackages()
{
    QFETCH(QString, package);
    const QString runFile = m_menu.value(package, u"RunFile");
    if (!runFile.isEmpty()) {
        const QFileInfo run(discPath(runFile));
        QVERIFY2(run.isFile(), qPrintable(run.filePath()));
        if (run.suffix() == u"sh") {
            if (kExecuteBitsInFileSystem)
                QVERIFY2(run.isExecutable(), qPrintable(run.filePath()));
            QVERIFY(startsWith(run.filePath(), "#!"));
        }
    }
    const QString textFile = m_menu.value(package, u"TextFile");
    QVERIFY(!textFile.isEmpty());
    QVERIFY2(QFileInfo(discPath(textFile)).isFile(), qPrintable(textFile));
    if (textFile.endsWith(u".rtf", Qt::CaseInsensitive))
        QVERIFY(startsWith(discPath(textFile), "{\\rtf1"));

    const QString bitmap = m_menu.value(package, u"Bitmap");
    if (!bitmap.isEmpty()) {
        QImageReader reader(discPath(bitmap));
        const QByteArray format = bitmap.endsWith(u".bmp") ? "bmp" : "jpeg";
        QCOMPARE(reader.format(), format);
        QVERIFY2(!reader.read().isNull(), qPrintable(reader.errorString()));
    }
}

void tst_DemoDisc::languagesTranslateEveryText_data()
{
    QTest::addColumn<QString>("language");
    const IniFile languages = loadIni(examples + QStringLiteral("/program/lang.ini"));
    const QStringList names = languages.sectionNames();
    QVERIFY(names.size() >= 3);
    QVERIFY(names.contains(QStringLiteral("English")));
    QVERIFY(names.contains(QStringLiteral("Deutsch")));
    for (const QString& name : names)
        QTest::newRow(qPrintable(name)) << name;
}

void tst_DemoDisc::languagesTranslateEveryText()
{
    QFETCH(QString, language);
    const IniFile languages = loadIni(examples + QStringLiteral("/program/lang.ini"));
    for (const quillomat::BuiltinText& builtin : quillomat::builtinTexts()) {
        const QString key = QString::fromUtf16(builtin.key);
        const QString text = languages.value(language, key);
        QVERIFY2(!text.isEmpty(), qPrintable(key));
        // A template keeps its one "%s" and has no other '%' that could be mistaken for one.
        const bool isTemplate = QString::fromUtf16(builtin.text).contains(u"%s");
        QCOMPARE(text.count(u"%s"), isTemplate ? 1 : 0);
        QCOMPARE(text.count(u'%'), isTemplate ? 1 : 0);
    }
}

void tst_DemoDisc::programFilesAreRichText_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("about") << "about.rtf";
    QTest::newRow("help") << "help.rtf";
}

void tst_DemoDisc::programFilesAreRichText()
{
    QFETCH(QString, file);
    QVERIFY(startsWith(examples + QStringLiteral("/program/") + file, "{\\rtf1"));
    // The build places the program-side files beside the executable.
    const QString placed = QStringLiteral(QUILLOMAT_PROGRAM_DIR "/") + file;
    QVERIFY2(QFileInfo::exists(placed), qPrintable(placed));
}

QTEST_GUILESS_MAIN(tst_DemoDisc)
#include "tst_demodisc.moc"
