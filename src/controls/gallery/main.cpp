// Shows the flat combo box and the speed button in each of their states on one borderless
// window. Drag the window by its background; Enter and Escape go to the demo buttons.
// Options: --quit-after <ms> closes the window after that time (for screenshots).

#include "graphics/ColorValue.h"
#include "controls/TExtSpeedButton.h"
#include "controls/TFlatComboBox.h"
#include "controls/TMovingForm.h"
#include "controls/TSkinnedForm.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QEnterEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

using namespace quillomat;

namespace {

QLabel* caption(QWidget* parent, const QString& text, int x, int y, int width = 200)
{
    auto* label = new QLabel(text, parent);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colorFromValue(clSilver));
    label->setPalette(palette);
    label->setGeometry(x, y, width, 21);
    return label;
}

QWidget* panel(QWidget* parent, const QRect& geometry)
{
    auto* widget = new QWidget(parent);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colorFromValue(kPanelColor));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
    widget->setGeometry(geometry);
    return widget;
}

TFlatComboBox* layoutBox(QWidget* parent, int x, int y)
{
    auto* box = new TFlatComboBox(parent);
    box->setGeometry(x, y, 201, 21);
    box->setComboStyle(TComboBoxStyle::csDropDownList);
    setUpPanelComboBox(*box);
    box->addItems({QStringLiteral("by name"), QStringLiteral("by category"),
                   QStringLiteral("by company"), QStringLiteral("Search")});
    box->setCurrentIndex(0);
    return box;
}

TExtSpeedButton* layoutButton(QWidget* parent, const QString& text, int x, int y)
{
    auto* button = new TExtSpeedButton(parent);
    button->setGeometry(x, y, 67, 21);
    setUpFlatButton(*button);
    button->setText(text);
    button->setFontColor(clWhite);
    return button;
}

// 12 x 10 on silver: a cross for close, a bar for minimize.
QImage signGlyph(bool cross)
{
    QImage image(12, 10, QImage::Format_RGB32);
    image.fill(colorFromValue(clSilver));
    for (int i = 0; i < 8; ++i) {
        if (cross) {
            image.setPixel(2 + i, 1 + i, qRgb(0, 0, 0));
            image.setPixel(3 + i, 1 + i, qRgb(0, 0, 0));
            image.setPixel(9 - i, 1 + i, qRgb(0, 0, 0));
            image.setPixel(10 - i, 1 + i, qRgb(0, 0, 0));
        } else {
            image.setPixel(2 + i, 7, qRgb(0, 0, 0));
            image.setPixel(2 + i, 8, qRgb(0, 0, 0));
        }
    }
    return image;
}

QImage helpGlyph()
{
    QImage image(10, 14, QImage::Format_RGB32);
    image.fill(colorFromValue(clSilver));
    QPainter painter(&image);
    QFont font = painter.font();
    font.setPixelSize(13);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(0xFF, 0xD0, 0x00));
    painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("?"));
    return image;
}

void recolourSign(TExtSpeedButton* button, ColorValue color)
{
    button->editGlyph([color](QImage& glyph) {
        glyph = glyph.convertToFormat(QImage::Format_RGB32);
        const QRgb silver = colorFromValue(clSilver).rgb();
        for (int x = 0; x < glyph.width(); ++x)
            for (int y = 0; y < glyph.height(); ++y)
                if (glyph.pixel(x, y) != silver)
                    glyph.setPixel(x, y, colorFromValue(color).rgb());
    });
}

