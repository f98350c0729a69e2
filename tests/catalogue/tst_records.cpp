#include "catalogue/TLanguage.h"
#include "catalogue/TProject.h"
#include "catalogue/TRubric.h"
#include "text/Exception.h"

#include <QTest>

using namespace quillomat;

class RecordsTest : public QObject
{
    Q_OBJECT

private slots:
    void getAppChecksItsIndex();
    void copyFromReplacesEverything();
    void findTextTakesFirstLineIgnoringCase_data();
    void findTextTakesFirstLineIgnoringCase();
    void newProjectHoldsOnlyTheBuiltinLanguage();
};

void RecordsTest::getAppChecksItsIndex()
{
    TAppDescription app;
    TCategory group(QStringLiteral("Tools"));
    QCOMPARE(group.AddApp(&app), 0);
    QCOMPARE(group.AddApp(&app), 1); // no duplicate check
    QCOMPARE(group.getApp(0), &app);

    const QString expected = QStringLiteral("TRubric.getApp: nIndex ist ungültig.");
    for (int bad : {-1, 2, std::numeric_limits<int>::min()}) {
        try {
            group.getApp(bad);
            QFAIL("getApp accepted a bad index");
        } catch (const Exception& error) {
            QCOMPARE(error.message(), expected);
        }
    }
}

void RecordsTest::copyFromReplacesEverything()
{
    TAppDescription a, b, c, d, e;
    TCompany three(QStringLiteral("Three"));
    for (TAppDescription* app : {&a, &b, &c})
        three.AddApp(app);
    TCompany five(QStringLiteral("Five"));
    for (TAppDescription* app : {&e, &d, &c, &b, &a})
        five.AddApp(app);

    five.CopyFrom(three);
    QCOMPARE(five.Name, QStringLiteral("Three"));
    QCOMPARE(five.GetAppCount(), 3);
    QCOMPARE(five.Apps, (QList<TAppDescription*>{&a, &b, &c}));
    QCOMPARE(three.GetAppCount(), 3);
}

void RecordsTest::findTextTakesFirstLineIgnoringCase_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    const QStringList twoNames{"Name=a", "name=b"};
    QTest::newRow("first of two, as written") << twoNames << "Name" << "a";
    QTest::newRow("first of two, upper") << twoNames << "NAME" << "a";
    QTest::newRow("first of two, lower") << twoNames << "name" << "a";
    QTest::newRow("text holds equals") << QStringList{"Key=a=b"} << "Key" << "a=b";
    QTest::newRow("empty text") << QStringList{"Key="} << "Key" << "";
    QTest::newRow("unknown key") << QStringList{"Key=x"} << "Other" << "";
    QTest::newRow("non-ascii case") << QStringList{"Äpfel=x"} << "äpfel" << "x";
}

void RecordsTest::findTextTakesFirstLineIgnoringCase()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    TLanguage language(QStringLiteral("test"));
    for (const QString& line : lines) {
        const qsizetype equals = line.indexOf(u'=');
        language.AddText(line.left(equals), line.mid(equals + 1));
    }
    QCOMPARE(language.Texts, lines);
    QCOMPARE(language.FindText(key), expected);
}

void RecordsTest::newProjectHoldsOnlyTheBuiltinLanguage()
{
    const TProject project;
    QCOMPARE(project.languages().size(), std::size_t(1));
    QCOMPARE(project.languages().front()->Name, QStringLiteral("default"));
    QCOMPARE(project.languages().front()->Texts.size(), 19);
    QCOMPARE(project.activeLanguage(), 0);
    QVERIFY(project.applications().empty());
    QVERIFY(project.categories().empty());
    QVERIFY(project.companies().empty());
}

QTEST_GUILESS_MAIN(RecordsTest)
#include "tst_records.moc"
