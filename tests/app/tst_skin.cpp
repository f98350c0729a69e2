#include "AppTestHelpers.h"
#include "app/Haupt.h"
#include "app/PackageListView.h"
#include "catalogue/SkinKeys.h"
#include "controls/TExtSpeedButton.h"
#include "controls/TFlatComboBox.h"
#include "resources/BuiltinPictures.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

using namespace quillomat;

namespace {

const QString kData = QStringLiteral(QUILLOMAT_TEST_DATA_DIR "/app/skin/");
const QImage& builtInBackground()
{
    static const QImage picture(builtin::kMainBackground);
    return picture;
}

QImage testPicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(qRgb(10, 200, 30));
    picture.setPixel(0, 0, qRgb(250, 0, 0));
    return picture;
}

QList<QWidget*> controlsOf(TMain_Form& form)
{
    return {form.sortByComboBox(),      form.sortFilterComboBox(),     form.quillzListView(),
            form.descriptionRichEdit(), form.previewExtSpeedButton(),  form.setupExtSpeedButton(),
            form.helpExtSpeedButton(),  form.minimizeExtSpeedButton(), form.closeExtSpeedButton()};
}

// Everything a skin can change, to compare two states of the window.
struct Look
{
    QSize window;
    QImage background;
    QList<QRect> geometries;
    QList<QFont> fonts;
    QList<ColorValue> colours;
    QImage minimizeGlyph;
    QImage closeGlyph;
    bool operator==(const Look&) const = default;
};

Look lookOf(TMain_Form& form)
{
    Look look{form.size(),
              form.backgroundBitmap(),
              {},
              {},
              {},
              form.minimizeExtSpeedButton()->Glyph(),
              form.closeExtSpeedButton()->Glyph()};
    for (QWidget* control : controlsOf(form)) {
        look.geometries.append(control->geometry());
        look.fonts.append(control->font());
    }
    look.fonts.append(form.descriptionFont().font);
    for (TFlatComboBox* box : {form.sortByComboBox(), form.sortFilterComboBox()})
        look.colours << box->Color() << box->FontColor() << box->ColorBorder() << box->ColorArrow()
                     << box->ColorArrowBackground();
    for (TExtSpeedButton* button : {form.previewExtSpeedButton(), form.setupExtSpeedButton()})
        look.colours << button->FontColor() << button->FrameColor() << button->FrameVisible();
    look.colours << valueFromColor(form.quillzListView()->palette().color(QPalette::Base))
                 << valueFromColor(form.quillzListView()->palette().color(QPalette::Text))
                 << valueFromColor(form.descriptionRichEdit()->palette().color(QPalette::Base))
                 << form.descriptionFont().color;
    return look;
}

// The glyph's pixels that are not silver, with their colour.
QMap<QPair<int, int>, QRgb> signOf(const QImage& glyph)
{
    QMap<QPair<int, int>, QRgb> sign;
    const QImage pixels = glyph.convertToFormat(QImage::Format_RGB32);
    for (int x = 0; x < pixels.width(); ++x)
        for (int y = 0; y < pixels.height(); ++y)
            if ((pixels.pixel(x, y) & RGB_MASK) != 0xC0C0C0)
                sign.insert({x, y}, pixels.pixel(x, y) & RGB_MASK);
    return sign;
}

} // namespace

class SkinTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_program;
    std::unique_ptr<TMain_Form> m_form;
    QString programFile(const QString& name) const { return m_program->filePath(name); }
    void writeSkin(const QByteArray& keys)
    {
        writeFile(programFile("qmskin.ini"), "[Quillomat Skin]\n" + keys);
    }
    // Starts the window as the program does, with whatever qmskin.ini the folder holds.
    TMain_Form& start()
    {
        m_form = std::make_unique<TMain_Form>();
        m_form->FormCreate({}, m_program->path() + '/');
        return *m_form;
    }
    Look m_design;

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void withoutSectionTheDesignStays_data();
    void withoutSectionTheDesignStays();
    void everyKeyActsOnItsOwnTarget();
    void integerForms_data();
    void integerForms();
    void booleanForms_data();
    void booleanForms();
    void fontNames_data();
    void fontNames();
    void windowSizeLeavesTheControls_data();
    void windowSizeLeavesTheControls();
    void background_data();
    void background();
    void signColours_data();
    void signColours();
    void rereadKeepsRemovedKeys();
    void rereadWithoutFileChangesNothing();
    void silverSignStaysSilver();
    void sampleSkinLoads();
    void descriptionColourFollowsF5();
    void keyTableDefaultsAreTheDesign();
};

