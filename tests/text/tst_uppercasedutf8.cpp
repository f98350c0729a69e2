#include "text/UpperCasedUtf8.h"

#include <QTest>

#include <algorithm>

using namespace quillomat;

class UpperCasedUtf8Test : public QObject
{
    Q_OBJECT

private slots:
    void upperCasedUtf8MatchesFullMapping_data();
    void upperCasedUtf8MatchesFullMapping();
    void builderMatchesWholeText();
};

void UpperCasedUtf8Test::upperCasedUtf8MatchesFullMapping_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("ascii with controls") << QStringLiteral("a\tZ_9{|}~\x7f @`");
    QTest::newRow("growing: sharp s and ligature") << QStringLiteral("straße ﬀ ŉ end");
    QTest::newRow("latin and greek") << QStringLiteral("für märkte ÿ µ ς σ ı");
    QTest::newRow("surrogate pair") << QStringLiteral("x\U00010428y");
    QTest::newRow("non-ascii at both ends") << QStringLiteral("äaä");
    QString ascii;
    for (char16_t c = 0; c < 0x80; ++c)
        ascii += QChar(c);
    QTest::newRow("every ascii character") << ascii + ascii.sliced(3);
    QString latin1;
    for (char16_t c = 0x80; c <= 0x17F; ++c)
        latin1 += QChar(c) + QStringLiteral("a");
    QTest::newRow("every latin-1 and latin extended-a letter") << latin1;
    QTest::newRow("long run grows the buffer")
        << QString(300, QChar(0xDF)) + QString(300, QChar(0xE4));
}

void UpperCasedUtf8Test::upperCasedUtf8MatchesFullMapping()
{
    QFETCH(QString, text);
    QCOMPARE(upperCasedUtf8(text), text.toUpper().toUtf8());
}

// Pieces appended one by one (characters, texts, ASCII runs) give the bytes of the whole text,
// wherever it is cut. (A reader never cuts between the halves of a surrogate pair.)
void UpperCasedUtf8Test::builderMatchesWholeText()
{
    const QString text = QStringLiteral("Straße für ÿ µ Ωmega ﬀ x and more ASCII text.");
    for (qsizetype cut = 0; cut <= text.size(); ++cut) {
        UpperCasedUtf8Builder builder;
        const QString head = text.first(cut);
        for (const QChar c : head.first(cut / 2))
            builder.append(c.unicode());
        builder.append(QStringView(head).sliced(cut / 2));
        const QByteArray tail = text.sliced(cut).toUtf8();
        if (std::all_of(tail.begin(), tail.end(), [](char c) { return uchar(c) < 0x80; }))
            builder.appendAscii(tail);
        else
            builder.append(text.sliced(cut));
        QCOMPARE(builder.take(), text.toUpper().toUtf8());
    }
}

QTEST_APPLESS_MAIN(UpperCasedUtf8Test)
#include "tst_uppercasedutf8.moc"
