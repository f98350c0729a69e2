// The readers of installers' metadata, on installers made by their own tools, and on every
// damaged copy of them: nothing read past the end, nothing made up.

#include "RealInstallers.h"
#include "installers/InstallerInfo.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QTest>

using namespace quillomat;

class InstallerInfoTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void initTestCase();
    void readsEachKind_data();
    void readsEachKind();
    void programWithoutVersionResourceGivesNothing();
    void damagedCopiesAreReadSafely_data();
    void damagedCopiesAreReadSafely();
};

void InstallerInfoTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const QString errors[] = {
        installers::makeWindowsProgram(path("inkwell.exe"),
                                       "VALUE \"CompanyName\", \"Parchment Labs\"\n"
                                       "VALUE \"ProductName\", \"Inkwell Notes\"\n"
                                       "VALUE \"FileVersion\", \"2, 3, 0, 0\"\n"
                                       "VALUE \"ProductVersion\", \"2.3 beta\""),
        installers::makeWindowsProgram(path("productversion.exe"),
                                       "VALUE \"ProductName\", \"Sextant\"\n"
                                       "VALUE \"ProductVersion\", \"1.5\""),
        installers::makeMsi(path("tally.msi"), "Tallyho Spreadsheet", "Ledger & Sons",
                            "ProductName\tTallyho\r\nProductVersion\t1.8.0\r\n"),
        installers::makeMsi(path("properties.msi"), "", "",
                            "Manufacturer\tLedger und S\xc3\xb6hne\r\nProductName\tTallyho "
                            "Spreadsheet\r\nProductVersion\t1.8\r\n"),
        installers::makeDeb(path("zipline-gz.deb"),
                            "Package: zipline\nVersion: 1:4.0.2-3\nSection: contrib/utils\n"
                            "Architecture: all\nMaintainer: Ferrous Tools <dev@ferrous.example>\n"
                            "Description: archiver\n long text: Maintainer: nobody\n",
                            "gzip"),
        installers::makeDeb(path("zipline-xz.deb"),
                            "Package: zipline\nVersion: 4.0\nArchitecture: all\n"
                            "Maintainer: <dev@ferrous.example>\nOrigin: Ferrous\n"
                            "Description: archiver\n",
                            "xz"),
        installers::makeDeb(path("zipline-zst.deb"),
                            "Package: zipline\nVersion: 4.0\nSection: games\nArchitecture: all\n"
                            "Maintainer: Ferrous Tools\nDescription: archiver\n",
                            "zstd"),
    };
    for (const QString& error : errors) {
        if (!error.isEmpty())
            QSKIP(qPrintable(error));
    }
    writeFixtureFile(path("orbital.rpm"), installers::rpmBytes({{1000, "orbital-chess"},
                                                                {1001, "1.2"},
                                                                {1011, "Northwind Games"},
                                                                {1016, "Amusements/Games"}}));
    writeFixtureFile(path("unspecified.rpm"),
                     installers::rpmBytes({{1000, "tool"}, {1016, "Unspecified"}}));
}