void SkinTest::initTestCase()
{
    QTemporaryDir empty;
    TMain_Form form;
    form.FormCreate({}, empty.path() + '/');
    m_design = lookOf(form);
    QCOMPARE(m_design.window, QSize(592, 373));
    QCOMPARE(m_design.background, builtInBackground());
}

void SkinTest::init()
{
    m_program = std::make_unique<QTemporaryDir>();
}

void SkinTest::cleanup()
{
    m_form.reset();
}

void SkinTest::withoutSectionTheDesignStays_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("other section") << QByteArray("[Skin]\nclose.color=255\ndialog.width=700\n");
    QTest::newRow("keys outside a section") << QByteArray("sortby.color.fill=255\n");
}

void SkinTest::withoutSectionTheDesignStays()
{
    QFETCH(QByteArray, file);
    writeFile(programFile("qmskin.ini"), file);
    QVERIFY(lookOf(start()) == m_design);
}

void SkinTest::everyKeyActsOnItsOwnTarget()
{
    QVERIFY(QFile::copy(kData + "every-key.ini", programFile("qmskin.ini")));
    QVERIFY(QDir(m_program->path()).mkpath("pictures"));
    QVERIFY(testPicture(50, 40).save(programFile("pictures/back.bmp"), "BMP"));
    TMain_Form& form = start();

    QCOMPARE(form.size(), QSize(640, 400));
    QCOMPARE(form.backgroundBitmap().size(), QSize(50, 40));
    const QList<QRect> geometries = {{11, 12, 113, 21},  {21, 22, 123, 21}, {31, 32, 133, 134},
                                     {41, 42, 143, 144}, {51, 52, 53, 54},  {61, 62, 63, 64},
                                     {71, 72, 73, 74},   {81, 82, 83, 84},  {91, 92, 93, 94}};
    const QList<QWidget*> controls = controlsOf(form);
    for (int i = 0; i < controls.size(); ++i)
        QCOMPARE(controls[i]->geometry(), geometries[i]);

    QStringList fonts;
    for (const QFont& font :
         {form.sortByComboBox()->font(), form.sortFilterComboBox()->font(),
          form.quillzListView()->font(), form.descriptionFont().font,
          form.previewExtSpeedButton()->font(), form.setupExtSpeedButton()->font()})
        fonts
            << QStringLiteral("%1/%2/%3").arg(font.family()).arg(font.pointSize()).arg(font.bold());
    QCOMPARE(fonts, QStringList({"SortBy Face/9/1", "Filter Face/10/1", "List Face/11/1",
                                 "Description Face/12/1", "Preview Face/13/1", "Setup Face/14/0"}));
    // The pane's own font is not skinned: the description font keys act on DescriptionFont.
    QCOMPARE(form.descriptionRichEdit()->font(), m_design.fonts[3]);

    // In the order lookOf() lists them: each box's fill, font, border, arrow, arrow background;
    // each button's font, frame colour, frame shown; list fill and text; pane fill; pane font.
    const QList<ColorValue> colours = {2,    1,    3, 4,    5,    0x12, 0x11, 0x13, 0x14, 0x15,
                                       0x41, 0x42, 1, 0x51, 0x52, 1,    0x22, 0x21, 0x31, 0x32};
    const Look look = lookOf(form);
    QCOMPARE(look.colours, colours);
    QCOMPARE(signOf(form.minimizeExtSpeedButton()->Glyph()).first(), QRgb(0x610000));
    QCOMPARE(signOf(form.closeExtSpeedButton()->Glyph()).first(), QRgb(0x710000));
}

