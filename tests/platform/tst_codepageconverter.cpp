#include "platform/CodePageConverter.h"

#include <QTest>

using namespace quillomat;

class CodePageConverterTest : public QObject
{
    Q_OBJECT

private slots:
    void decodesEachPage_data();
    void decodesEachPage();
    void everyPageWithATableIsInstalled();
    void keepsTheLastLetter_data();
    void keepsTheLastLetter();
};

// One letter outside ASCII per page: a wrong table name, or a table of another page, shows.
void CodePageConverterTest::decodesEachPage_data()
{
    QTest::addColumn<int>("codePage");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    const struct
    {
        int codePage;
        const char* hex;
        const char* text;
    } rows[] = {
        {437, "82", "é"},      {850, "9b", "ø"},    {852, "a5", "ą"},      {860, "84", "ã"},
        {863, "84", "Â"},      {865, "9b", "ø"},    {866, "80", "А"},      {874, "a1", "ก"},
        {932, "82a0", "あ"},   {936, "d6d0", "中"}, {949, "c7d1", "한"},   {950, "a4a4", "中"},
        {1250, "8a", "Š"},     {1251, "c0", "А"},   {1252, "80", "€"},     {1253, "c1", "Α"},
        {1254, "dd", "İ"},     {1255, "e0", "א"},   {1256, "c7", "ا"},     {1257, "c0", "Ą"},
        {1258, "d0", "Đ"},     {10000, "8e", "é"},  {10001, "82a0", "あ"}, {10002, "a4a4", "中"},
        {10003, "c7d1", "한"}, {10006, "a1", "Γ"},  {10007, "80", "А"},    {10008, "d6d0", "中"},
        {10017, "80", "А"},    {10029, "88", "ą"},  {10079, "a0", "Ý"},    {10081, "dc", "İ"},
    };
    for (const auto& row : rows) {
        QTest::addRow("%d", row.codePage)
            << row.codePage << QByteArray::fromHex(row.hex) << QString::fromUtf8(row.text);
    }
}

void CodePageConverterTest::decodesEachPage()
{
    QFETCH(int, codePage);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    CodePageConverter converter(codePage);
    QVERIFY(converter.isValid());
    QCOMPARE(converter.decode("a" + bytes + "z"), "a" + text + "z");
}

// Some distributions ship the C library's less common tables in a package of their own.
void CodePageConverterTest::everyPageWithATableIsInstalled()
{
#ifdef Q_OS_WIN
    QSKIP("Windows has every page built in");
#endif
    for (const KnownCodePage& page : kKnownCodePages) {
        if (page.linuxTable != LinuxTable::None)
            QVERIFY2(CodePageConverter(page.codePage).isValid(), page.linuxName);
    }
}

// Hebrew and Vietnamese pages combine a letter with the accent that follows, so a converter
// may hold the last letter back until it knows that none follows.
void CodePageConverterTest::keepsTheLastLetter_data()
{
    QTest::addColumn<int>("codePage");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("Vietnamese") << 1258 << QByteArray("Ha") << QString("Ha");
    QTest::newRow("Hebrew") << 1255 << QByteArray("\xf9\xec\xe5\xed") << QString::fromUtf8("שלום");
    QTest::newRow("Hebrew, one letter") << 1255 << QByteArray("\xe0") << QString::fromUtf8("א");
}

void CodePageConverterTest::keepsTheLastLetter()
{
    QFETCH(int, codePage);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    CodePageConverter converter(codePage);
    QCOMPARE(converter.decode(bytes), text);
    QCOMPARE(converter.decode(bytes), text); // and again: nothing left over from the last run
}

QTEST_GUILESS_MAIN(CodePageConverterTest)
#include "tst_codepageconverter.moc"
