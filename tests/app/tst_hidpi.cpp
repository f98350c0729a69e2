// The main window on a screen of twice the density (a scale factor of 2 on the offscreen
// platform): the built-in artwork comes from the pictures drawn at twice the resolution, a
// skin's own bitmap is shown as its author made it or from its "@2x" companion.
#include "AppTestHelpers.h"
#include "app/Haupt.h"
#include "controls/TExtSpeedButton.h"
#include "dialogs/LangDlg.h"
#include "resources/BuiltinPictures.h"

#include <QApplication>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

using namespace quillomat;

namespace {

// The part of the window that no control covers: the title on the stone.
const QRect kTitleArea(120, 14, 340, 34);

QImage sharpBuiltin(const QString& path)
{
    return builtin::picture(builtin::sharpCompanionPath(path));
}

// Pixels of `area` (in window coordinates) where the shown window differs from `expected`, a
// picture at the screen's resolution placed at the window's top-left corner.
int differingPixels(const QImage& shown, const QImage& expected, const QRect& area)
{
    int differing = 0;
    for (int y = area.top() * 2; y < (area.bottom() + 1) * 2; ++y)
        for (int x = area.left() * 2; x < (area.right() + 1) * 2; ++x)
            differing += (shown.pixel(x, y) & RGB_MASK) != (expected.pixel(x, y) & RGB_MASK);
    return differing;
}

} // namespace

class HiDpiTest : public QObject
{
    Q_OBJECT

private:
    TMain_Form& start();
    QImage shown() const { return m_form->grab().toImage(); }
    QString programFile(const QString& name) const { return m_program->filePath(name); }

    std::unique_ptr<QTemporaryDir> m_program;
    std::unique_ptr<TMain_Form> m_form;

private slots:
    void init();
    void cleanup();
    void builtInArtworkIsSharp();
    void glyphsAreSharp();
    void skinBitmapKeepsItsPixelsOrTakesItsCompanion();
    void languageDialogIsSharp();
};

void HiDpiTest::init()
{
    m_program = std::make_unique<QTemporaryDir>();
    writeFile(programFile("lang.ini"), "[English]\n");
    writeFile(programFile("quillomat.qmf"), "[Paint]\nCategory=Graphics\n");
}

void HiDpiTest::cleanup()
{
    m_form.reset();
}

TMain_Form& HiDpiTest::start()
{
    m_form = std::make_unique<TMain_Form>();
    if (!m_form->FormCreate({}, m_program->path() + '/'))
        qFatal("the start-up was cancelled");
    m_form->show();
    if (!QTest::qWaitForWindowExposed(m_form.get()))
        qFatal("the window was never shown");
    return *m_form;
}

void HiDpiTest::builtInArtworkIsSharp()
{
    TMain_Form& form = start();
    QCOMPARE(form.devicePixelRatioF(), 2.0);
    const QImage window = shown();
    QCOMPARE(window.size(), form.size() * 2);
    const QImage sharp = sharpBuiltin(builtin::kMainBackground);
    QCOMPARE(differingPixels(window, sharp, kTitleArea), 0);
    // Not the plain picture enlarged.
    const QImage plain = builtin::picture(builtin::kMainBackground);
    const QImage enlarged =
        plain.scaled(plain.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    QVERIFY(differingPixels(window, enlarged, kTitleArea) > 1000);
}

void HiDpiTest::glyphsAreSharp()
{
    TMain_Form& form = start();
    const QImage window = shown();
    const QImage background = sharpBuiltin(builtin::kMainBackground);
    const QImage glyph = sharpBuiltin(builtin::kCloseGlyph).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(form.closeExtSpeedButton()->Glyph().devicePixelRatio(), 2.0);
    // The glyph is centred on the button (16 x 15 around 12 x 10: two across, three down), its
    // silver left transparent.
    const QPoint origin = (form.closeExtSpeedButton()->pos() + QPoint(2, 3)) * 2;
    for (int y = 0; y < glyph.height(); ++y) {
        for (int x = 0; x < glyph.width(); ++x) {
            const QPoint at = origin + QPoint(x, y);
            const QRgb sign = glyph.pixel(x, y);
            const QRgb expected = sign == 0xffc0c0c0 ? background.pixel(at) : sign;
            QVERIFY2(window.pixel(at) == expected,
                     qPrintable(QStringLiteral("glyph pixel (%1, %2)").arg(x).arg(y)));
        }
    } // The help menu's images, read when the menu first opens.
    form.System_NewSpeedButtonClick();
    QTRY_VERIFY(form.helpPopupMenu()->isVisible());
    const QImage icon = form.hilfeMenuItem()->icon().pixmap(QSize(16, 16), 2.0).toImage();
    QCOMPARE(icon.convertToFormat(QImage::Format_ARGB32),
             sharpBuiltin(builtin::kHelpMenuImage).convertToFormat(QImage::Format_ARGB32));
}

void HiDpiTest::skinBitmapKeepsItsPixelsOrTakesItsCompanion()
{
    QImage plain(600, 380, QImage::Format_RGB32);
    plain.fill(qRgb(200, 30, 30));
    QImage companion(1200, 760, QImage::Format_RGB32);
    for (int y = 0; y < companion.height(); ++y)
        for (int x = 0; x < companion.width(); ++x)
            companion.setPixel(x, y, qRgb(x % 256, y % 256, 90));
    QDir(m_program->path()).mkpath("art");
    QVERIFY(plain.save(programFile("art/back.bmp"), "BMP"));
    QVERIFY(companion.save(programFile("art/back@2x.bmp"), "BMP"));
    writeFile(programFile("qmskin.ini"), "[Quillomat Skin]\ndialog.bitmap=art\\back.bmp\n");
    TMain_Form& form = start();
    QCOMPARE(form.backgroundBitmap().devicePixelRatio(), 2.0);
    QCOMPARE(differingPixels(shown(), companion, kTitleArea), 0);

    // A companion of another size is left alone: the author's bitmap is shown, enlarged.
    QVERIFY(companion.copy(0, 0, 1200, 700).save(programFile("art/back@2x.bmp"), "BMP"));
    form.ApplySkin();
    QCOMPARE(form.backgroundBitmap().devicePixelRatio(), 1.0);
    QCOMPARE(shown().pixel(kTitleArea.topLeft() * 2), qRgb(200, 30, 30));
    QVERIFY(QFile::remove(programFile("art/back@2x.bmp")));
    form.ApplySkin();
    QCOMPARE(form.backgroundBitmap().devicePixelRatio(), 1.0);
    QCOMPARE(form.backgroundBitmap().size(), QSize(600, 380));
}

void HiDpiTest::languageDialogIsSharp()
{
    TChoseLang_Form dialog;
    dialog.SetLanguageList({QStringLiteral("English"), QStringLiteral("Deutsch")});
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    // The title and the question, above the box.
    QCOMPARE(differingPixels(dialog.grab().toImage(), sharpBuiltin(builtin::kLanguageBackground),
                             QRect(20, 14, 300, 62)),
             0);
}

int main(int argc, char* argv[])
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    HiDpiTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_hidpi.moc"
