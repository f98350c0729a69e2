#include "FuzzTargets.h"

#include <QDirIterator>
#include <QFile>
#include <QTest>

using namespace quillomat;

namespace {

using Target = void (*)(QByteArrayView);

struct Folder
{
    const char* name; // under fuzz/regressions/
    Target target;
};

const Folder kFolders[] = {
    {"inifile", fuzz::iniFile},
    {"richtext", fuzz::richText},
    {"menufile", fuzz::menuFile},
    {"skin", fuzz::skin},
};

} // namespace

Q_DECLARE_METATYPE(Target)

// Each kept input must run through its reader without a crash, a hang or a sanitizer report;
// the sanitizer build makes the last kind fail the test.
class TestFuzzRegressions : public QObject
{
    Q_OBJECT

private slots:
    void replay_data();
    void replay();
};

void TestFuzzRegressions::replay_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<Target>("target");

    const auto addFolder = [](const QString& folder, Target target) {
        QDirIterator it(folder, QDir::Files);
        QStringList paths;
        while (it.hasNext())
            paths.append(it.next());
        paths.sort();
        for (const QString& path : paths) {
            const QString row = QDir(folder).dirName() + u'/' + QFileInfo(path).fileName();
            QTest::newRow(qPrintable(row)) << path << target;
        }
        return paths.size();
    };

    for (const Folder& folder : kFolders) {
        const QString path =
            QStringLiteral(QUILLOMAT_FUZZ_DIR "/regressions/") + QLatin1String(folder.name);
        // An empty folder would mean the replay silently lost its inputs.
        QVERIFY2(addFolder(path, folder.target) > 0, qPrintable(path));
    }
    // Crash files the RTF reader's own tests keep, through both outputs.
    addFolder(QStringLiteral(QUILLOMAT_TEST_DATA_DIR "/richtext/crashes"), fuzz::richText);
}

void TestFuzzRegressions::replay()
{
    QFETCH(QString, path);
    QFETCH(Target, target);
    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
    const QByteArray bytes = file.readAll();
    target(bytes);
}

QTEST_MAIN(TestFuzzRegressions)
#include "tst_fuzzregressions.moc"
