#include "text/TextTemplate.h"

#include <QTest>

using namespace quillomat;

class TextTemplateTest : public QObject
{
    Q_OBJECT

private slots:
    void fillsOnlyTheFirstPlaceholder_data();
    void fillsOnlyTheFirstPlaceholder();
    void expandsLineBreaks_data();
    void expandsLineBreaks();
};

void TextTemplateTest::fillsOnlyTheFirstPlaceholder_data()
{
    QTest::addColumn<QString>("templateText");
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("expected");

    QTest::newRow("built-in text") << "Cannot open file \"%s\"." << "/d/a.rtf"
                                   << "Cannot open file \"/d/a.rtf\".";
    QTest::newRow("argument holds percent signs") << "File %s" << "/d/%s%n%d" << "File /d/%s%n%d";
    QTest::newRow("second placeholder literal") << "%s and %s" << "x" << "x and %s";
    QTest::newRow("other conversions literal") << "%d %n %x %s %" << "p" << "%d %n %x p %";
    QTest::newRow("doubled percent sign") << "100%% of %s, 50%%" << "p" << "100% of p, 50%";
    QTest::newRow("doubled percent before s") << "%%s %s %%%s" << "p" << "%s p %%s";
    QTest::newRow("no placeholder") << "No file." << "p" << "No file.";
    QTest::newRow("upper-case S is no placeholder") << "%S" << "p" << "%S";
    QTest::newRow("empty template") << "" << "p" << "";
}

void TextTemplateTest::fillsOnlyTheFirstPlaceholder()
{
    QFETCH(QString, templateText);
    QFETCH(QString, argument);
    QFETCH(QString, expected);
    QCOMPARE(fillTemplate(templateText, argument), expected);
}

void TextTemplateTest::expandsLineBreaks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("one") << "a\\nb" << "a\nb";
    QTest::newRow("several") << "\\na\\n\\nb\\n" << "\na\n\nb\n";
    QTest::newRow("escaped backslash first") << "a\\\\nb" << "a\\\nb";
    QTest::newRow("lone backslash") << "a\\b\\" << "a\\b\\";
    QTest::newRow("real newline kept") << "a\nb" << "a\nb";
}

void TextTemplateTest::expandsLineBreaks()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(expandLineBreaks(text), expected);
}

QTEST_GUILESS_MAIN(TextTemplateTest)
#include "tst_texttemplate.moc"