void InstallerInfoTest::readsEachKind_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("name"); // with its version
    QTest::addColumn<QString>("company");
    QTest::addColumn<QString>("category");
    QTest::newRow("program: FileVersion before ProductVersion, commas and zeros tidied")
        << "inkwell.exe"
        << "Inkwell Notes 2.3"
        << "Parchment Labs"
        << "";
    QTest::newRow("program: ProductVersion without FileVersion") << "productversion.exe"
                                                                 << "Sextant 1.5"
                                                                 << ""
                                                                 << "";
    QTest::newRow("installer database: subject and author, the version of its properties")
        << "tally.msi"
        << "Tallyho Spreadsheet 1.8"
        << "Ledger & Sons"
        << "";
    QTest::newRow("installer database: product name and manufacturer where the summary lacks")
        << "properties.msi"
        << "Tallyho Spreadsheet 1.8"
        << "Ledger und S\u00f6hne"
        << "";
    QTest::newRow("deb, gzip: no epoch or revision, maintainer without address, section of area")
        << "zipline-gz.deb"
        << "zipline 4.0.2"
        << "Ferrous Tools"
        << "utils";
    QTest::newRow("deb, xz: origin where the maintainer has no name") << "zipline-xz.deb"
                                                                      << "zipline 4.0"
                                                                      << "Ferrous"
                                                                      << "";
    QTest::newRow("deb, zstd") << "zipline-zst.deb"
                               << "zipline 4.0"
                               << "Ferrous Tools"
                               << "games";
    QTest::newRow("rpm: last part of the group") << "orbital.rpm"
                                                 << "orbital-chess 1.2"
                                                 << "Northwind Games"
                                                 << "Games";
    QTest::newRow("rpm: an unspecified group is none") << "unspecified.rpm"
                                                       << "tool"
                                                       << ""
                                                       << "";
}

void InstallerInfoTest::readsEachKind()
{
    QFETCH(QString, file);
    QFETCH(QString, name);
    QFETCH(QString, company);
    QFETCH(QString, category);
    const InstallerInfo info = readInstallerInfo(path(file));
    QCOMPARE(info.problem, QString());
    QCOMPARE(info.nameWithVersion(), name);
    QCOMPARE(info.company, company);
    QCOMPARE(info.category, category);
}

void InstallerInfoTest::programWithoutVersionResourceGivesNothing()
{
    writeFixtureFile(path("plain/m.c"), "int main(void) { return 0; }\n");
    const QString error =
        installers::runTool("x86_64-w64-mingw32-gcc", {"-o", path("plain.exe"), path("plain/m.c")});
    QVERIFY2(error.isEmpty(), qPrintable(error));
    const InstallerInfo info = readInstallerInfo(path("plain.exe"));
    QVERIFY(info.isEmpty());
    QVERIFY(info.version.isEmpty());
}

void InstallerInfoTest::damagedCopiesAreReadSafely_data()
{
    QTest::addColumn<QString>("file");
    for (const char* file : {"inkwell.exe", "tally.msi", "zipline-gz.deb", "zipline-xz.deb",
                             "zipline-zst.deb", "orbital.rpm"})
        QTest::newRow(file) << file;
}

// Cut short at many places, and with bytes overwritten, each copy is read without a read past
// its end (the sanitizer build sees those) and gives either the real values or none.
void InstallerInfoTest::damagedCopiesAreReadSafely()
{
    QFETCH(QString, file);
    QFile original(path(file));
    QVERIFY(original.open(QIODevice::ReadOnly));
    const QByteArray bytes = original.readAll();
    const InstallerInfo whole = readInstallerInfo(path(file));
    auto readCopy = [&](const QByteArray& copy) {
        QBuffer buffer;
        buffer.setData(copy);
        buffer.open(QIODevice::ReadOnly);
        const InstallerKind kind = installerKindOf(file);
        return kind == InstallerKind::WindowsProgram     ? readWindowsVersion(buffer)
               : kind == InstallerKind::WindowsInstaller ? readMsiSummary(buffer)
               : kind == InstallerKind::DebianPackage    ? readDebianControl(buffer)
                                                         : readRpmHeader(buffer);
    };
    const qsizetype step = std::max<qsizetype>(1, bytes.size() / 400);
    for (qsizetype length = 0; length < bytes.size(); length += step) {
        const InstallerInfo cut = readCopy(bytes.left(length));
        QVERIFY(cut.name.isEmpty() || whole.name.startsWith(cut.name));
    }
    for (qsizetype at = 0; at < bytes.size(); at += step) {
        QByteArray copy = bytes;
        for (qsizetype i = at; i < std::min(at + 8, copy.size()); ++i)
            copy[i] = char(0xFF);
        readCopy(copy);
    }
}

QTEST_GUILESS_MAIN(InstallerInfoTest)
#include "tst_installerinfo.moc"
