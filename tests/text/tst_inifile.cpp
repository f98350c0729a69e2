#include "TestFiles.h"
#include "text/IniFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace quillomat;

namespace {

using Pairs = QList<std::pair<QString, QString>>;

Pairs pairsOf(const IniFile& ini, QStringView section)
{
    Pairs pairs;
    for (const auto& [key, value] : ini.sectionPairs(section))
        pairs.append({key.toString(), value.toString()});
    return pairs;
}

IniFile iniFromBytes(const QByteArray& bytes)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath("test.ini");
    writeFixtureFile(path, bytes);
    return IniFile::load(path).value();
}

} // namespace

class IniFileTest : public QObject
{
    Q_OBJECT

private slots:
    void readsValues_data();
    void readsValues();
    void listsSectionsInFileOrder();
    void mergesRepeatedSections();
    void outlivesItsSource();
    void matchesNamesOutsideAscii();
    void listsPairsInFileOrder();
    void handlesEveryLineEnd_data();
    void handlesEveryLineEnd();
    void decodesOldAndUnicodeFiles();
    void readsLargeFilesWhole();
    void walksLargeFilesAsLoaded();
    void reportsUnreadableFile();
};

void IniFileTest::readsValues_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    QTest::newRow("plain") << "[S]\nk=v" << "S" << "k" << "v";
    QTest::newRow("section case") << "[Quillomat Skin]\nk=v" << "quillomat SKIN" << "k" << "v";
    QTest::newRow("key case") << "[S]\nRunFile=x" << "S" << "RUNFILE" << "x";
    QTest::newRow("blanks trimmed") << "[ S ]\n  k \t=  v w  " << "S" << "k" << "v w";
    QTest::newRow("double quotes removed") << "[S]\nk=\" v \"" << "S" << "k" << " v ";
    QTest::newRow("single quotes removed") << "[S]\nk='v'" << "S" << "k" << "v";
    QTest::newRow("only one pair removed") << "[S]\nk=\"\"v\"\"" << "S" << "k" << "\"v\"";
    QTest::newRow("unmatched quotes kept") << "[S]\nk=\"v'" << "S" << "k" << "\"v'";
    QTest::newRow("lone quote kept") << "[S]\nk=\"" << "S" << "k" << "\"";
    QTest::newRow("equals in value") << "[S]\nk=a=b" << "S" << "k" << "a=b";
    QTest::newRow("backslashes and commas") << "[S]\nk=C:\\a,b" << "S" << "k" << "C:\\a,b";
    QTest::newRow("first of repeated key") << "[S]\nk=1\nK=2" << "S" << "k" << "1";
    QTest::newRow("comment skipped") << "[S]\n;k=1\nk=2" << "S" << "k" << "2";
    QTest::newRow("indented comment") << "[S]\n  ; k=1\nk=2" << "S" << "k" << "2";
    QTest::newRow("hash is no comment") << "[S]\n#k=1" << "S" << "#k" << "1";
    QTest::newRow("line without equals") << "[S]\nk\nk=2" << "S" << "k" << "2";
    QTest::newRow("outside sections") << "k=1\n[S]\nj=2" << "S" << "k" << "<none>";
    QTest::newRow("missing key") << "[S]\nk=1" << "S" << "j" << "<none>";
    QTest::newRow("missing section") << "[S]\nk=1" << "T" << "k" << "<none>";
    QTest::newRow("empty value") << "[S]\nk=" << "S" << "k" << "";
    QTest::newRow("text after bracket") << "[S] trailing\nk=1" << "S" << "k" << "1";
    QTest::newRow("unclosed bracket") << "[S\nk=1" << "S" << "k" << "1";
}

void IniFileTest::readsValues()
{
    QFETCH(QString, text);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    const IniFile ini = IniFile::parse(text);
    QCOMPARE(ini.value(section, key, QStringLiteral("<none>")), expected);
}

void IniFileTest::listsSectionsInFileOrder()
{
    const IniFile ini = IniFile::parse(u"[b]\n[A]\n;[hidden]\n[ c ]\nx=1\n[]\n");
    QCOMPARE(ini.sectionNames(), (QStringList{"b", "A", "c", ""}));
}

void IniFileTest::mergesRepeatedSections()
{
    const IniFile ini = IniFile::parse(u"[One]\na=1\n[Two]\nx=9\n[ONE]\nb=2\na=3\n[two]\ny=8\n");
    QCOMPARE(ini.sectionNames(), (QStringList{"One", "Two"}));
    QCOMPARE(ini.value(u"one", u"b"), QStringLiteral("2"));
    QCOMPARE(ini.value(u"one", u"a"), QStringLiteral("1"));
    QCOMPARE(pairsOf(ini, u"One"), (Pairs{{"a", "1"}, {"b", "2"}, {"a", "3"}}));
    QCOMPARE(pairsOf(ini, u"Two"), (Pairs{{"x", "9"}, {"y", "8"}}));
    // Each repetition as written there, for a checker to name the sections that merged.
    const std::vector<QStringView> expected{u"ONE", u"two"};
    QCOMPARE(ini.repeatedSections(), expected);
}

void IniFileTest::outlivesItsSource()
{
    // The pairs refer to the file's text: a copy must keep it alive on its own.
    std::optional<IniFile> copy;
    {
        QString text = QStringLiteral("[S]\nkey=value\n");
        const IniFile original = IniFile::parse(text);
        text.fill(u'x');
        copy = original;
    }
    QCOMPARE(pairsOf(*copy, u"s"), (Pairs{{"key", "value"}}));
    QCOMPARE(copy->value(u"S", u"KEY"), QStringLiteral("value"));
}