int showDemoDialog(QWidget* owner)
{
    TMovingForm dialog(owner);
    dialog.resize(240, 90);
    QPalette palette = dialog.palette();
    palette.setColor(QPalette::Window, colorFromValue(kPanelColor));
    dialog.setPalette(palette);
    dialog.setAutoFillBackground(true);
    caption(&dialog, QStringLiteral("Enter: ok, Escape: cancel"), 20, 15);
    auto* ok = layoutButton(&dialog, QStringLiteral("&ok"), 150, 55);
    ok->setDefault(true);
    ok->setModalResult(1);
    auto* cancel = layoutButton(&dialog, QStringLiteral("&cancel"), 80, 55);
    cancel->setCancel(true);
    cancel->setDefault(true);
    cancel->setModalResult(2);
    return dialog.showModal();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int quitAfter = 0;
    const QStringList args = app.arguments();
    if (const qsizetype i = args.indexOf(QStringLiteral("--quit-after"));
        i >= 0 && i + 1 < args.size())
        quitAfter = args.at(i + 1).toInt();

    TMovingForm form;
    form.setWindowTitle(QStringLiteral("Quillomat controls"));
    form.resize(760, 430);
    QPalette formPalette = form.palette();
    formPalette.setColor(QPalette::Window, QColor(0xB8, 0xB8, 0xB8));
    form.setPalette(formPalette);
    form.setAutoFillBackground(true);

    // Combo boxes, 201 x 21 as the program lays them out.
    QWidget* boxes = panel(&form, QRect(10, 10, 430, 410));
    caption(boxes, QStringLiteral("TFlatComboBox"), 10, 4);
    int y = 30;
    auto row = [&](const QString& text) {
        caption(boxes, text, 225, y);
        const int top = y;
        y += 32;
        return top;
    };
    layoutBox(boxes, 10, row(QStringLiteral("list, resting")));
    TFlatComboBox* focused = layoutBox(boxes, 10, row(QStringLiteral("list, focused")));
    layoutBox(boxes, 10, row(QStringLiteral("list, disabled")))->setEnabled(false);
    TFlatComboBox* open = layoutBox(boxes, 10, row(QStringLiteral("list open (picture below)")));
    open->setCurrentIndex(1);
    QLabel* openPicture = new QLabel(boxes);
    openPicture->setGeometry(10, y, 201, 80);
    y += 86;
    TFlatComboBox* simple = layoutBox(boxes, 10, row(QStringLiteral("csSimple (search field)")));
    simple->setComboStyle(TComboBoxStyle::csSimple);
    simple->setEditText(QStringLiteral("enter keywords"));
    TFlatComboBox* dropDown = layoutBox(boxes, 10, row(QStringLiteral("csDropDown")));
    dropDown->setComboStyle(TComboBoxStyle::csDropDown);
    TFlatComboBox* adv = layoutBox(boxes, 10, row(QStringLiteral("UseAdvColors on 0x404040")));
    adv->setColorArrow(clBlack);
    adv->setUseAdvColors(true);
    auto* plain = new TFlatComboBox(boxes);
    plain->setGeometry(10, row(QStringLiteral("new box, default colours")), 201, 21);
    plain->addItem(QStringLiteral("clWindow fill"));

    // Buttons, 67 x 21, flat, white caption.
    QWidget* buttons = panel(&form, QRect(450, 10, 300, 410));
    caption(buttons, QStringLiteral("TExtSpeedButton"), 10, 4);
    y = 30;
    auto buttonRow = [&](const QString& text, const QString& label) {
        caption(buttons, label, 90, y);
        auto* button = layoutButton(buttons, text, 10, y);
        y += 28;
        return button;
    };
    TExtSpeedButton* setup = buttonRow(QStringLiteral("&setup"), QStringLiteral("resting"));
    QFont bold = setup->font();
    bold.setBold(true);
    setup->setFont(bold);
    setup->setDefault(true);
    buttonRow(QStringLiteral("&frame"), QStringLiteral("FrameVisible (clBtnShadow)"))
        ->setFrameVisible(true);
    TExtSpeedButton* hover =
        buttonRow(QStringLiteral("&hover"), QStringLiteral("pointer over it, HotTrack"));
    hover->setHotTrack(true);
    hover->setHotColor(0x00FFFF);
    TExtSpeedButton* pressed = buttonRow(QStringLiteral("&pressed"), QStringLiteral("pressed"));
    TExtSpeedButton* down = buttonRow(QStringLiteral("&down"), QStringLiteral("Down, frame on"));
    down->setFrameVisible(true);
    down->setDownState(true);
    TExtSpeedButton* disabled = buttonRow(QStringLiteral("&preview"), QStringLiteral("disabled"));
    disabled->setEnabled(false);
    TExtSpeedButton* action =
        buttonRow(QStringLiteral("&action"), QStringLiteral("action area, frame"));
    action->setActionAreaVisble(true);
    action->setFrameVisible(true);
    action->setFrameColor(clSilver);
    action->setActionAreaColor(clWhite);
    TExtSpeedButton* actionHot =
        buttonRow(QStringLiteral("a&rea"), QStringLiteral("pointer on the action area"));
    actionHot->setActionAreaVisble(true);
    actionHot->setActionAreaColor(clWhite);
    TExtSpeedButton* nonFlat =
        buttonRow(QStringLiteral("&modal..."), QStringLiteral("not flat: opens a dialog"));
    nonFlat->setFlat(false);
    nonFlat->setTransparent(false);
    nonFlat->setFontColor(clBtnText);

    caption(buttons, QStringLiteral("glyphs: help, minimize, close; red signs"), 10, y + 4, 290);
    y += 30;
    int x = 10;
    QList<TExtSpeedButton*> glyphButtons;
    for (int i = 0; i < 6; ++i) {
        auto* button = new TExtSpeedButton(buttons);
        button->setFlat(true);
        button->setFrameVisible(false);
        button->setGlyph(i % 3 == 0 ? helpGlyph() : signGlyph(i % 3 == 2));
        button->setGeometry(x, y, 16, i % 3 == 0 ? 16 : 15);
        x += i == 2 ? 40 : 24;
        glyphButtons.append(button);
    }
    recolourSign(glyphButtons[4], clRed);
    recolourSign(glyphButtons[5], clRed);
    QObject::connect(glyphButtons[2], &QAbstractButton::clicked, &form, &QWidget::close);
    QObject::connect(glyphButtons[5], &QAbstractButton::clicked, &form, &QWidget::close);
    QLabel* result = caption(buttons, QString(), 10, y + 30, 290);
    QObject::connect(nonFlat, &QAbstractButton::clicked, &form, [&form, result] {
        result->setText(QStringLiteral("dialog result %1").arg(showDemoDialog(&form)));
    });
    QObject::connect(setup, &QAbstractButton::clicked, result,
                     [result] { result->setText(QStringLiteral("setup clicked")); });
    action->setOnActionAreaClick([result](TExtSpeedButton*, int ax, int ay) {
        result->setText(QStringLiteral("action area at %1, %2").arg(ax).arg(ay));
    });

    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    form.move(screen.center() - form.rect().center());
    form.show();
    form.activateWindow();

    // States a person would reach with the mouse are set up by hand once the window shows.
    QTimer::singleShot(200, &form, [&] {
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QCoreApplication::sendEvent(hover, &enter);
        QEnterEvent enterArea(QPointF(60, 15), QPointF(60, 15), QPointF(60, 15));
        QCoreApplication::sendEvent(actionHot, &enterArea);
        QMouseEvent move(QEvent::MouseMove, QPointF(60, 15), QPointF(60, 15), QPointF(60, 15),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(actionHot, &move);
        pressed->setDown(true);

        open->showPopup();
        QCoreApplication::processEvents();
        QWidget* popup = open->view()->window();
        QPixmap picture(201, 21 + popup->height());
        picture.fill(colorFromValue(kPanelColor));
        QPainter painter(&picture);
        painter.drawPixmap(0, 0, open->grab());
        painter.drawPixmap(0, 21, popup->grab());
        painter.end();
        open->hidePopup();
        openPicture->setPixmap(picture);
        openPicture->resize(picture.size());
        focused->setFocus();
    });
    if (quitAfter > 0)
        QTimer::singleShot(quitAfter, &app, &QCoreApplication::quit);
    return app.exec();
}