void SkinTest::integerForms_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<ColorValue>("fill");
    const ColorValue design = 0x404040;
    QTest::newRow("dollar hex") << QByteArray("$0000FF") << ColorValue(0xFF);
    QTest::newRow("0x hex") << QByteArray("0x0000FF") << ColorValue(0xFF);
    QTest::newRow("decimal") << QByteArray("255") << ColorValue(0xFF);
    QTest::newRow("system colour") << QByteArray("$80000010") << clBtnShadow;
    QTest::newRow("colour name") << QByteArray("clRed") << design;
    QTest::newRow("hex without prefix") << QByteArray("FF") << design;
    QTest::newRow("empty") << QByteArray("") << design;
}

void SkinTest::integerForms()
{
    QFETCH(QByteArray, value);
    QFETCH(ColorValue, fill);
    writeSkin("sortby.color.fill=" + value + "\nquillzlist.color.fill=" + value + "\n");
    TMain_Form& form = start();
    QCOMPARE(form.sortByComboBox()->Color(), fill);
    // The list shows the colour where it has no rows.
    const QImage list = form.quillzListView()->grab().toImage();
    QCOMPARE(list.pixel(list.width() / 2, list.height() - 3), colorFromValue(fill).rgb());
}

void SkinTest::booleanForms_data()
{
    QTest::addColumn<QByteArray>("keys");
    QTest::addColumn<bool>("sortByBold");
    QTest::addColumn<bool>("setupBold");
    QTest::addColumn<bool>("previewFrame");
    QTest::newRow("zero and one") << QByteArray("sortby.font.bold=1\nsetup.font.bold=0\n"
                                                "preview.border.visible=1\n")
                                  << true << false << true;
    QTest::newRow("any other number is true")
        << QByteArray("sortby.font.bold=-1\npreview.border.visible=$10\n") << true << true << true;
    QTest::newRow("words count as missing") << QByteArray("sortby.font.bold=yes\n"
                                                          "setup.font.bold=false\n"
                                                          "preview.border.visible=true\n")
                                            << false << true << false;
}

void SkinTest::booleanForms()
{
    QFETCH(QByteArray, keys);
    writeSkin(keys);
    TMain_Form& form = start();
    QTEST(form.sortByComboBox()->font().bold(), "sortByBold");
    QTEST(form.setupExtSpeedButton()->font().bold(), "setupBold");
    QTEST(form.previewExtSpeedButton()->FrameVisible(), "previewFrame");
}

void SkinTest::fontNames_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("points");
    QTest::newRow("empty name and size") << QByteArray("[Quillomat Skin]\nsortby.font.name=\n"
                                                       "sortby.font.size=\n")
                                         << "MS Sans Serif" << 8;
    QTest::newRow("name and size") << QByteArray("[quillomat skin]\nSortBy.Font.Name=DejaVu Sans\n"
                                                 "sortby.font.size=12\n")
                                   << "DejaVu Sans" << 12;
    QTest::newRow("long name") << QByteArray("[Quillomat Skin]\nsortby.font.name="
                                             "A Typeface Whose Name Runs On And On\n")
                               << "A Typeface Whose Name Runs On A" << 8;
    QTest::newRow("no size below one point")
        << QByteArray("[Quillomat Skin]\nsortby.font.size=0\n") << "MS Sans Serif" << 8;
    QTest::newRow("largest size") << QByteArray("[Quillomat Skin]\nsortby.font.size=6144\n")
                                  << "MS Sans Serif" << 6144;
    QTest::newRow("no size beyond the largest")
        << QByteArray("[Quillomat Skin]\nsortby.font.size=6145\ndescription.font.size=2000000000\n")
        << "MS Sans Serif" << 8;
    QTest::newRow("Windows-1252") << QByteArray("[Quillomat Skin]\r\nsortby.font.name=Caf\xe9\r\n")
                                  << "Caf\u00e9" << 8;
}