void IniFileTest::matchesNamesOutsideAscii()
{
    const IniFile ini =
        IniFile::parse(u"[Ärger \U0001D11E]\nÖl=1\n[\U00010400x]\nk=2\n[\u212Aelvin]\nx=3\n");
    QCOMPARE(ini.value(u"äRGER \U0001D11E", u"öL"), QStringLiteral("1"));
    QCOMPARE(ini.value(u"\U00010428X", u"k"), QStringLiteral("2")); // Deseret has case too
    QCOMPARE(ini.value(u"kelvin", u"X"), QStringLiteral("3"));      // the Kelvin sign folds to k
    QVERIFY(!ini.hasSection(u"ärger \U0001D11F"));
    QVERIFY(!ini.hasSection(u"ärger"));
}

void IniFileTest::listsPairsInFileOrder()
{
    const IniFile ini = IniFile::parse(u"[L]\nz=1\na = 'q'\nZ=2\nempty=\n");
    const Pairs expected{{"z", "1"}, {"a", "q"}, {"Z", "2"}, {"empty", ""}};
    QCOMPARE(pairsOf(ini, u"l"), expected);
    QVERIFY(ini.sectionPairs(u"none").empty());
}

void IniFileTest::handlesEveryLineEnd_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("lf") << QByteArray("[S]\na=1\nb=2\n");
    QTest::newRow("crlf") << QByteArray("[S]\r\na=1\r\nb=2\r\n");
    QTest::newRow("cr") << QByteArray("[S]\ra=1\rb=2\r");
    QTest::newRow("mixed, no final end") << QByteArray("[S]\r\na=1\rb=2");
}

void IniFileTest::handlesEveryLineEnd()
{
    QFETCH(QByteArray, bytes);
    const IniFile ini = iniFromBytes(bytes);
    QCOMPARE(ini.value(u"S", u"a"), QStringLiteral("1"));
    QCOMPARE(ini.value(u"S", u"b"), QStringLiteral("2"));
    QCOMPARE(ini.sectionPairs(u"S").size(), std::size_t(2));
}

void IniFileTest::decodesOldAndUnicodeFiles()
{
    const IniFile old = iniFromBytes("[M\xFCnchen]\nName=Stra\xDF" "e \x80\n");
    QCOMPARE(old.sectionNames(), QStringList{QStringLiteral("München")});
    QCOMPARE(old.value(u"MÜNCHEN", u"name"), QStringLiteral("Straße €"));

    const IniFile bom = iniFromBytes("\xEF\xBB\xBF[Sect]\nk=\xCE\xB1\n");
    QCOMPARE(bom.sectionNames(), QStringList{"Sect"});
    QCOMPARE(bom.value(u"sect", u"k"), QStringLiteral("α"));

    QByteArray utf16("\xFF\xFE");
    for (QChar c : QStringLiteral("[Я]\r\nk=ж\r\n"))
        utf16.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
    QCOMPARE(iniFromBytes(utf16).value(u"я", u"K"), QStringLiteral("ж"));
}

void IniFileTest::readsLargeFilesWhole()
{
    const QString longValue(10000, QLatin1Char('x'));
    QString text = QStringLiteral("[Big]\nValue=") + longValue + u'\n';
    for (int i = 0; i < 2000; ++i)
        text += QStringLiteral("[Package number %1 with a long name]\nRunFile=p%1\\setup.exe\n").arg(i);
    const IniFile ini = IniFile::parse(text);
    QCOMPARE(ini.value(u"big", u"value"), longValue);
    const QStringList names = ini.sectionNames();
    QCOMPARE(names.size(), 2001);
    QCOMPARE(names.last(), QStringLiteral("Package number 1999 with a long name"));
    QCOMPARE(ini.value(names.last(), u"runfile"), QStringLiteral("p1999\\setup.exe"));
}

void IniFileTest::walksLargeFilesAsLoaded()
{
    // More than a megabyte, so that the walk sees several pieces; a section repeated at the
    // end adds its key to the first one, and the names differ from the first in letter case.
    QByteArray bytes("[First]\r\nKey=1\r\n");
    for (int i = 0; bytes.size() < 3 << 20; ++i)
        bytes += QStringLiteral("[Paket %1 \u00FC]\r\nRunFile=p%1\\setup.exe\r\n").arg(i).toUtf8();
    bytes += "[FIRST]\nLater=2\n";
    QTemporaryDir dir;
    const QString path = dir.filePath("walked.ini");
    QVERIFY(writeTestFile(path, bytes));

    struct Recorder : IniFile::Visitor
    {
        QStringList sections, repeated;
        QList<Pairs> pairs;
        void newSection(const QString& name) override
        {
            sections.append(name);
            pairs.append(Pairs());
        }
        void repeatedSection(QStringView name) override { repeated.append(name.toString()); }
        void pair(std::size_t section, QStringView key, QStringView value) override
        {
            pairs[qsizetype(section)].append({key.toString(), value.toString()});
        }
    } walked;
    QVERIFY(IniFile::walk(path, walked));

    const IniFile loaded = IniFile::load(path).value();
    QCOMPARE(walked.sections, loaded.sectionNames());
    QCOMPARE(walked.repeated, QStringList{"FIRST"});
    for (qsizetype i = 0; i < walked.sections.size(); ++i)
        QCOMPARE(walked.pairs[i], pairsOf(loaded, walked.sections[i]));
    QCOMPARE(walked.pairs.front(), Pairs({{"Key", "1"}, {"Later", "2"}}));
}

void IniFileTest::reportsUnreadableFile()
{
    QTemporaryDir dir;
    QVERIFY(!IniFile::load(dir.filePath("missing.ini")).has_value());
    QVERIFY(!IniFile::load(dir.path()).has_value());
}

QTEST_GUILESS_MAIN(IniFileTest)
#include "tst_inifile.moc"
