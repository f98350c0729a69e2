#include "text/ValueParsing.h"

#include <QTest>

using namespace quillomat;

class ValueParsingTest : public QObject
{
    Q_OBJECT

private slots:
    void parsesIntegers_data();
    void parsesIntegers();
};

void ValueParsingTest::parsesIntegers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");

    QTest::newRow("decimal") << "4210752" << true << 4210752;
    QTest::newRow("dollar hex") << "$404040" << true << 4210752;
    QTest::newRow("0x hex") << "0x404040" << true << 4210752;
    QTest::newRow("0X and lower digits") << "0Xff" << true << 255;
    QTest::newRow("leading blanks") << "  \t12" << true << 12;
    QTest::newRow("plus sign") << "+7" << true << 7;
    QTest::newRow("negative") << "-2147483632" << true << int(0x80000010);
    QTest::newRow("system colour as hex") << "$80000010" << true << -2147483632;
    QTest::newRow("all bits") << "0xFFFFFFFF" << true << -1;
    QTest::newRow("negative hex") << "-$10" << true << -16;
    QTest::newRow("int max") << "2147483647" << true << 2147483647;
    QTest::newRow("int min") << "-2147483648" << true << int(-2147483647 - 1);
    QTest::newRow("beyond int max") << "2147483648" << false << 0;
    QTest::newRow("beyond 32 hex bits") << "$100000000" << false << 0;
    QTest::newRow("hex digits without prefix") << "FF" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("blanks only") << "   " << false << 0;
    QTest::newRow("sign only") << "-" << false << 0;
    QTest::newRow("prefix only") << "$" << false << 0;
    QTest::newRow("trailing text") << "12px" << false << 0;
    QTest::newRow("trailing blank") << "12 " << false << 0;
    QTest::newRow("colour name") << "clRed" << false << 0;
    QTest::newRow("word") << "yes" << false << 0;
    QTest::newRow("huge decimal") << "99999999999999999999999" << false << 0;
    QTest::newRow("non-ascii digits") << QString::fromUtf8("١٢") << false << 0;
}

void ValueParsingTest::parsesIntegers()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(int, value);
    const auto parsed = parseInteger(text);
    QCOMPARE(parsed.has_value(), valid);
    if (valid)
        QCOMPARE(*parsed, value);
}

QTEST_GUILESS_MAIN(ValueParsingTest)
#include "tst_valueparsing.moc"