void SkinTest::fontNames()
{
    QFETCH(QByteArray, file);
    writeFile(programFile("qmskin.ini"), file);
    TMain_Form& form = start();
    QTEST(form.sortByComboBox()->font().family(), "family");
    QTEST(form.sortByComboBox()->font().pointSize(), "points");
    QCOMPARE(form.sortFilterComboBox()->font(), m_design.fonts[1]);
    QCOMPARE(form.descriptionFont().font.pointSize(), 10);
}

void SkinTest::windowSizeLeavesTheControls_data()
{
    QTest::addColumn<QByteArray>("keys");
    QTest::addColumn<QSize>("size");
    QTest::newRow("larger") << QByteArray("dialog.width=700\ndialog.height=420\n")
                            << QSize(700, 420);
    QTest::newRow("smaller") << QByteArray("dialog.width=300\ndialog.height=$C8\n")
                             << QSize(300, 200);
    QTest::newRow("one side") << QByteArray("dialog.height=500\n") << QSize(592, 500);
    QTest::newRow("no area is kept from the window")
        << QByteArray("dialog.width=0\ndialog.height=-5\n") << QSize(592, 373);
    QTest::newRow("beyond any display")
        << QByteArray("dialog.width=100000\ndialog.height=8193\n") << QSize(592, 373);
}

void SkinTest::windowSizeLeavesTheControls()
{
    QFETCH(QByteArray, keys);
    QFETCH(QSize, size);
    writeSkin(keys);
    TMain_Form& form = start();
    QCOMPARE(form.size(), size);
    Look look = lookOf(form);
    QCOMPARE(look.geometries, m_design.geometries);
    look.window = m_design.window;
    QVERIFY(look == m_design);
    // The rounded outline is cut for the new size: from (1, 1) to the far corner.
    QCOMPARE(form.windowRegion().boundingRect(), QRect(QPoint(1, 1), size - QSize(1, 1)));
}

void SkinTest::background_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("skinned");
    QTest::newRow("BMP in a sub-folder") << "art/back.bmp" << true;
    QTest::newRow("backslash separator") << "art\\back.bmp" << true;
    QTest::newRow("other letter case") << "ART\\Back.BMP" << true;
    QTest::newRow("JPEG") << "art/photo.jpg" << false;
    QTest::newRow("JPEG named .bmp") << "art/photo.bmp" << false;
    QTest::newRow("missing file") << "art/none.bmp" << false;
    QTest::newRow("the folder itself") << "" << false;
    QTest::newRow("drive letter") << "C:\\art\\back.bmp" << false;
}

void SkinTest::background()
{
    QFETCH(QString, value);
    QFETCH(bool, skinned);
    const QImage picture = testPicture(700, 420);
    QDir(m_program->path()).mkpath("art");
    QVERIFY(picture.save(programFile("art/back.bmp"), "BMP"));
    QVERIFY(picture.save(programFile("art/photo.jpg"), "JPG"));
    QVERIFY(QFile::copy(programFile("art/photo.jpg"), programFile("art/photo.bmp")));
    writeSkin("dialog.bitmap=" + value.toUtf8() + "\n");

    TMain_Form& form = start();
    if (skinned)
        QCOMPARE(form.backgroundBitmap().convertToFormat(QImage::Format_RGB32), picture);
    else
        QCOMPARE(form.backgroundBitmap(), builtInBackground());
}

void SkinTest::signColours_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QRgb>("sign");
    QTest::newRow("red") << QByteArray("255") << QRgb(0xFF0000);
    QTest::newRow("system colour")
        << QByteArray("$80000010") << QRgb(colorFromValue(clBtnShadow).rgb() & RGB_MASK);
    QTest::newRow("missing is black") << QByteArray("clRed") << QRgb(0);
}

