#include "catalogue/DescriptionTextCache.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace quillomat;

class DescriptionCacheTest : public QObject
{
    Q_OBJECT

private:
    QString write(const QString& name, const QByteArray& bytes);
    QTemporaryDir m_dir;
    QStringList m_reads;
    DescriptionTextCache makeCache();

private slots:
    void init() { m_reads.clear(); }
    void unchangedFileIsReadOnce();
    void changedFileIsReadAgain_data();
    void changedFileIsReadAgain();
    void nothingToReadGivesEmptyText_data();
    void nothingToReadGivesEmptyText();
    void defaultReaderDecodesText();
};

QString DescriptionCacheTest::write(const QString& name, const QByteArray& bytes)
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write a test file");
    file.write(bytes);
    return path;
}

// A reader that records every path it reads.
DescriptionTextCache DescriptionCacheTest::makeCache()
{
    return DescriptionTextCache([this](const QString& path) {
        m_reads.append(path);
        return descriptionPlainText(path);
    });
}

void DescriptionCacheTest::unchangedFileIsReadOnce()
{
    const QString path = write(QStringLiteral("once.txt"), "Straße");
    DescriptionTextCache cache = makeCache();
    QCOMPARE(cache.upperCasedText(path), QStringLiteral("STRASSE"));
    QCOMPARE(cache.upperCasedText(path), QStringLiteral("STRASSE"));
    QCOMPARE(m_reads, QStringList{path});
}

void DescriptionCacheTest::changedFileIsReadAgain_data()
{
    QTest::addColumn<QString>("change");
    QTest::newRow("other size") << "size";
    QTest::newRow("same size, time put back") << "content";
    QTest::newRow("replaced by another file") << "replace";
    QTest::newRow("deleted") << "delete";
}

void DescriptionCacheTest::changedFileIsReadAgain()
{
    QFETCH(QString, change);
    const QString path = write(QStringLiteral("changing.txt"), "before");
    DescriptionTextCache cache = makeCache();
    QCOMPARE(cache.upperCasedText(path), QStringLiteral("BEFORE"));

    QString expected = QStringLiteral("AFTER!");
    if (change == QStringLiteral("size")) {
        write(QStringLiteral("changing.txt"), "after, longer");
        expected = QStringLiteral("AFTER, LONGER");
    } else if (change == QStringLiteral("content")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        const QDateTime modified = file.fileTime(QFileDevice::FileModificationTime);
        file.write("after!");
        QVERIFY(file.setFileTime(modified, QFileDevice::FileModificationTime));
    } else if (change == QStringLiteral("replace")) {
        const QString other = write(QStringLiteral("other.txt"), "after!");
        QVERIFY(QFile::remove(path));
        QVERIFY(QFile::rename(other, path));
    } else {
        QVERIFY(QFile::remove(path));
        expected.clear();
    }
    QCOMPARE(cache.upperCasedText(path), expected);
    QCOMPARE(cache.upperCasedText(path), expected);
    QCOMPARE(m_reads.size(), expected.isEmpty() ? 1 : 2);
}

void DescriptionCacheTest::nothingToReadGivesEmptyText_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("no text file") << QString();
    QTest::newRow("missing") << m_dir.filePath(QStringLiteral("absent.rtf"));
    QTest::newRow("folder") << m_dir.path();
    QTest::newRow("device that never ends") << QStringLiteral("/dev/zero");
}

void DescriptionCacheTest::nothingToReadGivesEmptyText()
{
    QFETCH(QString, path);
    DescriptionTextCache cache = makeCache();
    QCOMPARE(cache.upperCasedText(path), QString());
    QCOMPARE(m_reads, QStringList{});
    QCOMPARE(cache.entryCount(), 0);
}

void DescriptionCacheTest::defaultReaderDecodesText()
{
    // Windows-1252 bytes of an old disc: "Größe".
    const QString path = write(QStringLiteral("old.txt"), "Gr\xF6\xDF"
                                                          "e");
    QCOMPARE(descriptionPlainText(path), QStringLiteral("Größe"));
    QCOMPARE(descriptionPlainText(m_dir.filePath(QStringLiteral("absent.txt"))), std::nullopt);
}

QTEST_GUILESS_MAIN(DescriptionCacheTest)
#include "tst_descriptioncache.moc"
