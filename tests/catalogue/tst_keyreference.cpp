// The key reference in docs/ lists every key the readers know, in their order, with the type and
// default they work with, so that the document cannot fall behind the code.

#include "catalogue/BuiltinTexts.h"
#include "catalogue/MenuKeys.h"
#include "catalogue/SkinKeys.h"
#include "text/ValueParsing.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

using namespace quillomat;

namespace {

// The cells of every table row under the heading, without the header and ruler rows.
QList<QStringList> tableRows(const QString& document, const QString& heading)
{
    QList<QStringList> rows;
    const qsizetype start = document.indexOf(QStringLiteral("\n## ") + heading + u'\n');
    if (start < 0)
        return rows;
    const qsizetype end = document.indexOf(QStringLiteral("\n## "), start + 1);
    const QStringList lines = document.mid(start, end < 0 ? -1 : end - start).split(u'\n');
    bool pastRuler = false;
    for (const QString& line : lines) {
        if (!line.startsWith(u'|'))
            continue;
        if (line.startsWith(QStringLiteral("|---"))) {
            pastRuler = true;
            continue;
        }
        if (!pastRuler)
            continue;
        // A cell may hold an escaped bar.
        QStringList cells =
            QString(line).replace(QStringLiteral("\\|"), QStringLiteral("\x01")).split(u'|');
        cells = cells.mid(1, cells.size() - 2);
        for (QString& cell : cells)
            cell = cell.trimmed().replace(u'\x01', u'|');
        rows.append(cells);
    }
    return rows;
}

// The text of the first `code span` in a cell; the cell itself when it has none.
QString code(const QString& cell)
{
    static const QRegularExpression span(QStringLiteral("`([^`]*)`"));
    const QRegularExpressionMatch match = span.match(cell);
    return match.hasMatch() ? match.captured(1) : cell;
}

QString fromView(std::string_view text)
{
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

QString typeName(skinkeys::ValueType type)
{
    switch (type) {
    case skinkeys::Integer:
        return QStringLiteral("integer");
    case skinkeys::Colour:
        return QStringLiteral("colour");
    case skinkeys::Boolean:
        return QStringLiteral("boolean");
    case skinkeys::Text:
        break;
    }
    return QStringLiteral("text");
}

} // namespace

class KeyReferenceTest : public QObject
{
    Q_OBJECT

private:
    QString m_document;

private slots:
    void initTestCase();
    void listsEverySkinKey();
    void listsEveryLanguageText();
    void listsEveryMenuKey();
};

void KeyReferenceTest::initTestCase()
{
    QFile file(QStringLiteral(QUILLOMAT_KEY_REFERENCE));
    QVERIFY(file.open(QIODevice::ReadOnly));
    m_document = QString::fromUtf8(file.readAll());
}

void KeyReferenceTest::listsEverySkinKey()
{
    const QList<QStringList> rows = tableRows(m_document, QStringLiteral("Skin file"));
    QCOMPARE(rows.size(), qsizetype(skinkeys::kSkinKeys.size()));
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const skinkeys::SkinKey& key = skinkeys::kSkinKeys[std::size_t(i)];
        const QStringList& row = rows[i];
        QCOMPARE(row.size(), 4);
        QCOMPARE(code(row[0]), fromView(key.name));
        QCOMPARE(row[1], typeName(key.type));
        if (key.type == skinkeys::Text) {
            const QString expected = key.defaultText.empty()
                                         ? QStringLiteral("(none)")
                                         : u'"' + fromView(key.defaultText) + u'"';
            QCOMPARE(row[2], expected);
        } else {
            // Colours are written as the skin file writes them; a system colour is negative
            // as a 32-bit number.
            const std::optional<std::int32_t> number = parseInteger(code(row[2]));
            QVERIFY2(number, qPrintable(row[2]));
            QCOMPARE(quint32(*number), quint32(key.defaultNumber));
        }
    }
}

void KeyReferenceTest::listsEveryLanguageText()
{
    const QList<QStringList> rows = tableRows(m_document, QStringLiteral("Language file"));
    const std::span<const BuiltinText> texts = builtinTexts();
    QCOMPARE(rows.size(), qsizetype(texts.size()));
    for (qsizetype i = 0; i < rows.size(); ++i) {
        QCOMPARE(code(rows[i][0]), QString::fromUtf16(texts[std::size_t(i)].key));
        QCOMPARE(rows[i][1], QStringLiteral("text"));
        QCOMPARE(code(rows[i][2]), QString::fromUtf16(texts[std::size_t(i)].text));
    }
}

void KeyReferenceTest::listsEveryMenuKey()
{
    const QList<QStringList> rows = tableRows(m_document, QStringLiteral("Menu file"));
    QStringList expected{menukeys::kHeaderSection.toString() + u'/' +
                         menukeys::kCdFolderKey.toString()};
    for (const menukeys::PackageKey& key : menukeys::kPackageKeys)
        expected.append(QStringLiteral("a package/") + key.name.toString());
    QStringList listed;
    for (const QStringList& row : rows)
        listed.append(code(row[0]) + u'/' + code(row[1]));
    QCOMPARE(listed, expected);
}

QTEST_GUILESS_MAIN(KeyReferenceTest)
#include "tst_keyreference.moc"