void SkinTest::signColours()
{
    QFETCH(QByteArray, value);
    QFETCH(QRgb, sign);
    writeSkin("close.color=" + value + "\n");
    TMain_Form& form = start();
    const auto designSign = signOf(m_design.closeGlyph);
    const auto closeSign = signOf(form.closeExtSpeedButton()->Glyph());
    QVERIFY(!designSign.isEmpty());
    QCOMPARE(closeSign.keys(), designSign.keys());
    for (QRgb pixel : closeSign)
        QCOMPARE(pixel, sign);
    QCOMPARE(signOf(form.minimizeExtSpeedButton()->Glyph()), signOf(m_design.minimizeGlyph));
}

void SkinTest::rereadKeepsRemovedKeys()
{
    QDir(m_program->path()).mkpath("art");
    QVERIFY(testPicture(600, 380).save(programFile("art/back.bmp"), "BMP"));
    writeSkin("sortby.color.fill=255\nsetup.font.bold=0\nhelp.position.left=5\n"
              "dialog.bitmap=art/back.bmp\nclose.color=255\n");
    TMain_Form& form = start();
    QCOMPARE(form.backgroundBitmap().size(), QSize(600, 380));

    writeSkin("help.position.top=7\n");
    form.ApplySkin();
    QCOMPARE(form.sortByComboBox()->Color(), ColorValue(255));
    QVERIFY(!form.setupExtSpeedButton()->font().bold());
    QCOMPARE(form.helpExtSpeedButton()->pos(), QPoint(5, 7));
    // The three keys with fixed defaults return to the built-in picture and black signs.
    QCOMPARE(form.backgroundBitmap(), builtInBackground());
    QCOMPARE(signOf(form.closeExtSpeedButton()->Glyph()), signOf(m_design.closeGlyph));
}

void SkinTest::rereadWithoutFileChangesNothing()
{
    QDir(m_program->path()).mkpath("art");
    QVERIFY(testPicture(600, 380).save(programFile("art/back.bmp"), "BMP"));
    writeSkin("dialog.width=600\ndialog.bitmap=art/back.bmp\nclose.color=255\n"
              "description.font.size=14\n");
    TMain_Form& form = start();
    const Look skinned = lookOf(form);
    QVERIFY(QFile::remove(programFile("qmskin.ini")));
    form.ApplySkin();
    QVERIFY(lookOf(form) == skinned);
    // A folder in the file's place cannot be read either.
    QVERIFY(QDir(m_program->path()).mkdir("qmskin.ini"));
    form.ApplySkin();
    QVERIFY(lookOf(form) == skinned);
}

void SkinTest::silverSignStaysSilver()
{
    writeSkin("close.color=12632256\n");
    TMain_Form& form = start();
    QVERIFY(signOf(form.closeExtSpeedButton()->Glyph()).isEmpty());
    writeSkin("close.color=255\n");
    form.ApplySkin();
    QVERIFY(signOf(form.closeExtSpeedButton()->Glyph()).isEmpty());
    QCOMPARE(form.closeExtSpeedButton()->Glyph().size(), m_design.closeGlyph.size());
}

void SkinTest::sampleSkinLoads()
{
    const QString sample =
        QStringLiteral(QUILLOMAT_TEST_DATA_DIR "/../../examples/skins/tidewater/");
    for (const char* name : {"qmskin.ini", "background.bmp"})
        QVERIFY(QFile::copy(sample + name, programFile(name)));
    TMain_Form& form = start();
    QCOMPARE(form.size(), QSize(720, 440));
    QCOMPARE(form.backgroundBitmap().size(), form.size());
    QCOMPARE(form.setupExtSpeedButton()->font().family(), QStringLiteral("DejaVu Sans"));
}

// Pixels of the pane drawn in pure red, as text in the colour 0x0000FF is.
int redPixelsOf(QWidget& pane)
{
    const QImage shot = pane.grab().toImage().convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            count += (shot.pixel(x, y) & RGB_MASK) == 0xFF0000;
    return count;
}

