#include "SystemPaths.h"
#include "catalogue/DescriptionTextCache.h"
#include "catalogue/SearchText.h"

#include <QDateTime>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace quillomat;

class DescriptionCacheTest : public QObject
{
    Q_OBJECT

private:
    QString write(const QString& name, const QByteArray& bytes);
    QTemporaryDir m_dir;
    QStringList m_reads; // contents the cache converted
    DescriptionTextCache makeCache();

private slots:
    void init() { m_reads.clear(); }
    void unchangedFileIsReadOnce();
    void changedFileIsReadAgain_data();
    void changedFileIsReadAgain();
    void nothingToReadGivesEmptyText_data();
    void nothingToReadGivesEmptyText();
    void defaultReaderDecodesText();
    void containsBytesFindsEverySubstring();
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

// A converter that records the content of every file the cache read.
DescriptionTextCache DescriptionCacheTest::makeCache()
{
    return DescriptionTextCache([this](QByteArrayView bytes) {
        m_reads.append(QString::fromUtf8(bytes));
        return QString::fromUtf8(bytes);
    });
}

void DescriptionCacheTest::unchangedFileIsReadOnce()
{
    const QString path = write(QStringLiteral("once.txt"), "Straße");
    DescriptionTextCache cache = makeCache();
    QCOMPARE(cache.upperCasedText(path), QByteArray("STRASSE"));
    QCOMPARE(cache.upperCasedText(path), QByteArray("STRASSE"));
    QCOMPARE(m_reads, QStringList{QStringLiteral("Straße")});
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

    QByteArray expected = "AFTER!";
    if (change == QStringLiteral("size")) {
        write(QStringLiteral("changing.txt"), "after, longer");
        expected = "AFTER, LONGER";
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
    QTest::newRow("device") << kDevicePath;
    const QString fifo = m_dir.filePath(QStringLiteral("pipe.rtf"));
    if (makeNamedPipe(fifo))
        QTest::newRow("pipe without a writer") << fifo;
}

void DescriptionCacheTest::nothingToReadGivesEmptyText()
{
    QFETCH(QString, path);
    DescriptionTextCache cache = makeCache();
    QCOMPARE(cache.upperCasedText(path), QByteArray());
    QCOMPARE(m_reads, QStringList{});
    QCOMPARE(cache.entryCount(), 0);
}

void DescriptionCacheTest::defaultReaderDecodesText()
{
    const QString rtf = write(QStringLiteral("text.rtf"), "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}"
                                                          "\\b f\\'fcr\\b0  alle\\par}");
    QCOMPARE(DescriptionTextCache().upperCasedText(rtf), QStringLiteral("FÜR ALLE\n").toUtf8());

    // Windows-1252 bytes of an old disc: "Größe".
    const QString path = write(QStringLiteral("old.txt"), "Gr\xF6\xDF"
                                                          "e");
    QCOMPARE(descriptionPlainText(path), QStringLiteral("Größe"));
    QCOMPARE(descriptionPlainText(m_dir.filePath(QStringLiteral("absent.txt"))), std::nullopt);
}

// Every needle cut from a random text is found wherever it sits (ends, block edges); needles
// changed in one byte are reported as QByteArray::contains reports them.
void DescriptionCacheTest::containsBytesFindsEverySubstring()
{
    QRandomGenerator random(1234);
    for (int round = 0; round < 300; ++round) {
        QByteArray text(random.bounded(1, 70), Qt::Uninitialized);
        for (char& c : text)
            c = char('A' + random.bounded(3)); // few letters: many partial matches
        const int from = random.bounded(int(text.size()));
        QByteArray needle = text.mid(from, random.bounded(1, int(text.size()) - from + 1));
        QVERIFY(containsBytes(text, needle));
        needle[random.bounded(int(needle.size()))] = char('A' + random.bounded(4));
        QCOMPARE(containsBytes(text, needle), text.contains(needle));
        QCOMPARE(containsBytes(text, text + "A"), false);
    }
    QVERIFY(containsBytes("abc", ""));
    QVERIFY(!containsBytes("", "a"));
    QVERIFY(!containsBytes(QByteArrayView(), "a")); // the empty text of a missing file
}

QTEST_GUILESS_MAIN(DescriptionCacheTest)
#include "tst_descriptioncache.moc"