// RTF text without a colour of its own and the text on screen take a new description colour
// at once, not from the second description on.
void SkinTest::descriptionColourFollowsF5()
{
    const QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0\\fs48\\b WWWW MMMM}";
    writeFile(programFile("a.rtf"), rtf);
    writeFile(programFile("b.rtf"), rtf);
    writeFile(programFile("quillomat.qmf"), "[A]\nTextFile=a.rtf\n[B]\nTextFile=b.rtf\n");
    m_form = std::make_unique<TMain_Form>();
    QVERIFY(m_form->FormCreate({"/TEST", m_program->path()}, m_program->path() + '/'));
    TMain_Form& form = *m_form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.quillzListView()->setCurrentRow(1); // the first row is chosen already, under about.rtf
    QCOMPARE(redPixelsOf(*form.descriptionRichEdit()), 0);

    writeSkin("description.font.color=0x0000FF\n");
    QTest::keyClick(form.quillzListView(), Qt::Key_F5);
    QVERIFY(redPixelsOf(*form.descriptionRichEdit()) > 0);
    form.quillzListView()->setCurrentRow(0);
    QVERIFY(redPixelsOf(*form.descriptionRichEdit()) > 0);
}

// The defaults of the key table, which the key reference and the disc check take as the window's
// look without a skin, are the window's design values.
void SkinTest::keyTableDefaultsAreTheDesign()
{
    using namespace skinkeys;
    QTemporaryDir empty;
    TMain_Form form;
    form.FormCreate({}, empty.path() + '/');
    const QMap<Target, QWidget*> widgets = {{Window, &form},
                                            {SortBy, form.sortByComboBox()},
                                            {Filter, form.sortFilterComboBox()},
                                            {List, form.quillzListView()},
                                            {Description, form.descriptionRichEdit()},
                                            {Preview, form.previewExtSpeedButton()},
                                            {Setup, form.setupExtSpeedButton()},
                                            {Help, form.helpExtSpeedButton()},
                                            {Minimize, form.minimizeExtSpeedButton()},
                                            {Close, form.closeExtSpeedButton()}};
    for (const SkinKey& key : kSkinKeys) {
        QWidget* widget = widgets.value(key.target);
        const QFont font =
            key.target == DescriptionFont ? form.descriptionFont().font : widget->font();
        auto* box = qobject_cast<TFlatComboBox*>(widget);
        auto* button = qobject_cast<TExtSpeedButton*>(widget);
        const QPalette palette = widget ? widget->palette() : QPalette();
        std::optional<qint64> number;
        QString text;
        switch (key.property) {
        case Left:
            number = widget->x();
            break;
        case Top:
            number = widget->y();
            break;
        case Width:
            number = widget->width();
            break;
        case Height:
            number = widget->height();
            break;
        case Background:
            continue; // the built-in picture, no file
        case FontName:
            text = font.family();
            break;
        case FontSize:
            number = font.pointSize();
            break;
        case FontBold:
            number = font.bold() ? 1 : 0;
            break;
        case FontColor:
            number = key.target == DescriptionFont ? form.descriptionFont().color
                     : box                         ? box->FontColor()
                     : button                      ? button->FontColor()
                                                   : valueFromColor(palette.color(QPalette::Text));
            break;
        case Fill:
            number = box ? box->Color() : valueFromColor(palette.color(QPalette::Base));
            break;
        case Border:
            number = box->ColorBorder();
            break;
        case Arrow:
            number = box->ColorArrow();
            break;
        case ArrowBackground:
            number = box->ColorArrowBackground();
            break;
        case FrameColor:
            number = button->FrameColor();
            break;
        case FrameVisible:
            number = button->FrameVisible() ? 1 : 0;
            break;
        case SignColor:
            number = signOf(button->Glyph()).first();
            break;
        }
        const QString name = QString::fromLatin1(key.name.data(), qsizetype(key.name.size()));
        if (number)
            QVERIFY2(quint32(*number) == quint32(key.defaultNumber), qPrintable(name));
        else
            QVERIFY2(text == QString::fromLatin1(key.defaultText.data(),
                                                 qsizetype(key.defaultText.size())),
                     qPrintable(name));
    }
}

QTEST_MAIN(SkinTest)
#include "tst_skin.moc"
